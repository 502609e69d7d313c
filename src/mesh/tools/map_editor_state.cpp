#include "mesh/tools/map_editor_state.h"

#include <algorithm>

namespace zephane {

const char* palette_kind_name(std::uint16_t kind) {
    switch (kind) {
    case 0: return "Observer";
    case 1: return "Scenery";
    case 3: return "Monster";
    case 5: return "Sound Source";
    case 9: return "Projectile";
    case 10: return "Local Projectile Group";
    default: return "";
    }
}

std::uint32_t palette_kind_tag_type(std::uint16_t kind) {
    const auto code = [](const char (&c)[5]) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(c[0])) << 24 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(c[1])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(c[2])) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(c[3]));
    };
    switch (kind) {
    case 1: return code("scen");
    case 3: return code("unit");
    case 5: return code("amso");
    case 6: return code("geom");
    case 9: return code("proj");
    case 10: return code("lpgr");
    case 11: return code("anim");
    default: return 0;
    }
}

bool MapEditorState::marker_selected(std::size_t index) const {
    return std::binary_search(selected_markers.begin(), selected_markers.end(), index);
}

void MapEditorState::select_markers(std::vector<std::size_t> markers, bool add) {
    if (add) markers.insert(markers.end(), selected_markers.begin(), selected_markers.end());
    std::sort(markers.begin(), markers.end());
    markers.erase(std::unique(markers.begin(), markers.end()), markers.end());
    selected_markers = std::move(markers);
}

int MapEditorState::selected_palette_entry(const Mesh& mesh) const {
    if (palette_kind >= kPaletteKindSlots) return -1;
    const int index = palette_selection[palette_kind];
    if (index < 0 || static_cast<std::size_t>(index) >= mesh.palette.size() ||
        mesh.palette[static_cast<std::size_t>(index)].kind != palette_kind)
        return -1;
    return index;
}

namespace {

using namespace mesh_command;

// The value index of a Show / Click / Modify command's grid.
int grid_of(int command) {
    switch (command) {
    case kShowRenderGrid: case kClickRenderGrid: case kModifyRenderGrid: return kRenderGrid;
    case kShowPhysicsGrid: case kClickPhysicsGrid: case kModifyPhysicsGrid: return kPhysicsGrid;
    case kShowMediaGrid: case kClickMediaGrid: case kModifyMediaGrid: return kMediaGrid;
    default: return zephane::kClickNone;
    }
}

MarkerDisplay display_of(int command) {
    return static_cast<MarkerDisplay>(command - kHideMarkers);
}

} // namespace

MeshCommandState mesh_command_state(const MapEditorState& state, int command) {
    MeshCommandState s{true, true, false};
    const auto grid = static_cast<std::size_t>(std::max(0, grid_of(command)));
    switch (command) {
    case kLocalAxis: s.checked = !state.world_axis; break;
    case kWorldAxis: s.checked = state.world_axis; break;
    case kShowColormap: s.checked = state.show_colormap; break;
    case kShowTerrainType:
        s.enabled = state.tool != kToolTerrainType;
        s.checked = state.show_terrain_type;
        break;
    case kShowRenderGrid: case kShowPhysicsGrid: case kShowMediaGrid:
        s.enabled = state.click_target != grid_of(command);
        s.checked = state.show_grid[grid];
        break;
    case kClickRenderGrid: case kClickPhysicsGrid: case kClickMediaGrid:
        s.checked = state.click_target == grid_of(command);
        break;
    case kClickNoGrid: s.checked = state.click_target == zephane::kClickNone; break;
    case kModifyRenderGrid: case kModifyPhysicsGrid: case kModifyMediaGrid:
        s.enabled = state.click_target != grid_of(command);
        s.checked = state.modify[grid];
        break;
    case kModifyMarkersWithMesh:
        s.enabled = state.modify[kPhysicsGrid];
        s.checked = state.modify_markers_with_mesh;
        break;
    case kHideMarkers: case kMarkersOnly: case kBoundingBoxes: case kSimpleModels: case kComplexModels:
        s.checked = state.marker_display == display_of(command);
        break;
    default: return {};
    }
    return s;
}

bool run_mesh_state_command(MapEditorState& state, int command) {
    const MeshCommandState s = mesh_command_state(state, command);
    if (!s.known || !s.enabled) return false;
    const auto grid = static_cast<std::size_t>(std::max(0, grid_of(command)));
    switch (command) {
    case kLocalAxis: state.world_axis = false; break;
    case kWorldAxis: state.world_axis = true; break;
    case kShowColormap: state.show_colormap = !state.show_colormap; break;
    case kShowTerrainType: state.show_terrain_type = !state.show_terrain_type; break;
    case kShowRenderGrid: case kShowPhysicsGrid: case kShowMediaGrid:
        state.show_grid[grid] = !state.show_grid[grid];
        break;
    case kClickRenderGrid: case kClickPhysicsGrid: case kClickMediaGrid:
        state.click_target = grid_of(command);
        break;
    case kClickNoGrid: state.click_target = zephane::kClickNone; break;
    case kModifyRenderGrid: case kModifyPhysicsGrid: case kModifyMediaGrid:
        state.modify[grid] = !state.modify[grid];
        break;
    case kModifyMarkersWithMesh: state.modify_markers_with_mesh = !state.modify_markers_with_mesh; break;
    default: state.marker_display = display_of(command); break;
    }
    return true;
}

} // namespace zephane
