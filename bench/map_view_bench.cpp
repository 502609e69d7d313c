// The map view on a 512 × 512-cell map with its colormap (1,024 tiles), the terrain-type
// overlay and 5,000 markers as bounding boxes, drawn at 1280 × 800, against the floor: the
// same terrain triangles drawn bare with one vertex-array call. Both are timed in this run
// (draw and glFinish, the context current). Then one Pull Grid drag step at the widest brush
// with its redraw.
// Usage: map_view_bench   (under an X server with GL: bench/run-map-view-benchmark.sh)
// Last line: "map view: F fps, ratio R".

#include "framework/xg_gl_view.h"
#include "map_fixtures.h"
#include "mesh/tools/map_tools.h"
#include "mesh/ui/map_view.h"
#include "render/map_scene.h"
#include "tags/tag_database.h"

#include <GL/gl.h>
#include <QApplication>
#include <QSurfaceFormat>
#include <QThread>
#include <chrono>
#include <cstdio>

using namespace zephane;

namespace {

constexpr int kWidth = 1280, kHeight = 800, kFrames = 30;

// The view with its frame drawn on demand.
class TimedMapView : public TMeshView {
public:
    using TMeshView::TMeshView;
    void draw_once() { draw_view(); }
};

// The floor: the terrain's triangles (its positions and indices) in one call, no colour,
// texture or overlay.
class FloorView : public XGGLView {
public:
    FloorView(const TerrainArrays& arrays, const MapCamera& camera) : arrays_(arrays), camera_(camera) {}
    ~FloorView() override { release_gl(); }
    void draw_once() { draw_view(); }

protected:
    void draw_view() override {
        glViewport(0, 0, width(), height());
        glClearColor(0.16f, 0.17f, 0.19f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glMatrixMode(GL_PROJECTION);
        const Mat4 projection = projection_matrix(camera_, width(), height());
        glLoadMatrixd(projection.data());
        glMatrixMode(GL_MODELVIEW);
        const Mat4 view = view_matrix(camera_);
        glLoadMatrixd(view.data());
        glColor3f(0.6f, 0.7f, 0.4f);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, arrays_.positions.data());
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(arrays_.indices.size()), GL_UNSIGNED_INT,
                       arrays_.indices.data());
        glDisableClientState(GL_VERTEX_ARRAY);
    }

private:
    const TerrainArrays& arrays_;
    const MapCamera& camera_;
};

void settle() {
    for (int k = 0; k < 10; ++k) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

template <typename Draw> double seconds_per_frame(QOpenGLWidget& widget, Draw draw) {
    widget.makeCurrent();
    draw(); // warm: uploads, caches
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < kFrames; ++k) draw();
    glFinish();
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    widget.doneCurrent();
    return elapsed / kFrames;
}

} // namespace

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(XGGLView::view_format());
    QApplication app(argc, argv);
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    Mesh mesh = maptest::hills_mesh(512, 512, 5000);
    mesh.header.landscape = fourcc("land");
    db.add_tag(file, fourcc("txst"), fourcc("land"), 1, "Colormap", 0, 0, maptest::colormap_payload(512, 512));
    MapEditorState state;
    state.show_terrain_type = true;
    state.click_target = kClickNone; // no grid lines
    state.show_grid = {};
    state.marker_display = MarkerDisplay::bounding_boxes;

    TimedMapView view(db);
    view.resize(kWidth, kHeight);
    view.show();
    settle();
    view.set_mesh(&mesh, &state);
    view.camera().distance = 420; // the whole map in sight
    view.camera().elevation = 50;
    const double ours = seconds_per_frame(view, [&] { view.draw_once(); });
    view.set_levels_enabled(false); // every tile at full detail
    const double ours_full = seconds_per_frame(view, [&] { view.draw_once(); });
    view.set_levels_enabled(true);

    FloorView floor(view.render_arrays(), view.camera());
    floor.resize(kWidth, kHeight);
    floor.show();
    settle();
    const double bare = seconds_per_frame(floor, [&] { floor.draw_once(); });
    floor.hide();

    // One Pull Grid step at the widest brush, the view's caches and a redraw included.
    state.tool = kToolPullGrid;
    state.width_slider = 1000;
    state.click_target = kRenderGrid;
    MapToolDrag drag;
    ToolInput press;
    press.hit = ToolPoint{256, 256, 6};
    drag.press(mesh, state, press);
    ToolInput step = press;
    step.lift = 2;
    const double pull = seconds_per_frame(view, [&] {
        step.lift += 0.01;
        view.mesh_changed(drag.drag(mesh, state, step));
        view.draw_once();
    });

    std::printf("terrain: %zu triangles, %zu markers, %d x %d\n", view.render_arrays().triangle_count(),
                mesh.markers.size(), kWidth, kHeight);
    std::printf("floor (bare triangles, one call): %.1f ms/frame\n", bare * 1000);
    std::printf("map view, every tile at full detail: %.1f ms/frame (%.1f fps, ratio %.2f)\n", ours_full * 1000,
                1 / ours_full, ours_full / bare);
    std::printf("map view (colormap, overlay, boxes): %.1f ms/frame\n", ours * 1000);
    std::printf("pull grid step at width %.0f cells with redraw: %.1f ms\n", state.brush_width(), pull * 1000);
    std::printf("map view: %.1f fps, ratio %.2f\n", 1 / ours, ours / bare);
    std::fflush(stdout);
    return 0;
}
