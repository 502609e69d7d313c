#include "mesh/edit/strokes.h"

#include <algorithm>
#include <cmath>

namespace zephane {

GridTriangle triangle_at(double fx, double fy) {
    const int x = static_cast<int>(std::floor(fx));
    const int y = static_cast<int>(std::floor(fy));
    if ((x + y) % 2 == 0)
        return {x, y, fx - x < fy - y ? 0 : 1};
    return {x, y, x + 1 - fx <= fy - y ? 3 : 2};
}

namespace {

// Parameters in (0, 1) where the segment meets lines value(t) = k for integers k with the step.
void crossings(double a, double b, int step, std::vector<double>& out) {
    if (a == b)
        return;
    const double lo = std::min(a, b), hi = std::max(a, b);
    for (double k = std::ceil(lo / step) * step; k <= hi; k += step) {
        const double t = (k - a) / (b - a);
        if (t > 0 && t < 1)
            out.push_back(t);
    }
}

} // namespace

std::vector<GridTriangle> stroke_triangles(const Mesh& mesh, double x0, double y0, double x1, double y1) {
    std::vector<GridTriangle> visited;
    const auto inside = [&](const GridTriangle& t) { return mesh.inside(t.x, t.y); };
    const GridTriangle first = triangle_at(x0, y0);
    if (!inside(first))
        return visited;
    // Cell edges and both families of diagonals (x − y even in even cells, x + y even in odd ones).
    std::vector<double> ts;
    crossings(x0, x1, 1, ts);
    crossings(y0, y1, 1, ts);
    crossings(x0 - y0, x1 - y1, 2, ts);
    crossings(x0 + y0, x1 + y1, 2, ts);
    ts.push_back(1);
    std::sort(ts.begin(), ts.end());
    visited.push_back(first);
    double previous = 0;
    for (double t : ts) {
        if (t - previous < 1e-12)
            continue;
        const double mid = (previous + t) / 2;
        const GridTriangle here = triangle_at(x0 + (x1 - x0) * mid, y0 + (y1 - y0) * mid);
        if (inside(here) && !(here == visited.back()))
            visited.push_back(here);
        previous = t;
    }
    return visited;
}

void paint_terrain(Mesh& mesh, const std::vector<GridTriangle>& triangles, int terrain_type) {
    const auto type = static_cast<std::uint16_t>(terrain_type & 0xF);
    for (const auto& t : triangles) {
        auto& flags = mesh.cell(t.x, t.y).flags;
        if (t.triangle == 1 || t.triangle == 3)
            flags = static_cast<std::uint16_t>((flags & ~0x000F) | type);
        else
            flags = static_cast<std::uint16_t>((flags & ~0x00F0) | (type << 4));
    }
}

std::uint16_t media_value(double media_height) {
    return static_cast<std::uint16_t>(std::clamp(std::round(media_height * 512), 0.0, 65535.0));
}

namespace {

constexpr int kCorners[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};

// Visited cells in order, each once.
std::vector<std::pair<int, int>> visited_cells(const std::vector<GridTriangle>& triangles) {
    std::vector<std::pair<int, int>> cells;
    for (const auto& t : triangles)
        if (cells.empty() || cells.back() != std::pair{t.x, t.y})
            cells.emplace_back(t.x, t.y);
    return cells;
}

} // namespace

bool water_press_erases(const Mesh& mesh, double px, double py, std::uint16_t media) {
    const int x = static_cast<int>(std::floor(px)), y = static_cast<int>(std::floor(py));
    if (!mesh.inside(x, y) || (mesh.cell(x, y).flags & kWaterFlags) != kWaterFlags)
        return false;
    for (const auto& c : kCorners)
        if (mesh.inside(x + c[0], y + c[1]) && mesh.cell(x + c[0], y + c[1]).word8 != media)
            return false;
    return true;
}

void paint_water(Mesh& mesh, const std::vector<GridTriangle>& triangles, std::uint16_t media) {
    for (const auto& [x, y] : visited_cells(triangles)) {
        mesh.cell(x, y).flags |= kMediaFlag | kWaterFlags;
        for (const auto& c : kCorners) {
            if (!mesh.inside(x + c[0], y + c[1]))
                continue;
            auto& corner = mesh.cell(x + c[0], y + c[1]);
            corner.word8 = media;
            corner.flags |= kMediaFlag;
        }
    }
}

void erase_water(Mesh& mesh, const std::vector<GridTriangle>& triangles) {
    const auto cells = visited_cells(triangles);
    for (const auto& [x, y] : cells)
        mesh.cell(x, y).flags &= static_cast<std::uint16_t>(~kWaterFlags);
    for (const auto& [x, y] : cells) {
        for (const auto& c : kCorners) {
            const int px = x + c[0], py = y + c[1];
            if (!mesh.inside(px, py))
                continue;
            bool wet = false;
            for (const auto& d : kCorners) {
                const int cx = px - d[0], cy = py - d[1];
                wet = wet || (mesh.inside(cx, cy) && (mesh.cell(cx, cy).flags & kWaterFlags));
            }
            if (!wet)
                mesh.cell(px, py).flags &= static_cast<std::uint16_t>(~kMediaFlag);
        }
    }
}

} // namespace zephane
