#pragma once
// Names of the tag files the editor makes for a single tag (a new file beside a local one, a
// copy of a locked tag): the tag's name as a file name.

#include <filesystem>
#include <string>

namespace zephane {

// The tag's name with the characters a file name cannot hold ("/", NUL) as "_"; "tag" for a
// name that is empty, "." or "..".
std::string tag_file_stem(std::string tag_name);

// "<stem>.tag" in the folder, or "<stem> 2.tag", "<stem> 3.tag"... when taken.
std::filesystem::path free_tag_file_path(const std::filesystem::path& folder,
                                         const std::string& tag_name);

} // namespace zephane
