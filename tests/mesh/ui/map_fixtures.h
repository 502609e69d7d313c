#pragma once
// Meshes and colormaps for the map editor's tests, benchmark and screenshots: rolling hills
// with a lake, terrain type patches, a small palette and markers; a colormap stack cut into
// the 128 × 128 tiles the terrain import makes.

#include "mesh/edit/mesh_markers_edit.h"
#include "mesh/edit/strokes.h"
#include "mesh/mesh.h"
#include "mesh/new_mesh.h"
#include "textures/texture_stack.h"

#include <cmath>
#include <memory>

namespace zephane::maptest {

inline Mesh hills_mesh(int columns, int rows, int markers) {
    Mesh mesh = load_mesh(new_mesh_payload(columns, rows));
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            const double h = 6 + 3 * std::sin(x / 6.0) * std::cos(y / 8.0) + 2 * std::sin((x + y) / 13.0);
            mesh_cell& cell = mesh.cell(x, y);
            cell.physical_height = static_cast<std::uint16_t>(h * 512);
            cell.render_height = static_cast<std::uint16_t>(h * 512 + 100);
            const int type = ((x / 9) + (y / 7)) % 4 == 0 ? 7 : ((x / 11) * 3 + (y / 5)) % 5 == 0 ? 11 : 6;
            cell.flags = static_cast<std::uint16_t>((cell.flags & 0xFF00) | (type << 4) | type);
        }
    }
    // A lake in the low corner.
    std::vector<GridTriangle> lake;
    for (int y = rows / 2; y < rows / 2 + 8 && y < rows; ++y)
        for (int x = 4; x < 14 && x < columns; ++x) lake.push_back({x, y, (x + y) % 2 == 0 ? 0 : 2});
    paint_water(mesh, lake, media_value(7.5));
    add_palette_entry(mesh, new_palette_entry(1));
    add_palette_entry(mesh, new_palette_entry(3));
    add_palette_entry(mesh, new_palette_entry(1));
    for (int k = 0; k < markers; ++k) {
        mesh_marker m{};
        const std::size_t entry = static_cast<std::size_t>(k % 3);
        m.kind = mesh.palette[entry].kind;
        m.palette = static_cast<std::uint16_t>(entry);
        m.identifier = static_cast<std::uint16_t>(10000 + k);
        const double x = 3 + (k * 37 % (columns - 6)) + 0.5, y = 3 + (k * 53 % (rows - 6)) + 0.5;
        m.position[0] = static_cast<std::int32_t>(x * 512);
        m.position[1] = static_cast<std::int32_t>(y * 512);
        m.position[2] = mesh.cell(static_cast<int>(x), static_cast<int>(y)).physical_height;
        m.yaw = static_cast<std::uint16_t>(k * 4099);
        mesh.markers.push_back(m);
        mesh.palette_kept.push_back(false);
    }
    mesh.next_marker_identifier = static_cast<std::uint16_t>(10000 + markers);
    return mesh;
}

// One 128 × 128 raw RGB base texture per tile of 16 × 16 cells, a soft green-brown pattern.
inline std::vector<std::uint8_t> colormap_payload(int columns, int rows) {
    StackSet set;
    const int across = columns / 16, down = rows / 16;
    for (int r = 0; r < down; ++r) {
        for (int c = 0; c < across; ++c) {
            auto t = std::make_unique<stacked_texture>();
            t->width = t->height = 128;
            t->channels = 3;
            t->compressed_data.resize(128 * 128 * 3);
            for (int j = 0; j < 128; ++j)
                for (int i = 0; i < 128; ++i) {
                    const double gx = (c * 126 + i) / 30.0, gy = (r * 126 + j) / 30.0;
                    const double v = 0.5 + 0.25 * std::sin(gx) * std::cos(gy * 1.3) + 0.15 * std::sin(gx * 3.1 + gy);
                    std::uint8_t* p = &t->compressed_data[static_cast<std::size_t>((j * 128 + i) * 3)];
                    p[0] = static_cast<std::uint8_t>(70 + 90 * v);
                    p[1] = static_cast<std::uint8_t>(100 + 100 * v);
                    p[2] = static_cast<std::uint8_t>(40 + 40 * v);
                }
            insert_texture(set, static_cast<std::size_t>(r * across + c), -1, std::move(t));
        }
    }
    return *build_stack_payload(set);
}

} // namespace zephane::maptest
