#include "skeletal/ui/skmd_viewer.h"

#include "base/errors.h"
#include "textures/ui/gl_texture_cache.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <GL/gl.h>
#include <algorithm>
#include <cmath>

namespace zephane {

namespace {

constexpr const char* kModule = "TskmdViewer";
constexpr float kPi = 3.14159265358979f;
constexpr int kCylinderSides = 20;
constexpr int kRingVertices = 42;
constexpr float kInitialYaw = 30.0f, kInitialPitch = -60.0f;
constexpr float kOrbitDegreesPerPixel = 0.5f;

// Corners of each face of a box (indices into the eight corners, bit 0 = x, 1 = y, 2 = z
// at the maximum), in the face order −X, +X, −Y, +Y, −Z, +Z.
constexpr int kFaceCorners[6][4] = {{0, 4, 6, 2}, {1, 3, 7, 5}, {0, 1, 5, 4},
                                    {2, 6, 7, 3}, {0, 2, 3, 1}, {4, 5, 7, 6}};
constexpr float kFaceNormals[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
constexpr int kFaceTriangles[6] = {0, 3, 2, 0, 2, 1};

void material(const float (&colour)[4]) { glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, colour); }

} // namespace

TskmdViewer::TskmdViewer(TagDatabase& db, QWidget* parent)
    : XGGLView(parent), db_(db), textures_(std::make_unique<GlTextureCache>(db)) {
    setMinimumSize(160, 160);
}

TskmdViewer::~TskmdViewer() { release_gl(); }

// ---- What the form sets --------------------------------------------------------------------

void TskmdViewer::set_geometry(PosedModel posed) {
    posed_ = std::move(posed);
    flat_positions_.clear();
    flat_normals_.clear();
    flat_uvs_.clear();
    for (std::size_t t = 0; t + 2 < posed_.triangles.size(); t += 3) {
        const auto& a = posed_.positions[posed_.triangles[t]];
        const auto& b = posed_.positions[posed_.triangles[t + 1]];
        const auto& c = posed_.positions[posed_.triangles[t + 2]];
        // Faces are wound clockwise seen from outside.
        const float u[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const float v[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        std::array<float, 3> n{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (length > 0)
            for (float& x : n) x /= length;
        // Flat shading draws each face on its own vertices carrying the face's normal.
        for (std::size_t k = 0; k < 3; ++k) {
            const std::uint16_t corner = posed_.triangles[t + k];
            flat_positions_.push_back(posed_.positions[corner]);
            flat_normals_.push_back(n);
            flat_uvs_.push_back(corner < posed_.uvs.size() ? posed_.uvs[corner] : std::array<float, 2>{0, 0});
        }
    }
    update();
}

void TskmdViewer::set_display_mode(ModelDisplay mode) {
    if (mode == mode_) return;
    mode_ = mode;
    update();
}

void TskmdViewer::set_normals(bool shown) {
    if (shown == normals_) return;
    normals_ = shown;
    update();
}

void TskmdViewer::set_two_sided(bool two_sided) {
    if (two_sided == two_sided_) return;
    two_sided_ = two_sided;
    update();
}

void TskmdViewer::set_collision_overlay(const std::vector<skmd_collision_box>& boxes, VolumeSize collision,
                                        float display_factor) {
    build_box_mesh(boxes, display_factor);
    collision_ = collision;
    update();
}

void TskmdViewer::build_box_mesh(const std::vector<skmd_collision_box>& boxes, float factor) {
    box_positions_.clear();
    box_normals_.clear();
    box_indices_.clear();
    for (const skmd_collision_box& box : boxes) {
        const float lo[3] = {box.minimum[0] * factor, box.minimum[1] * factor, box.minimum[2] * factor};
        const float hi[3] = {box.maximum[0] * factor, box.maximum[1] * factor, box.maximum[2] * factor};
        for (int face = 0; face < 6; ++face) {
            const auto first = static_cast<std::uint32_t>(box_positions_.size());
            for (int corner : kFaceCorners[face]) {
                box_positions_.push_back({corner & 1 ? hi[0] : lo[0], corner & 2 ? hi[1] : lo[1],
                                          corner & 4 ? hi[2] : lo[2]});
                box_normals_.push_back({kFaceNormals[face][0], kFaceNormals[face][1], kFaceNormals[face][2]});
            }
            for (int k : kFaceTriangles) box_indices_.push_back(first + static_cast<std::uint32_t>(k));
        }
    }
    ZEPHANE_ASSERT(box_positions_.size() == 24 * boxes.size(), "v == collision_vertex_count", kModule);
    ZEPHANE_ASSERT(box_indices_.size() == 36 * boxes.size(), "t == collision_index_count", kModule);
}

void TskmdViewer::set_click_overlay(VolumeSize click) {
    click_ = click;
    update();
}

void TskmdViewer::set_highlight_overlay(VolumeSize highlight) {
    highlight_ = highlight;
    update();
}

void TskmdViewer::set_overlays_shown(ViewerOverlays shown) {
    shown_ = shown;
    update();
}

void TskmdViewer::set_texture(tag_id stacks, std::size_t stack) {
    if (stacks == stacks_ && stack == stack_) return;
    stacks_ = stacks;
    stack_ = stack;
    update();
}

void TskmdViewer::reset_view() {
    yaw_ = kInitialYaw;
    pitch_ = kInitialPitch;
    zoom_ = 1.0f;
    update();
}

void TskmdViewer::set_orbit(float yaw, float pitch) {
    yaw_ = yaw;
    pitch_ = pitch;
    update();
}

// ---- Mouse ---------------------------------------------------------------------------------

void TskmdViewer::mousePressEvent(QMouseEvent* event) { last_mouse_ = event->position().toPoint(); }

void TskmdViewer::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPoint at = event->position().toPoint();
    const QPoint moved = at - last_mouse_;
    last_mouse_ = at;
    yaw_ += static_cast<float>(moved.x()) * kOrbitDegreesPerPixel;
    pitch_ = std::clamp(pitch_ + static_cast<float>(moved.y()) * kOrbitDegreesPerPixel, -180.0f, 0.0f);
    update();
}

void TskmdViewer::mouseDoubleClickEvent(QMouseEvent*) { reset_view(); }

void TskmdViewer::wheelEvent(QWheelEvent* event) {
    const float steps = static_cast<float>(event->angleDelta().y()) / 120.0f;
    zoom_ = std::clamp(zoom_ * std::pow(1.15f, steps), 0.05f, 50.0f);
    update();
}

// ---- Drawing -------------------------------------------------------------------------------

void TskmdViewer::initialize_view() {
    glClearColor(0.18f, 0.19f, 0.21f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    const float white[4] = {1, 1, 1, 1};
    const float ambient[4] = {0.25f, 0.25f, 0.25f, 1};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
}

void TskmdViewer::release_view() { textures_->release(); }

void TskmdViewer::draw_view() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // An orthographic projection fitted to the vertices' bounding box, whatever the orbit.
    float lo[3] = {-1, -1, -1}, hi[3] = {1, 1, 1};
    if (!posed_.positions.empty()) {
        for (int i = 0; i < 3; ++i) lo[i] = hi[i] = posed_.positions[0][static_cast<std::size_t>(i)];
        for (const auto& p : posed_.positions)
            for (std::size_t i = 0; i < 3; ++i) {
                lo[i] = std::min(lo[i], p[i]);
                hi[i] = std::max(hi[i], p[i]);
            }
    }
    const float centre[3] = {(lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2, (lo[2] + hi[2]) / 2};
    float radius = 0.5f * std::sqrt((hi[0] - lo[0]) * (hi[0] - lo[0]) + (hi[1] - lo[1]) * (hi[1] - lo[1]) +
                                    (hi[2] - lo[2]) * (hi[2] - lo[2]));
    if (!(radius > 0)) radius = 1;
    const float aspect = height() > 0 ? static_cast<float>(width()) / static_cast<float>(height()) : 1.0f;
    const float half = radius * 1.1f / zoom_;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-half * aspect, half * aspect, -half, half, -radius * 10, radius * 10);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The light is placed before the orbit: it stays with the viewer.
    const float light[4] = {0.3f, 0.4f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glRotatef(pitch_, 1, 0, 0);
    glRotatef(yaw_, 0, 0, 1);
    glTranslatef(-centre[0], -centre[1], -centre[2]);

    if (two_sided_) {
        glDisable(GL_CULL_FACE);
    } else {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
    }
    draw_model();
    if (normals_) draw_normals();
    draw_overlays();
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glFlush();
}

void TskmdViewer::draw_model() {
    if (posed_.triangles.empty()) return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, posed_.positions.data());
    const auto count = static_cast<GLsizei>(posed_.triangles.size());
    if (mode_ == ModelDisplay::wire) {
        glDisable(GL_LIGHTING);
        glColor3f(0.85f, 0.9f, 1.0f);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glDrawElements(GL_TRIANGLES, count, GL_UNSIGNED_SHORT, posed_.triangles.data());
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glDisableClientState(GL_VERTEX_ARRAY);
        return;
    }
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    const float white[4] = {1, 1, 1, 1};
    material(white);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    const bool textured = stacks_ != kNoTag && !posed_.uvs.empty() &&
                          textures_->bind(stacks_, {stack_, 0, -1, -1}) >= 0;
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, posed_.uvs.data());
    }
    if (mode_ == ModelDisplay::smooth) {
        glShadeModel(GL_SMOOTH);
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, posed_.normals.data());
        glDrawElements(GL_TRIANGLES, count, GL_UNSIGNED_SHORT, posed_.triangles.data());
        glDisableClientState(GL_NORMAL_ARRAY);
    } else {
        // One computed normal per face.
        glShadeModel(GL_FLAT);
        glVertexPointer(3, GL_FLOAT, 0, flat_positions_.data());
        if (textured) glTexCoordPointer(2, GL_FLOAT, 0, flat_uvs_.data());
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, flat_normals_.data());
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(flat_positions_.size()));
        glDisableClientState(GL_NORMAL_ARRAY);
    }
    if (textured) {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisable(GL_TEXTURE_2D);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}

void TskmdViewer::draw_normals() {
    if (posed_.positions.empty()) return;
    glDisable(GL_LIGHTING);
    glColor3f(1.0f, 0.85f, 0.2f);
    float lo = posed_.positions[0][0], hi = lo;
    for (const auto& p : posed_.positions)
        for (float x : p) {
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
    const float length = (hi - lo) * 0.05f;
    glBegin(GL_LINES);
    for (std::size_t v = 0; v < posed_.positions.size() && v < posed_.normals.size(); ++v) {
        const auto& p = posed_.positions[v];
        const auto& n = posed_.normals[v];
        glVertex3fv(p.data());
        glVertex3f(p[0] + n[0] * length, p[1] + n[1] * length, p[2] + n[2] * length);
    }
    glEnd();
}

void TskmdViewer::draw_cylinder(VolumeSize size, const float (&colour)[4]) {
    if (size.empty()) return;
    material(colour);
    const float top = size.height_above, bottom = -size.height_below;
    glBegin(GL_QUAD_STRIP);
    for (int k = 0; k <= kCylinderSides; ++k) {
        const float a = static_cast<float>(k) * 2 * kPi / kCylinderSides;
        glNormal3f(std::cos(a), std::sin(a), 0);
        glVertex3f(size.radius * std::cos(a), size.radius * std::sin(a), top);
        glVertex3f(size.radius * std::cos(a), size.radius * std::sin(a), bottom);
    }
    glEnd();
    for (const float z : {top, bottom}) {
        glBegin(GL_TRIANGLE_FAN);
        glNormal3f(0, 0, z == top ? 1.0f : -1.0f);
        glVertex3f(0, 0, z);
        for (int k = 0; k <= kCylinderSides; ++k) {
            const float a = static_cast<float>(z == top ? k : kCylinderSides - k) * 2 * kPi / kCylinderSides;
            glVertex3f(size.radius * std::cos(a), size.radius * std::sin(a), z);
        }
        glEnd();
    }
}

void TskmdViewer::draw_highlight_ring(VolumeSize size) {
    if (size.empty()) return;
    glDisable(GL_CULL_FACE);
    const float yellow[4] = {1, 1, 0, 0.5f};
    material(yellow);
    const float r = size.radius;
    glNormal3f(0, 0, 1);
    glBegin(GL_TRIANGLE_STRIP);
    for (int k = 0; k < kRingVertices; ++k) {
        const float a = static_cast<float>(k / 2) * 2 * kPi / 20;
        const float at = (k % 2 ? 1.1f : 0.9f) * r;
        glVertex3f(at * std::cos(a), at * std::sin(a), 0);
    }
    glEnd();
    // The pointer: a short spike out of the ring at −30 degrees.
    const float a = -30.0f * kPi / 180.0f, spread = 3.0f * kPi / 180.0f;
    glBegin(GL_TRIANGLES);
    glVertex3f(1.1f * r * std::cos(a - spread), 1.1f * r * std::sin(a - spread), 0);
    glVertex3f(1.2f * r * std::cos(a), 1.2f * r * std::sin(a), 0);
    glVertex3f(1.1f * r * std::cos(a + spread), 1.1f * r * std::sin(a + spread), 0);
    glEnd();
}

void TskmdViewer::draw_overlays() {
    const bool any = (shown_.collision_boxes && !box_indices_.empty()) || shown_.collision_volume ||
                     shown_.click_volume || shown_.highlight_ring;
    if (!any) return;
    glDepthMask(GL_FALSE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    if (shown_.collision_boxes && !box_indices_.empty()) {
        const float blue[4] = {0, 0, 1, 0.2f};
        material(blue);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, box_positions_.data());
        glNormalPointer(GL_FLOAT, 0, box_normals_.data());
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(box_indices_.size()), GL_UNSIGNED_INT,
                       box_indices_.data());
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    if (shown_.collision_volume) draw_cylinder(collision_, {0, 0, 1, 0.2f});
    if (shown_.click_volume) draw_cylinder(click_, {1, 0, 0, 0.2f});
    if (shown_.highlight_ring) {
        draw_cylinder(highlight_, {1, 1, 0, 0.2f});
        draw_highlight_ring(highlight_);
    }
    // Last, the ground the model stands on (z = 0): a disc as wide as the largest volume shown.
    const float extent = std::max({shown_.collision_volume ? collision_.radius : 0.0f,
                                   shown_.click_volume ? click_.radius : 0.0f,
                                   shown_.highlight_ring ? highlight_.radius : 0.0f});
    if (extent > 0) {
        glDisable(GL_CULL_FACE);
        const float green[4] = {0, 1, 0, 0.3f};
        material(green);
        glNormal3f(0, 0, 1);
        glBegin(GL_TRIANGLE_FAN);
        glVertex3f(0, 0, 0);
        for (int k = 0; k <= kCylinderSides; ++k) {
            const float a = static_cast<float>(k) * 2 * kPi / kCylinderSides;
            glVertex3f(extent * std::cos(a), extent * std::sin(a), 0);
        }
        glEnd();
    }
}

} // namespace zephane
