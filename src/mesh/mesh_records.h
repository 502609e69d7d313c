#pragma once
// The marker palette entry and the marker records of a mesh payload.

#include <cstddef>
#include <cstdint>

#include "base/byte_swap.h"

namespace zephane {

struct marker_palette_entry {
    std::uint16_t kind;          // 0
    std::uint16_t properties;    // 2
    std::uint32_t tag;           // 4   tag of the kind's type
    std::int16_t team;           // 8
    std::uint8_t raw10[2];
    std::uint32_t netgame_types; // 12
    std::uint8_t counters[16];   // 16  not converted; rewritten on save from the markers
};
static_assert(sizeof(marker_palette_entry) == 32);

struct mesh_marker {
    std::uint32_t flags;         // 0   bit 0 is counted into the palette entry
    std::uint16_t kind;          // 4
    std::uint16_t palette;       // 6   per-kind position on disk, absolute index in memory
    std::uint16_t identifier;    // 8
    std::uint16_t word10;        // 10
    std::int32_t position[3];    // 12  x, y, z in 1/512
    std::uint16_t words24[4];    // 24
    std::uint16_t yaw;           // 32
    std::uint16_t pitch;         // 34
    std::uint8_t raw36[16];
    std::uint16_t roll;          // 52
    std::uint8_t raw54[10];      // 54  not converted (56: runtime drawing link)
};
static_assert(sizeof(mesh_marker) == 64);
static_assert(offsetof(mesh_marker, position) == 12);
static_assert(offsetof(mesh_marker, roll) == 52);

// "marker palette"
inline constexpr bs_code kMarkerPaletteCodes[] = {BS_GROUP_BEGIN, 1, BS_SWAP16, BS_SWAP16, BS_SWAP32,
                                                  BS_SWAP16, 2, BS_SWAP32, 12, 4, BS_GROUP_END};
// "marker"
inline constexpr bs_code kMarkerCodes[] = {
    BS_GROUP_BEGIN, 1, BS_SWAP32, BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP32, BS_SWAP32,
    BS_SWAP32, BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16, 16, BS_SWAP16, 2, 4,
    4, BS_GROUP_END};

} // namespace zephane
