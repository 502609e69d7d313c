// The window tests share one QApplication and run offscreen unless told otherwise. The
// application keeps argc by reference, so argc is static; the application itself goes at the
// end of main, while the platform it was made on still exists.

#include "framework/xg_dialog.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {
QtMessageHandler next_handler = nullptr;

// The offscreen platform says this for every window of the multi-document area.
void quiet_messages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints"))) return;
    if (next_handler) next_handler(type, context, message);
}
} // namespace

int main(int argc, char** argv) {
    next_handler = qInstallMessageHandler(quiet_messages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    static int qt_argc = 1;
    static char name[] = "ui_tests";
    static char* qt_argv[] = {name, nullptr};
    QApplication application(qt_argc, qt_argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Morvandel"));
    QCoreApplication::setApplicationName(QStringLiteral("zephane-tests"));
    // A dialog no test expected would wait for a user for ever: fail and close it instead.
    zephane::XGDialog::set_modal_hook([](zephane::XGDialog& dialog) {
        ADD_FAILURE() << "an unexpected dialog: " << dialog.windowTitle().toStdString();
    });
    return RUN_ALL_TESTS();
}
