#include <iostream>

#include "cli/tool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    return zephane::cli::run_tool(args, std::cout, std::cerr);
}
