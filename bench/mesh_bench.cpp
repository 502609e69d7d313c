// Map benchmarks:
//  1. load + save of a 512 × 512 mesh with 5,000 markers, 500 palette entries and 64 KB of
//     map actions, against copying the same payload bytes through memory (the floor);
//  2. one Pull Grid drag step at the widest brush, against writing the same cells with
//     precomputed values;
//  3. a Terrain Type stroke across the whole map diagonal, against the same writes.
// Usage: mesh_bench

#include <cstring>
#include <vector>

#include "bench_util.h"
#include "mesh/edit/brush.h"
#include "mesh/edit/mesh_markers_edit.h"
#include "mesh/edit/strokes.h"
#include "mesh/mesh.h"
#include "mesh/new_mesh.h"

using namespace zephane;

namespace {

std::vector<std::uint8_t> big_payload() {
    Mesh mesh = load_mesh(new_mesh_payload(512, 512));
    for (int p = 0; p < 500; ++p) add_palette_entry(mesh, new_palette_entry(static_cast<std::uint16_t>(p % 6 == 0 ? 0 : 1)));
    for (int m = 0; m < 5000; ++m) {
        mesh_marker marker{};
        marker.kind = 1;
        marker.palette = static_cast<std::uint16_t>(1 + (m % 80) * 6 % 499);
        if (mesh.palette[marker.palette].kind != 1) marker.palette = 1;
        marker.identifier = static_cast<std::uint16_t>(10000 + m);
        mesh.markers.push_back(marker);
        mesh.palette_kept.push_back(false);
    }
    mesh.actions.assign(64 * 1024, 7);
    return save_mesh(mesh);
}

volatile std::uint8_t g_sink;

} // namespace

int main() {
    bool ok = true;
    const auto payload = big_payload();
    std::vector<std::uint8_t> copy(payload.size());
    const double floor = bench::best_seconds(10, [&] {
        std::vector<std::uint8_t> a(payload.begin(), payload.end());
        std::vector<std::uint8_t> b(a.begin(), a.end());
        g_sink = b[b.size() / 2];
    });
    const double ours = bench::best_seconds(10, [&] { g_sink = save_mesh(load_mesh(payload))[100]; });
    ok &= bench::report("mesh load + save", ours, floor, 3);

    Mesh mesh = load_mesh(payload);
    const double width = brush_width(1000);
    const Press press = press_brush(mesh, 256, 256, width, 0.5, 0.5);
    std::vector<std::uint16_t> precomputed(press.points.size());
    for (std::size_t k = 0; k < precomputed.size(); ++k) precomputed[k] = static_cast<std::uint16_t>(k);
    const double write_floor = bench::best_seconds(50, [&] {
        for (std::size_t k = 0; k < press.points.size(); ++k) {
            auto& cell = mesh.cell(press.points[k].x, press.points[k].y);
            cell.physical_height = precomputed[k];
            cell.render_height = precomputed[k];
        }
    });
    double h = 0.5;
    const double pull = bench::best_seconds(50, [&] { pull_grid(mesh, press, h += 0.01, kNewEditorModifyFlags); });
    ok &= bench::report("pull grid step, widest brush", pull, write_floor, 2);

    const auto triangles = stroke_triangles(mesh, 0.3, 0.1, 511.7, 511.9);
    const double paint_floor = bench::best_seconds(50, [&] {
        for (const auto& t : triangles) mesh.cell(t.x, t.y).flags = static_cast<std::uint16_t>(t.triangle);
    });
    const double stroke = bench::best_seconds(50, [&] {
        paint_terrain(mesh, stroke_triangles(mesh, 0.3, 0.1, 511.7, 511.9), 9);
    });
    ok &= bench::report("terrain stroke across the diagonal", stroke, paint_floor, 2);
    return ok ? 0 : 1;
}
