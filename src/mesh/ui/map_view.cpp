#include "mesh/ui/map_view.h"

#include <GL/gl.h>
#include <QKeyEvent>
#include <QOpenGLContext>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace zephane {

namespace {

constexpr double kMarkerScale = 1.0;
constexpr GLenum kColorSum = 0x8458;           // GL_COLOR_SUM
constexpr GLenum kSecondaryColorArray = 0x845E; // GL_SECONDARY_COLOR_ARRAY
constexpr double kMarkerPickRadius = 0.6;

} // namespace

TMeshView::TMeshView(TagDatabase& db, QWidget* parent)
    : XGGLView(parent), db_(db), cached_texture_data(db) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
}

TMeshView::~TMeshView() { release_gl(); }

void TMeshView::set_mesh(Mesh* mesh, MapEditorState* state) {
    mesh_ = mesh;
    state_ = state;
    mesh_replaced();
    reset_camera();
}

void TMeshView::mesh_replaced() {
    physics_valid_ = media_valid_ = false;
    cached_marker_data.valid = false;
    render_arrays_ = {};
    if (mesh_ && mesh_->columns > 0 && mesh_->rows > 0) {
        render_arrays_ = build_terrain_arrays(*mesh_, kRenderGrid);
        ++terrain_builds_;
        const tag_id landscape = mesh_->header.landscape;
        if (landscape != cached_txst_info.landscape && context()) {
            makeCurrent();
            cached_texture_data.forget(cached_txst_info.landscape);
            doneCurrent();
        }
        cached_txst_info.landscape = landscape;
    }
    update();
}

void TMeshView::mesh_changed(const ToolChange& change) {
    if (!mesh_) return;
    if (change.cells) {
        update_terrain_arrays(render_arrays_, *mesh_, change.x0, change.y0, change.x1, change.y1);
        if (physics_valid_) update_terrain_arrays(physics_arrays_, *mesh_, change.x0, change.y0, change.x1, change.y1);
        media_valid_ = false;
    }
    if (change.markers || change.selection || change.cells) cached_marker_data.valid = false;
    update();
}

void TMeshView::state_changed() {
    cached_marker_data.valid = false;
    update();
}

void TMeshView::texture_tag_changed(tag_id id) {
    if (id != cached_txst_info.landscape || !context()) return;
    makeCurrent();
    cached_texture_data.forget(id);
    doneCurrent();
    update();
}

void TMeshView::model_tag_changed() {
    cached_skelmodel_data.clear();
    cached_marker_data.valid = false;
    update();
}

const PosedModel* TMeshView::marker_model(const mesh_marker& marker) {
    if (marker.palette >= mesh_->palette.size()) return nullptr;
    const marker_palette_entry& entry = mesh_->palette[marker.palette];
    const bool complex = state_->marker_display == MarkerDisplay::complex_models;
    const auto key = std::pair{entry.tag, complex};
    auto found = cached_skelmodel_data.find(key);
    if (found == cached_skelmodel_data.end())
        found = cached_skelmodel_data.emplace(key, palette_entry_model(db_, entry, complex)).first;
    return found->second ? &*found->second : nullptr;
}

void TMeshView::draw_marker_models() {
    if (state_->marker_display != MarkerDisplay::simple_models && state_->marker_display != MarkerDisplay::complex_models)
        return;
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_NORMALIZE);
    const GLfloat light[4] = {0.35f, -0.45f, 0.82f, 0.0f};
    glPushMatrix();
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glPopMatrix();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    for (std::size_t k = 0; k < mesh_->markers.size(); ++k) {
        const mesh_marker& marker = mesh_->markers[k];
        const PosedModel* model = marker_model(marker);
        if (!model) continue;
        if (state_->marker_selected(k)) glColor3f(1.0f, 0.35f, 0.3f);
        else glColor3f(0.85f, 0.8f, 0.7f);
        // The marker drawing transform, applied as the matrix stack's own steps.
        glPushMatrix();
        glTranslated(marker.position[0] / 512.0, marker.position[1] / 512.0, marker.position[2] / 512.0);
        glScaled(1.0, 1.0, 1.0);
        glRotated(marker.yaw * 360.0 / 65536 + 90, 0, 0, 1);
        glRotated(-marker.pitch * 360.0 / 65536, 1, 0, 0);
        glRotated(-marker.roll * 360.0 / 65536, 0, 1, 0);
        glVertexPointer(3, GL_FLOAT, 0, model->positions.data());
        glNormalPointer(GL_FLOAT, 0, model->normals.data());
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(model->triangles.size()), GL_UNSIGNED_SHORT,
                       model->triangles.data());
        glPopMatrix();
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_NORMALIZE);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
}

void TMeshView::reset_camera() {
    camera_ = mesh_ ? initial_camera(*mesh_) : MapCamera{};
    update();
}

void TMeshView::frame_selection() {
    if (!mesh_ || !state_) return;
    Vec3 low{1e30, 1e30, 1e30}, high{-1e30, -1e30, -1e30};
    const auto include = [&](const Vec3& p) {
        for (std::size_t a = 0; a < 3; ++a) {
            low[a] = std::min(low[a], p[a]);
            high[a] = std::max(high[a], p[a]);
        }
    };
    if (!state_->selected_markers.empty()) {
        for (const std::size_t k : state_->selected_markers) include(marker_position(mesh_->markers[k]));
    } else if (state_->band_x0 <= state_->band_x1) {
        for (const int j : {state_->band_y0, state_->band_y1})
            for (const int i : {state_->band_x0, state_->band_x1})
                include({static_cast<double>(i), static_cast<double>(j), grid_height(*mesh_, kRenderGrid, i, j)});
    } else {
        include({0, 0, 0});
        include({static_cast<double>(mesh_->columns), static_cast<double>(mesh_->rows), 0});
    }
    frame_box(camera_, low, high);
    update();
}

// ---- Commands ----------------------------------------------------------------------------

bool TMeshView::command_status(int command, CommandState& state) {
    if (!state_) return false;
    if (command == mesh_command::kFrameSelection) {
        state.enabled = mesh_ != nullptr;
        return true;
    }
    const MeshCommandState s = mesh_command_state(*state_, command);
    if (!s.known) return false;
    state.enabled = s.enabled;
    state.checked = s.checked;
    return true;
}

bool TMeshView::do_command(int command) {
    if (!state_) return false;
    if (command == mesh_command::kFrameSelection) {
        frame_selection();
        return true;
    }
    if (!mesh_command_state(*state_, command).known) return false;
    if (run_mesh_state_command(*state_, command)) state_changed();
    return true;
}

// ---- Mouse -------------------------------------------------------------------------------------

Ray TMeshView::ray_at(QPointF pixel) const { return camera_ray(camera_, width(), height(), pixel.x(), pixel.y()); }

std::optional<GridHit> TMeshView::hit_at(QPointF pixel) const {
    if (!mesh_ || !state_) return std::nullopt;
    const int index = state_->click_target == kClickNone ? kPhysicsGrid : state_->click_target;
    return pick_grid(*mesh_, index, ray_at(pixel));
}

std::optional<QPointF> TMeshView::screen_point(const Vec3& p) const {
    const Mat4 m = multiply(projection_matrix(camera_, width(), height()), view_matrix(camera_));
    const double w = m[3] * p[0] + m[7] * p[1] + m[11] * p[2] + m[15];
    if (w <= 0) return std::nullopt;
    const Vec3 ndc = transform_point(m, p);
    return QPointF((ndc[0] + 1) / 2 * width(), (1 - ndc[1]) / 2 * height());
}

ToolInput TMeshView::tool_input(QPointF pixel, Qt::KeyboardModifiers modifiers) const {
    ToolInput input;
    const Ray ray = ray_at(pixel);
    const bool markers = state_->tool == kToolBandMarkers;
    // Markers move over the physical ground whatever grid the clicks go to.
    const int index = markers || state_->click_target == kClickNone ? kPhysicsGrid : state_->click_target;
    if (const auto hit = pick_grid(*mesh_, index, ray)) {
        input.hit = ToolPoint{hit->x, hit->y, hit->z};
    } else if (markers || tool_.active()) {
        // Off the grid: the ground plane at the press height keeps drags going.
        const double height = tool_.anchor() ? tool_.anchor()->z : 0;
        if (const auto p = ray_plane_hit(ray, height))
            input.hit = ToolPoint{std::clamp((*p)[0], 0.0, static_cast<double>(mesh_->columns)),
                                  std::clamp((*p)[1], 0.0, static_cast<double>(mesh_->rows)), (*p)[2]};
    }
    if (const auto a = tool_.anchor()) input.lift = vertical_line_height(ray, {a->x, a->y, a->z});
    if (markers) input.marker = pick_marker(*mesh_, ray, kMarkerPickRadius);
    input.shift = modifiers.testFlag(Qt::ShiftModifier);
    input.control = modifiers.testFlag(Qt::ControlModifier);
    return input;
}

void TMeshView::after_tool(const ToolChange& change) {
    if (change.modified()) {
        mesh_changed(change);
        emit edited(change);
    } else if (change.selection) {
        state_changed();
    }
    if (change.selection) emit selection_changed();
    update();
}

void TMeshView::mousePressEvent(QMouseEvent* event) {
    last_mouse_ = event->position();
    if (!mesh_ || !state_) return;
    const bool alt = event->modifiers().testFlag(Qt::AltModifier);
    if (event->button() == Qt::LeftButton && !alt) {
        drag_ = Drag::tool;
        after_tool(tool_.press(*mesh_, *state_, tool_input(event->position(), event->modifiers())));
    } else if (event->button() == Qt::MiddleButton ||
               (event->button() == Qt::RightButton && event->modifiers().testFlag(Qt::ShiftModifier))) {
        drag_ = Drag::pan;
    } else if (event->button() == Qt::RightButton || (event->button() == Qt::LeftButton && alt)) {
        drag_ = Drag::orbit;
    }
}

void TMeshView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF delta = event->position() - last_mouse_;
    last_mouse_ = event->position();
    if (!mesh_ || !state_) return;
    switch (drag_) {
    case Drag::tool:
        if (tool_.active()) after_tool(tool_.drag(*mesh_, *state_, tool_input(event->position(), event->modifiers())));
        break;
    case Drag::orbit:
        orbit_camera(camera_, delta.x(), delta.y());
        update();
        break;
    case Drag::pan:
        pan_camera(camera_, height(), delta.x(), delta.y());
        update();
        break;
    case Drag::none: break;
    }
    update_status(event->position());
}

void TMeshView::mouseReleaseEvent(QMouseEvent* event) {
    const bool stroke = drag_ == Drag::tool && mesh_ && state_ && event->button() == Qt::LeftButton;
    if (stroke) after_tool(tool_.release(*mesh_, *state_, tool_input(event->position(), event->modifiers())));
    drag_ = Drag::none;
    if (stroke) emit stroke_ended();
}

void TMeshView::wheelEvent(QWheelEvent* event) {
    if (!mesh_) return;
    const double steps = event->angleDelta().y() / 120.0;
    std::optional<Vec3> toward;
    const Ray ray = ray_at(event->position());
    if (const auto hit = pick_grid(*mesh_, kRenderGrid, ray)) toward = Vec3{hit->x, hit->y, hit->z};
    else toward = ray_plane_hit(ray, camera_.target[2]);
    zoom_camera(camera_, std::pow(0.85, steps), toward);
    update();
}

void TMeshView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F) frame_selection();
    else if (event->key() == Qt::Key_Home) reset_camera();
    else XGGLView::keyPressEvent(event);
}

void TMeshView::update_status(QPointF pixel) {
    if (!mesh_ || !state_) return;
    const Ray ray = ray_at(pixel);
    if (const auto marker = pick_marker(*mesh_, ray, kMarkerPickRadius)) {
        emit status_changed(QString::fromStdString(marker_status_text(*mesh_, mesh_->markers[*marker])));
        hover_.reset();
        return;
    }
    hover_ = hit_at(pixel);
    if (hover_) emit status_changed(QString::fromStdString(status_text(hover_->x, hover_->y, hover_->z)));
    if (state_->tool == kToolPullGrid || state_->tool == kToolSmooth) update(); // the brush follows
}

// ---- Drawing -------------------------------------------------------------------------------------

void TMeshView::initialize_view() {
    secondary_color_pointer_ = reinterpret_cast<void (*)(int, unsigned, int, const void*)>(
        context()->getProcAddress("glSecondaryColorPointer"));
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
}

void TMeshView::release_view() { cached_texture_data.release(); }

const TerrainArrays& TMeshView::grid_arrays(int index) {
    if (index == kRenderGrid) return render_arrays_;
    if (!physics_valid_) {
        physics_arrays_ = build_terrain_arrays(*mesh_, kPhysicsGrid);
        physics_valid_ = true;
    }
    return physics_arrays_;
}

void TMeshView::rebuild_markers() {
    MarkerData& markers = cached_marker_data;
    markers.lines.clear();
    markers.selected_lines.clear();
    markers.display = state_->marker_display;
    for (std::size_t k = 0; k < mesh_->markers.size(); ++k) {
        std::vector<float>& out = state_->marker_selected(k) ? markers.selected_lines : markers.lines;
        const mesh_marker& marker = mesh_->markers[k];
        switch (markers.display) {
        case MarkerDisplay::hide: break;
        case MarkerDisplay::markers_only: append_marker_cross_lines(out, marker, 0.3); break;
        case MarkerDisplay::bounding_boxes: append_marker_box_lines(out, marker, MarkerBox{}, kMarkerScale); break;
        default: // the models; a marker without one is drawn as its box
            if (!marker_model(marker)) append_marker_box_lines(out, marker, MarkerBox{}, kMarkerScale);
            break;
        }
    }
    markers.valid = true;
}

void TMeshView::draw_lines(const std::vector<float>& lines, float r, float g, float b, float line_width) {
    if (lines.empty()) return;
    glColor3f(r, g, b);
    glLineWidth(line_width);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, lines.data());
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(lines.size() / 3));
    glDisableClientState(GL_VERTEX_ARRAY);
}

void TMeshView::choose_levels() {
    const TerrainArrays& a = render_arrays_;
    tile_levels_.assign(a.tiles.size(), 0);
    for (std::size_t k = 0; k < a.tiles.size(); ++k) {
        const TerrainTile& tile = a.tiles[k];
        double low_x = 1e30, low_y = 1e30, high_x = -1e30, high_y = -1e30;
        bool behind = false;
        for (const int j : {tile.y0, tile.y0 + tile.height})
            for (const int i : {tile.x0, tile.x0 + tile.width}) {
                const auto at = screen_point({static_cast<double>(i), static_cast<double>(j),
                                              grid_height(*mesh_, kRenderGrid, i, j)});
                if (!at) {
                    behind = true;
                    continue;
                }
                low_x = std::min(low_x, at->x());
                high_x = std::max(high_x, at->x());
                low_y = std::min(low_y, at->y());
                high_y = std::max(high_y, at->y());
            }
        if (behind) continue;
        // Tiles wholly outside the view are left out.
        if (high_x < 0 || high_y < 0 || low_x > width() || low_y > height()) {
            tile_levels_[k] = -1;
            continue;
        }
        tile_levels_[k] = terrain_level_for_pixels(std::max(high_x - low_x, high_y - low_y));
    }
}

void TMeshView::draw_tile(std::size_t k) {
    const TerrainArrays& a = render_arrays_;
    const TerrainTile& tile = a.tiles[k];
    const int level = k < tile_levels_.size() ? tile_levels_[k] : 0;
    if (level < 0) return;
    if (level == 0) {
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(tile.count), GL_UNSIGNED_INT, a.indices.data() + tile.first);
        return;
    }
    const auto l = static_cast<std::size_t>(level - 1);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(tile.coarse_count[l]), GL_UNSIGNED_INT,
                   a.coarse_indices.data() + tile.coarse_first[l]);
}

void TMeshView::draw_terrain() {
    const TerrainArrays& a = render_arrays_;
    if (a.vertex_count() == 0) return;
    if (levels_enabled_) choose_levels();
    else tile_levels_.assign(a.tiles.size(), 0);
    // Each triangle takes the colours of its last vertex.
    glShadeModel(GL_FLAT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, a.positions.data());
    // The overlay rides in the same pass as a secondary colour when the driver has it.
    const bool one_pass = state_->show_terrain_type && secondary_color_pointer_;
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, one_pass ? a.under.data() : a.shade.data());
    if (one_pass) {
        glEnable(kColorSum);
        glEnableClientState(kSecondaryColorArray);
        secondary_color_pointer_(3, GL_UNSIGNED_BYTE, 4, a.over.data());
    }
    // Pushed back a little so that the grids draw over the surface.
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1, 1);
    const bool colormap = state_->show_colormap && cached_txst_info.landscape != kNoTag;
    if (colormap) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, a.texcoords.data());
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        for (const TerrainTile& tile : a.tiles) {
            TextureRequest request;
            request.stack = tile.stack;
            request.layer_kind = 0;
            const bool textured = cached_texture_data.bind(cached_txst_info.landscape, request) >= 0;
            if (textured) {
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
                glEnable(GL_TEXTURE_2D);
            } else {
                glDisable(GL_TEXTURE_2D);
            }
            draw_tile(static_cast<std::size_t>(&tile - a.tiles.data()));
        }
        glDisable(GL_TEXTURE_2D);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    } else {
        for (std::size_t k = 0; k < a.tiles.size(); ++k) draw_tile(k);
    }
    glDisable(GL_POLYGON_OFFSET_FILL);
    if (one_pass) {
        glDisableClientState(kSecondaryColorArray);
        glDisable(kColorSum);
    } else if (state_->show_terrain_type) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, a.overlay.data());
        for (std::size_t k = 0; k < a.tiles.size(); ++k) draw_tile(k);
        glDisable(GL_BLEND);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    // Grids: the triangles of the surface as lines (edges and the checkerboard diagonals).
    const struct {
        int index;
        float r, g, b;
    } grids[] = {{kRenderGrid, 0.05f, 0.05f, 0.05f}, {kPhysicsGrid, 1.0f, 0.55f, 0.1f}};
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (const auto& grid : grids) {
        const auto index = static_cast<std::size_t>(grid.index);
        if (!state_->show_grid[index] && state_->click_target != grid.index) continue;
        const TerrainArrays& lines = grid_arrays(grid.index);
        glVertexPointer(3, GL_FLOAT, 0, lines.positions.data());
        glColor4f(grid.r, grid.g, grid.b, grid.index == kRenderGrid ? 0.35f : 0.8f);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(lines.indices.size()), GL_UNSIGNED_INT, lines.indices.data());
    }
    glDisable(GL_BLEND);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisableClientState(GL_VERTEX_ARRAY);
    glShadeModel(GL_SMOOTH);
    if (!media_valid_) {
        media_lines_ = build_grid_lines(*mesh_, kMediaGrid, 0.0f);
        water_ = build_water_triangles(*mesh_);
        media_valid_ = true;
    }
    if (state_->show_grid[kMediaGrid] || state_->click_target == kMediaGrid)
        draw_lines(media_lines_, 0.3f, 0.6f, 1.0f, 1.0f);
    if (!water_.empty()) {
        // The water's surface, translucent, without writing depth so the ground shows through.
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDepthMask(GL_FALSE);
        glColor4f(0.15f, 0.4f, 0.85f, 0.45f);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, water_.data());
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(water_.size() / 3));
        glDisableClientState(GL_VERTEX_ARRAY);
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
    }
}

void TMeshView::draw_brush() {
    if (!hover_ || (state_->tool != kToolPullGrid && state_->tool != kToolSmooth)) return;
    const double w = state_->brush_width();
    std::vector<float> ring;
    const int index = state_->click_target == kClickNone ? kPhysicsGrid : state_->click_target;
    constexpr int kSegments = 48;
    for (int k = 0; k < kSegments; ++k) {
        for (const int s : {k, k + 1}) {
            const double angle = 2 * 3.14159265358979 * s / kSegments;
            const double x = hover_->x + w * std::cos(angle), y = hover_->y + w * std::sin(angle);
            ring.push_back(static_cast<float>(x));
            ring.push_back(static_cast<float>(y));
            ring.push_back(surface_height(*mesh_, index, x, y) + 0.05f);
        }
    }
    draw_lines(ring, 1.0f, 1.0f, 0.2f, 2.0f);
}

void TMeshView::draw_band() {
    std::vector<float> lines;
    const auto rect = [&](double x0, double y0, double x1, double y1) {
        const double corners[5][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
        for (int k = 0; k < 4; ++k)
            for (int e = k; e <= k + 1; ++e) {
                const double x = corners[e][0], y = corners[e][1];
                lines.push_back(static_cast<float>(x));
                lines.push_back(static_cast<float>(y));
                lines.push_back(surface_height(*mesh_, kRenderGrid, x, y) + 0.05f);
            }
    };
    if (const auto band = tool_.band()) rect((*band)[0], (*band)[1], (*band)[2], (*band)[3]);
    if (state_->band_x0 <= state_->band_x1)
        rect(state_->band_x0, state_->band_y0, state_->band_x1, state_->band_y1);
    draw_lines(lines, 0.2f, 1.0f, 1.0f, 1.5f);
}

void TMeshView::draw_view() {
    glViewport(0, 0, static_cast<GLsizei>(width() * devicePixelRatioF()),
               static_cast<GLsizei>(height() * devicePixelRatioF()));
    glClearColor(0.16f, 0.17f, 0.19f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!mesh_ || !state_ || mesh_->columns <= 0) return;
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glMatrixMode(GL_PROJECTION);
    const Mat4 projection = projection_matrix(camera_, width(), height());
    glLoadMatrixd(projection.data());
    glMatrixMode(GL_MODELVIEW);
    const Mat4 view = view_matrix(camera_);
    glLoadMatrixd(view.data());
    draw_terrain();
    if (!cached_marker_data.valid || cached_marker_data.display != state_->marker_display) rebuild_markers();
    draw_lines(cached_marker_data.lines, 1.0f, 0.9f, 0.3f, 1.0f);
    draw_lines(cached_marker_data.selected_lines, 1.0f, 0.2f, 0.2f, 2.0f);
    draw_marker_models();
    draw_brush();
    draw_band();
}

} // namespace zephane
