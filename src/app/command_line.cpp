#include "app/command_line.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace zephane {

namespace {
// Qt's options that take a value; they and their values are Qt's.
constexpr std::array<std::string_view, 11> kQtValueOptions = {
    "-platform", "-display",      "-style",       "-stylesheet", "-geometry", "-qwindowgeometry",
    "-title",    "-qwindowtitle", "-qwindowicon", "-session",    "-plugin"};

bool is_qt_value_option(std::string_view arg) {
    if (arg.starts_with("--")) arg.remove_prefix(1);
    for (std::string_view option : kQtValueOptions)
        if (arg == option) return true;
    return false;
}
} // namespace

CommandLine parse_command_line(const std::vector<std::string>& args) {
    CommandLine line;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        const auto value = [&](const char* option, std::string& into) {
            const std::string prefix = std::string(option) + "=";
            if (arg.starts_with(prefix)) {
                into = arg.substr(prefix.size());
                return true;
            }
            if (arg != option) return false;
            if (k + 1 >= args.size())
                line.error = std::string(option) + " needs a value";
            else
                into = args[++k];
            return true;
        };
        if (value("--workspace", line.workspace) || value("--trace-log", line.trace_log)) continue;
        if (std::string tag; value("--open", tag)) {
            if (tag.size() != 9 || tag[4] != ':')
                line.error = "--open needs TYPE:ID (four characters each), not " + tag;
            line.open_tags.push_back(tag);
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (is_qt_value_option(arg)) {
            ++k;
        } else if (arg.starts_with("--")) {
            line.error = "unknown option " + arg;
        } else if (arg.starts_with("-") && arg.size() > 1) {
            // Qt's options without a value (-reverse, -widgetcount ...).
        } else {
            line.root_lists.push_back(arg);
        }
    }
    return line;
}

std::string usage_text() {
    return "Usage: zephane [--workspace DIR] [--trace-log FILE|-] [--open TYPE:ID]... [ROOTLIST...]\n"
           "  --workspace DIR   the folder holding 'tags', 'local' and 'plugins'\n"
           "                    (default: the program's folder or the current folder when\n"
           "                    it holds one of them, else the last workspace)\n"
           "  --trace-log FILE  where diagnostic trace lines go ('-' for standard error;\n"
           "                    default " +
           default_trace_log() +
           ")\n"
           "  --open TYPE:ID    opens the tag's editor once the workspace is loaded\n"
           "                    (the copy a lookup returns); repeatable\n"
           "  ROOTLIST...       foundation root lists: build the foundation files in\n"
           "                    DIR/foundation_build without opening a window, then exit\n";
}

std::string default_trace_log() {
    std::filesystem::path base;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state)
        base = state;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".local/state";
    else
        base = std::filesystem::temp_directory_path();
    return (base / "zephane" / "debug.log").string();
}

std::string program_folder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path(error).string();
    return exe.parent_path().string();
}

} // namespace zephane
