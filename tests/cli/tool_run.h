#pragma once
// Runs zephane-tool in-process and captures what it prints.

#include <sstream>
#include <string>
#include <vector>

#include "cli/tool.h"

namespace zephane::cli::test {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

inline ToolRun run(std::vector<std::string> args) {
    args.insert(args.begin(), "zephane-tool");
    std::ostringstream out, err;
    const int status = run_tool(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace zephane::cli::test
