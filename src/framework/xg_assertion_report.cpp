#include "framework/xg_assertion_report.h"

#include "framework/xg_alert.h"

#include <QFile>
#include <QTextStream>
#include <csignal>
#include <cstdlib>
#include <execinfo.h>
#include <memory>

namespace zephane {

namespace {

bool debugger_attached() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    QTextStream in(&status);
    for (QString line = in.readLine(); !line.isNull(); line = in.readLine())
        if (line.startsWith(QLatin1String("TracerPid:")))
            return line.mid(10).trimmed() != QLatin1String("0");
    return false;
}

void trace_call_stack() {
    void* frames[64];
    const int count = ::backtrace(frames, 64);
    std::unique_ptr<char*, decltype(&std::free)> names(::backtrace_symbols(frames, count),
                                                       &std::free);
    for (int k = 0; k < count; ++k)
        ZEPHANE_TRACE("xg_assertion_report.cpp", names ? names.get()[k] : "?");
}

} // namespace

int show_assertion_report(QWidget* parent, const AssertionInfo& info) {
    const QString text =
        QStringLiteral("Expression: %1\nModule: %2\nLine: %3")
            .arg(QString::fromStdString(info.expression), QString::fromStdString(info.module))
            .arg(info.line);
    return xg_alert(parent, QStringLiteral("Assertion Failure"), text,
                    {{kAssertionEnd, QStringLiteral("End Program")},
                     {kAssertionDebug, QStringLiteral("Debug")},
                     {kAssertionContinue, QStringLiteral("Continue")}},
                    kAssertionContinue, kAssertionContinue);
}

void install_assertion_report(std::function<QWidget*()> parent) {
    set_assertion_handler([parent = std::move(parent)](const AssertionInfo& info) {
        ZEPHANE_TRACE("xg_assertion_report.cpp", "Assertion Failure: " + info.expression + " in " +
                                                     info.module + ", line " +
                                                     std::to_string(info.line));
        switch (show_assertion_report(parent ? parent() : nullptr, info)) {
        case kAssertionEnd:
            std::_Exit(3);
        case kAssertionDebug:
            if (debugger_attached())
                std::raise(SIGTRAP);
            else
                trace_call_stack();
            break;
        default:
            break;
        }
    });
}

} // namespace zephane
