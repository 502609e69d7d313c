// The map editor on a real GL context: opening a mesh, the tools driven by mouse events
// through the view with the bytes saved compared with the core functions, the Mesh menu's
// rules through the form and the panel, palette Delete through the pane, and pixels read back
// for the terrain-type overlay and a marker's transform.

#include "app/command_ids.h"
#include "app/tag_editor_registry.h"
#include "mesh/edit/brush.h"
#include "mesh/edit/mesh_markers_edit.h"
#include "mesh/edit/strokes.h"
#include "mesh/tools/map_editor_state.h"
#include "mesh/ui/map_form.h"
#include "mesh/ui/map_panel.h"
#include "mesh/ui/map_view.h"
#include "mesh/ui/mesh_form.h"
#include "map_fixtures.h"
#include "mesh/new_mesh.h"
#include "render/map_scene.h"
#include "render/marker_models.h"
#include "definitions/scen.h"
#include "skeletal/skl_import.h"
#include "skeletal/skl_reader.h"
#include "skeletal/skmd_payload.h"
#include "skl_builder.h"
#include "tags/tag_database.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSlider>
#include <QThread>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace zephane {
namespace {

using namespace mesh_command;
using Bytes = std::vector<std::uint8_t>;

void settle() {
    for (int k = 0; k < 5; ++k) {
        QApplication::processEvents();
        QThread::msleep(5);
    }
}

void mouse(QWidget& view, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers modifiers = {}) {
    QMouseEvent event(type, at, view.mapToGlobal(at), button, buttons, modifiers);
    QCoreApplication::sendEvent(&view, &event);
}

// Press at a, move in steps to b, release at b.
void left_drag(QWidget& view, QPointF a, QPointF b, Qt::KeyboardModifiers modifiers = {}) {
    mouse(view, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton, modifiers);
    for (int k = 1; k <= 4; ++k)
        mouse(view, QEvent::MouseMove, a + (b - a) * (k / 4.0), Qt::NoButton, Qt::LeftButton, modifiers);
    mouse(view, QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton, modifiers);
}

bool same_cells(const Mesh& a, const Mesh& b) {
    return a.cells.size() == b.cells.size() &&
           std::memcmp(a.cells.data(), b.cells.data(), a.cells.size() * sizeof(mesh_cell)) == 0;
}

class MapEditorGl : public ::testing::Test {
protected:
    void open(const Mesh& mesh) {
        tag = db.add_tag(file, fourcc("mesh"), fourcc("test"), 11, "Test Map", 0, 0, save_mesh(mesh));
        original = *tag->data;
        window = make_map_editor(db, *tag);
        form = static_cast<TMeshForm*>(window.get());
        form->reload();
        form->resize(900, 700);
        form->show();
        settle();
    }
    TMeshView& view() { return form->view(); }
    QPointF pixel_of(double x, double y) {
        const Vec3 p{x, y, surface_height(form->mesh(), kRenderGrid, x, y)};
        return *view().screen_point(p);
    }
    // No colormap, no grid, the camera straight down at (x, y) from the distance.
    void look_down(double x, double y, double distance) {
        form->state().show_colormap = false;
        form->state().click_target = kClickNone;
        form->state().show_grid = {};
        view().camera().elevation = 89;
        view().camera().distance = distance;
        view().camera().target = {x, y, 0};
        view().state_changed();
    }
    Bytes applied() {
        EXPECT_TRUE(form->isModified());
        EXPECT_TRUE(form->apply());
        EXPECT_FALSE(form->isModified());
        return *tag->data;
    }

    TagDatabase db;
    TagFile* file = db.create_tag_file();
    TagEntry* tag = nullptr;
    Bytes original;
    std::unique_ptr<TagEditorWindow> window;
    TMeshForm* form = nullptr;
};

TEST_F(MapEditorGl, OpensAsTheMeshTypesEditorWithTheInitialState) {
    register_mesh_editors();
    const TagEditorFactory* editor = tag_editor_factory(fourcc("mesh"), false);
    const TagEditorFactory* alternate = tag_editor_factory(fourcc("mesh"), true);
    ASSERT_TRUE(editor && alternate);
    tag = db.add_tag(file, fourcc("mesh"), fourcc("open"), 11, "Opened", 0, 0, save_mesh(maptest::hills_mesh(64, 32, 3)));
    auto made = (*editor)(db, *tag);
    EXPECT_TRUE(dynamic_cast<TMeshForm*>(made.get()));
    made.reset();
    detach_all_tag_editors();

    open(maptest::hills_mesh(64, 32, 3));
    const MapEditorState& s = form->state();
    EXPECT_EQ(s.click_target, kRenderGrid);
    EXPECT_EQ(s.modify, kNewEditorModifyFlags);
    EXPECT_EQ(s.terrain_type, 6);
    for (const int slot : s.palette_selection) EXPECT_EQ(slot, -1);
    EXPECT_DOUBLE_EQ(view().camera().target[0], 32);
    EXPECT_DOUBLE_EQ(view().camera().target[1], 16);
    EXPECT_DOUBLE_EQ(view().camera().elevation, 30);
    EXPECT_DOUBLE_EQ(view().camera().azimuth, 90);
    EXPECT_DOUBLE_EQ(view().camera().distance, 60);
    using namespace map_panel_control;
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(form->panel().find_control(kClickRender))->isChecked());
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(form->panel().find_control(kMaskPhysical))->isChecked());
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(form->panel().find_control(kFirstTerrainType + 6))->isChecked());
    EXPECT_FALSE(form->isModified());
    // The status line follows the mouse in the first form.
    mouse(view(), QEvent::MouseMove, QPointF(450, 450), Qt::NoButton, Qt::NoButton);
    const QString text = form->status_line().text();
    EXPECT_TRUE(text.startsWith("x: ")) << text.toStdString();
    EXPECT_TRUE(text.contains("    y: ") && text.contains("    z: "));
}

TEST_F(MapEditorGl, PullGridAndSmoothByMouseDragStoreTheCoreResult) {
    for (const int tool : {kToolPullGrid, kToolSmooth}) {
        open(maptest::hills_mesh(32, 32, 0));
        Mesh expected = load_mesh(original);
        form->state().tool = tool;
        const QPointF a = pixel_of(15.3, 16.6), b = a + QPointF(0, -60);
        const auto hit = view().hit_at(a);
        ASSERT_TRUE(hit);
        left_drag(view(), a, b);
        const MapEditorState& s = form->state();
        const Press press = press_brush(expected, hit->x, hit->y, s.brush_width(), s.brush_round(), s.brush_soft());
        const double h = vertical_line_height(camera_ray(view().camera(), view().width(), view().height(), b.x(), b.y()),
                                              {hit->x, hit->y, hit->z});
        EXPECT_GT(h, 0.5);
        if (tool == kToolPullGrid) pull_grid(expected, press, h, kNewEditorModifyFlags);
        else smooth_grid(expected, press, h, kNewEditorModifyFlags);
        EXPECT_TRUE(same_cells(form->mesh(), expected));
        EXPECT_EQ(applied(), save_mesh(expected)) << tool;
        window.reset();
    }
}

TEST_F(MapEditorGl, EachDragIsOneUndoStepThatGivesTheBytesBack) {
    open(maptest::hills_mesh(32, 32, 0));
    form->state().tool = kToolPullGrid;
    const QPointF a = pixel_of(15.3, 16.6);
    // A drag of several moves makes one step.
    mouse(view(), QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
    for (int k = 1; k <= 4; ++k) mouse(view(), QEvent::MouseMove, a + QPointF(0, -15 * k), Qt::NoButton, Qt::LeftButton);
    mouse(view(), QEvent::MouseButtonRelease, a + QPointF(0, -60), Qt::LeftButton, Qt::NoButton);
    const Bytes pulled = save_mesh(form->mesh());
    ASSERT_NE(pulled, save_mesh(load_mesh(original)));
    QUndoStack& steps = form->undo_stack();
    ASSERT_EQ(steps.count(), 1);
    EXPECT_EQ(steps.undoText(), "Stroke");
    left_drag(view(), pixel_of(8.2, 9.1), pixel_of(8.2, 9.1) + QPointF(0, -30));
    EXPECT_EQ(steps.count(), 2);

    steps.undo();
    steps.undo();
    EXPECT_EQ(applied(), save_mesh(load_mesh(original))) << "undone: the bytes as before the strokes";
    steps.redo();
    EXPECT_EQ(save_mesh(form->mesh()), pulled);
    EXPECT_TRUE(form->isModified());
}

TEST_F(MapEditorGl, TerrainTypeAndWaterStrokesFollowTheMouse) {
    open(maptest::hills_mesh(32, 32, 0));
    Mesh expected = load_mesh(original);
    form->state().tool = kToolTerrainType;
    form->state().terrain_type = 10;
    const QPointF a = pixel_of(8.4, 12.2), b = pixel_of(20.7, 15.1);
    const auto ha = view().hit_at(a), hb = view().hit_at(b);
    ASSERT_TRUE(ha && hb);
    mouse(view(), QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
    mouse(view(), QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
    mouse(view(), QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton);
    for (const auto& [p, q] : {std::pair{*ha, *ha}, std::pair{*ha, *hb}, std::pair{*hb, *hb}})
        paint_terrain(expected, stroke_triangles(expected, p.x, p.y, q.x, q.y), 10);
    EXPECT_TRUE(same_cells(form->mesh(), expected));

    form->state().tool = kToolWater;
    form->state().media_height = 9.25;
    const QPointF c = pixel_of(5.5, 5.5);
    const auto hc = view().hit_at(c);
    ASSERT_TRUE(hc);
    mouse(view(), QEvent::MouseButtonPress, c, Qt::LeftButton, Qt::LeftButton);
    mouse(view(), QEvent::MouseButtonRelease, c, Qt::LeftButton, Qt::NoButton);
    for (int k = 0; k < 2; ++k)
        paint_water(expected, stroke_triangles(expected, hc->x, hc->y, hc->x, hc->y), media_value(9.25));
    EXPECT_TRUE(same_cells(form->mesh(), expected));
    EXPECT_EQ(applied(), save_mesh(expected));
}

TEST_F(MapEditorGl, MenuRulesThroughTheFormAndThePanel) {
    open(maptest::hills_mesh(32, 32, 2));
    using namespace map_panel_control;
    const auto status = [&](int command) {
        CommandState s;
        EXPECT_TRUE(form->command_status(command, s)) << command;
        return s;
    };
    const auto button = [&](int id) { return qobject_cast<QAbstractButton*>(form->panel().find_control(id)); };
    EXPECT_TRUE(status(kShowPhysicsGrid).enabled);
    EXPECT_FALSE(status(kShowRenderGrid).enabled);
    // Choosing the physics grid in the panel's Click group is the menu command.
    button(kClickPhysical)->click();
    EXPECT_EQ(form->state().click_target, kPhysicsGrid);
    EXPECT_FALSE(status(kShowPhysicsGrid).enabled);
    EXPECT_FALSE(status(kModifyPhysicsGrid).enabled);
    EXPECT_TRUE(status(kClickPhysicsGrid).checked);
    EXPECT_FALSE(button(kShowPhysics)->isEnabled());
    EXPECT_FALSE(button(kMaskPhysical)->isEnabled());
    EXPECT_TRUE(button(kClickPhysical)->isChecked());
    EXPECT_FALSE(button(kClickRender)->isChecked());
    form->do_command(kClickNoGrid);
    EXPECT_TRUE(button(map_panel_control::kClickNone)->isChecked());
    button(kMaskPhysical)->click(); // Modify Physics Grid off
    EXPECT_FALSE(form->state().modify[kPhysicsGrid]);
    EXPECT_FALSE(status(kModifyMarkersWithMesh).enabled);
    EXPECT_FALSE(button(kMaskMarkers)->isEnabled());
    EXPECT_FALSE(status(command::kImportNewColormap).enabled);
    EXPECT_FALSE(status(command::kReplaceColormap).enabled);
    EXPECT_TRUE(status(command::kCollapseTerrainDetail).enabled);
    EXPECT_FALSE(status(command::kClear).enabled);
    form->state().selected_markers = {1};
    EXPECT_TRUE(status(command::kClear).enabled);
    // None of these changed the mesh.
    EXPECT_FALSE(form->isModified());
}

TEST_F(MapEditorGl, MeshCommandsAndClearStoreTheCoreResult) {
    Mesh mesh = maptest::hills_mesh(32, 32, 5);
    for (auto& m : mesh.markers) {
        m.pitch = 1234;
        m.roll = 4321;
    }
    open(mesh);
    Mesh expected = load_mesh(original);
    ASSERT_TRUE(form->do_command(kClearPitchAndRoll));
    clear_pitch_and_roll(expected);
    form->state().selected_markers = {1, 3};
    ASSERT_TRUE(form->do_command(command::kClear));
    clear_markers(expected, {1, 3});
    EXPECT_TRUE(form->state().selected_markers.empty());
    ASSERT_TRUE(form->do_command(kSetRenderHeightFromPhysical));
    set_render_height_from_physical(expected);
    const Bytes saved = applied();
    EXPECT_EQ(saved, save_mesh(expected));
    const Mesh back = load_mesh(saved);
    ASSERT_EQ(back.markers.size(), 3u);
    EXPECT_EQ(back.markers[1].yaw, mesh.markers[2].yaw);
    EXPECT_EQ(back.markers[1].pitch, 0);
    // Stored render heights are all ones.
    for (std::size_t k = 0; k < back.cells.size(); ++k)
        ASSERT_EQ(saved[1024 + 12 * k + 10], 0xFF);
}

TEST_F(MapEditorGl, PaletteDeleteThroughThePaneRenumbersLaterMarkers) {
    Mesh mesh = maptest::hills_mesh(32, 32, 6); // entries: scenery, monster, scenery; markers k % 3
    open(mesh);
    using namespace map_panel_control;
    auto* list = qobject_cast<QListWidget*>(form->panel().find_control(kPaletteList));
    ASSERT_EQ(list->count(), 2); // the two scenery entries
    EXPECT_TRUE(list->item(0)->text().endsWith("(2/2)")) << list->item(0)->text().toStdString();
    list->setCurrentRow(0);
    qobject_cast<QAbstractButton*>(form->panel().find_control(kPaletteDelete))->click();
    Mesh expected = load_mesh(original);
    delete_palette_entry(expected, 0);
    EXPECT_EQ(list->count(), 1);
    const Bytes saved = applied();
    EXPECT_EQ(saved, save_mesh(expected));
    const Mesh back = load_mesh(saved);
    ASSERT_EQ(back.markers.size(), 4u);
    for (const mesh_marker& m : back.markers) EXPECT_TRUE(m.palette == 0 || m.palette == 1);
    // Select picks the markers of the remaining scenery entry (now index 1).
    list->setCurrentRow(0);
    qobject_cast<QAbstractButton*>(form->panel().find_control(kPaletteSelect))->click();
    EXPECT_EQ(form->state().selected_markers, select_palette_markers(form->mesh(), 1));
}

QColor mix(std::array<std::uint8_t, 3> colour, std::uint8_t shade) {
    return QColor((colour[0] + shade) / 2, (colour[1] + shade) / 2, (colour[2] + shade) / 2);
}

void expect_near(QColor got, QColor want, const char* what) {
    EXPECT_NEAR(got.red(), want.red(), 3) << what;
    EXPECT_NEAR(got.green(), want.green(), 3) << what;
    EXPECT_NEAR(got.blue(), want.blue(), 3) << what;
}

TEST_F(MapEditorGl, TerrainTypeOverlayDrawsThePartsColoursAtHalfAlpha) {
    Mesh mesh = load_mesh(new_mesh_payload(32, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int type = x < 16 ? (y < 16 ? 7 : 9) : (y < 16 ? 14 : 11);
            mesh.cell(x, y).flags = static_cast<std::uint16_t>((mesh.cell(x, y).flags & 0xFF00) | (type << 4) | type);
        }
    open(mesh);
    form->state().show_terrain_type = true;
    form->state().marker_display = MarkerDisplay::hide;
    look_down(16, 16, 40);
    const QImage frame = view().read_back();
    const std::uint8_t shade = view().render_arrays().shade[0];
    const struct {
        double x, y;
        int type;
    } probes[] = {{8, 8, 7}, {8, 24, 9}, {24, 8, 14}, {24, 24, 11}};
    for (const auto& p : probes) {
        const QPointF at = *view().screen_point({p.x, p.y, 0});
        expect_near(frame.pixelColor(at.toPoint()), mix(terrain_type_colour(p.type), shade), terrain_type_label(p.type));
    }
    // Off again: the bare shade.
    form->do_command(kShowTerrainType);
    const QImage bare = view().read_back();
    expect_near(bare.pixelColor(view().screen_point({8, 8, 0})->toPoint()), QColor(shade, shade, shade), "bare");
}

TEST_F(MapEditorGl, MarkerBoxIsDrawnThroughTheMarkerTransform) {
    Mesh mesh = load_mesh(new_mesh_payload(32, 32));
    add_palette_entry(mesh, new_palette_entry(1));
    mesh_marker m{};
    m.kind = 1;
    m.position[0] = 16 * 512;
    m.position[1] = 16 * 512;
    m.yaw = 8192;    // 45 + 90 degrees about z
    m.pitch = 57344; // +45 degrees about x
    mesh.markers.push_back(m);
    mesh.palette_kept.push_back(false);
    open(mesh);
    look_down(16, 16, 6);
    const QImage frame = view().read_back();
    const auto is_marker = [&](QPointF at) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const QColor c = frame.pixelColor(at.toPoint() + QPoint(dx, dy));
                if (c.red() > 240 && c.green() > 200 && c.blue() < 110) return true;
            }
        return false;
    };
    // Midpoints of the box's top edges, through the transform, are drawn.
    const Mat4 t = marker_matrix(m, 1.0);
    const MarkerBox box;
    for (const Vec3 local : {Vec3{0, box.low[1], box.high[2]}, Vec3{box.high[0], 0, box.high[2]}}) {
        const Vec3 world = transform_point(t, local);
        EXPECT_TRUE(is_marker(*view().screen_point(world))) << world[0] << "," << world[1];
    }
    // Where that edge would be without the pitch is empty.
    mesh_marker upright = m;
    upright.pitch = 0;
    EXPECT_FALSE(is_marker(*view().screen_point(transform_point(marker_matrix(upright, 1.0), {0, box.low[1], box.high[2]}))));
}

TEST_F(MapEditorGl, ModelDisplaysDrawTheSceneryModelThroughTheMarkerTransform) {
    const std::string text = test::grid_skl(3).text();
    const SklFile skl = read_skeleton_export(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    ModelBuild build = build_skeletal_model(skl, "Grid");
    ASSERT_TRUE(build.model) << build.refusal;
    SkeletalModelSet set;
    set.models.push_back(*build.model);
    db.add_tag(file, fourcc("skmd"), fourcc("grid"), 1, "Grid Model", 0, 0, save_skmd_payload(set));
    TagEntry* scenery = db.add_tag(file, fourcc("scen"), fourcc("rock"), 2, "Rock", 0, 0, Bytes(sizeof(scenery_definition), 0));
    scenery_definition rock = scenery_definition::kDefault;
    rock.flags |= 1u << kScenerySkeletalBit;
    rock.undamaged_model = fourcc("grid");
    ASSERT_TRUE(db.write_struct(scenery_definition::kStructName, *scenery, rock, scenery_definition::kCodes));

    Mesh mesh = load_mesh(new_mesh_payload(32, 32));
    marker_palette_entry entry = new_palette_entry(1);
    entry.tag = fourcc("rock");
    add_palette_entry(mesh, entry);
    ASSERT_TRUE(palette_entry_model(db, mesh.palette[0], true));
    mesh_marker m{};
    m.kind = 1;
    m.position[0] = 15 * 512;
    m.position[1] = 15 * 512;
    m.position[2] = 512;
    mesh.markers.push_back(m);
    mesh.palette_kept.push_back(false);
    open(mesh);
    look_down(16, 16, 12);
    const auto frame_with = [&](int display) {
        form->do_command(display);
        return view().read_back();
    };
    const QImage hidden = frame_with(kHideMarkers), complex = frame_with(kComplexModels),
                 simple = frame_with(kSimpleModels);
    // Inside the model's 3 × 3 square, turned by the marker's yaw + 90 degrees about its corner.
    const Vec3 inside = transform_point(marker_matrix(m, 1.0), {1.5, 1.5, 0.2});
    const QPoint at = view().screen_point(inside)->toPoint();
    EXPECT_NE(complex.pixelColor(at), hidden.pixelColor(at));
    EXPECT_NE(simple, hidden); // the smallest level may leave the centre open
    // Where the square would lie without the 90-degree turn, the ground shows.
    const QPoint unturned = view().screen_point({15 + 1.5, 15 + 1.5, 1.2})->toPoint();
    EXPECT_EQ(complex.pixelColor(unturned), hidden.pixelColor(unturned));
}

TEST_F(MapEditorGl, ChangesRebuildOnlyTheirCells) {
    open(maptest::hills_mesh(64, 64, 0));
    const int builds = view().terrain_builds();
    form->state().tool = kToolPullGrid;
    const QPointF a = pixel_of(30, 30);
    left_drag(view(), a, a + QPointF(0, -40));
    view().read_back();
    EXPECT_EQ(view().terrain_builds(), builds);
    const TerrainArrays full = build_terrain_arrays(form->mesh(), kRenderGrid);
    EXPECT_EQ(view().render_arrays().positions, full.positions);
}

} // namespace
} // namespace zephane
