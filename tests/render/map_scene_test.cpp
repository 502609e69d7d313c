// The map view's GL-free geometry: terrain arrays and their partial rebuild, surface heights,
// the camera's rays, picking, the drag height, the marker transform and the status texts.

#include "mesh/edit/brush.h"
#include "mesh/new_mesh.h"
#include "render/map_scene.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace zephane {
namespace {

Mesh sloped_mesh(int columns, int rows) {
    Mesh mesh = load_mesh(new_mesh_payload(columns, rows));
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x) {
            mesh.cell(x, y).physical_height = static_cast<std::uint16_t>(512 * (1 + x * 0.25));
            mesh.cell(x, y).render_height = static_cast<std::uint16_t>(512 * (2 + x * 0.25 + y * 0.125));
        }
    return mesh;
}

TEST(TerrainArrays, TilesCoverEveryCellWithTheCheckerboardDiagonals) {
    Mesh mesh = sloped_mesh(64, 32);
    mesh.cell(18, 3).flags = static_cast<std::uint16_t>((mesh.cell(18, 3).flags & 0xFF00) | 0x75); // 0/2: 7, 1/3: 5
    const TerrainArrays a = build_terrain_arrays(mesh, 5);
    ASSERT_EQ(a.tiles.size(), 8u);
    EXPECT_EQ(a.triangle_count(), 64u * 32u * 2u);
    EXPECT_EQ(a.vertex_count(), 8u * 17u * 17u * 2u);
    std::size_t covered = 0;
    for (const TerrainTile& tile : a.tiles) covered += tile.count;
    EXPECT_EQ(covered, a.indices.size());
    // Cell (18, 3) is odd (tile 1): triangle 2 runs over (19, 3), (18, 4) to (18, 3).
    const TerrainTile& tile = a.tiles[1];
    EXPECT_EQ(tile.stack, 1u);
    const std::size_t first = tile.first + (3 * 16 + 2) * 6;
    const auto at = [&](std::size_t index, std::size_t axis) { return a.positions[3 * a.indices[index] + axis]; };
    EXPECT_FLOAT_EQ(at(first, 0), 19);
    EXPECT_FLOAT_EQ(at(first + 1, 1), 4);
    EXPECT_FLOAT_EQ(at(first + 2, 0), 18);
    EXPECT_FLOAT_EQ(at(first + 2, 2), 2 + 18 * 0.25f + 3 * 0.125f);
    // Triangle 3 ends on (19, 4).
    EXPECT_FLOAT_EQ(at(first + 5, 0), 19);
    EXPECT_FLOAT_EQ(at(first + 5, 1), 4);
    // The colours sit on each triangle's last vertex: Desert on triangle 2, Steep on 3.
    const std::size_t v2 = triangle_colour_vertex(a, 18, 3, 2), v3 = triangle_colour_vertex(a, 18, 3, 3);
    EXPECT_EQ(a.indices[first + 2], v2);
    EXPECT_EQ(a.indices[first + 5], v3);
    EXPECT_EQ(a.overlay[4 * v2], 255);
    EXPECT_EQ(a.overlay[4 * v2 + 1], 255);
    EXPECT_EQ(a.overlay[4 * v2 + 3], 128);
    EXPECT_EQ(a.overlay[4 * v3], 255);
    EXPECT_EQ(a.overlay[4 * v3 + 1], 0);
    // No vertex carries the colours of two triangles.
    std::vector<int> users(a.vertex_count(), 0);
    for (std::size_t k = 2; k < a.indices.size(); k += 3) ++users[a.indices[k]];
    EXPECT_EQ(*std::max_element(users.begin(), users.end()), 1);
    // The tile's texels 1..127 span its 16 cells: point 18 is two cells into tile 1.
    EXPECT_FLOAT_EQ(a.texcoords[2 * v2], static_cast<float>((1 + 126.0 * 2 / 16) / 128));
}

TEST(TerrainArrays, PartialRebuildMatchesAFullOne) {
    Mesh mesh = sloped_mesh(32, 32);
    TerrainArrays a = build_terrain_arrays(mesh, 5);
    mesh.cell(10, 12).render_height = 40000;
    mesh.cell(10, 12).flags = static_cast<std::uint16_t>(mesh.cell(10, 12).flags | 0x0F);
    update_terrain_arrays(a, mesh, 10, 12, 10, 12);
    // At a tile seam and on the last row and column, whose far corners repeat its heights.
    mesh.cell(16, 31).render_height = 9000;
    mesh.cell(31, 16).physical_height = 100;
    mesh.cell(31, 16).render_height = 30000;
    update_terrain_arrays(a, mesh, 16, 31, 16, 31);
    update_terrain_arrays(a, mesh, 31, 16, 31, 16);
    const TerrainArrays b = build_terrain_arrays(mesh, 5);
    EXPECT_EQ(a.positions, b.positions);
    EXPECT_EQ(a.overlay, b.overlay);
    EXPECT_EQ(a.shade, b.shade);
    EXPECT_EQ(a.under, b.under);
    EXPECT_EQ(a.over, b.over);
}

TEST(TerrainArrays, CoarseLevelsCoverTheTileWithQuadsOfTheirFirstCellsColours) {
    Mesh mesh = sloped_mesh(32, 32);
    mesh.cell(4, 8).flags = static_cast<std::uint16_t>((mesh.cell(4, 8).flags & 0xFF00) | 0x9B);
    const TerrainArrays a = build_terrain_arrays(mesh, 5);
    const TerrainTile& tile = a.tiles[0];
    for (std::size_t level = 0; level < kTerrainLevels; ++level) {
        const int step = 2 << level;
        EXPECT_EQ(tile.coarse_count[level], static_cast<std::size_t>(16 / step * 16 / step * 6));
        // The quad at (4, 8): its two triangles end on the vertices carrying cell (4, 8)'s colours.
        const std::size_t quad = tile.coarse_first[level] + static_cast<std::size_t>((8 / step * (16 / step) + 4 / step) * 6);
        EXPECT_EQ(a.coarse_indices[quad + 2], triangle_colour_vertex(a, 4, 8, 0));
        EXPECT_EQ(a.coarse_indices[quad + 5], triangle_colour_vertex(a, 4, 8, 1));
        EXPECT_FLOAT_EQ(a.positions[3 * a.coarse_indices[quad + 4]], static_cast<float>(4 + step));
    }
    EXPECT_EQ(terrain_level_for_pixels(16 * 10), 0);
    EXPECT_EQ(terrain_level_for_pixels(16 * 3), 1);
    EXPECT_EQ(terrain_level_for_pixels(16 * 1), 2);
}

TEST(SurfaceHeight, InterpolatesWithinEachTriangle) {
    Mesh mesh = load_mesh(new_mesh_payload(32, 32));
    mesh.cell(1, 1).render_height = 512; // only the corner (1, 1) of cell (0, 0) is raised
    // Cell (0, 0) is even: the diagonal runs to (1, 1), so both triangles reach it.
    EXPECT_NEAR(surface_height(mesh, 5, 0.5, 0.5), 0.5, 1e-6);
    EXPECT_NEAR(surface_height(mesh, 5, 0.9, 0.1), 0.1, 1e-6);
    // Cell (1, 0) is odd: (1, 1) is a corner of triangle 2 only at its (0, 1) vertex.
    EXPECT_NEAR(surface_height(mesh, 5, 1.1, 0.8), 0.8 * (1 - 0.1) - 0 , 0.11);
    EXPECT_NEAR(surface_height(mesh, 5, 1.0, 1.0), 1.0, 1e-6);
}

TEST(Camera, RayThroughTheCentreHitsTheTargetAndPickingFindsTheGround) {
    const Mesh mesh = sloped_mesh(64, 64);
    MapCamera camera = initial_camera(mesh);
    EXPECT_DOUBLE_EQ(camera.target[0], 32);
    EXPECT_DOUBLE_EQ(camera.target[1], 32);
    EXPECT_DOUBLE_EQ(camera.elevation, 30);
    EXPECT_DOUBLE_EQ(camera.azimuth, 90);
    EXPECT_DOUBLE_EQ(camera.distance, 60);
    const Ray ray = camera_ray(camera, 800, 600, 400, 300);
    const auto hit = pick_grid(mesh, 5, ray);
    ASSERT_TRUE(hit);
    EXPECT_NEAR(hit->z, surface_height(mesh, 5, hit->x, hit->y), 1e-4);
    // The view matrix puts the target straight ahead.
    const Vec3 eye_space = transform_point(view_matrix(camera), camera.target);
    EXPECT_NEAR(eye_space[0], 0, 1e-9);
    EXPECT_NEAR(eye_space[1], 0, 1e-9);
    EXPECT_NEAR(eye_space[2], -60, 1e-9);
    // A ray above the horizon misses.
    EXPECT_FALSE(pick_grid(mesh, 5, camera_ray(camera, 800, 600, 400, -2000)));
}

TEST(Camera, ZoomKeepsThePointUnderTheCursorInPlace) {
    const Mesh mesh = sloped_mesh(64, 64);
    MapCamera camera = initial_camera(mesh);
    const Ray ray = camera_ray(camera, 800, 600, 620, 410);
    const auto hit = pick_grid(mesh, 5, ray);
    ASSERT_TRUE(hit);
    const Vec3 p{hit->x, hit->y, hit->z};
    zoom_camera(camera, 0.5, p);
    EXPECT_DOUBLE_EQ(camera.distance, 30);
    const Mat4 m = multiply(projection_matrix(camera, 800, 600), view_matrix(camera));
    const Vec3 ndc = transform_point(m, p);
    EXPECT_NEAR((ndc[0] + 1) / 2 * 800, 620, 1e-6);
    EXPECT_NEAR((1 - ndc[1]) / 2 * 600, 410, 1e-6);
}

TEST(DragHeight, MeasuresAlongTheVerticalLineThroughThePress) {
    // A horizontal ray passing the line x = y = 0 at height 3.
    const Ray ray{{-10, 0, 3}, {1, 0, 0}};
    EXPECT_NEAR(vertical_line_height(ray, {0, 0, 1}), 2, 1e-12);
    const Ray down{{5, 5, 10}, {0, 0, -1}};
    EXPECT_EQ(vertical_line_height(down, {0, 0, 0}), 0); // parallel: no height
}

TEST(MarkerMatrix, TranslatesScalesAndTurnsInTheDrawingOrder) {
    mesh_marker marker{};
    marker.position[0] = 512 * 10;
    marker.position[1] = 512 * 20;
    marker.position[2] = 256;
    marker.yaw = 0;          // +90 degrees about z
    marker.pitch = 65536 - 16384; // -(-90) = +90 degrees about x
    const Mat4 m = marker_matrix(marker, 2);
    // Local y (up after the pitch): x-rotation by 90 takes y to z; the yaw keeps z.
    const Vec3 p = transform_point(m, {0, 1, 0});
    EXPECT_NEAR(p[0], 10, 1e-9);
    EXPECT_NEAR(p[1], 20, 1e-9);
    EXPECT_NEAR(p[2], 0.5 + 2, 1e-9);
    // Local x: untouched by the pitch, turned by the yaw's 90 degrees onto +y.
    const Vec3 q = transform_point(m, {1, 0, 0});
    EXPECT_NEAR(q[0], 10, 1e-9);
    EXPECT_NEAR(q[1], 22, 1e-9);
}

TEST(MarkerPicking, NearestAlongTheRayAndByRectangle) {
    Mesh mesh = load_mesh(new_mesh_payload(32, 32));
    for (const int x : {5, 9}) {
        mesh_marker m{};
        m.position[0] = x * 512;
        m.position[1] = 4 * 512;
        mesh.markers.push_back(m);
        mesh.palette_kept.push_back(false);
    }
    const Ray ray{{0, 4, 0}, {1, 0, 0}};
    EXPECT_EQ(pick_marker(mesh, ray, 0.5), 0u);
    EXPECT_FALSE(pick_marker(mesh, Ray{{0, 6, 0}, {1, 0, 0}}, 0.5));
    EXPECT_EQ(markers_in_rect(mesh, 10, 0, 7, 8), std::vector<std::size_t>{1});
}

TEST(StatusText, BothFormats) {
    EXPECT_EQ(status_text(1.5, 2.25, -3), "x: 1.500    y: 2.250    z: -3.000");
    Mesh mesh = load_mesh(new_mesh_payload(32, 32));
    for (auto& cell : mesh.cells) cell.physical_height = 1024; // ground at 2
    mesh_marker m{};
    m.position[0] = 512 * 3;
    m.position[1] = 512 * 4;
    m.position[2] = 512 * 5;
    m.yaw = 16384;
    m.pitch = 8192;
    m.roll = 65536 - 16384;
    EXPECT_EQ(marker_status_text(mesh, m),
              "x: 3.000    y: 4.000    z: 5.000    elev: 3.000       yaw: 90.0    pitch: 45.0    roll 270.0");
}

TEST(TerrainTypes, LabelsAndColours) {
    EXPECT_STREQ(terrain_type_label(0), "Dwarf-Depth Media");
    EXPECT_STREQ(terrain_type_label(15), "Flying Impassable");
    EXPECT_EQ(terrain_type_colour(11), (std::array<std::uint8_t, 3>{32, 112, 32}));
    EXPECT_EQ(terrain_type_colour(9), (std::array<std::uint8_t, 3>{128, 64, 0}));
    mesh_cell cell{};
    cell.flags = 0x00A3;
    EXPECT_EQ(triangle_terrain_type(cell, 1), 3);
    EXPECT_EQ(triangle_terrain_type(cell, 3), 3);
    EXPECT_EQ(triangle_terrain_type(cell, 0), 10);
    EXPECT_EQ(triangle_terrain_type(cell, 2), 10);
}

} // namespace
} // namespace zephane
