// Undo and redo in tag file windows: every command taken back to the bytes a save wrote
// before it, across saves, with the Edit menu naming the step.

#include "app/command_ids.h"
#include "app/tag_drag.h"
#include "app/tag_id_chooser.h"
#include "app/undo_steps.h"
#include "framework/xg_frame.h"
#include "ui_support.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPointer>
#include <QTest>
#include <QUndoStack>

namespace zephane {
namespace {

using uitest::DialogScript;
using uitest::press;

constexpr tag_type kUnit = fourcc("unit");
constexpr tag_type kProj = fourcc("proj");
constexpr tag_type kStli = fourcc("stli");
constexpr int kInfoOk = 101;
constexpr int kCreateOk = 100;

class FileUndo : public uitest::AppFixture {
protected:
    void SetUp() override {
        make_app();
        army_path = write("plugins/army.tag",
                          uitest::current_file(1, {{kUnit, fourcc("dwar"), "Dwarf", {1, 2, 3}},
                                                   {kUnit, fourcc("trow"), "Troll", {9, 9}},
                                                   {kProj, fourcc("arrw"), "Arrow", {4}}}));
        other_path = write("plugins/other.tag",
                           uitest::current_file(1, {{kProj, fourcc("bolt"), "Bolt", {5, 6}}}));
        army = &open_file(army_path);
        other = &open_file(other_path);
        attach_tag_defaults(kUnit, [](TagDatabase& db, TagEntry& tag) {
            db.set_tag_data(tag, Payload{7, 7, 7, 7});
        });
        // The program's own save of the file as it is: the bytes every undo must give back.
        db().set_tag_name(*db().find_tag(kUnit, fourcc("dwar")), "Dwarf");
        save(*army);
    }
    TagDatabase& db() { return app->db(); }
    bool run(XGForm& form, int command) { return run_command(form, command); }
    QString item_text(XGForm& form, int command) {
        app->frame().bring_to_front(form);
        return app->frame().command_state(command).text;
    }
    void save(TTagFileForm& form) {
        ASSERT_TRUE(run(form, command::kSave));
        EXPECT_FALSE(TagDatabase::tag_file_needs_save(*form.file()));
    }
    void tag_info(const std::string& row, const std::function<void(XGDialog&)>& answer) {
        uitest::select_rows(*army->tree(), {row});
        DialogScript dialogs({[&](XGDialog& dialog) {
            answer(dialog);
            dialog.click(kInfoOk);
        }});
        ASSERT_TRUE(run(*army, command::kTagInfo));
    }
    std::vector<std::uint8_t> on_disk() const { return test::read_bytes(army_path); }

    std::string army_path, other_path;
    TTagFileForm* army = nullptr;
    TTagFileForm* other = nullptr;
};

TEST_F(FileUndo, EveryCommandIsUndoneToTheSavedBytesAndRedoneToItsOwn) {
    struct Case {
        const char* step;
        std::function<void()> act;
    };
    const std::vector<Case> cases{
        {"Cut",
         [&] {
             uitest::select_rows(*army->tree(), {"Troll", "Arrow"});
             ASSERT_TRUE(run(*army, command::kCut));
         }},
        {"Clear",
         [&] {
             uitest::select_rows(*army->tree(), {"Units"});
             ASSERT_TRUE(run(*army, command::kClear));
         }},
        {"Paste",
         [&] {
             uitest::select_rows(*other->tree(), {"Bolt"});
             ASSERT_TRUE(run(*other, command::kCopy));
             ASSERT_TRUE(run(*army, command::kPaste));
         }},
        {"Drop",
         [&] {
             uitest::select_rows(*other->tree(), {"Bolt"});
             const std::unique_ptr<QMimeData> drag = other->tree_drag_data();
             army->tree_drop(*drag);
         }},
        {"Rename Tag", [&] { tag_info("Dwarf", [](XGDialog& d) { d.type_text(1, "Dwarf Lord"); }); }},
        {"Change Tag ID",
         [&] {
             tag_info("Troll", [](XGDialog& d) {
                 d.click(static_cast<int>(IdScope::kSpecify));
                 d.type_text(7, "ogre");
             });
         }},
        {"Move Tag", [&] { tag_info("Arrow", [](XGDialog& d) { d.type_text(8, "stli"); }); }},
        {"Create Tag",
         [&] {
             DialogScript dialogs({[](XGDialog& dialog) {
                 dialog.type_text(1, "Elf");
                 auto* types = dialog.control<QListWidget>(2);
                 for (int k = 0; k < types->count(); ++k)
                     if (types->item(k)->text() == "Units") dialog.choose_row(2, k);
                 dialog.click(kCreateOk);
             }});
             ASSERT_TRUE(run(*army, command::kCreateTag));
         }},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.step);
        const std::vector<std::uint8_t> before = on_disk();
        one.act();
        settle();
        ASSERT_TRUE(TagDatabase::tag_file_needs_save(*army->file()));
        EXPECT_EQ(item_text(*army, command::kUndo), QStringLiteral("&Undo %1").arg(one.step));
        save(*army);
        const std::vector<std::uint8_t> done = on_disk();
        ASSERT_NE(done, before);

        // Back across the save: the file is modified again and saves as it was.
        ASSERT_TRUE(run(*army, command::kUndo));
        EXPECT_EQ(item_text(*army, command::kRedo), QStringLiteral("&Redo %1").arg(one.step));
        EXPECT_EQ(army->windowTitle(), "army (modified)");
        save(*army);
        EXPECT_EQ(on_disk(), before);

        ASSERT_TRUE(run(*army, command::kRedo));
        save(*army);
        EXPECT_EQ(on_disk(), done);
        ASSERT_TRUE(run(*army, command::kUndo));
        save(*army);
        EXPECT_EQ(on_disk(), before);
        db().check_file(*army->file());
    }
}

TEST_F(FileUndo, UndoToTheSavedStateIsUnmodifiedAndTheMenuFollowsTheFrontWindow) {
    EXPECT_FALSE(app->frame().command_state(command::kUndo).enabled);
    EXPECT_EQ(item_text(*army, command::kUndo), "&Undo");
    tag_info("Dwarf", [](XGDialog& d) { d.type_text(1, "Dwarf Lord"); });
    EXPECT_EQ(army->windowTitle(), "army (modified)");
    EXPECT_EQ(item_text(*army, command::kUndo), "&Undo Rename Tag");
    EXPECT_EQ(item_text(*other, command::kUndo), "&Undo"); // another window, its own stack
    EXPECT_FALSE(app->frame().command_state(command::kUndo).enabled);

    ASSERT_TRUE(run(*army, command::kUndo));
    EXPECT_EQ(db().find_tag(kUnit, fourcc("dwar"))->name, "Dwarf");
    EXPECT_EQ(army->windowTitle(), "army"); // nothing left to save
    EXPECT_FALSE(app->frame().command_state(command::kSave).enabled);
    EXPECT_EQ(item_text(*army, command::kUndo), "&Undo");
    EXPECT_EQ(item_text(*army, command::kRedo), "&Redo Rename Tag");
    ASSERT_TRUE(run(*army, command::kRedo));
    EXPECT_EQ(db().find_tag(kUnit, fourcc("dwar"))->name, "Dwarf Lord");
    EXPECT_EQ(army->windowTitle(), "army (modified)");

    // The menu item itself carries the text while the menu is open.
    QAction* undo = app->frame().action(command::kUndo);
    ASSERT_NE(undo, nullptr);
    EXPECT_EQ(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(app->frame().action(command::kRedo)->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
}

TEST_F(FileUndo, KeysUndoEvenFromATextFieldAndANewCommandDropsTheRedo) {
    uitest::select_rows(*army->tree(), {"Arrow"});
    ASSERT_TRUE(run(*army, command::kClear));
    QLineEdit* filter = army->filter_box();
    ASSERT_NE(filter, nullptr);
    filter->setFocus();
    QTest::keyClicks(filter, "x");
    filter->clear();
    QTest::keyClick(filter, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(db().find_tag_in_file(*army->file(), kProj, fourcc("arrw")), nullptr);
    QTest::keyClick(filter, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(db().find_tag_in_file(*army->file(), kProj, fourcc("arrw")), nullptr);

    ASSERT_TRUE(run(*army, command::kUndo));
    uitest::select_rows(*army->tree(), {"Troll"});
    ASSERT_TRUE(run(*army, command::kClear));
    EXPECT_FALSE(app->frame().command_state(command::kRedo).enabled);
    EXPECT_EQ(army->undo_stack().count(), 1);
}

TEST_F(FileUndo, AnEditorOnATagTheUndoRemovesIsAskedToCloseFirst) {
    uitest::attach_test_editor(kProj);
    uitest::select_rows(*other->tree(), {"Bolt"});
    ASSERT_TRUE(run(*other, command::kCopy));
    ASSERT_TRUE(run(*army, command::kPaste));
    TagEntry* bolt = db().find_tag_in_file(*army->file(), kProj, fourcc("bolt"));
    ASSERT_NE(bolt, nullptr);
    app->openTag(*bolt, false);
    auto* editor = static_cast<uitest::TestEditor*>(TagEditorWindow::of(*bolt));
    ASSERT_NE(editor, nullptr);
    editor->may_close = false;
    ASSERT_TRUE(run(*army, command::kUndo)); // the editor stays: nothing is undone
    EXPECT_EQ(db().find_tag_in_file(*army->file(), kProj, fourcc("bolt")), bolt);
    EXPECT_TRUE(army->undo_stack().canUndo());

    editor->may_close = true;
    ASSERT_TRUE(run(*army, command::kUndo));
    EXPECT_EQ(db().find_tag_in_file(*army->file(), kProj, fourcc("bolt")), nullptr);
    EXPECT_TRUE(TagEditorWindow::open_editors().empty());
    ASSERT_TRUE(run(*army, command::kRedo));
    EXPECT_EQ(*db().get_tag_data(*db().find_tag_in_file(*army->file(), kProj, fourcc("bolt"))),
              (Payload{5, 6}));
}

TEST_F(FileUndo, ClosingTheWindowDropsItsStepsAndRevertStartsAfresh) {
    uitest::select_rows(*army->tree(), {"Dwarf"});
    ASSERT_TRUE(run(*army, command::kClear));
    {
        DialogScript dialogs({press(TTagFileForm::kDontSaveButton)});
        QPointer<QUndoStack> stack(&army->undo_stack());
        ASSERT_TRUE(app->frame().close_form(*army));
        EXPECT_TRUE(stack.isNull());
    }
    TTagFileForm& again = open_file(army_path);
    EXPECT_FALSE(again.undo_stack().canUndo());
    EXPECT_NE(db().find_tag_in_file(*again.file(), kUnit, fourcc("dwar")), nullptr);

    uitest::select_rows(*again.tree(), {"Dwarf"});
    ASSERT_TRUE(run(again, command::kClear));
    ASSERT_TRUE(run(again, command::kRevert));
    EXPECT_FALSE(again.undo_stack().canUndo());
    EXPECT_FALSE(app->frame().command_state(command::kUndo).enabled);
}

} // namespace
} // namespace zephane
