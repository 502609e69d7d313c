#pragma once
// The brush of the grid tools and the two tools that shape the grid with it: Pull Grid and
// Smooth / Unsmooth. Pure functions over the in-memory mesh.

#include <array>
#include <cstdint>
#include <vector>

#include "mesh/mesh.h"

namespace zephane {

// Value indices of a cell: 0 physical height, 4 media value, 5 render height.
using ModifyFlags = std::array<bool, 6>;
inline constexpr ModifyFlags kNewEditorModifyFlags = {true, false, false, false, false, true};

// The Width slider (0..1000) as a radius in cells: kBrushWidthScale × 10^(slider / 1000),
// so the brush runs from 2 to 20 cells; the scale is ours.
inline constexpr double kBrushWidthScale = 2.0;
double brush_width(int slider);

// Weight of a grid point at distance d from the brush centre.
double brush_weight(double d, double width, double round, double soft);

struct PressPoint {
    int x = 0, y = 0;
    double weight = 0;
    std::array<std::uint16_t, 6> start{};
};

// The grid points a press at (px, py) collects, their weights and start values, and the
// weighted average of each value (truncated toward zero). Empty when the weights sum to 0.
struct Press {
    double width = 0;
    std::vector<PressPoint> points;
    std::array<std::int32_t, 6> average{};
};
Press press_brush(const Mesh& mesh, double px, double py, double width, double round, double soft);

// One drag step to the signed height h (world units) above the press point.
void pull_grid(Mesh& mesh, const Press& press, double h, const ModifyFlags& modify);
void smooth_grid(Mesh& mesh, const Press& press, double h, const ModifyFlags& modify);

std::array<std::uint16_t, 6> cell_values(const mesh_cell& cell);
void set_cell_value(mesh_cell& cell, int index, std::uint16_t value);

} // namespace zephane
