#include "mesh/mesh_header.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
} // namespace

const bs_code kMeshHeaderCodes[] = {
    B, 1,
    L, L, S, S, L, L, 4,              // references, size, cells offset and size
    L, L, 4,                          // data area start and size
    L, L, L, 4,                       // marker palette
    L, L, L, 4,                       // markers
    L, L, L, L, L,                    // 68 .. 84
    S, S, S, S, S, S, S, S, S, S,     // 88 .. 106
    L, S, 2,                          // 108, 112, raw 114
    S, S, S, S,                       // 116 .. 122
    L, L, L, L, L, L, L, L,           // 124 .. 152
    B, 2, L, E,                       // 156, 160 mesh references
    B, 3, L, E,                       // 164 .. 172
    B, 4, L, E,                       // 176 .. 188
    L, L, 4,                          // opaque block A
    L, L, 4,                          // opaque block B
    S, S, S, S, S, 2,                 // 216 .. 224, raw 226
    L,                                // 228 wind
    B, 3, L, E,                       // 232 .. 240
    S, S, S, S,                       // 244 .. 250
    L, L, L, L, L, L, L, L, L, L, L, L, // 252 .. 296
    192,                              // 300 raw
    L, S, S, S, S, L, L, S, S,        // 492 .. 514
    L, L, L, L, L, L, L, L, L, L, L, L, L, L, L, // 516 .. 572
    S, S,                             // 576, 578
    L, L, L, L, L, L,                 // 580 .. 600
    S,                                // 604
    382, 20, 16,                      // 606 raw
    E};

} // namespace zephane
