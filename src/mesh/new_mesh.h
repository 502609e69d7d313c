#pragma once
// The payload of a new mesh: a header with the new-mesh defaults followed by default cells.

#include <cstdint>
#include <string>

#include "mesh/mesh_header.h"
#include "tags/tag_database.h"

namespace zephane {

inline constexpr int kMeshSizeStep = 32;
inline constexpr int kMeshSizeMinimum = 32;
inline constexpr int kMeshSizeMaximum = 512;

// What the New Mesh dialog says of sizes it refuses (and zephane-tool new-mesh with them).
inline constexpr const char* kBadMeshSizesText =
    "The mesh sizes must be multiples of 32, between 32 and 512.";
// Of sizes it accepts: width, height, then the colormap's width and height.
inline constexpr const char* kMeshSizesText =
    "A %d x %d mesh will require a colormap measuring %d x %d pixels.";

// Cell counts a new mesh accepts: multiples of 32 between 32 and 512.
bool valid_new_mesh_size(int width, int height);

// The colormap a mesh of this many cells needs, in pixels (one side).
inline int mesh_colormap_side(int cells) { return cells / 16 * 126; }

// The dialog's text for these sizes: the colormap they need, or the refusal.
std::string new_mesh_size_message(int width, int height);

// The header of a new mesh of width × height cells (native byte order).
mesh_header new_mesh_header(int width, int height);

// Header and cells converted to file byte order. The size must be valid.
Payload new_mesh_payload(int width, int height);

} // namespace zephane
