#pragma once
// The collision box tree and collision triangles of a skeletal model ("(Re)build"), and Delete.

#include <array>
#include <string>

#include "skeletal/skmd_payload.h"

namespace zephane {

// Replaces the model's collision data with a tree over its full-detail triangles in the rest
// pose, scaled by the model scale. False (and the model untouched) when the tree would not
// fit the 16-bit indices; `refusal` says why.
bool build_collision(SkeletalModel& model, std::string& refusal);

void delete_collision(SkeletalModel& model);

// One collision triangle from its corners (scaled model units): its own plane, then the three
// edge planes with normals pointing into it.
skmd_collision_triangle make_collision_triangle(const std::array<std::array<double, 3>, 3>& corners);

} // namespace zephane
