#pragma once
// Bytes as a hex listing: offset, sixteen bytes in hex, the same bytes as printable ASCII.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zephane {

// "00000010  48 65 6c 6c 6f 00 ...  |Hello.|", one line per 16 bytes (each ending in '\n'),
// at most `limit` bytes; a last line says how many bytes were left out.
std::string hex_dump(std::span<const std::uint8_t> bytes, std::size_t limit = SIZE_MAX);

} // namespace zephane
