// check: the workspace check, as lines or as JSON.

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/tool.h"
#include "workspace/workspace_check.h"
#include "workspace/workspace_loading.h"

namespace zephane::cli {

namespace {

int check_command(ToolIo& io, const std::string& workspace, bool json) {
    std::error_code error;
    if (!std::filesystem::is_directory(workspace, error))
        throw CLI::ValidationError("--workspace", "the workspace " + workspace + " is not a folder");
    const std::vector<WorkspaceProblem> problems = check_workspace_folders(workspace);
    if (json) {
        nlohmann::json array = nlohmann::json::array();
        for (const WorkspaceProblem& problem : problems) {
            const std::string tag = workspace_problem_tag_text(problem);
            const std::size_t colon = tag.find(':');
            array.push_back({{"file", problem.file},
                             {"type", colon == std::string::npos ? tag : tag.substr(0, colon)},
                             {"id", colon == std::string::npos ? tag : tag.substr(colon + 1)},
                             {"kind", workspace_problem_kind_name(problem.kind)},
                             {"message", problem.message}});
        }
        // Names and messages may hold bytes that are not UTF-8: they are replaced, not refused.
        io.out << array.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    } else {
        for (const WorkspaceProblem& problem : problems) io.out << workspace_problem_line(problem) << '\n';
    }
    return problems.empty() ? 0 : 1;
}

} // namespace

void add_workspace_commands(CLI::App& app, ToolIo& io) {
    struct Arguments {
        std::string workspace;
        bool json = false;
    };
    auto args = std::make_shared<Arguments>();
    auto* check = app.add_subcommand(
        "check", "Check every tag file of a workspace: one line per problem (file, TYPE:ID, kind, "
                 "message), sorted by file, type and id; exit status 1 when there is any");
    check->add_option("--workspace", args->workspace, "folder holding tags, local and plugins")->required();
    check->add_flag("--json", args->json, "print the problems as a JSON array of objects");
    check->callback([&io, args] {
        if (check_command(io, args->workspace, args->json) != 0) throw ToolError(""); // the problems are the output
    });
}

} // namespace zephane::cli
