#pragma once
// The payload of a new mesh: a header with the new-mesh defaults followed by default cells.

#include <cstdint>

#include "mesh/mesh_header.h"
#include "tags/tag_database.h"

namespace zephane {

inline constexpr int kMeshSizeStep = 32;
inline constexpr int kMeshSizeMinimum = 32;
inline constexpr int kMeshSizeMaximum = 512;

// Cell counts a new mesh accepts: multiples of 32 between 32 and 512.
bool valid_new_mesh_size(int width, int height);

// The colormap a mesh of this many cells needs, in pixels (one side).
inline int mesh_colormap_side(int cells) { return cells / 16 * 126; }

// The header of a new mesh of width × height cells (native byte order).
mesh_header new_mesh_header(int width, int height);

// Header and cells converted to file byte order. The size must be valid.
Payload new_mesh_payload(int width, int height);

} // namespace zephane
