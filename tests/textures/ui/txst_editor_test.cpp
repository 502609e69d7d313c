// The texture stack editor through its view, commands and dialogs: drops, the clipboard, the
// Special menu, Texture Info and Recompress, and the tag file window's texture commands.

#include "app/command_ids.h"
#include "framework/xg_frame.h"
#include "textures/psd_import.h"
#include "textures/texture_pixels.h"
#include "textures/texture_split_merge.h"
#include "textures/texture_stack.h"
#include "textures/texture_stack_edit.h"
#include "textures/ui/collapse_terrain_dialog.h"
#include "textures/ui/recompress_dialog.h"
#include "textures/ui/texture_info_dialog.h"
#include "textures/ui/txst_form_access.h"
#include "textures/ui/txst_view.h"
#include "psd_builder.h"
#include "texture_fixtures.h"
#include "ui/editor_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QRadioButton>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QSlider>
#include <QUrl>

namespace zephane {
namespace {

using uitest::Bytes;
using uitest::DialogScript;
using uitest::FileScript;
namespace cmd = command;

constexpr tag_type kTxst = kTextureStackType;

// Stacks of small textures: stack 0 a JPEG RGBA and a raw mask, stack 1 a raw RGB texture.
Bytes sample_stacks() {
    StackSet set;
    auto rgba = test::gradient_texture(64, 64, 4);
    EXPECT_TRUE(recompress_texture(*rgba, 90));
    insert_texture(set, 0, -1, std::move(rgba));
    auto mask = test::gradient_texture(64, 64, 1);
    mask->layer_kind = kLayerDetailMask;
    insert_texture(set, 0, -1, std::move(mask));
    insert_texture(set, 1, -1, test::gradient_texture(32, 16, 3));
    return *build_stack_payload(set);
}

class TextureEditor : public uitest::EditorFixture {
protected:
    TTagEditForm& open_stacks(tag_id id = fourcc("stak")) {
        if (!file_) file_ = &add_file("textures", {{kTxst, fourcc("stak"), "Stacks", sample_stacks()},
                                                  {kTxst, fourcc("othr"), "Other", sample_stacks()}});
        return open(kTxst, id);
    }
    static TextureEditorAccess& access(TTagEditForm& editor) { return dynamic_cast<TextureEditorAccess&>(editor); }
    static TtxstEditView& view(TTagEditForm& editor) { return access(editor).view(); }
    static StackSet& set(TTagEditForm& editor) { return *access(editor).stack_set(); }
    static stacked_texture* at(TTagEditForm& editor, std::size_t s, std::size_t p) {
        return texture_at(set(editor), s, p);
    }
    StackSet stored(tag_id id = fourcc("stak")) { return parse_stack_payload(payload(kTxst, id)); }
    // The centre of a cell, where a click selects its texture.
    static QPoint centre(TTagEditForm& editor, std::size_t s, std::size_t p) {
        return view(editor).cell_rect(s, p).center();
    }
    static void press_on(TTagEditForm& editor, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QMouseEvent press(QEvent::MouseButtonPress, at, view(editor).mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(&view(editor), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view(editor).mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, modifiers);
        QCoreApplication::sendEvent(&view(editor), &release);
    }
    static void double_click(TTagEditForm& editor, QPoint at) {
        QMouseEvent event(QEvent::MouseButtonDblClick, at, view(editor).mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view(editor), &event);
    }
    TagFile* file_ = nullptr;
};

TEST_F(TextureEditor, ShowsTheStacksAndPlacesDropsBetweenCellsAndIntoGaps) {
    TTagEditForm& editor = open_stacks();
    EXPECT_EQ(editor.form_title(), "txst editor");
    TtxstEditView& v = view(editor);
    ASSERT_EQ(set(editor).stacks.size(), 2u);
    const int row = v.row_height();
    EXPECT_EQ(v.cell_rect(1, 1), QRect(8 + 144, row, 144, row));
    EXPECT_EQ(v.place_at(centre(editor, 0, 1)), (TexturePlace{0, 1}));
    EXPECT_FALSE(v.place_at(centre(editor, 1, 1))) << "stack 1 holds one texture";
    // Left half of a cell drops before it, right half after it.
    EXPECT_EQ(v.drop_point_at({8 + 144 + 20, row / 2}), (StackInsertPoint{0, 1, false}));
    EXPECT_EQ(v.drop_point_at({8 + 144 + 120, row / 2}), (StackInsertPoint{0, 2, false}));
    EXPECT_EQ(v.drop_point_at({600, row / 2}), (StackInsertPoint{0, 2, false}));
    // Near the line between two rows: the gap, which opens a stack.
    EXPECT_EQ(v.drop_point_at({50, row + 2}), (StackInsertPoint{1, 0, true}));
    EXPECT_EQ(v.drop_point_at({50, row - 2}), (StackInsertPoint{1, 0, true}));
    EXPECT_EQ(v.drop_point_at({50, 2 * row + 10}), (StackInsertPoint{2, 0, true}));
}

TEST_F(TextureEditor, MakesThumbnailsOnlyForTheCellsPainted) {
    StackSet many;
    for (std::size_t s = 0; s < 40; ++s) insert_texture(many, s, -1, test::gradient_texture(16, 16, 3));
    add_file("many", {{kTxst, fourcc("many"), "Many", *build_stack_payload(many)}});
    TTagEditForm& editor = open(kTxst, fourcc("many"));
    settle();
    EXPECT_TRUE(at(editor, 0, 0)->preview.has_value());
    EXPECT_FALSE(at(editor, 39, 0)->preview.has_value());
    // A change of pixels drops the cached thumbnail.
    at(editor, 0, 0)->set_data(at(editor, 0, 0)->compressed_data, kFormatRaw);
    EXPECT_FALSE(at(editor, 0, 0)->preview.has_value());
}

TEST_F(TextureEditor, DropsMoveCopyAndComeFromOtherEditors) {
    TTagEditForm& editor = open_stacks();
    TtxstEditView& v = view(editor);
    stacked_texture* mask = at(editor, 0, 1);
    // The mask moved into the gap below the last stack: a new third stack; stack 0 keeps the RGBA.
    auto moved = v.drop_textures_from(v, {mask}, {50, 2 * v.row_height() + 10}, false);
    ASSERT_EQ(moved, std::vector<stacked_texture*>{mask});
    EXPECT_EQ(set(editor).stacks.size(), 3u);
    EXPECT_EQ(at(editor, 2, 0), mask);
    EXPECT_TRUE(v.selection().contains(mask));
    EXPECT_TRUE(editor.isModified());

    // With the copy modifier the RGB texture is duplicated to the front of stack 0.
    stacked_texture* rgb = at(editor, 1, 0);
    auto copied = v.drop_textures_from(v, {rgb}, {10, v.row_height() / 2}, true);
    ASSERT_EQ(copied.size(), 1u);
    EXPECT_NE(copied[0], rgb);
    EXPECT_EQ(at(editor, 0, 0)->width, 32);
    EXPECT_EQ(at(editor, 1, 0), rgb);

    // From another texture editor: always a copy; the other tag is untouched.
    TTagEditForm& other = open_stacks(fourcc("othr"));
    stacked_texture* foreign = at(other, 0, 0);
    auto from_other = view(other).drop_textures_from(view(other), {}, {}, false);
    EXPECT_TRUE(from_other.empty());
    auto dropped = v.drop_textures_from(view(other), {foreign}, v.cell_rect(1, 0).topRight() + QPoint(-5, 40), false);
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(at(other, 0, 0), foreign);
    EXPECT_FALSE(other.isModified());

    ASSERT_TRUE(editor.apply());
    const StackSet saved = stored();
    ASSERT_EQ(saved.stacks.size(), 3u);
    EXPECT_EQ(saved.stacks[0].textures.size(), 2u); // the copy, the RGBA
    EXPECT_EQ(saved.stacks[1].textures.size(), 2u); // the RGB, the other editor's RGBA
    EXPECT_EQ(saved.stacks[1].textures[1]->compressed_data, foreign->compressed_data);
    EXPECT_EQ(saved.stacks[2].textures[0]->layer_kind, kLayerDetailMask);
    EXPECT_EQ(saved.stacks[2].word, kNewStackWord);
}

TEST_F(TextureEditor, AFileDroppedOnTheViewImportsItsLayers) {
    TTagEditForm& editor = open_stacks();
    TtxstEditView& v = view(editor);
    const auto pixels = test::gradient_pixels(32, 32, 3);
    std::vector<std::uint8_t> rgb(pixels);
    test::PsdSpec spec;
    spec.width = spec.height = 32;
    spec.layers.push_back(test::colour_layer({0, 0, 32, 32}, rgb));
    const std::string psd = folder.write("layers.psd", test::build_psd(spec));
    spec.width = 30; // not a power of two: nothing is imported
    const std::string odd = folder.write("odd.psd", test::build_psd(spec));

    const auto drop = [&](const std::string& path, QPoint at) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&v, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent event(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&v, &event);
    };
    drop(psd, {50, v.row_height() + 3}); // the gap between the two stacks
    ASSERT_EQ(set(editor).stacks.size(), 3u);
    ASSERT_EQ(set(editor).stacks[1].textures.size(), 1u);
    EXPECT_EQ(at(editor, 1, 0)->channels, 3);
    EXPECT_EQ(at(editor, 1, 0)->width, 32);
    EXPECT_TRUE(v.selection().contains(at(editor, 1, 0)));

    DialogScript alerts({uitest::press(1)});
    drop(odd, {50, 3 * v.row_height() + 3});
    EXPECT_EQ(set(editor).stacks.size(), 3u) << "the stack opened for nothing goes again";
}

TEST_F(TextureEditor, EditCommandsFollowTheSelectionAndTheClipboard) {
    TTagEditForm& editor = open_stacks();
    texture_clipboard().clear();
    for (int command : {cmd::kCopy, cmd::kCut, cmd::kClear, cmd::kPaste, cmd::kSplitRgba,
                        cmd::kMergeRgbAndAlpha, cmd::kRecompressTextures})
        EXPECT_FALSE(command_enabled(editor, command)) << command;
    press_on(editor, centre(editor, 0, 1)); // the mask
    EXPECT_TRUE(command_enabled(editor, cmd::kCopy));
    EXPECT_FALSE(command_enabled(editor, cmd::kSplitRgba));
    ASSERT_TRUE(run_command(editor, cmd::kCut));
    EXPECT_EQ(set(editor).stacks[0].textures.size(), 1u);
    EXPECT_TRUE(command_enabled(editor, cmd::kPaste));

    // A click between cells of stack 1 sets where Paste goes.
    press_on(editor, view(editor).cell_rect(1, 0).topRight() + QPoint(30, 40));
    EXPECT_TRUE(view(editor).selection().empty());
    ASSERT_TRUE(run_command(editor, cmd::kPaste));
    EXPECT_EQ(at(editor, 1, 1)->layer_kind, kLayerDetailMask);
    EXPECT_EQ(view(editor).selection().textures(), std::vector<stacked_texture*>{at(editor, 1, 1)});

    // Clearing both textures of stack 1 removes that stack.
    press_on(editor, centre(editor, 1, 0), Qt::ControlModifier);
    EXPECT_EQ(view(editor).selection().size(), 2u);
    ASSERT_TRUE(run_command(editor, cmd::kClear));
    EXPECT_EQ(set(editor).stacks.size(), 1u);
    ASSERT_TRUE(editor.apply());
    EXPECT_EQ(stored().stacks.size(), 1u);
    EXPECT_EQ(stored().stacks[0].textures[0]->channels, 4);
}

TEST_F(TextureEditor, SplitAndMergeGiveBackTheSameBytes) {
    TTagEditForm& editor = open_stacks();
    const Bytes before = payload(kTxst, fourcc("stak"));
    press_on(editor, centre(editor, 0, 0));
    EXPECT_TRUE(command_enabled(editor, cmd::kSplitRgba));
    EXPECT_FALSE(command_enabled(editor, cmd::kMergeRgbAndAlpha));
    ASSERT_TRUE(run_command(editor, cmd::kSplitRgba));
    ASSERT_EQ(set(editor).stacks[0].textures.size(), 3u);
    EXPECT_EQ(at(editor, 0, 0)->channels, 3);
    EXPECT_EQ(at(editor, 0, 1)->channels, 1);
    EXPECT_EQ(at(editor, 0, 1)->layer_kind, kLayerSkinModifier);
    // The colour and its new alpha are both selected: exactly the pair Merge takes.
    EXPECT_EQ(view(editor).selection().size(), 2u);
    EXPECT_TRUE(command_enabled(editor, cmd::kMergeRgbAndAlpha));
    press_on(editor, centre(editor, 0, 2), Qt::ControlModifier); // a third texture
    EXPECT_FALSE(command_enabled(editor, cmd::kMergeRgbAndAlpha));
    press_on(editor, centre(editor, 0, 2), Qt::ControlModifier);
    ASSERT_TRUE(run_command(editor, cmd::kMergeRgbAndAlpha));
    ASSERT_TRUE(editor.apply());
    EXPECT_EQ(payload(kTxst, fourcc("stak")), before);

    // Sizes must agree: the 32 × 16 RGB texture and the 64 × 64 mask do not merge.
    press_on(editor, centre(editor, 1, 0));
    press_on(editor, centre(editor, 0, 1), Qt::ControlModifier);
    EXPECT_FALSE(command_enabled(editor, cmd::kMergeRgbAndAlpha));
}

TEST_F(TextureEditor, TextureInfoShowsPixelsAndStoresFixedPoint) {
    TTagEditForm& editor = open_stacks();
    DialogScript dialogs({[](XGDialog& info) {
        using namespace texture_info_control;
        EXPECT_EQ(info.windowTitle(), "Texture Info");
        auto* kinds = info.control<QComboBox>(kKind);
        ASSERT_EQ(kinds->count(), 2); // the colour entries
        EXPECT_EQ(kinds->itemText(0), "Base Colormap");
        // No placement yet: the centred half-size proposal, editable only with the logo on.
        EXPECT_EQ(info.text_of(kOriginX), "16");
        EXPECT_EQ(info.text_of(kOriginX + 2), "32");
        EXPECT_FALSE(info.is_enabled(kOriginX));
        EXPECT_FALSE(info.is_enabled(kLayer));
        info.choose_row(kKind, 1); // "Detail Texture": logo forced on, layer live
        EXPECT_TRUE(info.control<QCheckBox>(kTeamLogo)->isChecked());
        EXPECT_FALSE(info.is_enabled(kTeamLogo));
        EXPECT_TRUE(info.is_enabled(kLayer));
        EXPECT_TRUE(info.is_enabled(kOriginX));
        info.type_text(kLayer, "2");
        info.type_text(kOriginX, "8");
        info.type_text(kOriginX + 1, "0.5");
        info.click(kDoNotDownsample);
        info.click(kOk);
    }});
    double_click(editor, centre(editor, 0, 0));
    EXPECT_EQ(dialogs.pending(), 0u);
    ASSERT_TRUE(editor.apply());
    const StackSet saved = stored();
    const stacked_texture& t = *saved.stacks[0].textures[0];
    EXPECT_EQ(t.layer_kind, kLayerDetailTexture);
    EXPECT_EQ(t.layer, 2);
    EXPECT_EQ(t.origin_u, 2048); // 8 of 64 pixels
    EXPECT_EQ(t.origin_v, 128);  // 0.5 of 64 pixels
    EXPECT_EQ(t.du_u, 8192);     // the proposal, 32 pixels
    EXPECT_EQ(t.dv_v, 8192);
    EXPECT_EQ(saved.stacks[0].flags, kStackDoNotDownsample);
}

TEST_F(TextureEditor, RecompressWithinTextureInfoStaysAfterCancel) {
    TTagEditForm& editor = open_stacks();
    const std::size_t raw = at(editor, 1, 0)->size();
    DialogScript dialogs({[](XGDialog& info) {
                              info.click(texture_info_control::kRecompress);
                              info.click(texture_info_control::kCancel);
                          },
                          [](XGDialog& recompress) {
                              using namespace recompress_control;
                              EXPECT_EQ(recompress.windowTitle(), "Recompress Texture");
                              // A raw texture: "Uncompressed", 95 and the quality controls off.
                              EXPECT_TRUE(recompress.control<QRadioButton>(kUncompressed)->isChecked());
                              EXPECT_EQ(recompress.text_of(kQualityEdit), "95");
                              EXPECT_FALSE(recompress.is_enabled(kQualitySlider));
                              EXPECT_FALSE(recompress.control<QWidget>(kUseForAll)->isVisibleTo(&recompress));
                              EXPECT_EQ(recompress.text_of(kSizeText), "1536 bytes (100%)");
                              recompress.click(kJpegQuality);
                              recompress.type_text(kQualityEdit, "250"); // clamped
                              recompress.click(kRecompress);
                          }});
    double_click(editor, centre(editor, 1, 0));
    EXPECT_EQ(dialogs.pending(), 0u);
    EXPECT_LT(at(editor, 1, 0)->size(), raw);
    EXPECT_EQ(at(editor, 1, 0)->format, kFormatJpeg);
    EXPECT_TRUE(editor.isModified());
}

TEST_F(TextureEditor, RecompressTexturesAsksOnceWhenUsedForAll) {
    TTagEditForm& editor = open_stacks();
    press_on(editor, centre(editor, 0, 0));
    press_on(editor, centre(editor, 0, 1), Qt::ControlModifier);
    press_on(editor, centre(editor, 1, 0), Qt::ControlModifier);
    DialogScript dialogs({[](XGDialog& recompress) {
        using namespace recompress_control;
        // A JPEG texture: its estimated quality is the maximum, "JPEG Quality:" chosen.
        EXPECT_TRUE(recompress.control<QRadioButton>(kJpegQuality)->isChecked());
        const int maximum = recompress.control<QSlider>(kQualitySlider)->maximum();
        EXPECT_GE(maximum, 88);
        EXPECT_LE(maximum, 92);
        EXPECT_TRUE(recompress.control<QCheckBox>(kUseForAll)->isChecked()) << "first of several";
        recompress.click(kUncompressed);
        recompress.click(kRecompress);
    }});
    ASSERT_TRUE(run_command(editor, cmd::kRecompressTextures));
    EXPECT_EQ(dialogs.pending(), 0u);
    for (auto [s, p] : {std::pair{0, 0}, {0, 1}, {1, 0}}) {
        const stacked_texture& t = *at(editor, s, p);
        EXPECT_EQ(t.format, kFormatRaw);
        EXPECT_EQ(t.size(), t.raw_size());
    }
    ASSERT_TRUE(editor.apply());

    // Cancel on the first stops the loop: nothing changes.
    press_on(editor, centre(editor, 0, 0), Qt::ControlModifier);
    DialogScript cancelled({uitest::press(recompress_control::kCancel)});
    ASSERT_TRUE(run_command(editor, cmd::kRecompressTextures));
    EXPECT_FALSE(editor.isModified());
}

TEST_F(TextureEditor, RecompressKeepsTheDataWhenJpegWouldNotSaveEnough) {
    StackSet noisy;
    // 192 bytes of pixels: a JPEG stream's headers alone are bigger.
    insert_texture(noisy, 0, -1, test::raw_texture(8, 8, 3, test::noise_pixels(8 * 8 * 3)));
    add_file("noise", {{kTxst, fourcc("nois"), "Noise", *build_stack_payload(noisy)}});
    TTagEditForm& editor = open(kTxst, fourcc("nois"));
    const Bytes before = payload(kTxst, fourcc("nois"));
    press_on(editor, centre(editor, 0, 0));
    DialogScript dialogs({[](XGDialog& recompress) {
        using namespace recompress_control;
        recompress.click(kJpegQuality);
        recompress.type_text(kQualityEdit, "98");
        // The preview's size says what JPEG would take: more than the raw pixels.
        EXPECT_GT(recompress.text_of(kSizeText).section(' ', 0, 0).toInt(), 8 * 8 * 3);
        recompress.click(kRecompress);
    }});
    ASSERT_TRUE(run_command(editor, cmd::kRecompressTextures));
    EXPECT_EQ(at(editor, 0, 0)->format, kFormatRaw);
    EXPECT_FALSE(editor.isModified());
    ASSERT_TRUE(editor.apply());
    EXPECT_EQ(payload(kTxst, fourcc("nois")), before);
}

TEST_F(TextureEditor, TagFileWindowImportsAColormapAndCollapsesDetail) {
    open_stacks();
    TTagFileForm& window = app->show_file_form(*file_);
    test::PsdSpec spec;
    spec.width = spec.height = 128;
    spec.layers.push_back(test::colour_layer({0, 0, 128, 128}, test::gradient_pixels(128, 128, 3)));
    const std::string psd = folder.write("Green Hills.psd", test::build_psd(spec));
    EXPECT_TRUE(command_enabled(window, cmd::kImportNewColormap));
    {
        FileScript files({QString::fromStdString(psd)});
        ASSERT_TRUE(run_command(window, cmd::kReplaceColormap));
        EXPECT_EQ(files.requests().at(0).filter, "Photoshop File|*.PSD");
    }
    TagEntry* made = nullptr;
    for (auto& group : file_->groups)
        for (auto& entry : group.entries)
            if (entry.name == "Green Hills") made = &entry;
    ASSERT_TRUE(made);
    auto terrain = read_stack_set(app->db(), *made);
    ASSERT_TRUE(terrain);
    EXPECT_EQ(terrain->stacks.size(), 1u);

    // Collapse with the new terrain and a stack of details.
    DialogScript dialogs({[](XGDialog& collapse) {
                              EXPECT_EQ(collapse.windowTitle(), "Collapse Terrain Detail");
                              EXPECT_FALSE(collapse.is_enabled(collapse_control::kCreate));
                              collapse.click(collapse_control::kDetailStack);
                              collapse.click(collapse_control::kTerrainStack);
                              EXPECT_TRUE(collapse.is_enabled(collapse_control::kCreate));
                              collapse.click(collapse_control::kCreate);
                          },
                          [](XGDialog& picker) { // the detail stack: "Other"
                              auto* list = picker.control<QListWidget>(2);
                              for (int row = 0; row < list->count(); ++row)
                                  if (list->item(row)->text().startsWith("Other")) picker.choose_row(2, row);
                              picker.click(100);
                          },
                          [](XGDialog& picker) {
                              auto* list = picker.control<QListWidget>(2);
                              for (int row = 0; row < list->count(); ++row)
                                  if (list->item(row)->text().startsWith("Green Hills")) picker.choose_row(2, row);
                              picker.click(100);
                          }});
    ASSERT_TRUE(run_command(window, cmd::kCollapseTerrainDetail));
    EXPECT_EQ(dialogs.pending(), 0u);
    bool collapsed = false;
    for (auto& group : file_->groups)
        for (auto& entry : group.entries) collapsed |= entry.name == "Collapsed Terrain Stack";
    EXPECT_TRUE(collapsed);
}

} // namespace
} // namespace zephane

namespace zephane {
namespace {

TEST_F(TextureEditor, DropsSplitMergeAndClearAreStepsUndoneToTheSameBytes) {
    TTagEditForm& editor = open_stacks();
    const Bytes before = payload(kTxst, fourcc("stak"));
    const auto undo_text = [&] {
        app->frame().bring_to_front(editor);
        return app->frame().command_state(cmd::kUndo).text;
    };
    TtxstEditView& v = view(editor);
    v.drop_textures_from(v, {at(editor, 0, 1)}, {50, 2 * v.row_height() + 10}, false);
    EXPECT_EQ(undo_text(), "&Undo Drop");
    press_on(editor, centre(editor, 0, 0));
    ASSERT_TRUE(run_command(editor, cmd::kSplitRgba));
    EXPECT_EQ(undo_text(), "&Undo Split RGBA");
    ASSERT_TRUE(run_command(editor, cmd::kMergeRgbAndAlpha));
    EXPECT_EQ(undo_text(), "&Undo Merge RGB and A");
    press_on(editor, centre(editor, 1, 0));
    ASSERT_TRUE(run_command(editor, cmd::kClear));
    EXPECT_EQ(undo_text(), "&Undo Clear");
    ASSERT_TRUE(editor.apply());
    const Bytes after = payload(kTxst, fourcc("stak"));
    ASSERT_NE(after, before);

    for (int k = 0; k < 4; ++k) ASSERT_TRUE(run_command(editor, cmd::kUndo));
    EXPECT_EQ(set(editor).stacks.size(), 2u);
    EXPECT_TRUE(editor.isModified());
    ASSERT_TRUE(editor.apply());
    EXPECT_EQ(payload(kTxst, fourcc("stak")), before);
    EXPECT_FALSE(editor.isModified());

    for (int k = 0; k < 4; ++k) ASSERT_TRUE(run_command(editor, cmd::kRedo));
    ASSERT_TRUE(editor.apply());
    EXPECT_EQ(payload(kTxst, fourcc("stak")), after);
    // Back to the state the tag holds: nothing to apply.
    ASSERT_TRUE(run_command(editor, cmd::kUndo));
    ASSERT_TRUE(run_command(editor, cmd::kRedo));
    EXPECT_FALSE(editor.isModified());
}

} // namespace
} // namespace zephane
