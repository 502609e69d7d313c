#pragma once
// Loading a workspace's folders 'tags', 'local' and 'plugins', in that order, with the trace
// line start-up writes for each; and the build from root lists that runs without a window.

#include "tags/tag_database.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace zephane {

// The three folders, in loading order.
inline constexpr const char* kWorkspaceFolders[] = {"tags", "local", "plugins"};

// Whether start-up can enter the folder (it exists and may be listed).
bool can_enter_folder(const std::string& folder);

// Loads every folder that can be entered (recursively); false when none could be.
bool load_workspace_folders(TagDatabase& db, const std::string& workspace);

// Files the three folders hold, for a progress bar.
std::size_t count_workspace_files(const std::string& workspace);

// The foundation build from each root list, with no window: loads the workspace, then builds
// into WORKSPACE/foundation_build once per list, printing what each build wrote. The exit
// status: 0, or 1 when a root list could not be read or an output could not be written.
int run_headless_build(const std::string& workspace, const std::vector<std::string>& root_lists,
                       std::ostream& out, std::ostream& err);

} // namespace zephane
