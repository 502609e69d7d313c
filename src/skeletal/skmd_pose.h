#pragma once
// What every consumer of a skeletal model computes the same way: the level of detail for a
// requested vertex count, and the bones' world transforms.

#include <array>
#include <cstdint>
#include <vector>

#include "skeletal/skmd_payload.h"

namespace zephane {

struct LodSelection {
    int entry = -1;               // index into the level-of-detail table; -1 when it is empty
    std::uint16_t delivered = 0;  // the vertex count that entry draws
};

LodSelection select_level_of_detail(const SkeletalModel& model, int requested_vertices);

using Matrix3 = std::array<std::array<float, 3>, 3>; // [row][column], multiplies column vectors

// The quaternion is stored (x, y, z, w).
Matrix3 quaternion_matrix(const float (&q)[4]);

struct BoneWorld {
    Matrix3 rotation;
    std::array<float, 3> position;
};

// One entry per bone; a root's parent transform is the identity.
std::vector<BoneWorld> bone_world_transforms(const std::vector<skmd_bone>& bones);

} // namespace zephane
