#include "mesh/tools/map_tools.h"

#include <algorithm>
#include <cmath>

#include "mesh/edit/strokes.h"
#include "render/map_scene.h"

namespace zephane {

void ToolChange::add_cells(int ax, int ay, int bx, int by) {
    if (!cells) {
        x0 = std::min(ax, bx);
        y0 = std::min(ay, by);
        x1 = std::max(ax, bx);
        y1 = std::max(ay, by);
        cells = true;
        return;
    }
    x0 = std::min({x0, ax, bx});
    y0 = std::min({y0, ay, by});
    x1 = std::max({x1, ax, bx});
    y1 = std::max({y1, ay, by});
}

void ToolChange::merge(const ToolChange& other) {
    if (other.cells) add_cells(other.x0, other.y0, other.x1, other.y1);
    markers = markers || other.markers;
    selection = selection || other.selection;
}

std::size_t place_marker(Mesh& mesh, std::size_t entry, double x, double y) {
    mesh_marker marker{};
    marker.kind = mesh.palette[entry].kind;
    marker.palette = static_cast<std::uint16_t>(entry);
    marker.identifier = mesh.next_marker_identifier;
    if (mesh.next_marker_identifier < 0xFFFF) ++mesh.next_marker_identifier;
    marker.position[0] = static_cast<std::int32_t>(std::lround(x * 512));
    marker.position[1] = static_cast<std::int32_t>(std::lround(y * 512));
    marker.position[2] = static_cast<std::int32_t>(std::lround(surface_height(mesh, kPhysicsGrid, x, y) * 512.0));
    mesh.markers.push_back(marker);
    mesh.palette_kept.push_back(false);
    return mesh.markers.size() - 1;
}

void move_markers(Mesh& mesh, const std::vector<std::size_t>& markers, const std::vector<mesh_marker>& start,
                  double dx, double dy) {
    for (std::size_t k = 0; k < markers.size() && k < start.size(); ++k) {
        const mesh_marker& from = start[k];
        mesh_marker& marker = mesh.markers[markers[k]];
        const double x0 = from.position[0] / 512.0, y0 = from.position[1] / 512.0;
        const double x = std::clamp(x0 + dx, 0.0, static_cast<double>(mesh.columns));
        const double y = std::clamp(y0 + dy, 0.0, static_cast<double>(mesh.rows));
        const double elevation = from.position[2] / 512.0 - surface_height(mesh, kPhysicsGrid, x0, y0);
        marker.position[0] = static_cast<std::int32_t>(std::lround(x * 512));
        marker.position[1] = static_cast<std::int32_t>(std::lround(y * 512));
        marker.position[2] =
            static_cast<std::int32_t>(std::lround((surface_height(mesh, kPhysicsGrid, x, y) + elevation) * 512));
    }
}

std::optional<ToolPoint> MapToolDrag::anchor() const {
    if (mode_ != Mode::brush) return std::nullopt;
    return start_;
}

std::optional<std::array<double, 4>> MapToolDrag::band() const {
    if ((mode_ != Mode::band_grid && mode_ != Mode::band_markers) || !current_) return std::nullopt;
    return std::array<double, 4>{start_.x, start_.y, current_->x, current_->y};
}

ToolChange MapToolDrag::press(Mesh& mesh, MapEditorState& state, const ToolInput& input) {
    mode_ = Mode::none;
    tool_ = state.tool;
    current_ = input.hit;
    ToolChange change;
    if (tool_ == kToolBandMarkers) {
        if (input.marker) {
            const std::size_t m = *input.marker;
            if (input.shift) {
                std::vector<std::size_t> selected = state.selected_markers;
                const auto at = std::find(selected.begin(), selected.end(), m);
                if (at != selected.end()) selected.erase(at);
                else selected.push_back(m);
                state.select_markers(selected, false);
            } else if (!state.marker_selected(m)) {
                state.select_markers({m}, false);
            }
            change.selection = true;
            if (input.hit && state.marker_selected(m)) {
                mode_ = Mode::move_markers;
                start_ = *input.hit;
                moving_ = state.selected_markers;
                moving_start_.clear();
                for (const std::size_t k : moving_) moving_start_.push_back(mesh.markers[k]);
            }
            return change;
        }
        if (!input.hit) return change;
        const int entry = state.selected_palette_entry(mesh);
        if (input.control && entry >= 0) {
            const std::size_t placed = place_marker(mesh, static_cast<std::size_t>(entry), input.hit->x, input.hit->y);
            state.select_markers({placed}, false);
            change.markers = change.selection = true;
            return change;
        }
        mode_ = Mode::band_markers;
        start_ = *input.hit;
        band_add_ = input.shift;
        return change;
    }
    if (!input.hit) return change;
    start_ = last_ = *input.hit;
    switch (tool_) {
    case kToolBandGrid:
        mode_ = Mode::band_grid;
        return change;
    case kToolPullGrid:
    case kToolSmooth: {
        if (state.click_target == kClickNone) return change;
        press_ = press_brush(mesh, start_.x, start_.y, state.brush_width(), state.brush_round(), state.brush_soft());
        if (press_.points.empty()) return change;
        modify_ = state.modify;
        mode_ = Mode::brush;
        carried_.clear();
        moving_start_.clear();
        carried_ground_.clear();
        if (state.modify_markers_with_mesh && modify_[kPhysicsGrid]) {
            for (std::size_t k = 0; k < mesh.markers.size(); ++k) {
                const Vec3 p = marker_position(mesh.markers[k]);
                const double dx = p[0] - start_.x, dy = p[1] - start_.y;
                if (dx * dx + dy * dy >= press_.width * press_.width) continue;
                carried_.push_back(k);
                moving_start_.push_back(mesh.markers[k]);
                carried_ground_.push_back(surface_height(mesh, kPhysicsGrid, p[0], p[1]));
            }
        }
        return change;
    }
    case kToolTerrainType:
        mode_ = Mode::terrain;
        return stroke_to(mesh, state, start_);
    case kToolWater:
        mode_ = water_press_erases(mesh, start_.x, start_.y, media_value(state.media_height)) ? Mode::water_erase
                                                                                               : Mode::water_paint;
        return stroke_to(mesh, state, start_);
    default: return change;
    }
}

ToolChange MapToolDrag::brush_step(Mesh& mesh, const MapEditorState& state, double lift) {
    (void)state;
    ToolChange change;
    if (tool_ == kToolPullGrid) pull_grid(mesh, press_, lift, modify_);
    else smooth_grid(mesh, press_, lift, modify_);
    for (const PressPoint& p : press_.points) change.add_cells(p.x, p.y, p.x, p.y);
    for (std::size_t k = 0; k < carried_.size(); ++k) {
        mesh_marker& marker = mesh.markers[carried_[k]];
        const Vec3 p = marker_position(marker);
        const double ground = surface_height(mesh, kPhysicsGrid, p[0], p[1]);
        marker.position[2] = moving_start_[k].position[2] +
                             static_cast<std::int32_t>(std::lround((ground - carried_ground_[k]) * 512));
        change.markers = true;
    }
    return change;
}

ToolChange MapToolDrag::stroke_to(Mesh& mesh, const MapEditorState& state, const ToolPoint& to) {
    ToolChange change;
    const std::vector<GridTriangle> triangles = stroke_triangles(mesh, last_.x, last_.y, to.x, to.y);
    last_ = to;
    if (triangles.empty()) return change;
    if (mode_ == Mode::terrain) paint_terrain(mesh, triangles, state.terrain_type);
    else if (mode_ == Mode::water_paint) paint_water(mesh, triangles, media_value(state.media_height));
    else erase_water(mesh, triangles);
    const int grow = mode_ == Mode::terrain ? 0 : 1; // water reaches the far corner points
    for (const GridTriangle& t : triangles) change.add_cells(t.x, t.y, t.x + grow, t.y + grow);
    return change;
}

ToolChange MapToolDrag::drag(Mesh& mesh, MapEditorState& state, const ToolInput& input) {
    if (input.hit) current_ = input.hit;
    switch (mode_) {
    case Mode::brush: return brush_step(mesh, state, input.lift);
    case Mode::terrain:
    case Mode::water_paint:
    case Mode::water_erase:
        if (!input.hit) return {};
        return stroke_to(mesh, state, *input.hit);
    case Mode::move_markers: {
        ToolChange change;
        if (!input.hit) return change;
        move_markers(mesh, moving_, moving_start_, input.hit->x - start_.x, input.hit->y - start_.y);
        change.markers = true;
        return change;
    }
    default: return {};
    }
}

ToolChange MapToolDrag::release(Mesh& mesh, MapEditorState& state, const ToolInput& input) {
    ToolChange change = mode_ == Mode::none ? ToolChange{} : drag(mesh, state, input);
    if (mode_ == Mode::band_grid && current_) {
        const auto round_in = [](double v, int limit) {
            return std::clamp(static_cast<int>(std::lround(v)), 0, limit - 1);
        };
        const int ax = round_in(start_.x, mesh.columns), bx = round_in(current_->x, mesh.columns);
        const int ay = round_in(start_.y, mesh.rows), by = round_in(current_->y, mesh.rows);
        state.band_x0 = std::min(ax, bx);
        state.band_x1 = std::max(ax, bx);
        state.band_y0 = std::min(ay, by);
        state.band_y1 = std::max(ay, by);
        change.selection = true;
    } else if (mode_ == Mode::band_markers && current_) {
        state.select_markers(markers_in_rect(mesh, start_.x, start_.y, current_->x, current_->y), band_add_);
        change.selection = true;
    }
    mode_ = Mode::none;
    current_.reset();
    return change;
}

} // namespace zephane
