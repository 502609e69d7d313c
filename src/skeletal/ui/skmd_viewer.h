#pragma once
// TskmdViewer: the model set editor's 3-D view. The selected model posed in its rest
// skeleton (the form poses it, pose_model) drawn Smooth, Flat or Wire with an orthographic
// projection fitted to its vertices and a light fixed to the viewer; optional normals; the
// translucent overlays of the collision box tree and the collision, click and highlight
// volumes; the model's texture from its texture stack through the view's upload cache.
// Left drag orbits, the wheel zooms, a double-click resets the view; it redraws only when
// something it shows changed.

#include "framework/xg_gl_view.h"
#include "skeletal/skmd_posed.h"
#include "skeletal/skmd_records.h"
#include "tags/tag_code.h"

#include <QPoint>
#include <memory>
#include <vector>

namespace zephane {

class GlTextureCache;
class TagDatabase;

enum class ModelDisplay { smooth = 0, flat = 1, wire = 2 };

// Radius and the two heights of a volume, in the model's units (the form's size values).
struct VolumeSize {
    float radius = 0;
    float height_above = 0;
    float height_below = 0;
    bool empty() const { return radius <= 0; }
};

struct ViewerOverlays {
    bool collision_boxes = false;
    bool collision_volume = false;
    bool click_volume = false;
    bool highlight_ring = false;
};

class TskmdViewer : public XGGLView {
    Q_OBJECT

public:
    explicit TskmdViewer(TagDatabase& db, QWidget* parent = nullptr);
    ~TskmdViewer() override;

    void set_geometry(PosedModel posed);
    void set_display_mode(ModelDisplay mode);
    void set_normals(bool shown);
    void set_two_sided(bool two_sided);
    // The box tree's boxes (bounds × display_factor give model units; display_factor is
    // 1 ÷ (model scale × 512)) and the collision volume; no boxes clears the box overlay.
    void set_collision_overlay(const std::vector<skmd_collision_box>& boxes, VolumeSize collision,
                               float display_factor);
    void set_click_overlay(VolumeSize click);
    void set_highlight_overlay(VolumeSize highlight);
    // Which overlays the form's check boxes show.
    void set_overlays_shown(ViewerOverlays shown);
    // The texture the model is drawn with: a stack of a texture stack tag (kNoTag for none).
    void set_texture(tag_id stacks, std::size_t stack);
    // Back to the initial orbit and zoom.
    void reset_view();
    // The orbit in degrees: yaw about the model's up axis, pitch about the screen's x axis
    // (0 looks straight down, -90 from the side).
    void set_orbit(float yaw, float pitch);

    ModelDisplay display_mode() const { return mode_; }
    const PosedModel& geometry() const { return posed_; }
    std::size_t collision_vertex_count() const { return box_positions_.size(); }
    std::size_t collision_index_count() const { return box_indices_.size(); }

    QSize sizeHint() const override { return {320, 320}; }

protected:
    void initialize_view() override;
    void draw_view() override;
    void release_view() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void build_box_mesh(const std::vector<skmd_collision_box>& boxes, float display_factor);
    void draw_model();
    void draw_normals();
    void draw_overlays();
    void draw_cylinder(VolumeSize size, const float (&colour)[4]);
    void draw_highlight_ring(VolumeSize size);

    TagDatabase& db_;
    std::unique_ptr<GlTextureCache> textures_;
    PosedModel posed_;
    std::vector<std::array<float, 3>> flat_positions_; // three per face
    std::vector<std::array<float, 3>> flat_normals_;
    std::vector<std::array<float, 2>> flat_uvs_;
    ModelDisplay mode_ = ModelDisplay::smooth;
    bool normals_ = false;
    bool two_sided_ = false;
    std::vector<std::array<float, 3>> box_positions_;
    std::vector<std::array<float, 3>> box_normals_;
    std::vector<std::uint32_t> box_indices_;
    VolumeSize collision_, click_, highlight_;
    ViewerOverlays shown_;
    tag_id stacks_ = kNoTag;
    std::size_t stack_ = 0;
    float yaw_ = 30.0f, pitch_ = -60.0f, zoom_ = 1.0f;
    QPoint last_mouse_;
};

} // namespace zephane
