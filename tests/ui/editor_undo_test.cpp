// Undo and redo in editors: a step per field change with typing merged, list operations as
// steps, undo after Apply, and the bytes a new Apply writes.

#include "app/command_ids.h"
#include "editor_support.h"
#include "framework/xg_frame.h"

#include <QListWidget>
#include <QPointer>
#include <QUndoStack>

namespace zephane {
namespace {

using uitest::Bytes;
using uitest::PayloadBuilder;

constexpr tag_type kObje = fourcc("obje");
constexpr tag_type kSoli = fourcc("soli");
constexpr tag_type kSoun = fourcc("soun");
constexpr int kGravity = 11601;
constexpr int kScaleLower = 11606;

class EditorUndo : public uitest::EditorFixture {
protected:
    TTagEditForm& open_object() {
        add_file("army", {{kObje, fourcc("dwar"), "Dwarf Body", object}});
        return open(kObje, fourcc("dwar"));
    }
    bool run(TTagEditForm& editor, int command) { return run_command(editor, command); }
    QString item(TTagEditForm& editor, int command) {
        app->frame().bring_to_front(editor);
        return app->frame().command_state(command).text;
    }
    const Bytes object = PayloadBuilder(64).put(2, 2, 0).put(8, 2, 256).put(10, 2, 0).put(12, 2, 256).put(14, 2, 0).bytes();
};

TEST_F(EditorUndo, TypingInOneFieldIsOneStepAndEachFieldItsOwn) {
    TTagEditForm& editor = open_object();
    const QString gravity = text(editor, kGravity), scale = text(editor, kScaleLower);
    EXPECT_EQ(item(editor, command::kUndo), "&Undo");
    type(editor, kGravity, "-2.5"); // five keys: a clear and four characters
    type(editor, kScaleLower, "3");
    type(editor, kScaleLower, "4"); // the same field again, still one step
    EXPECT_EQ(editor.undo_stack().count(), 2);
    EXPECT_EQ(item(editor, command::kUndo), "&Undo Typing");

    ASSERT_TRUE(run(editor, command::kUndo));
    EXPECT_EQ(text(editor, kScaleLower), scale);
    EXPECT_EQ(text(editor, kGravity), "-2.5");
    ASSERT_TRUE(run(editor, command::kUndo));
    EXPECT_EQ(text(editor, kGravity), gravity);
    EXPECT_FALSE(editor.isModified());
    EXPECT_FALSE(app->frame().command_state(command::kUndo).enabled);
    EXPECT_EQ(item(editor, command::kRedo), "&Redo Typing");

    ASSERT_TRUE(run(editor, command::kRedo));
    ASSERT_TRUE(run(editor, command::kRedo));
    EXPECT_EQ(text(editor, kGravity), "-2.5");
    EXPECT_TRUE(editor.isModified());

    // Typed back to what it was: the merged step goes away.
    type(editor, kGravity, "x");
    type(editor, kGravity, "-2.5");
    EXPECT_EQ(editor.undo_stack().count(), 2);
}

TEST_F(EditorUndo, UndoAfterApplyPutsTheControlsBackAndTheNextApplyTheBytes) {
    TTagEditForm& editor = open_object();
    type(editor, kGravity, "-2");
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_NE(payload(kObje, fourcc("dwar")), object);
    type(editor, kGravity, "-3"); // after an Apply: a step of its own
    EXPECT_EQ(editor.undo_stack().count(), 2);

    ASSERT_TRUE(run(editor, command::kUndo));
    ASSERT_TRUE(run(editor, command::kUndo));
    EXPECT_EQ(text(editor, kGravity), "0.0");
    EXPECT_NE(payload(kObje, fourcc("dwar")), object); // the tag waits for Apply
    EXPECT_TRUE(editor.isModified());
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(payload(kObje, fourcc("dwar")), object);
    EXPECT_FALSE(editor.isModified());

    // Reload is a step too.
    type(editor, kGravity, "5");
    ASSERT_TRUE(run(editor, command::kReloadTag));
    EXPECT_EQ(item(editor, command::kUndo), "&Undo Reload");
    ASSERT_TRUE(run(editor, command::kUndo));
    EXPECT_EQ(text(editor, kGravity), "5.0");

    // Closing the editor drops its steps.
    QPointer<QUndoStack> stack(&editor.undo_stack());
    uitest::DialogScript dialogs({uitest::press(TTagEditForm::kPromptDiscard)});
    ASSERT_TRUE(app->frame().close_form(editor));
    EXPECT_TRUE(stack.isNull());
    EXPECT_FALSE(open(kObje, fourcc("dwar")).undo_stack().canUndo());
}

TEST_F(EditorUndo, ListOperationsAreStepsNamedByTheirButtons) {
    add_file("sounds", {{kSoun, fourcc("rivr"), "River", Bytes(4, 0)}});
    PayloadBuilder builder(256);
    builder.put(0, 2, 2).put(16, 4, fourcc("rivr")).put(20, 4, 0x01020304);
    builder.put(24, 4, fourcc("gone")).put(28, 4, 0x05060708);
    const Bytes before = builder.bytes();
    add_file("lists", {{kSoli, fourcc("test"), "Water", before}});
    TTagEditForm& editor = open(kSoli, fourcc("test"));
    auto* list = editor.control<QListWidget>(12201);
    ASSERT_NE(list, nullptr);
    list->setCurrentRow(0);
    click(editor, 12203); // Duplicate
    list->setCurrentRow(1);
    click(editor, 12204); // Delete
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(item(editor, command::kUndo), "&Undo Delete");
    click(editor, TTagEditForm::kApplyButton);
    const Bytes applied = payload(kSoli, fourcc("test"));
    EXPECT_NE(applied, before);

    ASSERT_TRUE(run(editor, command::kUndo));
    EXPECT_EQ(item(editor, command::kUndo), "&Undo Duplicate");
    ASSERT_TRUE(run(editor, command::kUndo));
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "2. (missing tag 'gone')");
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(payload(kSoli, fourcc("test")), before);
    ASSERT_TRUE(run(editor, command::kRedo));
    ASSERT_TRUE(run(editor, command::kRedo));
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(payload(kSoli, fourcc("test")), applied);
}

} // namespace
} // namespace zephane
