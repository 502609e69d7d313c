#include "skeletal/skmd_pose.h"

#include <algorithm>

namespace zephane {

namespace {

Matrix3 multiply(const Matrix3& a, const Matrix3& b) {
    Matrix3 r{};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            for (std::size_t k = 0; k < 3; ++k) r[i][j] += a[i][k] * b[k][j];
    return r;
}

std::array<float, 3> apply(const Matrix3& m, const float (&v)[3]) {
    std::array<float, 3> r{};
    for (std::size_t i = 0; i < 3; ++i) r[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return r;
}

constexpr Matrix3 kIdentity = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

} // namespace

LodSelection select_level_of_detail(const SkeletalModel& model, int requested_vertices) {
    const skmd_model_header& h = model.header;
    const int v = std::clamp(requested_vertices, int{h.minimum_vertex_count}, int{h.vertex_count});
    const auto index = static_cast<std::size_t>(v - h.minimum_vertex_count);
    const int c = index < model.real_vertex_counts.size() ? model.real_vertex_counts[index] : v;
    LodSelection selection;
    selection.delivered = static_cast<std::uint16_t>(c);
    long best = 2000000;
    const std::size_t count = std::min<std::size_t>(h.lod_count, model.blocks.size());
    for (std::size_t k = 0; k < count; ++k) {
        const int low = h.lods[k].lowest;
        const int high = h.lods[k].highest;
        const long cost = high < c ? c - high + 1000000L : c < low ? low - c + 1000000L : high - c;
        if (cost < best) {
            best = cost;
            selection.entry = static_cast<int>(k);
            selection.delivered = static_cast<std::uint16_t>(std::clamp(c, low, high));
        }
    }
    return selection;
}

Matrix3 quaternion_matrix(const float (&q)[4]) {
    const float x = q[0], y = q[1], z = q[2], w = q[3];
    return {{{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
             {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
             {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}}};
}

std::vector<BoneWorld> bone_world_transforms(const std::vector<skmd_bone>& bones) {
    std::vector<BoneWorld> world(bones.size());
    for (std::size_t i = 0; i < bones.size(); ++i) {
        const int parent = bones[i].parent;
        // The loader refuses a parent that does not precede its child; treat one as a root.
        const bool rooted = parent < 0 || static_cast<std::size_t>(parent) >= i;
        const Matrix3& parent_rotation = rooted ? kIdentity : world[static_cast<std::size_t>(parent)].rotation;
        const std::array<float, 3> parent_position =
            rooted ? std::array<float, 3>{0, 0, 0} : world[static_cast<std::size_t>(parent)].position;
        world[i].rotation = multiply(parent_rotation, quaternion_matrix(bones[i].rotation));
        const std::array<float, 3> offset = apply(parent_rotation, bones[i].position);
        for (std::size_t c = 0; c < 3; ++c) world[i].position[c] = parent_position[c] + offset[c];
    }
    return world;
}

} // namespace zephane
