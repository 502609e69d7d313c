#pragma once
// The map editor's state besides the mesh (axis, what is shown, the click target and modify
// flags, marker display, tool, brush, terrain type, media height, palette selections, marker
// selection) and the Mesh menu's commands over it with their enabling and checking rules.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "mesh/edit/brush.h"
#include "mesh/mesh.h"

namespace zephane {

// Tool numbers.
inline constexpr int kToolBandGrid = 100;
inline constexpr int kToolBandMarkers = 101;
inline constexpr int kToolWater = 102;
inline constexpr int kToolTerrainType = 103;
inline constexpr int kToolPullGrid = 104;
inline constexpr int kToolSmooth = 105;

// Cell value indices the grids stand for; the click target is one of them or kClickNone.
inline constexpr int kPhysicsGrid = 0;
inline constexpr int kMediaGrid = 4;
inline constexpr int kRenderGrid = 5;
inline constexpr int kClickNone = -1;

enum class MarkerDisplay { hide, markers_only, bounding_boxes, simple_models, complex_models };

// The six palette kinds the side panel offers, in its popup's order.
inline constexpr std::array<std::uint16_t, 6> kPaletteKinds = {0, 1, 3, 5, 9, 10};
inline constexpr std::size_t kPaletteKindSlots = 12;
const char* palette_kind_name(std::uint16_t kind);
// The tag type a palette kind names ('scen', 'unit', 'amso', 'geom', 'proj', 'lpgr', 'anim'; 0
// for observers and the unused kinds).
std::uint32_t palette_kind_tag_type(std::uint16_t kind);

struct MapEditorState {
    bool world_axis = false;
    bool show_colormap = true;
    bool show_terrain_type = false;
    std::array<bool, 6> show_grid{false, false, false, false, false, true}; // by value index
    int click_target = kRenderGrid;
    ModifyFlags modify = kNewEditorModifyFlags;
    bool modify_markers_with_mesh = false;
    MarkerDisplay marker_display = MarkerDisplay::bounding_boxes;
    int tool = kToolPullGrid;
    int width_slider = 300, round_slider = 0, soft_slider = 500; // 0..1000 each
    int terrain_type = 6;
    double media_height = 0;
    std::uint16_t palette_kind = 1;
    std::array<int, kPaletteKindSlots> palette_selection{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    std::vector<std::size_t> selected_markers; // ascending, each once
    // The Band Grid selection, in grid points (inclusive); empty when x0 > x1.
    int band_x0 = 1, band_y0 = 1, band_x1 = 0, band_y1 = 0;

    double brush_width() const { return zephane::brush_width(width_slider); }
    double brush_round() const { return round_slider / 1000.0; }
    double brush_soft() const { return soft_slider / 1000.0; }
    bool marker_selected(std::size_t index) const;
    void select_markers(std::vector<std::size_t> markers, bool add);
    // The selected entry of the current kind (absolute palette index), or −1 when none is
    // selected or the selection no longer names an entry of that kind.
    int selected_palette_entry(const Mesh& mesh) const;
};

// The Mesh menu's command numbers.
namespace mesh_command {
inline constexpr int kLocalAxis = 3001;
inline constexpr int kWorldAxis = 3002;
inline constexpr int kShowColormap = 3003;
inline constexpr int kShowTerrainType = 3004;
inline constexpr int kShowRenderGrid = 3005;
inline constexpr int kShowPhysicsGrid = 3006;
inline constexpr int kShowMediaGrid = 3007;
inline constexpr int kClickRenderGrid = 3008;
inline constexpr int kClickPhysicsGrid = 3009;
inline constexpr int kClickMediaGrid = 3010;
inline constexpr int kClickNoGrid = 3011;
inline constexpr int kModifyRenderGrid = 3012;
inline constexpr int kModifyPhysicsGrid = 3013;
inline constexpr int kModifyMediaGrid = 3014;
inline constexpr int kModifyMarkersWithMesh = 3015;
inline constexpr int kHideMarkers = 3016;
inline constexpr int kMarkersOnly = 3017;
inline constexpr int kBoundingBoxes = 3018;
inline constexpr int kSimpleModels = 3019;
inline constexpr int kComplexModels = 3020;
inline constexpr int kClearPitchAndRoll = 3021;
inline constexpr int kSetRenderHeightFromPhysical = 3022;
inline constexpr int kFrameSelection = 3023;
// Import New Colormap..., Replace Colormap... and Collapse Terrain Detail... keep the tag
// file window's numbers (2016, 2017, 2018).
} // namespace mesh_command

struct MeshCommandState {
    bool known = false;
    bool enabled = false;
    bool checked = false;
};
// The enabling and checking of a state command (axis, show, click, modify, marker display).
MeshCommandState mesh_command_state(const MapEditorState& state, int command);
// Runs a state command when it is enabled; false for another or a disabled command.
bool run_mesh_state_command(MapEditorState& state, int command);

} // namespace zephane
