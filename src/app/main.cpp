// zephane: the editor. With root lists on the command line it builds the foundation files
// without opening a window (so it runs where there is no display) and exits.

#include "app/app_texts.h"
#include "app/command_line.h"
#include "app/register_tag_editors.h"
#include "app/tree_view.h"
#include "app/zephane_app.h"
#include "definitions/register_tag_types.h"
#include "framework/xg_frame.h"
#include "base/errors.h"
#include "workspace/headless_build.h"
#include "workspace/workspace_loading.h"

#include <QApplication>
#include <QSurfaceFormat>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace {

// Trace lines go to the debug log, never to the window. Every running program appends to it,
// each line marked with its process, so two instances never overwrite each other's lines.
std::unique_ptr<std::ofstream> open_trace_log(const std::string& asked) {
    if (asked == "-") {
        zephane::set_trace_sink([](const std::string& line) { std::cerr << line << '\n'; });
        return nullptr;
    }
    const std::string path = asked.empty() ? zephane::default_trace_log() : asked;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    auto log = std::make_unique<std::ofstream>(path, std::ios::app);
    if (!*log) return nullptr;
    const std::string mark = "[" + std::to_string(::getpid()) + "] ";
    zephane::set_trace_sink([stream = log.get(), mark](const std::string& line) {
        *stream << mark << line << std::endl;
    });
    zephane::trace("zephane", __LINE__, "the program started");
    return log;
}

} // namespace

int main(int argc, char** argv) {
    const zephane::CommandLine line = zephane::parse_command_line({argv + 1, argv + argc});
    if (line.help) {
        std::cout << zephane::usage_text();
        return 0;
    }
    if (!line.error.empty()) {
        std::cerr << "zephane: " << line.error << "\n" << zephane::usage_text();
        return 2;
    }
    const std::unique_ptr<std::ofstream> trace_log = open_trace_log(line.trace_log);
    zephane::register_tag_types();
    std::error_code no_current;
    const std::string current = std::filesystem::current_path(no_current).string();
    if (!line.root_lists.empty()) {
        // Root lists: the foundation build, no window (no display needed), then exit. The
        // workspace is the one asked for, else the program's folder, else the current folder
        // when it holds a tag folder: never a remembered one.
        std::string workspace = line.workspace.empty() ? zephane::program_folder() : line.workspace;
        if (line.workspace.empty() && !zephane::holds_tag_folder(workspace) &&
            zephane::holds_tag_folder(current))
            workspace = current;
        return zephane::run_headless_build(workspace, line.root_lists, "zephane: ", std::cout,
                                            std::cerr);
    }

    QCoreApplication::setOrganizationName(QString::fromLatin1(zephane::text::kProductName));
    QCoreApplication::setApplicationName(QString::fromLatin1(zephane::text::kApplicationName));
    QSurfaceFormat format;
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    QSurfaceFormat::setDefaultFormat(format);
    QApplication application(argc, argv);
    zephane::register_tag_editors();
    QApplication::setWindowIcon(zephane::application_icon());
    zephane::TZephaneApp app({line.workspace, zephane::program_folder(), {}, current});
    app.frame().show();
    app.start();
    app.open_tags(line.open_tags);
    return QApplication::exec();
}
