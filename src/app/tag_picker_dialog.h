#pragma once
// The tag picker (form 134): chooses a tag of one type for a reference field, from the
// editor's own tag file or from every loaded file.

#include "tags/tag_database.h"

#include <functional>
#include <string>

class QWidget;

namespace zephane {

inline constexpr int kTagPickerResource = 134;

struct TagPickRequest {
    tag_type type = 0;
    tag_id current = kNoTag;
    const TagFile* file = nullptr; // the editor's tag file, or none
    // How a file's path is shown (as in an editor's header); the file's path when empty.
    std::function<std::string(const TagFile&)> path_of;
};

// The chosen identifier; −1 (kNoTag) for "None", or for a choice that names no tag of the
// type; 0 when the user cancelled.
tag_id pickTag(QWidget* parent, TagDatabase& db, const TagPickRequest& request);

// The choice between "Current File Only" and "Show All Files", kept while the program runs.
bool pick_tag_shows_all_files();
void set_pick_tag_shows_all_files(bool all_files);

} // namespace zephane
