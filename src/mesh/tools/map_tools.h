#pragma once
// What a press, a drag and a release of the left mouse button do with each tool, free of
// any window: the view turns mouse events into ToolInput (what lies under the cursor) and
// redraws what the returned ToolChange names.
//
// - Pull Grid, Smooth / Unsmooth: the press collects the brush's points around the hit;
//   each drag step applies the core function at the height of the vertical line through the
//   press point nearest to the mouse ray (ToolInput::lift).
// - Terrain Type, Water: strokes from the previous grid point to the current one.
// - Band Grid: a rectangle of grid points from the press to the current point.
// - Band Markers: a press on a marker selects it (Shift adds) and the drag moves the
//   selected markers over the ground, each keeping its elevation; a press on the ground
//   with Ctrl places a marker of the selected palette entry; otherwise the drag draws a
//   selection rectangle (Shift adds to the selection).

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "mesh/edit/brush.h"
#include "mesh/mesh.h"
#include "mesh/tools/map_editor_state.h"

namespace zephane {

struct ToolPoint {
    double x = 0, y = 0; // cell units
    double z = 0;        // world units
};

struct ToolInput {
    std::optional<ToolPoint> hit;      // on the click target's grid (or the ground)
    double lift = 0;                   // brush tools, while dragging
    std::optional<std::size_t> marker; // the marker under the cursor
    bool shift = false;
    bool control = false;
};

struct ToolChange {
    bool cells = false; // the cells x0..x1, y0..y1 changed
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
    bool markers = false;   // markers moved, were added or removed
    bool selection = false; // the marker or grid selection changed
    bool modified() const { return cells || markers; }
    void add_cells(int ax, int ay, int bx, int by);
    void merge(const ToolChange& other);
};

// Appends a marker of palette entry `entry` at the point (z on the physical ground); the
// marker's identifier is the mesh's next one. Returns its index.
std::size_t place_marker(Mesh& mesh, std::size_t entry, double x, double y);
// Moves the markers by (dx, dy) world units from their start positions, each keeping its
// height above the physical ground.
void move_markers(Mesh& mesh, const std::vector<std::size_t>& markers,
                  const std::vector<mesh_marker>& start, double dx, double dy);

class MapToolDrag {
public:
    ToolChange press(Mesh& mesh, MapEditorState& state, const ToolInput& input);
    ToolChange drag(Mesh& mesh, MapEditorState& state, const ToolInput& input);
    ToolChange release(Mesh& mesh, MapEditorState& state, const ToolInput& input);

    bool active() const { return mode_ != Mode::none; }
    // The press point of a brush drag (the vertical line the lift is measured on).
    std::optional<ToolPoint> anchor() const;
    // The rectangle being drawn (cell units), while a band drag runs.
    std::optional<std::array<double, 4>> band() const;

private:
    enum class Mode { none, brush, terrain, water_paint, water_erase, band_grid, band_markers, move_markers };

    ToolChange brush_step(Mesh& mesh, const MapEditorState& state, double lift);
    ToolChange stroke_to(Mesh& mesh, const MapEditorState& state, const ToolPoint& to);

    Mode mode_ = Mode::none;
    int tool_ = 0;
    ToolPoint start_{}, last_{};
    bool band_add_ = false;
    Press press_;
    ModifyFlags modify_{};
    std::vector<std::size_t> moving_;
    std::vector<mesh_marker> moving_start_;
    std::vector<std::size_t> carried_; // markers lifted with the physical grid
    std::vector<double> carried_ground_;
    std::optional<ToolPoint> current_;
};

} // namespace zephane
