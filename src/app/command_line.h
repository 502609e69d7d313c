#pragma once
// The program's command line: zephane [--workspace DIR] [--trace-log FILE] [--open TYPE:ID]...
// [ROOTLIST...].
// Arguments that are not options are foundation root lists; Qt's own options (-platform,
// -style ...) are left for Qt.

#include <string>
#include <vector>

namespace zephane {

struct CommandLine {
    std::string workspace;
    std::vector<std::string> root_lists;
    std::vector<std::string> open_tags; // "TYPE:ID", opened once the workspace is loaded
    std::string trace_log; // empty: the default debug log; "-": standard error
    bool help = false;
    std::string error; // a usage error, shown instead of starting
};

// `args` without the program's name.
CommandLine parse_command_line(const std::vector<std::string>& args);
std::string usage_text();

// Where trace lines go by default: $XDG_STATE_HOME/zephane/debug.log (~/.local/state/...).
std::string default_trace_log();
// The folder holding the running program.
std::string program_folder();

} // namespace zephane
