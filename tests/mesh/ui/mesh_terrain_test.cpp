// The New Mesh dialog's checks, a mesh made through Create Tag, and the Mesh Terrain Window
// through its controls: what it shows, what Apply stores, and the bytes it leaves alone.

#include "app/command_ids.h"
#include "app/tag_file_form.h"
#include "framework/xg_alert.h"
#include "framework/xg_dialog.h"
#include "framework/xg_frame.h"
#include "mesh/edit/mesh_markers_edit.h"
#include "mesh/mesh.h"
#include "mesh/mesh_header_bindings.h"
#include "mesh/new_mesh.h"
#include "mesh/ui/map_form.h"
#include "mesh/ui/new_mesh_dialog.h"
#include "textures/jpeg_codec.h"
#include "ui/editor_support.h"

#include <QLabel>

#include <QListWidget>

namespace zephane {
namespace {

using namespace mesh_terrain_bindings;
using uitest::Bytes;
using uitest::DialogScript;

constexpr tag_type kMesh = fourcc("mesh");

void put(Bytes& bytes, std::size_t offset, std::size_t width, std::uint32_t value) {
    for (std::size_t k = 0; k < width; ++k)
        bytes[offset + k] = static_cast<std::uint8_t>(value >> (8 * (width - 1 - k)));
}

// A 64 × 32 mesh with every section in use and a few header references set.
Bytes sample_mesh() {
    Mesh mesh = load_mesh(new_mesh_payload(64, 32));
    for (std::uint16_t kind : {1, 3}) add_palette_entry(mesh, new_palette_entry(kind));
    mesh_marker marker{};
    marker.kind = 3;
    marker.palette = 1;
    marker.identifier = 10000;
    mesh.markers.push_back(marker);
    mesh.palette_kept.push_back(false);
    mesh.cell(5, 6).physical_height = 3000;
    mesh.cell(5, 6).render_height = 2999;
    mesh.block_a = {1, 2, 3, 4};
    mesh.actions = Bytes(64 + 8, 0x33);
    mesh.header.action_count = 1;
    mesh.header.landscape = fourcc("land");
    mesh.header.collections[0] = fourcc("pre_");
    return save_mesh(mesh);
}

TEST(NewMeshDialog, ChecksBothSizesAfterEveryChange) {
    using namespace new_mesh_control;
    DialogScript dialogs({[](XGDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "New Mesh");
        EXPECT_EQ(dialog.text_of(kCellWidth), "192");
        EXPECT_EQ(dialog.text_of(kCellHeight), "192");
        EXPECT_EQ(dialog.text_of(kMessage),
                  "A 192 x 192 mesh will require a colormap measuring 1512 x 1512 pixels.");
        EXPECT_TRUE(dialog.is_enabled(kOk));
        for (const char* refused : {"48", "544", "0", "-32", "abc", ""}) {
            dialog.type_text(kCellWidth, QString::fromLatin1(refused));
            EXPECT_EQ(dialog.text_of(kMessage), QString::fromLatin1(kBadMeshSizesText)) << refused;
            EXPECT_FALSE(dialog.is_enabled(kOk)) << refused;
        }
        dialog.type_text(kCellWidth, "32");
        EXPECT_TRUE(dialog.is_enabled(kOk));
        dialog.type_text(kCellHeight, "520"); // the height is checked as well
        EXPECT_FALSE(dialog.is_enabled(kOk));
        dialog.type_text(kCellHeight, "512");
        EXPECT_EQ(dialog.text_of(kMessage),
                  "A 32 x 512 mesh will require a colormap measuring 252 x 4032 pixels.");
        dialog.click(kOk);
    }});
    const std::optional<MeshSize> size = run_new_mesh_dialog(nullptr);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 32);
    EXPECT_EQ(size->height, 512);

    DialogScript cancelled({uitest::press(kCancel)});
    EXPECT_FALSE(run_new_mesh_dialog(nullptr));
}

class MeshTerrainWindow : public uitest::EditorFixture {
protected:
    TTagEditForm& open_terrain(tag_id id) {
        app->openTag(tag(kMesh, id), true);
        auto* editor = dynamic_cast<TTagEditForm*>(TagEditorWindow::of(tag(kMesh, id)));
        EXPECT_NE(editor, nullptr);
        return *editor;
    }
    // Create Tag of a mesh named `name`; the New Mesh dialog answered by `sizes`.
    void create_mesh(const char* name, DialogScript::Answer sizes, TagFile& file) {
        DialogScript dialogs({[name](XGDialog& dialog) {
                                  auto* list = dialog.control<QListWidget>(2);
                                  for (int k = 0; k < list->count(); ++k)
                                      if (list->item(k)->text() == "Mesh") dialog.choose_row(2, k);
                                  dialog.type_text(1, QString::fromLatin1(name));
                                  dialog.click(100);
                              },
                              std::move(sizes)});
        app->frame().bring_to_front(*app->file_form(file));
        ASSERT_TRUE(app->frame().dispatch(command::kCreateTag));
    }
};

TEST_F(MeshTerrainWindow, CreateTagAsksTheSizeThenOpensTheWindowOnTheNewMesh) {
    TagFile& file = add_file("maps", {{fourcc("wind"), fourcc("brez"), "Breeze", Bytes(64, 0)}});
    create_mesh("Isle", [](XGDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "New Mesh");
        dialog.type_text(new_mesh_control::kCellWidth, "64");
        dialog.type_text(new_mesh_control::kCellHeight, "32");
        dialog.click(new_mesh_control::kOk);
    }, file);
    TagEntry* made = app->db().find_tag_in_file(file, kMesh, fourcc("isle"));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->version, 11);
    EXPECT_EQ(*made->data, new_mesh_payload(64, 32));
    auto* editor = dynamic_cast<TTagEditForm*>(TagEditorWindow::of(*made));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->form_title(), "Mesh Terrain Window");
    EXPECT_EQ(text(*editor, kTopBuffer), "32");
    EXPECT_TRUE(checked(*editor, kFirstFlag + 14));
    EXPECT_FALSE(editor->isModified());

    // Cancelling the size takes the new tag away again, without a word.
    create_mesh("Reef", uitest::press(new_mesh_control::kCancel), file);
    EXPECT_EQ(app->db().find_tag_in_file(file, kMesh, fourcc("reef")), nullptr);
}

TEST_F(MeshTerrainWindow, ControlsEditTheirHeaderValuesAndApplyKeepsEveryOtherByte) {
    const Bytes before = sample_mesh();
    add_file("maps", {{kMesh, fourcc("isle"), "Isle", before},
                      {fourcc("txst"), fourcc("land"), "Island Colors", Bytes(16, 0)},
                      {fourcc("wind"), fourcc("brez"), "Breeze", Bytes(64, 0)}});
    // The map editor is the plain double-click's (and zephane --open's); the terrain window
    // is the alternate one.
    app->openTag(tag(kMesh, fourcc("isle")), false);
    auto* map = dynamic_cast<TMeshForm*>(TagEditorWindow::of(tag(kMesh, fourcc("isle"))));
    ASSERT_NE(map, nullptr);
    app->frame().discard_form(*map);
    app->open_tags({"mesh:isle"});
    map = dynamic_cast<TMeshForm*>(TagEditorWindow::of(tag(kMesh, fourcc("isle"))));
    ASSERT_NE(map, nullptr);
    app->frame().discard_form(*map);
    TTagEditForm& editor = open_terrain(fourcc("isle"));
    EXPECT_EQ(text(editor, kHint), QString::fromLatin1(kHintText));
    EXPECT_EQ(text(editor, kLandscape), "Island Colors");
    EXPECT_EQ(text(editor, kWind), "(tag unassigned)");
    for (int id : {kTopBuffer, kLeftBuffer, kRightBuffer, kBottomBuffer}) EXPECT_EQ(text(editor, id), "32");
    for (int k = 0; k < kPickerCount; ++k) EXPECT_EQ(text(editor, picker(k) + 2), "No Tag");

    type(editor, kFogFilter, "3");
    type(editor, kFogDensity, "250");
    type(editor, kTopBuffer, "40");
    type(editor, kBottomBuffer, "24");
    type(editor, kTextScrollSpeed, "7");
    type(editor, kZoomX, "100");
    type(editor, kZoomY, "65535");
    click(editor, kFirstFlag + 0);  // on
    click(editor, kFirstFlag + 14); // off
    click(editor, kLandscape + 2);  // "No Tag"
    click(editor, kPregame + 2);
    {
        DialogScript dialogs({[](XGDialog& picker) {
            EXPECT_EQ(picker.windowTitle(), "Pick Wind (wind)");
            picker.choose_row(2, 0);
            picker.click(100);
        }});
        click(editor, kWind);
    }
    EXPECT_EQ(text(editor, kLandscape), "(tag unassigned)");
    EXPECT_TRUE(editor.isModified());
    click(editor, TTagEditForm::kApplyButton);

    Bytes expected = before;
    put(expected, 216, 2, 3);
    put(expected, 224, 2, 250);
    put(expected, 116, 2, 40);
    put(expected, 122, 2, 24);
    put(expected, 244, 2, 7);
    put(expected, 248, 2, 100);
    put(expected, 250, 2, 65535);
    put(expected, 112, 2, 0x0001);
    put(expected, 0, 4, kNoTag);
    put(expected, 144, 4, kNoTag);
    put(expected, 228, 4, fourcc("brez"));
    EXPECT_EQ(payload(kMesh, fourcc("isle")), expected);
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(text(editor, kWind), "Breeze");
    EXPECT_EQ(text(editor, kZoomY), "65535");
    EXPECT_FALSE(checked(editor, kFirstFlag + 14));
    // The mesh still loads as it was, with the new header.
    const Mesh back = load_mesh(payload(kMesh, fourcc("isle")));
    EXPECT_EQ(back.cell(5, 6).render_height, 2999);
    EXPECT_EQ(back.markers.size(), 1u);
    EXPECT_EQ(back.header.wind, fourcc("brez"));
}

TEST_F(MeshTerrainWindow, LevelPictureShowsThePickedJpeg) {
    Bytes pixels(64 * 48 * 3);
    for (std::size_t k = 0; k < pixels.size(); ++k) pixels[k] = static_cast<std::uint8_t>(k % 3 == 0 ? 200 : 40);
    const std::optional<Bytes> jpeg = jpeg_compress(pixels, 64, 48, 3, 90);
    ASSERT_TRUE(jpeg);
    Bytes isle = sample_mesh();
    put(isle, 552, 4, fourcc("brok"));
    add_file("maps", {{kMesh, fourcc("isle"), "Isle", isle},
                      {fourcc("jpeg"), fourcc("brok"), "broken.jpg", Bytes{0xFF, 0xD8, 1, 2, 3}},
                      {fourcc("jpeg"), fourcc("titl"), "title.jpg", *jpeg}});
    TTagEditForm& editor = open_terrain(fourcc("isle"));
    auto* preview = editor.control<QLabel>(kLevelPicturePreview);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->text(), "(no readable picture)");
    {
        DialogScript dialogs({[](XGDialog& picker) {
            const auto* list = picker.control<QListWidget>(2);
            for (int k = 0; k < list->count(); ++k)
                if (list->item(k)->text().startsWith("title.jpg")) picker.choose_row(2, k);
            picker.click(100);
        }});
        click(editor, kLevelPictureTag);
    }
    // 64 × 48 scaled up into the 188 × 124 inside the frame, keeping its shape.
    ASSERT_FALSE(preview->pixmap().isNull());
    EXPECT_EQ(preview->pixmap().height(), 124);
    EXPECT_EQ(preview->pixmap().width(), 165);
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(uitest::number_at(payload(kMesh, fourcc("isle")), 552, 4, false), fourcc("titl"));
    click(editor, kLevelPictureTag + 2);
    EXPECT_TRUE(preview->pixmap().isNull());
    EXPECT_EQ(preview->text(), "");
}

TEST_F(MeshTerrainWindow, AValueTypedBackIsNoChangeAndACutHeaderIsNotWritten) {
    Bytes cut = sample_mesh();
    cut.resize(600);
    add_file("maps", {{kMesh, fourcc("isle"), "Isle", sample_mesh()}, {kMesh, fourcc("cut_"), "Cut", cut}});
    TTagEditForm& editor = open_terrain(fourcc("isle"));
    type(editor, kRightBuffer, "33");
    EXPECT_TRUE(editor.isModified());
    type(editor, kRightBuffer, "32");
    EXPECT_FALSE(editor.isModified());

    TTagEditForm& damaged = open_terrain(fourcc("cut_"));
    type(damaged, kFogFilter, "9");
    {
        DialogScript dialogs({[](XGDialog& alert) {
            EXPECT_TRUE(alert.text_of(kAlertTextControl).contains("header is incomplete"))
                << alert.text_of(kAlertTextControl).toStdString();
            alert.click(1);
        }});
        click(damaged, TTagEditForm::kApplyButton);
    }
    EXPECT_EQ(payload(kMesh, fourcc("cut_")), cut);
}

} // namespace
} // namespace zephane
