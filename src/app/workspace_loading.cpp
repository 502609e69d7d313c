#include "app/workspace_loading.h"

#include "app/app_texts.h"
#include "base/errors.h"
#include "tags/foundation_build.h"
#include "base/posix_file.h"

#include <cstdio>
#include <filesystem>
#include <ostream>
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

int run_headless_build(const std::string& workspace, const std::vector<std::string>& root_lists,
                       std::ostream& out, std::ostream& err) {
    TagDatabase db;
    load_workspace_folders(db, workspace);
    int status = 0;
    for (const std::string& root : root_lists) {
        // The build would take an unreadable list for an empty one and write empty outputs.
        if (!read_whole_file(root)) {
            err << "zephane: cannot read the root list " << root << '\n';
            status = 1;
            continue;
        }
        FoundationBuild build(db);
        const FoundationResult result = build.run_foundation_build(root, workspace);
        if (!result.complete) {
            err << "zephane: " << root << ": " << result.failure << '\n';
            status = 1;
            continue;
        }
        out << root << ": " << result.small << " small, " << result.small_localized
            << " small localized, " << result.large << " large, in " << build.output_folder()
            << '\n';
    }
    return status;
}

} // namespace zephane
