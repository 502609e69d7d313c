#pragma once
// A mesh as the map editor holds it: render heights absolute, markers pointing at absolute
// palette indices, the opaque blocks and the map actions copied whole.

#include <cstdint>
#include <vector>

#include "mesh/mesh_cell.h"
#include "mesh/mesh_header.h"
#include "mesh/mesh_records.h"

namespace zephane {

inline constexpr std::uint16_t kWaterFlags = 0x1800; // bits 11 and 12, always set together
inline constexpr std::uint16_t kFirstMarkerIdentifier = 10000;

struct Mesh {
    mesh_header header{};
    int columns = 0;
    int rows = 0;
    std::vector<mesh_cell> cells;            // row-major, render heights absolute
    std::vector<marker_palette_entry> palette;
    std::vector<mesh_marker> markers;
    // Per marker: its stored palette position named no entry of its kind, so it is kept as read.
    std::vector<bool> palette_kept;
    std::vector<std::uint8_t> block_a, block_b, block_c, actions;
    std::uint16_t next_marker_identifier = kFirstMarkerIdentifier;

    mesh_cell& cell(int x, int y) { return cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(x)]; }
    const mesh_cell& cell(int x, int y) const { return cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(x)]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < columns && y < rows; }
};

// Reads a payload (file byte order). Throws FormatError when a section lies outside the
// payload, a count does not fit its section or the cells do not match the grid.
Mesh load_mesh(const std::vector<std::uint8_t>& payload);

// Lays the sections out in order without gaps and writes the palette counters.
std::vector<std::uint8_t> save_mesh(const Mesh& mesh);

} // namespace zephane
