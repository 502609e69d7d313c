#pragma once
// Pieces of the tag file writer that callers and tests use on their own.

#include <cstdio>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tags/tag_database.h"
#include "tags/tag_file_format.h"

namespace zephane {

// The entry point table of a monolithic write: one record per 'mesh' tag in the group's list
// order, in native byte order. No 'mesh' group gives an empty table; none means a map name
// could not be produced, which fails the write.
std::optional<std::vector<entry_point>> build_entry_points(TagDatabase& db, TagFile& file);

// The map_name text of one entry point: the first line of the map's name string list, or
// "map name string not found". False when the tag is not a mesh with a full header.
bool get_map_name(TagDatabase& db, TagEntry& mesh, char (&map_name)[64]);

// Resolves TAG_FILE_TYPE_AUTO from the names of the folders holding the target: under a
// folder named local a file of one tag is single, under tags it is base, else a plugin.
// A file of several tags under local has no kind: TAG_FILE_TYPE_AUTO comes back.
TagSaveKind resolve_save_kind(const std::string& target, std::size_t tag_count);

// The name a monolithic header carries: the file name without an extension of up to three
// characters, cut to 32 characters.
std::string header_file_name(const std::string& spec);

// Length of an open stream: seeks to the end and back to where it was.
std::uint64_t file_length(std::FILE* stream);

} // namespace zephane
