#pragma once
// What a monolithic tag file records of its maps: the entry point table.

#include <optional>
#include <vector>

#include "tags/tag_database.h"
#include "tags/tag_file_format.h"

namespace zephane {

// The entry point table of a monolithic write: one record per 'mesh' tag in the group's list
// order, in native byte order. No 'mesh' group gives an empty table; none means a map name
// could not be produced, which fails the write.
std::optional<std::vector<entry_point>> build_mesh_entry_points(TagDatabase& db, TagFile& file);

// The map_name text of one entry point: the first line of the map's name string list, or
// "map name string not found". False when the tag is not a mesh with a full header.
bool get_map_name(TagDatabase& db, TagEntry& mesh, char (&map_name)[64]);

} // namespace zephane
