#include "skeletal/skmd_edit.h"

#include "skeletal/skmd_posed.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace zephane {

std::uint32_t shadow_axis(const skmd_bone& bone) { return (bone.flags >> 2) & 3u; }
void set_shadow_axis(skmd_bone& bone, std::uint32_t axis) {
    bone.flags = (bone.flags & ~0xCu) | ((axis & 3u) << 2);
}
std::uint32_t attachment_kind(const skmd_bone& bone) { return bone.flags & 3u; }
void set_attachment_kind(skmd_bone& bone, std::uint32_t kind) {
    bone.flags = (bone.flags & ~3u) | (kind & 3u);
}
tag_type attachment_type(std::uint32_t kind) {
    switch (kind) {
    case 0: return fourcc("skmd");
    case 1: return fourcc("loli");
    case 2: return fourcc("lpgr");
    default: return 0;
    }
}

bool add_model(SkeletalModelSet& set, SkeletalModel model) {
    if (set.models.size() >= kMaxSkeletalModels) return false;
    skmd_model_entry& entry = set.header.entries[set.models.size()];
    entry = skmd_model_entry{};
    entry.probability = kNewModelProbability;
    set.models.push_back(std::move(model));
    set.header.model_count = static_cast<std::uint16_t>(set.models.size());
    return true;
}

void delete_model(SkeletalModelSet& set, std::size_t index) {
    if (index >= set.models.size()) return;
    set.models.erase(set.models.begin() + static_cast<std::ptrdiff_t>(index));
    for (std::size_t k = index; k + 1 < kMaxSkeletalModels; ++k) set.header.entries[k] = set.header.entries[k + 1];
    set.header.entries[kMaxSkeletalModels - 1] = skmd_model_entry{};
    set.header.model_count = static_cast<std::uint16_t>(set.models.size());
}

namespace {
std::int32_t scaled(std::int32_t value, double factor) {
    const double v = std::round(static_cast<double>(value) * factor); // halves away from zero
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (!(v >= lo)) return std::numeric_limits<std::int32_t>::min(); // also NaN
    return v > hi ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(v);
}
} // namespace

void change_model_scale(skmd_model_header& header, float scale, bool adjust_sizes) {
    if (adjust_sizes && header.scale != 0.0f && std::isfinite(scale) && scale != header.scale) {
        const double factor = static_cast<double>(scale) / static_cast<double>(header.scale);
        for (std::int32_t* size : {header.collision_size, header.click_size, header.highlight_size})
            for (int k = 0; k < 3; ++k) size[k] = scaled(size[k], factor);
    }
    header.scale = scale;
}

void turn_inside_out(SkeletalModel& model) {
    for (SkmdLodBlock& block : model.blocks) {
        for (SkmdQuadvert& q : block.quadverts)
            if (q.w == 0.0f) {
                q.x = -q.x;
                q.y = -q.y;
                q.z = -q.z;
            }
        for (std::size_t t = 0; t + 2 < block.triangles.size(); t += 3)
            std::swap(block.triangles[t], block.triangles[t + 1]);
    }
}

ModelExtent model_extent(const SkeletalModel& model) {
    const PosedModel posed = pose_model(model, model.header.vertex_count);
    ModelExtent extent;
    bool first = true;
    for (const auto& p : posed.positions) {
        extent.radius = std::max(extent.radius, std::sqrt(p[0] * p[0] + p[1] * p[1]));
        extent.lowest = first ? p[2] : std::min(extent.lowest, p[2]);
        extent.highest = first ? p[2] : std::max(extent.highest, p[2]);
        first = false;
    }
    return extent;
}

std::string bone_name(const skmd_bone& bone) {
    return std::string(bone.name, strnlen(bone.name, sizeof bone.name));
}

std::string shadow_row_text(const skmd_bone& bone) {
    std::string text = bone_name(bone);
    const std::uint32_t axis = shadow_axis(bone);
    if (axis == kNoShadowAxis) return text;
    char row[160];
    std::snprintf(row, sizeof row, " -> %c-axis, near: %.2f, far: %.2f, radius: %.2f",
                  static_cast<char>('X' + axis), static_cast<double>(bone.shadow_near),
                  static_cast<double>(bone.shadow_far), static_cast<double>(bone.shadow_radius));
    return text + row;
}

} // namespace zephane
