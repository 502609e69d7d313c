// The model viewer on a real GL context: the display modes, the box overlay, the culling
// rule, and redraws only on change. Pixels are read back from the frame.

#include "skeletal/ui/skmd_viewer.h"
#include "tags/tag_database.h"

#include <QCoreApplication>
#include <QImage>
#include <gtest/gtest.h>
#include <set>

namespace zephane {
namespace {

// A cube of side 2 around the origin, each face two triangles wound clockwise from outside.
PosedModel cube() {
    PosedModel m;
    for (int k = 0; k < 8; ++k)
        m.positions.push_back({k & 1 ? 1.0f : -1.0f, k & 2 ? 1.0f : -1.0f, k & 4 ? 1.0f : -1.0f});
    // Faces as corner quadruples counter-clockwise from outside; split and reversed below.
    const int faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto& f : faces)
        for (int tri : {0, 1})
            for (int corner : {0, tri ? 3 : 2, tri ? 2 : 1}) m.triangles.push_back(static_cast<std::uint16_t>(f[corner]));
    for (const auto& p : m.positions) {
        const float s = 1.0f / std::sqrt(3.0f);
        m.normals.push_back({p[0] * s, p[1] * s, p[2] * s});
        m.uvs.push_back({0, 0});
    }
    return m;
}

// Pixels that are not the clear colour.
std::size_t drawn_pixels(const QImage& frame) {
    const QRgb background = frame.pixel(0, 0);
    std::size_t count = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) count += frame.pixel(x, y) != background;
    return count;
}

std::size_t distinct_colours(const QImage& frame) {
    std::set<QRgb> colours;
    const QRgb background = frame.pixel(0, 0);
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (frame.pixel(x, y) != background) colours.insert(frame.pixel(x, y));
    return colours.size();
}

long blue_excess(const QImage& frame) {
    long sum = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const QColor c = frame.pixelColor(x, y);
            sum += c.blue() - c.red();
        }
    return sum;
}

class SkmdViewerTest : public ::testing::Test {
protected:
    TagDatabase db;
};

TEST_F(SkmdViewerTest, WireFlatAndSmoothDrawTheBoxDifferently) {
    TskmdViewer viewer(db);
    viewer.resize(96, 96);
    viewer.show();
    viewer.set_geometry(cube());
    viewer.set_display_mode(ModelDisplay::wire);
    const QImage wire = viewer.read_back();
    viewer.set_display_mode(ModelDisplay::flat);
    const QImage flat = viewer.read_back();
    viewer.set_display_mode(ModelDisplay::smooth);
    const QImage smooth = viewer.read_back();
    // Wire draws lines only; the filled modes cover the cube's silhouette.
    EXPECT_GT(drawn_pixels(flat), 2500u);
    EXPECT_LT(drawn_pixels(wire), drawn_pixels(flat) / 3);
    EXPECT_GT(drawn_pixels(wire), 100u);
    // Flat: one shade per visible face (three seen from this corner); smooth: gradients.
    EXPECT_LE(distinct_colours(flat), 4u);
    EXPECT_GT(distinct_colours(smooth), 20u);
    // Lit from the viewer, the visible faces are not dark: they face outwards.
    const QColor middle = flat.pixelColor(48, 48);
    EXPECT_GT(middle.red() + middle.green() + middle.blue(), 150);
}

TEST_F(SkmdViewerTest, TheBoxOverlayShowsOnlyWhenThereAreBoxesAndItIsAsked) {
    TskmdViewer viewer(db);
    viewer.resize(96, 96);
    viewer.show();
    viewer.set_geometry(cube());
    const long plain = blue_excess(viewer.read_back());
    // One box around the cube, half as big again: bounds × 1 / (scale 1 × 512) in model units.
    skmd_collision_box box{};
    for (int i = 0; i < 3; ++i) {
        box.minimum[i] = -768;
        box.maximum[i] = 768;
    }
    viewer.set_collision_overlay({box, box}, {}, 1.0f / 512.0f);
    EXPECT_EQ(viewer.collision_vertex_count(), 48u);
    EXPECT_EQ(viewer.collision_index_count(), 72u);
    EXPECT_EQ(blue_excess(viewer.read_back()), plain) << "not shown until asked";
    viewer.set_overlays_shown({true, false, false, false});
    EXPECT_GT(blue_excess(viewer.read_back()), plain + 1000);
    viewer.set_collision_overlay({}, {}, 1.0f / 512.0f);
    EXPECT_EQ(blue_excess(viewer.read_back()), plain) << "no boxes, no overlay";
}

TEST_F(SkmdViewerTest, TwoSidedStopsCullingOfTheModelOnly) {
    TskmdViewer viewer(db);
    viewer.resize(96, 96);
    viewer.show();
    viewer.set_orbit(0, 0); // straight down
    // A square seen from above with its faces wound counter-clockwise: its back is towards us.
    PosedModel square;
    square.positions = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
    square.triangles = {0, 1, 2, 0, 2, 3};
    square.normals = {{0, 0, -1}, {0, 0, -1}, {0, 0, -1}, {0, 0, -1}};
    viewer.set_geometry(square);
    viewer.set_display_mode(ModelDisplay::flat);
    EXPECT_EQ(drawn_pixels(viewer.read_back()), 0u) << "culled";
    viewer.set_two_sided(true);
    EXPECT_GT(drawn_pixels(viewer.read_back()), 4000u);

    // The box overlay keeps culling: the same overlay pixels with two-sided on and off.
    viewer.set_geometry({{{-1, -1, -5}, {1, -1, -5}, {1, 1, -5}}, {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}}, {}, {0, 2, 1}});
    skmd_collision_box box{};
    for (int i = 0; i < 3; ++i) {
        box.minimum[i] = -256;
        box.maximum[i] = 256;
    }
    viewer.set_collision_overlay({box}, {}, 1.0f / 512.0f);
    viewer.set_overlays_shown({true, false, false, false});
    const QImage on = viewer.read_back();
    viewer.set_two_sided(false);
    const QImage off = viewer.read_back();
    const QPoint centre(48, 48);
    EXPECT_EQ(on.pixel(centre), off.pixel(centre));
}

TEST_F(SkmdViewerTest, RedrawsOnlyWhenSomethingChanged) {
    TskmdViewer viewer(db);
    viewer.resize(64, 64);
    viewer.show();
    viewer.set_geometry(cube());
    viewer.read_back();
    QCoreApplication::processEvents();
    const int frames = viewer.frames_drawn();
    QCoreApplication::processEvents();
    viewer.set_display_mode(ModelDisplay::smooth); // already smooth: nothing to redraw
    QCoreApplication::processEvents();
    EXPECT_EQ(viewer.frames_drawn(), frames);
    viewer.set_normals(true);
    QCoreApplication::processEvents();
    EXPECT_GT(viewer.frames_drawn(), frames);
}

} // namespace
} // namespace zephane
