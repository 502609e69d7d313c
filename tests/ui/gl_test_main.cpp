// The OpenGL view tests: a real display (they run under xvfb-run) and a compatibility
// context for every view.

#include "framework/xg_gl_view.h"

#include <QApplication>
#include <QSurfaceFormat>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QSurfaceFormat::setDefaultFormat(zephane::XGGLView::view_format());
    static int qt_argc = 1;
    static char name[] = "gl_tests";
    static char* qt_argv[] = {name, nullptr};
    QApplication application(qt_argc, qt_argv);
    return RUN_ALL_TESTS();
}
