// The map editor's state commands (enabling and checking of the Mesh menu) and the tools'
// press / drag / release logic against the core editing functions.

#include "mesh/edit/brush.h"
#include "mesh/edit/mesh_markers_edit.h"
#include "mesh/edit/strokes.h"
#include "mesh/new_mesh.h"
#include "mesh/tools/map_editor_state.h"
#include "mesh/tools/map_tools.h"
#include "render/map_scene.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace zephane {
namespace {

using namespace mesh_command;

TEST(MeshMenuRules, ClickTargetDisablesItsShowAndModifyItems) {
    MapEditorState state;
    EXPECT_EQ(state.click_target, kRenderGrid);
    EXPECT_EQ(state.modify, kNewEditorModifyFlags);
    EXPECT_EQ(state.terrain_type, 6);
    for (const int slot : state.palette_selection) EXPECT_EQ(slot, -1);
    EXPECT_FALSE(mesh_command_state(state, kShowRenderGrid).enabled);
    EXPECT_TRUE(mesh_command_state(state, kShowPhysicsGrid).enabled);
    EXPECT_TRUE(mesh_command_state(state, kClickRenderGrid).checked);
    ASSERT_TRUE(run_mesh_state_command(state, kClickPhysicsGrid));
    EXPECT_EQ(state.click_target, kPhysicsGrid);
    EXPECT_FALSE(mesh_command_state(state, kShowPhysicsGrid).enabled);
    EXPECT_FALSE(mesh_command_state(state, kModifyPhysicsGrid).enabled);
    EXPECT_TRUE(mesh_command_state(state, kShowRenderGrid).enabled);
    EXPECT_TRUE(mesh_command_state(state, kClickPhysicsGrid).checked);
    EXPECT_FALSE(mesh_command_state(state, kClickRenderGrid).checked);
    // A disabled command does nothing.
    EXPECT_FALSE(run_mesh_state_command(state, kModifyPhysicsGrid));
    EXPECT_TRUE(state.modify[kPhysicsGrid]);
    ASSERT_TRUE(run_mesh_state_command(state, kClickNoGrid));
    EXPECT_TRUE(mesh_command_state(state, kClickNoGrid).checked);
    EXPECT_TRUE(mesh_command_state(state, kModifyPhysicsGrid).enabled);
}

TEST(MeshMenuRules, ModifyMarkersWithMeshOnlyWhilePhysicsIsModified) {
    MapEditorState state;
    EXPECT_TRUE(mesh_command_state(state, kModifyMarkersWithMesh).enabled);
    ASSERT_TRUE(run_mesh_state_command(state, kModifyMarkersWithMesh));
    EXPECT_TRUE(mesh_command_state(state, kModifyMarkersWithMesh).checked);
    ASSERT_TRUE(run_mesh_state_command(state, kModifyPhysicsGrid));
    EXPECT_FALSE(state.modify[kPhysicsGrid]);
    EXPECT_FALSE(mesh_command_state(state, kModifyMarkersWithMesh).enabled);
    EXPECT_FALSE(run_mesh_state_command(state, kModifyMarkersWithMesh));
}

TEST(MeshMenuRules, TerrainToolDisablesShowTerrainTypeAndDisplaysAreExclusive) {
    MapEditorState state;
    state.tool = kToolTerrainType;
    EXPECT_FALSE(mesh_command_state(state, kShowTerrainType).enabled);
    state.tool = kToolWater;
    EXPECT_TRUE(run_mesh_state_command(state, kShowTerrainType));
    EXPECT_TRUE(state.show_terrain_type);
    EXPECT_TRUE(run_mesh_state_command(state, kComplexModels));
    EXPECT_TRUE(mesh_command_state(state, kComplexModels).checked);
    EXPECT_FALSE(mesh_command_state(state, kHideMarkers).checked);
    EXPECT_TRUE(run_mesh_state_command(state, kWorldAxis));
    EXPECT_TRUE(mesh_command_state(state, kWorldAxis).checked);
    EXPECT_FALSE(mesh_command_state(state, kLocalAxis).checked);
    EXPECT_FALSE(mesh_command_state(state, 2018).known);
}

Mesh hill(int size) {
    Mesh mesh = load_mesh(new_mesh_payload(size, size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            mesh.cell(x, y).physical_height = static_cast<std::uint16_t>(2000 + 37 * x + 11 * y);
            mesh.cell(x, y).render_height = static_cast<std::uint16_t>(3000 + 17 * x + 29 * y);
        }
    return mesh;
}

ToolInput at(double x, double y, double z = 0) {
    ToolInput input;
    input.hit = ToolPoint{x, y, z};
    return input;
}

TEST(MapTools, PullAndSmoothApplyTheCoreStepFromThePressValues) {
    for (const int tool : {kToolPullGrid, kToolSmooth}) {
        Mesh mesh = hill(32), expected = hill(32);
        MapEditorState state;
        state.tool = tool;
        state.width_slider = 400;
        MapToolDrag drag;
        drag.press(mesh, state, at(10.3, 12.6, 7));
        ASSERT_TRUE(drag.anchor());
        ToolInput move = at(11, 12);
        move.lift = 0.75;
        drag.drag(mesh, state, move);
        move.lift = 2.5; // each step starts again from the press values
        const ToolChange change = drag.release(mesh, state, move);
        EXPECT_TRUE(change.cells);
        const Press press = press_brush(expected, 10.3, 12.6, state.brush_width(), 0, 0.5);
        if (tool == kToolPullGrid) pull_grid(expected, press, 2.5, kNewEditorModifyFlags);
        else smooth_grid(expected, press, 2.5, kNewEditorModifyFlags);
        EXPECT_EQ(0, std::memcmp(mesh.cells.data(), expected.cells.data(), mesh.cells.size() * sizeof(mesh_cell)))
            << tool;
        EXPECT_FALSE(drag.active());
    }
}

TEST(MapTools, BrushDoesNothingWithoutAClickTarget) {
    Mesh mesh = hill(32);
    MapEditorState state;
    state.click_target = kClickNone;
    MapToolDrag drag;
    EXPECT_FALSE(drag.press(mesh, state, at(5, 5)).modified());
    EXPECT_FALSE(drag.active());
}

TEST(MapTools, ModifyMarkersWithMeshLiftsMarkersWithTheGround) {
    Mesh mesh = hill(32);
    mesh_marker m{};
    m.position[0] = 10 * 512;
    m.position[1] = 10 * 512;
    m.position[2] = 9000;
    mesh.markers = {m, m};
    mesh.markers[1].position[0] = 30 * 512; // outside the brush
    mesh.palette_kept = {false, false};
    MapEditorState state;
    state.modify_markers_with_mesh = true;
    MapToolDrag drag;
    drag.press(mesh, state, at(10, 10));
    const double ground = surface_height(mesh, kPhysicsGrid, 10, 10);
    ToolInput move = at(10, 10);
    move.lift = 1;
    EXPECT_TRUE(drag.drag(mesh, state, move).markers);
    const double lifted = surface_height(mesh, kPhysicsGrid, 10, 10);
    EXPECT_GT(lifted, ground);
    EXPECT_NEAR(mesh.markers[0].position[2], 9000 + (lifted - ground) * 512, 1);
    EXPECT_EQ(mesh.markers[1].position[2], 9000);
}

TEST(MapTools, TerrainAndWaterStrokesVisitTheSegmentsTriangles) {
    Mesh mesh = hill(32), expected = hill(32);
    MapEditorState state;
    state.tool = kToolTerrainType;
    state.terrain_type = 9;
    MapToolDrag drag;
    drag.press(mesh, state, at(2.2, 2.7));
    drag.drag(mesh, state, at(6.5, 4.1));
    drag.release(mesh, state, at(6.5, 4.1));
    paint_terrain(expected, stroke_triangles(expected, 2.2, 2.7, 2.2, 2.7), 9);
    paint_terrain(expected, stroke_triangles(expected, 2.2, 2.7, 6.5, 4.1), 9);
    EXPECT_EQ(0, std::memcmp(mesh.cells.data(), expected.cells.data(), mesh.cells.size() * sizeof(mesh_cell)));

    // Water: the first press paints, a press on the painted water erases it.
    state.tool = kToolWater;
    state.media_height = 4.5;
    drag.press(mesh, state, at(8.5, 8.5));
    drag.release(mesh, state, at(10.5, 8.5));
    paint_water(expected, stroke_triangles(expected, 8.5, 8.5, 8.5, 8.5), media_value(4.5));
    paint_water(expected, stroke_triangles(expected, 8.5, 8.5, 10.5, 8.5), media_value(4.5));
    EXPECT_EQ(0, std::memcmp(mesh.cells.data(), expected.cells.data(), mesh.cells.size() * sizeof(mesh_cell)));
    ASSERT_TRUE(water_press_erases(mesh, 9.5, 8.5, media_value(4.5)));
    drag.press(mesh, state, at(9.5, 8.5));
    drag.release(mesh, state, at(9.5, 8.5));
    erase_water(expected, stroke_triangles(expected, 9.5, 8.5, 9.5, 8.5));
    EXPECT_EQ(0, std::memcmp(mesh.cells.data(), expected.cells.data(), mesh.cells.size() * sizeof(mesh_cell)));
}

TEST(MapTools, BandMarkersSelectsPlacesAndMovesOverTheGround) {
    Mesh mesh = hill(32);
    add_palette_entry(mesh, new_palette_entry(1));
    MapEditorState state;
    state.tool = kToolBandMarkers;
    MapToolDrag drag;
    // Ctrl-click without a palette selection draws a band instead of placing.
    ToolInput place = at(4.5, 6.5);
    place.control = true;
    drag.press(mesh, state, place);
    drag.release(mesh, state, place);
    EXPECT_TRUE(mesh.markers.empty());
    state.palette_selection[1] = 0;
    EXPECT_TRUE(drag.press(mesh, state, place).markers);
    ASSERT_EQ(mesh.markers.size(), 1u);
    EXPECT_EQ(mesh.markers[0].identifier, kFirstMarkerIdentifier);
    EXPECT_EQ(mesh.next_marker_identifier, kFirstMarkerIdentifier + 1);
    EXPECT_EQ(mesh.markers[0].position[2], std::lround(surface_height(mesh, kPhysicsGrid, 4.5, 6.5) * 512));
    EXPECT_EQ(state.selected_markers, std::vector<std::size_t>{0});
    place_marker(mesh, 0, 20, 20);
    mesh.markers[0].position[2] += 512; // one unit above the ground
    // Drag the selected marker: it keeps its elevation.
    ToolInput grab = at(4.5, 6.5);
    grab.marker = 0;
    drag.press(mesh, state, grab);
    drag.release(mesh, state, at(8.5, 7.5));
    EXPECT_EQ(mesh.markers[0].position[0], 8 * 512 + 256);
    EXPECT_EQ(mesh.markers[0].position[1], 7 * 512 + 256);
    EXPECT_NEAR(mesh.markers[0].position[2], (surface_height(mesh, kPhysicsGrid, 8.5, 7.5) + 1) * 512, 1);
    // A band from empty ground selects what lies inside; Shift adds.
    drag.press(mesh, state, at(19, 19));
    drag.release(mesh, state, at(21, 21));
    EXPECT_EQ(state.selected_markers, std::vector<std::size_t>{1});
    ToolInput add = at(0, 0);
    add.shift = true;
    drag.press(mesh, state, add);
    drag.release(mesh, state, at(10, 10));
    EXPECT_EQ(state.selected_markers, (std::vector<std::size_t>{0, 1}));
}

TEST(MapTools, BandGridSelectsRoundedGridPoints) {
    Mesh mesh = hill(32);
    MapEditorState state;
    state.tool = kToolBandGrid;
    MapToolDrag drag;
    drag.press(mesh, state, at(7.6, 3.2));
    ASSERT_TRUE(drag.drag(mesh, state, at(2.4, 9.9)).modified() == false);
    ASSERT_TRUE(drag.band());
    drag.release(mesh, state, at(2.4, 9.9));
    EXPECT_EQ(state.band_x0, 2);
    EXPECT_EQ(state.band_x1, 8);
    EXPECT_EQ(state.band_y0, 3);
    EXPECT_EQ(state.band_y1, 10);
}

} // namespace
} // namespace zephane
