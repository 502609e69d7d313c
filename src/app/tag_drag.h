#pragma once
// Tag rows dragged between windows travel under the flavour 'TBDP': for each tag its source
// file, type, id and entry. The data only means something inside the program that made it.

#include "tags/tag_database.h"

#include <QMimeData>
#include <memory>
#include <vector>

namespace zephane {

inline constexpr const char* kTagRowMimeType = "application/x-zephane-tbdp";

struct DraggedTag {
    TagFile* file;
    tag_type type;
    tag_id id;
    TagEntry* tag;
};

std::unique_ptr<QMimeData> make_tag_drag_data(const std::vector<TagEntry*>& tags);

// The dragged tags that still exist in this program's database: the source file must still
// be loaded, and each tag is looked up again rather than trusted. Empty for data from another
// program.
std::vector<DraggedTag> read_tag_drag_data(const QMimeData& data, TagDatabase& db);

bool has_tag_drag_data(const QMimeData& data);

} // namespace zephane
