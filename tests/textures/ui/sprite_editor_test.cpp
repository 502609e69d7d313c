// The sprite definition editor through its controls: the frame pool with the Sprite Frame
// dialog, sequences and their entries with the options written back on selection, every
// command's limit, the flag word, the modified rule and the frame previews.

#include "textures/sprite_definition.h"
#include "textures/sprite_edit.h"
#include "textures/texture_stack.h"
#include "textures/ui/spri_form.h"
#include "textures/ui/sprite_frame_dialog.h"
#include "textures/ui/sprite_preview_view.h"
#include "framework/xg_alert.h"
#include "ui/editor_support.h"

#include <QListWidget>
#include <QUndoStack>
#include <QRadioButton>

namespace zephane {
namespace {

using namespace sprite_control;
using uitest::Bytes;
using uitest::DialogScript;
namespace frame_dialog = sprite_frame_control;

constexpr tag_id kFire = fourcc("fire");

// A texture stack with one stack of a 256 × 128 raw RGB texture.
Bytes texture_stack_payload() {
    StackSet set;
    auto texture = std::make_unique<stacked_texture>();
    texture->channels = 3;
    texture->width = 256;
    texture->height = 128;
    texture->compressed_data.assign(std::size_t{256} * 128 * 3, 0x80);
    insert_texture(set, 0, 0, std::move(texture));
    return *build_stack_payload(set);
}

class SpriteEditor : public uitest::EditorFixture {
protected:
    TTagEditForm& open_sprite(const SpriteDefinition& d) {
        add_file("sprites", {{kSpriteTagType, kFire, "Fire", build_sprite_payload(d)},
                             {kTextureStackType, fourcc("flam"), "Flames", texture_stack_payload()}});
        return open(kSpriteTagType, kFire);
    }
    SpriteDefinition stored() { return parse_sprite_payload(payload(kSpriteTagType, kFire)); }
    static QListWidget& list(TTagEditForm& editor, int id) { return *editor.control<QListWidget>(id); }
    static QStringList rows(TTagEditForm& editor, int id) {
        QStringList out;
        for (int k = 0; k < list(editor, id).count(); ++k) out << list(editor, id).item(k)->text();
        return out;
    }
    static SpritePreviewView& preview(TTagEditForm& editor, int id) { return *editor.control<SpritePreviewView>(id); }
};

// One frame on the texture stack, one sequence of two entries showing it.
SpriteDefinition one_sequence() {
    SpriteDefinition d;
    sprite_frame f = new_sprite_frame();
    f.texture_stack = fourcc("flam");
    add_sprite_frame(d, f);
    add_sprite_frame(d, new_sprite_frame());
    append_sprite_sequence(d);
    append_sequence_entry(d, 0, 0);
    append_sequence_entry(d, 0, 1);
    return d;
}

TEST_F(SpriteEditor, AddOpensTheSpriteFrameDialogAndKeepsTheFrameOnlyOnOk) {
    TTagEditForm& editor = open_sprite(SpriteDefinition{});
    EXPECT_EQ(editor.form_title(), "Sprite Definition");
    EXPECT_TRUE(rows(editor, kFrames).isEmpty());
    EXPECT_FALSE(enabled(editor, kRemoveFrame));
    EXPECT_FALSE(enabled(editor, kDeleteSequence));
    {
        DialogScript cancel({[](XGDialog& dialog) { dialog.click(frame_dialog::kCancel); }});
        click(editor, kAddFrame);
        EXPECT_EQ(cancel.titles(), std::vector<QString>{"Sprite Frame"});
    }
    EXPECT_TRUE(rows(editor, kFrames).isEmpty());
    EXPECT_FALSE(editor.isModified());
    {
        DialogScript ok({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.text_of(frame_dialog::kCornerX), "-0.15");
            EXPECT_EQ(dialog.text_of(frame_dialog::kCornerX + 3), "-0.15"); // corner 1, y
            EXPECT_EQ(dialog.text_of(frame_dialog::kTexCoordU + 2), "1.0");  // corner 1, u
            EXPECT_EQ(dialog.text_of(frame_dialog::kTexture), "0");
            EXPECT_EQ(dialog.text_of(frame_dialog::kTextureStack), "(tag unassigned)");
            dialog.type_text(frame_dialog::kStack, "2");
            dialog.type_text(frame_dialog::kCornerX + 7, "0.5"); // corner 3, y
            dialog.type_text(frame_dialog::kTexCoordU + 6, "0.25"); // corner 3, u
            dialog.click(frame_dialog::kOk);
        }});
        click(editor, kAddFrame);
    }
    EXPECT_EQ(rows(editor, kFrames), QStringList{"frame 0"});
    EXPECT_EQ(list(editor, kFrames).currentRow(), 0);
    EXPECT_TRUE(editor.isModified());
    click(editor, TTagEditForm::kApplyButton);
    ASSERT_EQ(payload(kSpriteTagType, kFire).size(), 28u + 128u);
    const sprite_frame f = stored().frames[0];
    EXPECT_EQ(f.stack_index, 2);
    EXPECT_EQ(f.corners[3].y, 0.5f);
    EXPECT_EQ(f.corners[3].x, -0.15f);
    EXPECT_EQ(f.tex_coords[3].x, 0.25f);
    EXPECT_EQ(f.tex_coords[1].x, 1.0f);
    EXPECT_EQ(f.texture_stack, kNoTag);
}

TEST_F(SpriteEditor, EditChangesTheFrameOnOkAndItsPreviewFollows) {
    TTagEditForm& editor = open_sprite(one_sequence());
    EXPECT_TRUE(preview(editor, kFramePreview).showing());
    EXPECT_EQ(preview(editor, kFramePreview).image_size(), QSize(128, 64));
    EXPECT_TRUE(preview(editor, kEntryPreview).showing()) << "the first entry shows frame 0";
    {
        DialogScript untouched({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.text_of(frame_dialog::kTextureStack), "Flames");
            dialog.click(frame_dialog::kOk);
        }});
        click(editor, kEditFrame);
    }
    EXPECT_FALSE(editor.isModified()) << "OK on an untouched dialog changes nothing";
    {
        DialogScript cancelled({[](XGDialog& dialog) {
            dialog.type_text(frame_dialog::kTexture, "3");
            dialog.click(frame_dialog::kCancel);
        }});
        click(editor, kEditFrame);
    }
    EXPECT_FALSE(editor.isModified());
    {
        DialogScript missing({[](XGDialog& dialog) {
            dialog.type_text(frame_dialog::kTexture, "1"); // the stack has one texture
            dialog.click(frame_dialog::kOk);
        }});
        click(editor, kEditFrame);
    }
    EXPECT_FALSE(preview(editor, kFramePreview).showing());
    EXPECT_FALSE(preview(editor, kEntryPreview).showing());
    list(editor, kFrames).setCurrentRow(1);
    EXPECT_FALSE(preview(editor, kFramePreview).showing()) << "frame 1 has no texture stack";
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(stored().frames[0].texture_index, 1);
}

TEST_F(SpriteEditor, SequenceAndEntryOptionsAreWrittenBackWhenTheSelectionChanges) {
    TTagEditForm& editor = open_sprite(one_sequence());
    EXPECT_EQ(rows(editor, kSequences), QStringList{"sequence 0"});
    EXPECT_EQ(rows(editor, kEntries), (QStringList{"frame 0", "frame 1"}));
    EXPECT_TRUE(checked(editor, kLoopsFinite));
    EXPECT_EQ(text(editor, kTime), "1");
    EXPECT_EQ(text(editor, kProbability), "100");
    EXPECT_EQ(text(editor, kTicks), "250");
    EXPECT_EQ(text(editor, kRed), "1.0");
    EXPECT_EQ(text(editor, kRotation), "0.0");
    EXPECT_EQ(text(editor, kScale), "1.0");
    EXPECT_EQ(text(editor, kSound), "(tag unassigned)");

    // The first entry's options, then the second's: each goes back when the next is shown.
    type(editor, kTicks, "30");
    type(editor, kAlpha, "0.5");
    list(editor, kEntries).setCurrentRow(1);
    EXPECT_EQ(text(editor, kTicks), "250");
    type(editor, kRotation, "1.25");
    type(editor, kScale, "2");
    list(editor, kEntries).setCurrentRow(0);
    EXPECT_EQ(text(editor, kTicks), "30");
    EXPECT_EQ(text(editor, kAlpha), "0.5");

    // A second sequence; the first one's options go back before it is shown.
    click(editor, kExpiresByTime);
    type(editor, kTime, "90");
    type(editor, kProbability, "25");
    click(editor, kNewSequence);
    EXPECT_EQ(rows(editor, kSequences), (QStringList{"sequence 0", "sequence 1"}));
    EXPECT_EQ(list(editor, kSequences).currentRow(), 1);
    EXPECT_TRUE(rows(editor, kEntries).isEmpty());
    EXPECT_TRUE(checked(editor, kLoopsFinite));
    EXPECT_FALSE(enabled(editor, kRemoveEntry));
    list(editor, kFrames).setCurrentRow(1);
    click(editor, kToSequence);
    EXPECT_EQ(rows(editor, kEntries), QStringList{"frame 1"});
    EXPECT_EQ(list(editor, kEntries).currentRow(), 0);
    click(editor, kLoopsForever);
    click(editor, TTagEditForm::kApplyButton); // the shown options count too

    const SpriteDefinition d = stored();
    ASSERT_EQ(d.sequences.size(), 2u);
    const SpriteSequence& first = d.sequences[0];
    EXPECT_EQ(first.record.mode, kSpriteExpiresByTime);
    EXPECT_EQ(first.record.time, 90);
    EXPECT_EQ(first.record.probability, 25);
    EXPECT_EQ(first.entries[0].ticks, 30);
    EXPECT_EQ(first.entries[0].color[3], 0.5f);
    EXPECT_EQ(first.entries[1].rotation, 1.25f);
    EXPECT_EQ(first.entries[1].scale, 2.0f);
    EXPECT_EQ(d.sequences[1].record.mode, kSpriteLoopsForever);
    EXPECT_EQ(d.sequences[1].record.probability, 100);
    EXPECT_EQ(d.sequences[1].entries.size(), 1u);
    EXPECT_EQ(d.sequences[1].entries[0].frame, 1);
    EXPECT_EQ(payload(kSpriteTagType, kFire).size(), 28u + 2 * 128 + 2 * 40 + 3 * 36);
    EXPECT_FALSE(editor.isModified());

    // "Remove Frame" takes the selected entry out; "Delete" the last sequence.
    list(editor, kSequences).setCurrentRow(0);
    click(editor, kRemoveEntry);
    EXPECT_EQ(rows(editor, kEntries), QStringList{"frame 1"});
    click(editor, kDeleteSequence);
    EXPECT_EQ(rows(editor, kSequences), QStringList{"sequence 0"});
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(stored().sequences.size(), 1u);
    EXPECT_EQ(stored().sequences[0].entries.size(), 1u);
    EXPECT_EQ(stored().sequences[0].entries[0].rotation, 1.25f);
}

TEST_F(SpriteEditor, CommandsAreDisabledAtTheirLimits) {
    SpriteDefinition d;
    for (int k = 0; k < MAX_SPRITE_FRAMES; ++k) add_sprite_frame(d, new_sprite_frame());
    for (int k = 0; k < MAX_SPRITE_SEQUENCES; ++k) append_sprite_sequence(d);
    for (int k = 0; k < MAX_SPRITE_SEQUENCE_ENTRIES; ++k) append_sequence_entry(d, 0, 0);
    TTagEditForm& editor = open_sprite(d);
    EXPECT_FALSE(enabled(editor, kAddFrame));
    EXPECT_FALSE(enabled(editor, kDuplicateFrame));
    EXPECT_TRUE(enabled(editor, kEditFrame));
    EXPECT_FALSE(enabled(editor, kNewSequence));
    EXPECT_FALSE(enabled(editor, kToSequence)) << "sequence 0 has 256 entries";
    list(editor, kSequences).setCurrentRow(1);
    EXPECT_TRUE(enabled(editor, kToSequence));

    // Below the limits they work again: one frame less, one sequence less.
    list(editor, kFrames).setCurrentRow(255);
    click(editor, kRemoveFrame);
    EXPECT_EQ(list(editor, kFrames).count(), 255);
    EXPECT_EQ(list(editor, kFrames).currentRow(), 254);
    click(editor, kDuplicateFrame);
    EXPECT_EQ(list(editor, kFrames).count(), 256);
    EXPECT_EQ(list(editor, kFrames).currentRow(), 255);
    click(editor, kDeleteSequence);
    EXPECT_TRUE(enabled(editor, kNewSequence));
    click(editor, kNewSequence);
    EXPECT_EQ(list(editor, kSequences).count(), 8);
    EXPECT_FALSE(enabled(editor, kNewSequence));
}

TEST_F(SpriteEditor, RemovingAFrameAnEntryShowsIsRefusedAndLaterEntriesFollowTheirFrames) {
    SpriteDefinition d = one_sequence();
    add_sprite_frame(d, new_sprite_frame());
    append_sequence_entry(d, 0, 2);
    TTagEditForm& editor = open_sprite(d);
    {
        DialogScript alert({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.text_of(kAlertTextControl), QString::fromStdString(sprite_change_message(SpriteChange::kFrameInUse)));
            dialog.click(1);
        }});
        click(editor, kRemoveFrame); // frame 0
    }
    EXPECT_EQ(list(editor, kFrames).count(), 3);
    list(editor, kEntries).setCurrentRow(1);
    click(editor, kRemoveEntry); // the entry of frame 1
    list(editor, kFrames).setCurrentRow(1);
    click(editor, kRemoveFrame);
    EXPECT_EQ(rows(editor, kFrames), (QStringList{"frame 0", "frame 1"}));
    EXPECT_EQ(rows(editor, kEntries), (QStringList{"frame 0", "frame 1"}));
}

TEST_F(SpriteEditor, TheFlagWordIsWrittenAsTheOneBitButOtherBitsAreNoChange) {
    SpriteDefinition d = one_sequence();
    d.header.type_flags = 0x6;
    d.sequences[0].record.mode = 3; // no radio button: kept
    TTagEditForm& editor = open_sprite(d);
    EXPECT_FALSE(checked(editor, kDiesAtEnd));
    for (int id : {kLoopsForever, kLoopsFinite, kExpiresByTime}) EXPECT_FALSE(checked(editor, id));
    EXPECT_FALSE(editor.isModified());
    type(editor, kTicks, "250.0"); // reads as the same value
    EXPECT_FALSE(editor.isModified());
    click(editor, kDiesAtEnd);
    EXPECT_TRUE(editor.isModified());
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(stored().header.type_flags, 1u);
    EXPECT_EQ(stored().sequences[0].record.mode, 3);
    click(editor, kDiesAtEnd);
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(stored().header.type_flags, 0u);
}

} // namespace
} // namespace zephane

namespace zephane {
namespace {

TEST_F(SpriteEditor, FrameAndEntryStepsAreUndoneToTheSameBytes) {
    SpriteDefinition d = one_sequence();
    add_sprite_frame(d, new_sprite_frame());
    TTagEditForm& editor = open_sprite(d);
    const Bytes before = payload(kSpriteTagType, kFire);
    list(editor, kEntries).setCurrentRow(1);
    click(editor, kRemoveEntry);
    list(editor, kFrames).setCurrentRow(2);
    click(editor, kRemoveFrame);
    EXPECT_EQ(editor.undo_stack().count(), 2);
    click(editor, TTagEditForm::kApplyButton);
    const Bytes after = payload(kSpriteTagType, kFire);
    ASSERT_NE(after, before);

    expect_steps_undone(editor, 2, kSpriteTagType, kFire, before, after);
}

} // namespace
} // namespace zephane
