#include "framework/xg_busy.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <chrono>
#include <future>

namespace zephane {

namespace {
constexpr int kShowAfterMilliseconds = 400;
constexpr auto kPoll = std::chrono::milliseconds(15);
} // namespace

void run_busy(QWidget* parent, const QString& label, const std::function<void()>& work) {
    std::future<void> done = std::async(std::launch::async, work);
    if (done.wait_for(std::chrono::milliseconds(kShowAfterMilliseconds)) != std::future_status::ready) {
        QProgressDialog progress(label, QString(), 0, 0, parent);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        progress.setValue(0);
        while (done.wait_for(kPoll) != std::future_status::ready)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    done.get();
}

} // namespace zephane
