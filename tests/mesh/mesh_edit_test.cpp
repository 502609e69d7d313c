// The map editing algorithms on their numbers.

#include <gtest/gtest.h>

#include <cmath>

#include "base/byte_reader.h"
#include "mesh/edit/brush.h"
#include "mesh/edit/mesh_markers_edit.h"
#include "mesh/edit/strokes.h"
#include "mesh/new_mesh.h"

namespace zephane {
namespace {

Mesh flat_mesh() { return load_mesh(new_mesh_payload(32, 32)); }

TEST(Brush, Weights) {
    EXPECT_DOUBLE_EQ(brush_weight(0, 4, 0, 0), 1);
    EXPECT_DOUBLE_EQ(brush_weight(2, 4, 0, 0.5), 0.75); // Round 0: 1 − Soft × t
    EXPECT_DOUBLE_EQ(brush_weight(4, 4, 0, 0), 0);      // d ≥ W
    // Round 1 with Soft 1: the cosine fall-off, 1 − q.
    const double a = 0.955 * std::acos(-1.0);
    EXPECT_NEAR(brush_weight(2, 4, 1, 1), 1 - (1 - std::cos(a * 0.5)) / (1 - std::cos(a)), 1e-12);
    EXPECT_DOUBLE_EQ(brush_width(0), 2);
    EXPECT_DOUBLE_EQ(brush_width(1000), 20);
}

TEST(Brush, PressCollectsPointsInsideTheCircleAndGrid) {
    Mesh mesh = flat_mesh();
    const Press corner = press_brush(mesh, 0, 0, 1.5, 0, 0);
    EXPECT_EQ(corner.points.size(), 4u); // (0,0) (1,0) (0,1) (1,1)
    // Radius 1 collects only the centre point.
    mesh.cell(5, 5).physical_height = 300;
    const Press single = press_brush(mesh, 5, 5, 1, 0, 1);
    ASSERT_EQ(single.points.size(), 1u);
    EXPECT_EQ(single.average[0], 300);
    // A press that collects nothing has no weight and does nothing.
    EXPECT_TRUE(press_brush(mesh, -10, -10, 2, 0, 0).points.empty());
}

TEST(Brush, PullTruncatesTowardZeroAndClamps) {
    Mesh mesh = flat_mesh();
    mesh.cell(4, 4).physical_height = 10;
    const Press press = press_brush(mesh, 4, 4, 2, 0, 0.5); // (5,4) weight 0.75
    pull_grid(mesh, press, 0.01, kNewEditorModifyFlags);
    EXPECT_EQ(mesh.cell(4, 4).physical_height, 10 + 5);     // trunc(5.12)
    EXPECT_EQ(mesh.cell(5, 4).physical_height, 3);          // trunc(3.84)
    EXPECT_EQ(mesh.cell(5, 4).render_height, 3);
    EXPECT_EQ(mesh.cell(5, 4).word8, 0);                    // media not modified
    pull_grid(mesh, press, -1, kNewEditorModifyFlags);
    EXPECT_EQ(mesh.cell(4, 4).physical_height, 0);           // clamped at 0
    pull_grid(mesh, press, 1000, kNewEditorModifyFlags);
    EXPECT_EQ(mesh.cell(4, 4).physical_height, 65535);
}

TEST(Brush, SmoothMovesTowardTheAverageUpToIt) {
    Mesh mesh = flat_mesh();
    mesh.cell(4, 4).physical_height = 1000;
    const Press press = press_brush(mesh, 4, 4, 1.2, 0, 0); // five points, weight 1 each
    ASSERT_EQ(press.points.size(), 5u);
    EXPECT_EQ(press.average[0], 200);
    smooth_grid(mesh, press, 0.6, kNewEditorModifyFlags); // g = 0.6 / 1.8 = 1/3
    EXPECT_EQ(mesh.cell(4, 4).physical_height, 733);       // trunc(1000 − 800/3)
    EXPECT_EQ(mesh.cell(5, 4).physical_height, 66);
    smooth_grid(mesh, press, 100, kNewEditorModifyFlags);  // g limited to 1
    EXPECT_EQ(mesh.cell(4, 4).physical_height, 200);
    smooth_grid(mesh, press, -1.8, kNewEditorModifyFlags); // g = −1: away from the average
    EXPECT_EQ(mesh.cell(4, 4).physical_height, 1800);
    EXPECT_EQ(mesh.cell(5, 4).physical_height, 0);
}

TEST(Strokes, TriangleMembershipForBothParities) {
    EXPECT_EQ(triangle_at(0.2, 0.7), (GridTriangle{0, 0, 0}));
    EXPECT_EQ(triangle_at(0.7, 0.2), (GridTriangle{0, 0, 1}));
    EXPECT_EQ(triangle_at(1.2, 0.2), (GridTriangle{1, 0, 2}));
    EXPECT_EQ(triangle_at(1.8, 0.7), (GridTriangle{1, 0, 3}));
    EXPECT_EQ(triangle_at(1.9, 0.9), (GridTriangle{1, 0, 3})); // near the far corner, still its own cell
}

TEST(Strokes, VisitsEveryCrossedTriangleInOrder) {
    const Mesh mesh = flat_mesh();
    const auto along = stroke_triangles(mesh, 0.5, 0.25, 2.5, 0.25);
    // (0.5, 0.25) is triangle 1 of cell 0 (fx − x = 0.5 ≥ 0.25); the odd cell 1 turns to
    // triangle 3 at x = 1.75, the even cell 2 to triangle 1 at x = 2.25.
    const std::vector<GridTriangle> expected = {{0, 0, 1}, {1, 0, 2}, {1, 0, 3}, {2, 0, 0}, {2, 0, 1}};
    EXPECT_EQ(along, expected);
    EXPECT_TRUE(stroke_triangles(mesh, -1, 0.5, 3, 0.5).empty()); // starts outside
    const auto clipped = stroke_triangles(mesh, 31.5, 0.5, 40, 0.5);
    for (const auto& t : clipped) EXPECT_TRUE(mesh.inside(t.x, t.y));
    const auto diagonal = stroke_triangles(mesh, 0, 0, 32, 32);
    ASSERT_EQ(diagonal.size(), 32u); // on the cells' own diagonals: one side of each
    EXPECT_EQ(diagonal.back(), (GridTriangle{31, 31, 1}));
    EXPECT_EQ(stroke_triangles(mesh, 0.5, 0.5, 0.5, 0.5).size(), 1u);
}

TEST(Strokes, TerrainTypeBits) {
    Mesh mesh = flat_mesh();
    paint_terrain(mesh, {{0, 0, 1}, {1, 0, 2}}, 9);
    EXPECT_EQ(mesh.cell(0, 0).flags, (102 & ~0x0F) | 9);
    EXPECT_EQ(mesh.cell(1, 0).flags, (102 & ~0xF0) | 0x90);
}

TEST(Strokes, WaterPaintThenErase) {
    Mesh mesh = flat_mesh();
    const std::uint16_t media = media_value(1.5);
    EXPECT_EQ(media, 768);
    EXPECT_FALSE(water_press_erases(mesh, 3.5, 3.5, media));
    paint_water(mesh, stroke_triangles(mesh, 3.5, 3.5, 4.5, 3.5), media);
    EXPECT_EQ(mesh.cell(4, 3).flags & 0x1900, 0x1900);
    EXPECT_EQ(mesh.cell(5, 4).word8, media);
    EXPECT_EQ(mesh.cell(5, 4).flags & 0x1900, 0x0100); // a corner: media flag only
    EXPECT_TRUE(water_press_erases(mesh, 3.5, 3.5, media));
    EXPECT_FALSE(water_press_erases(mesh, 3.5, 3.5, media_value(2)));
    erase_water(mesh, stroke_triangles(mesh, 4.5, 3.5, 4.6, 3.5));
    EXPECT_EQ(mesh.cell(4, 3).flags & 0x1800, 0);
    EXPECT_EQ(mesh.cell(4, 3).flags & 0x0100, 0x0100); // still the corner of wet cell (3, 3)
    EXPECT_EQ(mesh.cell(5, 4).flags & 0x0100, 0);       // only cell (4, 3) touched it
}

TEST(MarkerEdits, DeletingAPaletteEntryRenumbersLaterMarkers) {
    Mesh mesh = flat_mesh();
    for (std::uint16_t kind : {1, 1, 3}) add_palette_entry(mesh, new_palette_entry(kind));
    EXPECT_EQ(mesh.palette[2].properties, 6);
    EXPECT_EQ(mesh.palette[2].team, 0);
    for (std::uint16_t p : {0, 1, 2, 0}) {
        mesh_marker m{};
        m.kind = p == 2 ? 3 : 1;
        m.palette = p;
        m.yaw = 7;
        m.pitch = m.roll = 9;
        mesh.markers.push_back(m);
        mesh.palette_kept.push_back(false);
    }
    EXPECT_EQ(select_palette_markers(mesh, 0), (std::vector<std::size_t>{0, 3}));
    delete_palette_entry(mesh, 0);
    ASSERT_EQ(mesh.markers.size(), 2u);
    EXPECT_EQ(mesh.markers[0].palette, 0);
    EXPECT_EQ(mesh.markers[1].palette, 1);
    clear_pitch_and_roll(mesh);
    EXPECT_EQ(mesh.markers[1].yaw, 7);
    EXPECT_EQ(mesh.markers[1].pitch + mesh.markers[1].roll, 0);
    clear_markers(mesh, {0, 1, 0});
    EXPECT_TRUE(mesh.markers.empty());
}

TEST(MarkerEdits, RenderHeightFromPhysicalStoresAllOnes) {
    Mesh mesh = flat_mesh();
    mesh.cell(2, 2).physical_height = 400;
    mesh.cell(2, 2).render_height = 17;
    set_render_height_from_physical(mesh);
    const auto bytes = save_mesh(mesh);
    for (std::size_t c = 0; c < mesh.cells.size(); ++c) ASSERT_EQ(load_u16(bytes.data() + 1024 + c * 12 + 10), 0xFFFF);
}

} // namespace
} // namespace zephane
