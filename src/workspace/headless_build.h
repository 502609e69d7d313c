#pragma once
// The foundation build from root lists with no window, as both the program and the tool run it.

#include <iosfwd>
#include <string>
#include <vector>

namespace zephane {

// Loads the workspace, then builds into WORKSPACE/foundation_build once per list, printing
// what each build wrote on `out`. A list that cannot be read or built gets its own line on
// `err` after `program_prefix` ("zephane: "), and the other lists still build. The exit
// status: 0, or 1 when any list failed.
int run_headless_build(const std::string& workspace, const std::vector<std::string>& root_lists,
                       const std::string& program_prefix, std::ostream& out, std::ostream& err);

} // namespace zephane
