#pragma once
// The Collapse Terrain Detail dialog (form 155): "Detail Stack" and "Terrain Stack" pick the
// two texture stack tags, "Create...." bakes the detail into a new "Collapsed Terrain Stack"
// tag of the given file. The tag file window and the map editor both open it.

#include "tags/tag_code.h"

#include <functional>
#include <optional>

class QWidget;

namespace zephane {

class TagDatabase;
struct TagEntry;
struct TagFile;

namespace collapse_control {
inline constexpr int kResource = 155;
inline constexpr int kDetailStack = 1000;
inline constexpr int kTerrainStack = 1001;
inline constexpr int kCreate = 1002;
inline constexpr int kCancel = 1003;
} // namespace collapse_control

// The picker the caller offers: the chosen id, kNoTag for "None", 0 when cancelled.
using TexturePicker = std::function<tag_id(tag_id current)>;

struct CollapseChoice {
    tag_id details = kNoTag;
    tag_id terrain = kNoTag;
};
// The two stacks chosen when the user pressed "Create....", none when cancelled.
std::optional<CollapseChoice> run_collapse_terrain_dialog(QWidget* parent, TagDatabase& db,
                                                          const TexturePicker& pick);
// Bakes the chosen stacks into a new tag of the file, with a progress dialog while it takes
// long; the tag made, or none with the reason reported.
TagEntry* collapse_into(QWidget* parent, TagDatabase& db, TagFile& into, const CollapseChoice& choice);

} // namespace zephane
