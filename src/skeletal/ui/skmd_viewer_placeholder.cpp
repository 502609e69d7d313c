// TEMPORARY: stands in for skmd_viewer.cpp (the model viewer) so that the model set editor
// builds and links before the viewer is merged. It keeps what the form feeds it and draws
// nothing. Delete this file (and its line in CMakeLists.txt) when skmd_viewer.cpp arrives.

#include "skeletal/ui/skmd_viewer.h"

#include "textures/ui/gl_texture_cache.h"

namespace zephane {

TskmdViewer::TskmdViewer(TagDatabase& db, QWidget* parent) : XGGLView(parent), db_(db) {}
TskmdViewer::~TskmdViewer() { release_gl(); }

void TskmdViewer::set_geometry(PosedModel posed) { posed_ = std::move(posed); }
void TskmdViewer::set_display_mode(ModelDisplay mode) { mode_ = mode; }
void TskmdViewer::set_normals(bool shown) { normals_ = shown; }
void TskmdViewer::set_two_sided(bool two_sided) { two_sided_ = two_sided; }
void TskmdViewer::set_collision_overlay(const std::vector<skmd_collision_box>& boxes, VolumeSize collision,
                                        float display_factor) {
    collision_ = collision;
    build_box_mesh(boxes, display_factor);
}
void TskmdViewer::set_click_overlay(VolumeSize click) { click_ = click; }
void TskmdViewer::set_highlight_overlay(VolumeSize highlight) { highlight_ = highlight; }
void TskmdViewer::set_overlays_shown(ViewerOverlays shown) { shown_ = shown; }
void TskmdViewer::set_texture(tag_id stacks, std::size_t stack) {
    stacks_ = stacks;
    stack_ = stack;
}
void TskmdViewer::reset_view() {}

void TskmdViewer::initialize_view() {}
void TskmdViewer::draw_view() {}
void TskmdViewer::release_view() {}
void TskmdViewer::mousePressEvent(QMouseEvent*) {}
void TskmdViewer::mouseMoveEvent(QMouseEvent*) {}
void TskmdViewer::mouseDoubleClickEvent(QMouseEvent*) {}
void TskmdViewer::wheelEvent(QWheelEvent*) {}

// Only the counts the form's tests read: 24 vertices and 36 indices a box.
void TskmdViewer::build_box_mesh(const std::vector<skmd_collision_box>& boxes, float) {
    box_positions_.assign(boxes.size() * 24, {});
    box_normals_.assign(boxes.size() * 24, {});
    box_indices_.assign(boxes.size() * 36, 0);
}
void TskmdViewer::draw_model() {}
void TskmdViewer::draw_normals() {}
void TskmdViewer::draw_overlays() {}
void TskmdViewer::draw_cylinder(VolumeSize, const float (&)[4]) {}
void TskmdViewer::draw_highlight_ring(VolumeSize) {}

} // namespace zephane
