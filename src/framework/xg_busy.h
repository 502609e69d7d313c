#pragma once
// Long work that must not freeze the window: it runs on a worker thread while a progress
// dialog (shown only when the work takes longer than a moment) keeps the window painted.
// The work must not touch what the window reads (the tag database); user input waits.

#include <QString>
#include <functional>

class QWidget;

namespace zephane {

// Runs work to its end and returns; an exception it throws is thrown again here.
void run_busy(QWidget* parent, const QString& label, const std::function<void()>& work);

} // namespace zephane
