#pragma once
// TMeshView: the map editor's 3-D view. Draws the terrain from vertex arrays built once per
// change (the render heights, textured with the landscape stack's colormap tiles), the
// terrain-type overlay, the grids, the markers in the chosen display, the brush and the band;
// turns mouse events into tool steps (mesh/tools) and camera moves; answers the Mesh menu's
// state commands.
//
// Navigation: right drag (or Alt + left drag) orbits around the target, middle drag (or
// Shift + right drag) pans, the wheel zooms toward the point under the cursor, F frames the
// selection (selected markers, else the band, else the whole map), Home resets the view.

#include "framework/xg_dispatch.h"
#include "framework/xg_gl_view.h"
#include "mesh/mesh.h"
#include "mesh/tools/map_editor_state.h"
#include "mesh/tools/map_tools.h"
#include "render/map_scene.h"
#include "render/marker_models.h"
#include "textures/ui/gl_texture_cache.h"

#include <QPoint>
#include <map>
#include <memory>
#include <optional>

namespace zephane {

class TagDatabase;

class TMeshView : public XGGLView {
    Q_OBJECT

public:
    TMeshView(TagDatabase& db, QWidget* parent = nullptr);
    ~TMeshView() override;

    // The mesh and state the view shows and edits (both owned by the form); null shows nothing.
    void set_mesh(Mesh* mesh, MapEditorState* state);
    // The mesh changed in the named cells / markers (or wholly): caches follow, and a redraw.
    void mesh_changed(const ToolChange& change);
    void mesh_replaced();
    // The state changed (what is shown, the tool, the selection): a redraw.
    void state_changed();
    // A tag changed: the colormap of the landscape stack is uploaded again when it was that.
    void texture_tag_changed(tag_id id);
    // A scenery or skeletal model tag changed: the markers' models are posed again.
    void model_tag_changed();

    MapCamera& camera() { return camera_; }
    void reset_camera();
    void frame_selection();
    // Where a world point shows in the view (pixels, y down); none behind the camera.
    std::optional<QPointF> screen_point(const Vec3& p) const;
    // The grid hit under a pixel on the click target's grid (the physical one for none).
    std::optional<GridHit> hit_at(QPointF pixel) const;

    // The Mesh menu's state commands (axis, show, click, modify, marker display, frame).
    bool command_status(int command, CommandState& state);
    bool do_command(int command);

    // Number of cache rebuilds of the whole terrain (tests check partial updates).
    int terrain_builds() const { return terrain_builds_; }
    const TerrainArrays& render_arrays() const { return render_arrays_; }
    // Coarser levels for tiles that cover few pixels, and leaving out tiles outside the view
    // (on by default; the benchmark measures both).
    void set_levels_enabled(bool on) {
        levels_enabled_ = on;
        update();
    }

    // Whether a tool drag is under way (the left button is down on a tool).
    bool tool_dragging() const { return drag_ == Drag::tool; }

signals:
    void edited(const ToolChange& change);
    // The left button went up after a tool drag (its steps were edited() already).
    void stroke_ended();
    void selection_changed();
    void status_changed(const QString& text);

protected:
    void initialize_view() override;
    void draw_view() override;
    void release_view() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Drag { none, tool, orbit, pan };

    Ray ray_at(QPointF pixel) const;
    ToolInput tool_input(QPointF pixel, Qt::KeyboardModifiers modifiers) const;
    void after_tool(const ToolChange& change);
    void update_status(QPointF pixel);
    void rebuild_markers();
    void draw_terrain();
    void choose_levels();
    void draw_tile(std::size_t tile);
    void draw_lines(const std::vector<float>& lines, float r, float g, float b, float width);
    void draw_brush();
    void draw_band();
    const TerrainArrays& grid_arrays(int index);
    // The posed model a marker shows in the model displays, or null (drawn as a box).
    const PosedModel* marker_model(const mesh_marker& marker);
    void draw_marker_models();

    TagDatabase& db_;
    Mesh* mesh_ = nullptr;
    MapEditorState* state_ = nullptr;
    MapCamera camera_;
    MapToolDrag tool_;
    Drag drag_ = Drag::none;
    QPointF last_mouse_;
    std::optional<GridHit> hover_;

    // The per-editor caches of what is drawn.
    GlTextureCache cached_texture_data;          // uploaded colormap tiles
    struct TxstInfo {
        tag_id landscape = kNoTag;
    } cached_txst_info;                          // the texture stack the colormap comes from
    std::map<std::pair<tag_id, bool>, std::optional<PosedModel>> cached_skelmodel_data; // by scenery tag, complex
    struct MarkerData {
        bool valid = false;
        MarkerDisplay display = MarkerDisplay::hide;
        std::vector<float> lines, selected_lines;
    } cached_marker_data;                        // per-marker drawing data
    TerrainArrays render_arrays_;                // the drawn surface (render heights)
    TerrainArrays physics_arrays_;               // the physics grid, built when first shown
    bool physics_valid_ = false;
    bool levels_enabled_ = true;
    std::vector<int> tile_levels_; // per tile: 0 full, 1 and 2 coarser, −1 outside the view
    std::vector<float> media_lines_;
    std::vector<float> water_;
    bool media_valid_ = false;
    int terrain_builds_ = 0;
    // glSecondaryColorPointer (OpenGL 1.4), for the overlay in the colormap's pass; null
    // without it (the overlay then takes a pass of its own).
    void (*secondary_color_pointer_)(int, unsigned, int, const void*) = nullptr;
};

} // namespace zephane
