#pragma once
// The 1024-byte header at the start of every mesh (map) payload.

#include <cstddef>
#include <cstdint>

#include "base/byte_swap.h"

namespace zephane {

inline constexpr std::size_t kMeshHeaderSize = 1024;

struct mesh_header {
    std::uint32_t landscape;              // 0   'txst'
    std::uint32_t media;                  // 4   'medi'
    std::uint16_t width_32;               // 8   width in units of 32 cells
    std::uint16_t height_32;              // 10
    std::int32_t cells_offset;            // 12
    std::int32_t cells_size;              // 16  columns × rows × 12
    std::uint8_t reserved20[4];
    std::int32_t data_start;              // 24  always 1024
    std::int32_t data_size;               // 28  sum of all section sizes
    std::uint8_t reserved32[4];
    std::int32_t palette_count;           // 36
    std::int32_t palette_offset;          // 40
    std::int32_t palette_size;            // 44  count × 32
    std::uint8_t reserved48[4];
    std::int32_t marker_count;            // 52
    std::int32_t marker_offset;           // 56
    std::int32_t marker_size;             // 60  count × 64
    std::uint8_t reserved64[4];
    std::uint32_t global_light;           // 68  'glli'
    std::uint32_t connector;              // 72  'conn'
    std::int32_t value76;                 // 76  new mesh: 0
    std::uint32_t particle_system;        // 80  'part'
    std::int32_t team_count;              // 84  new mesh: 2; copied into entry points
    std::uint16_t words88[10];            // 88  carried unchanged
    std::uint32_t value108;               // 108
    std::uint16_t flags112;               // 112 the Mesh Terrain Window's flag bank; new mesh: 0x4000
    std::uint8_t raw114[2];
    std::uint16_t edge_buffer[4];         // 116 top, left, right, bottom; new mesh: 32 each
    std::uint32_t ambient_sound;          // 124 'amso'
    std::int32_t action_count;            // 128
    std::int32_t action_offset;           // 132
    std::int32_t action_size;             // 136
    std::uint32_t map_name_strings;       // 140 'stli'
    std::uint32_t collections[3];         // 144 '.256'
    std::uint32_t meshes[2];              // 156 'mesh'
    std::uint32_t refs164[3];             // 164 new mesh: -1
    std::uint32_t text;                   // 176 'text'
    std::uint32_t refs180[3];             // 180 new mesh: -1
    std::int32_t block_a_offset;          // 192
    std::int32_t block_a_size;            // 196
    std::uint8_t reserved200[4];
    std::int32_t block_b_offset;          // 204
    std::int32_t block_b_size;            // 208
    std::uint8_t reserved212[4];
    std::uint16_t fog[5];                 // 216 filter, to end, to camera, colour register, density
    std::uint8_t raw226[2];
    std::uint32_t wind;                   // 228 'wind'
    std::uint32_t refs232[3];             // 232 new mesh: -1
    std::uint16_t prologue[4];            // 244 text scroll speed, zoom speed, zoom x, zoom y
    std::uint32_t strings252;             // 252 'stli'
    std::uint32_t sound256;               // 256 'soun'
    std::uint32_t refs260[2];             // 260 new mesh: -1
    std::uint32_t words268[4];            // 268 carried unchanged
    std::int32_t block_c_count;           // 284
    std::int32_t block_c_offset;          // 288
    std::int32_t block_c_size;            // 292
    std::uint32_t zero296;                // 296
    std::uint8_t raw300[192];             // 300 carried unchanged
    std::uint32_t strings492;             // 492 'stli'
    std::uint16_t words496[4];            // 496
    std::uint32_t value504;               // 504 new mesh: 0
    std::uint32_t value508;               // 508 new mesh: -1
    std::uint16_t value512;               // 512 new mesh: 0xFEDC
    std::uint16_t value514;               // 514
    std::uint32_t stacks516[2];           // 516 'txst'
    std::uint32_t ground_sprites;         // 524 'grsp'
    std::uint32_t collection528;          // 528 '.256'
    std::uint32_t stack532;               // 532 'txst'
    std::uint32_t words536[4];            // 536 carried unchanged
    std::uint32_t jpegs[2];               // 552 'jpeg'
    std::uint32_t texts560[2];            // 560 'text'
    std::uint32_t quicktimes[2];          // 568 'quik'
    std::uint16_t value576[2];            // 576 new mesh: 1, 1
    std::uint32_t value580[2];            // 580 new mesh: -1, -1
    std::uint32_t value588[4];            // 588 new mesh: 0 at 596 and 600
    std::uint16_t value604;               // 604
    std::uint8_t raw606[418];             // 606 carried unchanged
};
static_assert(sizeof(mesh_header) == kMeshHeaderSize);
static_assert(offsetof(mesh_header, team_count) == 84);
static_assert(offsetof(mesh_header, map_name_strings) == 140);
static_assert(offsetof(mesh_header, wind) == 228);
static_assert(offsetof(mesh_header, raw300) == 300);
static_assert(offsetof(mesh_header, strings492) == 492);
static_assert(offsetof(mesh_header, stacks516) == 516);
static_assert(offsetof(mesh_header, value604) == 604);

// "mesh header" (also called "mesh_header" and "mesh"): one descriptor, 1024 bytes.
extern const bs_code kMeshHeaderCodes[];

} // namespace zephane
