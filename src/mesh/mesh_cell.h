#pragma once
// One terrain cell of a mesh payload (12 bytes, row-major after the header).

#include <cstdint>

#include "base/byte_swap.h"

namespace zephane {

struct mesh_cell {
    std::uint16_t physical_height;   // 0
    std::uint16_t word2;             // 2   carried unchanged
    std::uint16_t flags;             // 4   bits 11 and 12 are always set together
    std::uint8_t raw6[2];            // 6   not converted
    std::uint16_t word8;             // 8   carried unchanged
    std::uint16_t render_height;     // 10  stored as render − physical − 1 (mod 2^16)
};
static_assert(sizeof(mesh_cell) == 12);

// "mesh cells" (also "mesh_cell").
inline constexpr bs_code kMeshCellCodes[] = {BS_GROUP_BEGIN, 1, BS_SWAP16, BS_SWAP16, BS_SWAP16, 2,
                                             BS_SWAP16, BS_SWAP16, BS_GROUP_END};

} // namespace zephane
