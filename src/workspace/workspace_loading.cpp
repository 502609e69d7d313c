#include "workspace/workspace_loading.h"

#include "base/errors.h"
#include "workspace/workspace_texts.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace zephane {

namespace {

constexpr const char* kModule = "workspace_loading.cpp";

std::string folder_line(const char* format, const char* folder) {
    char line[128];
    std::snprintf(line, sizeof line, format, folder);
    return line;
}

} // namespace

bool can_enter_folder(const std::string& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder, error) &&
           ::access(folder.c_str(), R_OK | X_OK) == 0;
}

bool holds_tag_folder(const std::string& folder) {
    for (const char* name : kWorkspaceFolders)
        if (can_enter_folder((std::filesystem::path(folder) / name).string())) return true;
    return false;
}

bool load_workspace_folders(TagDatabase& db, const std::string& workspace) {
    bool any = false;
    for (const char* name : kWorkspaceFolders) {
        const std::filesystem::path folder = std::filesystem::path(workspace) / name;
        if (can_enter_folder(folder.string())) {
            db.load_tag_folder(folder.string(), true);
            ZEPHANE_TRACE(kModule, folder_line(text::kLoadedFolder, name));
            any = true;
        } else {
            ZEPHANE_TRACE(kModule, folder_line(text::kCouldNotReadFolder, name));
        }
    }
    return any;
}

std::string workspace_problem(const std::string& workspace) {
    std::error_code error;
    if (!std::filesystem::exists(workspace, error))
        return "The workspace folder " + workspace + " does not exist.";
    if (!std::filesystem::is_directory(workspace, error))
        return "The workspace " + workspace + " is not a folder.";
    if (!can_enter_folder(workspace))
        return "The workspace folder " + workspace + " cannot be read: " + std::strerror(errno) + ".";
    std::string problem;
    for (const char* name : kWorkspaceFolders) {
        const std::filesystem::path folder = std::filesystem::path(workspace) / name;
        if (std::filesystem::exists(folder, error) && !can_enter_folder(folder.string()))
            problem += (problem.empty() ? "" : "\n") + std::string("The folder ") +
                       folder.string() + " cannot be read: its tags are not loaded.";
    }
    return problem;
}

std::size_t count_workspace_files(const std::string& workspace) {
    std::size_t count = 0;
    for (const char* name : kWorkspaceFolders) {
        std::error_code error;
        for (auto it = std::filesystem::recursive_directory_iterator(
                 std::filesystem::path(workspace) / name, error);
             !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
            count += it->is_regular_file(error);
    }
    return count;
}

} // namespace zephane
