// Commands that change tags through the database and save.

#include <CLI/CLI.hpp>

#include "cli/tool.h"

namespace zephane::cli {

void add_database_commands(CLI::App& app, ToolIo& io) {
    (void)app;
    (void)io;
}

} // namespace zephane::cli
