#pragma once
// Pieces of the tag file writer that callers and tests use on their own.

#include <cstdio>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tags/tag_database.h"
#include "tags/tag_file_format.h"

namespace zephane {

// Builds the entry point table of a monolithic write (the maps' records; the mesh module
// registers it, so the file format knows nothing of map headers). With none registered, a
// file holding maps cannot be written monolithic; one without maps gets an empty table.
using EntryPointBuilder =
    std::function<std::optional<std::vector<entry_point>>(TagDatabase&, TagFile&)>;
void set_entry_point_builder(EntryPointBuilder builder);

// Resolves TAG_FILE_TYPE_AUTO from the names of the folders holding the target: under a
// folder named local a file of one tag is single, under tags it is base, else a plugin.
// A file of several tags under local has no kind: TAG_FILE_TYPE_AUTO comes back.
TagSaveKind resolve_save_kind(const std::string& target, std::size_t tag_count);
// Why a file of that many tags cannot be written at the target, as the user reads it.
inline constexpr const char* kLocalFileHoldsOneTag =
    "A file in a folder named local holds exactly one tag.";
// Every tag of every group of the file.
std::size_t file_tag_count(const TagFile& file);

// The name a monolithic header carries: the file name without an extension of up to three
// characters, cut to 32 characters.
std::string header_file_name(const std::string& spec);

// Length of an open stream: seeks to the end and back to where it was.
std::uint64_t file_length(std::FILE* stream);

} // namespace zephane
