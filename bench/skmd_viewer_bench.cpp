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
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, model_.positions.data());
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(model_.triangles.size()), GL_UNSIGNED_SHORT,
                       model_.triangles.data());
        glDisableClientState(GL_VERTEX_ARRAY);
        glFlush(); // as the viewer does
    }

private:
    const PosedModel& model_;
};

double frames_seconds(QWidget& view) {
    return bench::best_seconds(3, [&] {
        for (int k = 0; k < kFrames; ++k) view.repaint();
    }) / kFrames;
}

} // namespace

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(XGGLView::view_format());
    QApplication application(argc, argv);
    const PosedModel model = sphere();
    TagDatabase db;
    TskmdViewer viewer(db);
    viewer.resize(640, 640);
    viewer.set_geometry(model);
    std::vector<skmd_collision_box> boxes;
    for (int k = 0; k < 63; ++k) { // a box tree of six levels over the sphere
        skmd_collision_box box{};
        const int depth = static_cast<int>(std::log2(k + 1));
        const int extent = 512 >> depth;
        for (int i = 0; i < 3; ++i) {
            box.minimum[i] = static_cast<std::int16_t>(-extent);
            box.maximum[i] = static_cast<std::int16_t>(extent);
        }
        boxes.push_back(box);
    }
    viewer.set_collision_overlay(boxes, {0.8f, 1.0f, 1.0f}, 1.0f / 512.0f);
    viewer.set_click_overlay({0.9f, 1.1f, 1.0f});
    viewer.set_highlight_overlay({1.0f, 0.2f, 0.2f});
    viewer.set_overlays_shown({true, true, true, true});
    viewer.set_normals(false);
    viewer.show();
    FloorView floor(model);
    floor.resize(640, 640);
    floor.show();
    QCoreApplication::processEvents();

    const double ours = frames_seconds(viewer);
    const double base = frames_seconds(floor);
    std::printf("model: %zu vertices, %zu triangles, %zu collision boxes\n", model.positions.size(),
                model.triangle_count(), boxes.size());
    const bool ok = bench::report("model viewer redraw with every overlay, per frame", ours, base, 1.5);
    return ok ? 0 : 1;
}
