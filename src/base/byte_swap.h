#pragma once
// Byte-swap descriptors: one array of 16-bit codes per structure that crosses between the
// big-endian file layout and native little-endian structures.

#include <cstddef>
#include <cstdint>

namespace zephane {

using bs_code = std::int16_t;

inline constexpr bs_code BS_GROUP_BEGIN = -100; // opens a group; the next code is its repeat count
inline constexpr bs_code BS_GROUP_END = -101;   // closes the innermost open group
inline constexpr bs_code BS_SWAP32 = -4;        // a 4-byte field whose byte order is reversed
inline constexpr bs_code BS_SWAP16 = -2;        // a 2-byte field whose byte order is reversed
// A positive code n is a run of n bytes left as they are.

struct BsWalkResult {
    std::size_t size = 0;  // bytes covered by the group, all repetitions included
    std::size_t codes = 0; // codes consumed, the closing BS_GROUP_END included
};

// Walks the group that starts at `codes` (which must be BS_GROUP_BEGIN). With data, every
// 2- and 4-byte field is reversed in place; without, the descriptor is only measured.
BsWalkResult bs_walk(const char* name, std::uint8_t* data, const bs_code* codes);

// Size of the structure a descriptor describes.
std::size_t bs_size(const bs_code* codes);

// Checks that the descriptor measures `struct_size` bytes (unless struct_size is negative),
// then converts `struct_count` consecutive structures at data (nothing when data is null).
// A size mismatch raises the internal error "size_in_bytes==data_size" and converts nothing.
void byte_swap_data(const char* name, void* data, long struct_size, long struct_count,
                    const bs_code* codes);

// Copies struct_size × struct_count bytes from source to destination (they may overlap) and
// converts the copy.
void byte_swap_copy(const char* name, void* destination, const void* source, long struct_size,
                    long struct_count, const bs_code* codes);

// Converts a run of equal elements (code BS_SWAP32, BS_SWAP16 or a positive byte count).
void byte_swap_run(const char* name, void* data, long element_count, bs_code element_code);

} // namespace zephane
