#pragma once
// Checks a tag file for what the reader does not: the recorded file size, both checksums,
// each tag header's signature, payloads inside the file and not overlapping.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zephane {

// One line per problem; empty when the file is sound.
std::vector<std::string> verify_tag_file_bytes(std::span<const std::uint8_t> bytes);
std::vector<std::string> verify_tag_file(const std::string& path);

} // namespace zephane
