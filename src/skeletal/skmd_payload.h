#pragma once
// A skeletal model set in memory, and its load from and save to a 'skmd' payload. Arrays are
// owned vectors; nothing points into the payload bytes.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "skeletal/skmd_records.h"

namespace zephane {

struct SkmdLodBlock {
    skmd_lod_header header{}; // counts are rewritten from the arrays on save
    std::vector<std::uint16_t> triangles;      // 3 per triangle
    std::vector<std::uint16_t> weights_per_bone;
    std::vector<std::uint16_t> edge_collapse;  // vertex indices lowest..highest−1
    std::vector<std::uint16_t> min_vertices_for_tri;
    std::vector<std::uint16_t> weight_refs;
    std::vector<std::uint8_t> weight_ref_counts; // one per vertex index below highest
    std::vector<SkmdQuadvert> quadverts;
};

struct SkeletalModel {
    // Counts, band offsets and sizes are rewritten from the arrays on save; each lods[k]'s
    // lowest and highest give the band of blocks[k].
    skmd_model_header header{};
    std::vector<skmd_bone> bones;
    std::vector<float> uv; // u, v per vertex
    std::vector<skmd_collision_box> boxes;
    std::vector<skmd_collision_triangle> collision_triangles;
    std::vector<std::uint16_t> real_vertex_counts; // minimum..vertex count
    std::vector<SkmdLodBlock> blocks;
};

struct SkeletalModelSet {
    skmd_header header{}; // model_count and entry offsets/sizes are rewritten on save
    std::vector<SkeletalModel> models;
};

struct SkmdLoad {
    SkeletalModelSet set;
    // Set when a level-of-detail block's computed size differs from its stored size: the
    // models before that one are kept.
    std::optional<FormatError> failure;
};

// Hostile bytes (counts or offsets outside the payload) throw FormatError naming the field
// and its byte offset.
SkmdLoad load_skmd_payload(std::span<const std::uint8_t> payload);
// Also throws when the load stopped early, so that no model is dropped silently.
SkeletalModelSet load_whole_skmd_payload(std::span<const std::uint8_t> payload);

std::vector<std::uint8_t> save_skmd_payload(const SkeletalModelSet& set);

// Reads and writes again through the structured form; refuses what the load refuses.
std::vector<std::uint8_t> rewrite_skmd_payload(const std::vector<std::uint8_t>& payload,
                                               std::int16_t version);

// Size of a model before its level-of-detail blocks, and of one block.
std::size_t skmd_model_part_size(const skmd_model_header& h);
std::size_t skmd_lod_block_size(const skmd_lod_header& h, std::size_t bone_count,
                                std::size_t lowest, std::size_t highest);

// The fixed-point fields a save writes (position exponent, quantised scale and positions).
void quantise_skmd_model(skmd_model_header& h, std::vector<skmd_bone>& bones);

} // namespace zephane
