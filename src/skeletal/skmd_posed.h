#pragma once
// A model posed in its rest skeleton at a level of detail, as every view of it draws it (the
// model viewer, the map editor's markers, the OBJ export, the collision build): positions
// skinned from the quadverts, texture coordinates, normals averaged from the faces, and the
// triangles of the level with collapsed vertices followed to the ones kept.

#include <array>
#include <cstdint>
#include <vector>

#include "skeletal/skmd_payload.h"

namespace zephane {

struct PosedModel {
    std::vector<std::array<float, 3>> positions;
    std::vector<std::array<float, 3>> normals; // unit length; zero for a vertex without faces
    std::vector<std::array<float, 2>> uvs;     // zero where the model has none
    std::vector<std::uint16_t> triangles;      // 3 per triangle, each below positions.size()
    std::size_t triangle_count() const { return triangles.size() / 3; }
};

// The model at the level of detail for the requested vertex count; empty when the model has
// no level. Triangles whose vertices a damaged table cannot resolve are left out.
PosedModel pose_model(const SkeletalModel& model, int requested_vertices);

} // namespace zephane
