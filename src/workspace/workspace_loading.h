#pragma once
// Loading a workspace's folders 'tags', 'local' and 'plugins', in that order, with the trace
// line loading writes for each.

#include "tags/tag_database.h"

#include <string>

namespace zephane {

// The three folders, in loading order.
inline constexpr const char* kWorkspaceFolders[] = {"tags", "local", "plugins"};

// Whether loading can enter the folder (it exists and may be listed).
bool can_enter_folder(const std::string& folder);

// Whether the folder holds a tag folder that can be entered (it is a workspace).
bool holds_tag_folder(const std::string& folder);

// Loads every folder that can be entered (recursively); false when none could be.
bool load_workspace_folders(TagDatabase& db, const std::string& workspace);

// What keeps a workspace from loading, as the user reads it: the folder does not exist or
// cannot be read, or one of its tag folders cannot be entered. Empty when nothing does (a
// readable folder without any tag folder is a new, empty workspace).
std::string workspace_problem(const std::string& workspace);

// Files the three folders hold, for a progress bar.
std::size_t count_workspace_files(const std::string& workspace);

} // namespace zephane
