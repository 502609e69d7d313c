#pragma once
// The Tag Info dialog (form 136): a tag's name (edit 1), type (edit 8 in the group box
// "Group") and identifier (radio buttons 3 to 6, edit 7). OK renames, re-identifies and moves
// the tag through the database.

#include <functional>

#include "tags/tag_database.h"

class QWidget;

namespace zephane {

inline constexpr int kTagInfoResource = 136;

// True when OK was pressed and the tag was changed. A move to another type first asks
// may_change_type (which closes the tag's editor, whose record belongs to the old type);
// when it says no, nothing is changed.
bool run_tag_info_dialog(QWidget* parent, TagDatabase& db, TagEntry& tag,
                         const std::function<bool(TagEntry&)>& may_change_type);

} // namespace zephane
