#pragma once
// The "Assertion Failure" report: names the failed expression, the module and the line, and
// lets the user end the program, debug it, or continue after the check.

#include "base/errors.h"

#include <QWidget>
#include <functional>

namespace zephane {

inline constexpr int kAssertionReportResource = 138;
enum AssertionAnswer : int {
    kAssertionEnd = 1,
    kAssertionDebug = 2,
    kAssertionContinue = 3,
};

int show_assertion_report(QWidget* parent, const AssertionInfo& info);

// Makes the report the program's assertion handler. `parent` names the window to show it
// over. End quits at once with status 3; Debug stops in an attached debugger, or without
// one writes the call stack to the debug log; both Debug and Continue then go on.
void install_assertion_report(std::function<QWidget*()> parent);

} // namespace zephane
