// The model viewer redrawing a 4,000-vertex model with every overlay (box tree, the three
// volumes, the highlight ring, the ground) in smooth mode, against the floor: the same
// triangles drawn alone with one vertex-array call in a view of the same size. Both are
// redrawn 300 times; best of 3 rounds. Run under Xvfb (bench/run-viewer-benchmark.sh).

#include <QApplication>
#include <QSurfaceFormat>
#include <GL/gl.h>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "bench_util.h"
#include "skeletal/ui/skmd_viewer.h"
#include "tags/tag_database.h"

using namespace zephane;

namespace {

constexpr int kRings = 50, kSegments = 80; // 50 × 80 = 4,000 vertices
constexpr int kFrames = 300;

// A closed-ish sphere of 4,000 vertices, faces wound clockwise seen from outside.
PosedModel sphere() {
    PosedModel m;
    for (int r = 0; r < kRings; ++r)
        for (int s = 0; s < kSegments; ++s) {
            const float theta = 3.14159265f * static_cast<float>(r + 1) / (kRings + 1);
            const float phi = 2 * 3.14159265f * static_cast<float>(s) / kSegments;
            const std::array<float, 3> p{std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi),
                                         std::cos(theta)};
            m.positions.push_back(p);
            m.normals.push_back(p);
            m.uvs.push_back({static_cast<float>(s) / kSegments, static_cast<float>(r) / kRings});
        }
    for (int r = 0; r + 1 < kRings; ++r)
        for (int s = 0; s < kSegments; ++s) {
            const auto at = [](int ring, int seg) { return static_cast<std::uint16_t>(ring * kSegments + seg % kSegments); };
            for (std::uint16_t v : {at(r, s), at(r, s + 1), at(r + 1, s), at(r + 1, s), at(r, s + 1), at(r + 1, s + 1)})
                m.triangles.push_back(v);
        }
    return m;
}

class FloorView : public XGGLView {
public:
    explicit FloorView(const PosedModel& model) : model_(model) {}
    ~FloorView() override { release_gl(); }

protected:
    void draw_view() override {
        // The same picture's geometry: the viewer's fitted projection, orbit, depth test and
        // culling, one colour, no lighting.
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
        const float half = std::sqrt(3.0f) * 1.1f;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-half, half, -half, half, -20, 20);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotatef(-60, 1, 0, 0);
        glRotatef(30, 0, 0, 1);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, model_.positions.data());
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(model_.triangles.size()), GL_UNSIGNED_SHORT,
                       model_.triangles.data());
        glDisableClientState(GL_VERTEX_ARRAY);
    }

private:
    const PosedModel& model_;
};

double frames_seconds(XGGLView& view) {
    view.read_back(); // the context exists and the first frame's set-up is done
    return bench::best_seconds(3, [&] {
        for (int k = 0; k < kFrames; ++k) view.draw_and_finish();
    }) / kFrames;
}

} // namespace

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(XGGLView::view_format());
    QApplication application(argc, argv);
    const PosedModel model = sphere();
    TagDatabase db;
    TskmdViewer viewer(db);
    viewer.resize(viewer.sizeHint()); // as the model set editor shows it
    viewer.set_geometry(model);
    // A box tree of six levels over the sphere, as the collision build makes one: each box
    // split in two along an axis taken in turn, so each level covers the model once.
    std::vector<skmd_collision_box> boxes;
    skmd_collision_box root{};
    for (int i = 0; i < 3; ++i) {
        root.minimum[i] = -512;
        root.maximum[i] = 512;
    }
    std::vector<skmd_collision_box> level{root};
    for (int depth = 0; depth < 6; ++depth) {
        boxes.insert(boxes.end(), level.begin(), level.end());
        std::vector<skmd_collision_box> next;
        for (const skmd_collision_box& box : level) {
            const int axis = depth % 3;
            const auto middle = static_cast<std::int16_t>((box.minimum[axis] + box.maximum[axis]) / 2);
            skmd_collision_box low = box, high = box;
            low.maximum[axis] = middle;
            high.minimum[axis] = middle;
            next.push_back(low);
            next.push_back(high);
        }
        level = std::move(next);
    }
    viewer.set_collision_overlay(boxes, {0.8f, 1.0f, 1.0f}, 1.0f / 512.0f);
    viewer.set_click_overlay({0.9f, 1.1f, 1.0f});
    viewer.set_highlight_overlay({1.0f, 0.2f, 0.2f});
    viewer.set_overlays_shown({true, true, true, true});
    viewer.set_normals(false);
    viewer.show();
    FloorView floor(model);
    floor.resize(viewer.size());
    floor.show();
    QCoreApplication::processEvents();

    const double ours = frames_seconds(viewer);
    const double base = frames_seconds(floor);
    std::printf("model: %zu vertices, %zu triangles, %zu collision boxes\n", model.positions.size(),
                model.triangle_count(), boxes.size());
    const bool ok = bench::report("model viewer redraw with every overlay, per frame", ours, base, 1.5);
    return ok ? 0 : 1;
}
