#pragma once
// Triangles of the grid, the strokes of the painting tools, Terrain Type and Water painting.

#include <cstdint>
#include <vector>

#include "mesh/mesh.h"

namespace zephane {

struct GridTriangle {
    int x = 0, y = 0;
    int triangle = 0; // 0 or 1 when x + y is even, 2 or 3 when odd
    bool operator==(const GridTriangle&) const = default;
};

// The triangle under (fx, fy): the point belongs to the cell (floor(fx), floor(fy)).
GridTriangle triangle_at(double fx, double fy);

// Every triangle the segment crosses, in order, starting with the one under the first point.
// Triangles outside the grid are left out; a stroke starting outside visits nothing.
std::vector<GridTriangle> stroke_triangles(const Mesh& mesh, double x0, double y0, double x1, double y1);

// Terrain type in bits 0-3 of the flags for triangles 1 and 3, bits 4-7 for 0 and 2.
void paint_terrain(Mesh& mesh, const std::vector<GridTriangle>& triangles, int terrain_type);

inline constexpr std::uint16_t kMediaFlag = 0x0100; // bit 8: the point carries a media value
std::uint16_t media_value(double media_height);

// Whether a press at (px, py) with this media value erases water (else it paints).
bool water_press_erases(const Mesh& mesh, double px, double py, std::uint16_t media);
void paint_water(Mesh& mesh, const std::vector<GridTriangle>& triangles, std::uint16_t media);
// Clears the water bits of each visited cell; then each corner point of those cells keeps
// its media flag only while some cell it is a corner of still has water.
void erase_water(Mesh& mesh, const std::vector<GridTriangle>& triangles);

} // namespace zephane
