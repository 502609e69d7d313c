#pragma once
// The palette commands and the marker-wide Mesh menu commands over the in-memory mesh.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "mesh/mesh.h"

namespace zephane {

inline constexpr std::uint16_t kMonsterKind = 3;

// A new palette entry of a kind as the "Edit Marker Palette" dialog starts it.
marker_palette_entry new_palette_entry(std::uint16_t kind);
// Appends the entry; returns its absolute index.
std::size_t add_palette_entry(Mesh& mesh, const marker_palette_entry& entry);
// Whether the marker uses palette entry `index` (its position was resolved to it).
bool marker_uses(const Mesh& mesh, std::size_t marker, std::size_t index);
// Deletes the entry and its markers; markers of later entries move down by one.
void delete_palette_entry(Mesh& mesh, std::size_t index);
// The markers that use the entry.
std::vector<std::size_t> select_palette_markers(const Mesh& mesh, std::size_t index);

// Deletes the markers (indices taken in descending order; each index once).
void clear_markers(Mesh& mesh, std::vector<std::size_t> indices);
void clear_pitch_and_roll(Mesh& mesh);
void set_render_height_from_physical(Mesh& mesh);

} // namespace zephane
