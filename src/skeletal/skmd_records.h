#pragma once
// The native records of a skeletal model payload ('skmd') and their byte-swap descriptors.

#include <cstddef>
#include <cstdint>

#include "base/byte_swap.h"
#include "tags/tag_code.h"

namespace zephane {

inline constexpr tag_type kSkeletalModelTagType = fourcc("skmd");
inline constexpr std::size_t kMaxSkeletalModels = 16;
inline constexpr std::size_t kMaxLodBlocks = 12;
inline constexpr std::size_t kMaxBones = 250;
inline constexpr std::size_t kMaxQuadvertsPerBlock = 8000;

struct skmd_model_entry {
    std::int32_t offset;       // from the payload start, a multiple of 16
    std::int32_t size;         // the model and its level-of-detail blocks
    std::uint16_t flags;       // bit 0: draw front and back faces
    std::uint16_t probability;
    std::uint32_t runtime;     // zero on disk
};

struct skmd_header {
    tag_id animation; // 'skan'
    std::uint32_t reserved4;
    std::uint16_t model_count;
    std::uint16_t reserved10;
    skmd_model_entry entries[kMaxSkeletalModels];
};
static_assert(sizeof(skmd_header) == 268);

struct skmd_lod_entry {
    std::uint16_t lowest;  // real vertex counts of the band
    std::uint16_t highest;
    std::int32_t offset;   // of the block, from the model header's start
    std::int32_t size;
    std::uint32_t runtime; // zero on disk
};

struct skmd_model_header {
    char name[32];
    tag_id texture_stack; // 'txst'
    std::uint16_t minimum_vertex_count;
    std::uint16_t vertex_limit;
    std::uint16_t vertex_count;
    std::uint16_t lod_count;
    std::uint16_t bone_count;
    std::int16_t position_exponent;
    std::int16_t quantised_scale;
    std::int16_t scale_exponent;
    float scale;
    std::int32_t collision_size[3]; // radius, height0, height1 in 1/512
    std::int32_t click_size[3];
    std::int32_t highlight_size[3];
    std::uint16_t collision_triangle_count;
    std::uint16_t collision_box_count;
    std::uint8_t carried96[64];
    std::uint32_t runtime_pointers[4]; // zero on disk
    skmd_lod_entry lods[kMaxLodBlocks];
};
static_assert(sizeof(skmd_model_header) == 368);
static_assert(offsetof(skmd_model_header, lods) == 176);

struct skmd_bone {
    char name[64];
    std::uint32_t flags; // bits 0-1 attachment kind, 2-3 shadow axis, 4 cylinder fitted
    std::int16_t parent; // -1 for a root
    std::uint8_t carried70[2];
    float rotation[4];
    float position[3];
    std::int16_t import100[4];
    std::int16_t quantised_position[3];
    std::int16_t value114;
    tag_id attached;
    float attached_box[6]; // min, max on X, then Y, then Z
    float shadow_near;
    float shadow_far;
    float shadow_radius;
    std::int32_t value156;
    std::uint8_t value160[4];
    float value164[3];
};
static_assert(sizeof(skmd_bone) == 176);
static_assert(offsetof(skmd_bone, attached) == 116);

struct skmd_collision_box {
    std::int16_t minimum[3];
    std::int16_t maximum[3];
    std::int16_t first_child; // -1 for a leaf
    std::int16_t child_count;
    std::int16_t first_triangle; // -1 for an inner box
    std::int16_t triangle_count;
};
static_assert(sizeof(skmd_collision_box) == 20);

struct skmd_collision_triangle {
    std::int16_t normals[4][3]; // unit normal × 16384
    std::int32_t offsets[4];
};
static_assert(sizeof(skmd_collision_triangle) == 40);

// The first 12 bytes of a level-of-detail block.
struct skmd_lod_header {
    std::uint16_t quadvert_count;
    std::uint16_t carried2;
    std::uint16_t triangle_count;
    std::uint16_t weight_ref_count;
    std::uint16_t flags; // bit 0 on the full-detail block
    std::uint16_t carried10;
};
static_assert(sizeof(skmd_lod_header) == 12);
inline constexpr std::size_t kLodArraysStart = 36; // after the header and six runtime pointers

struct SkmdQuadvert {
    float x, y, z, w; // w = 0: a direction
};

extern const bs_code skmd_header_bs_codes[];
// Measures 360 bytes and is applied to the 368-byte model header without a size check, so the
// level-of-detail table is converted eight bytes early: that byte order is the stored format.
extern const bs_code skmd_modelheader_bs_codes[];
extern const bs_code skmd_bone_bs_codes[];
extern const bs_code skmd_collision_box_bs_codes[];
extern const bs_code skmd_collision_triangle_bs_codes[];
extern const bs_code skmd_lod_header_bs_codes[];

} // namespace zephane
