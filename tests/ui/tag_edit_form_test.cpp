// What every editor window shares, seen through real editors: the header strip and its
// commands, the close prompt, Tag Info, reference fields with the picker, notifications of
// changed tags, short payloads, and Create Tag opening the new tag's editor.

#include "app/command_ids.h"
#include "app/tag_picker_dialog.h"
#include "app/writable_copy.h"
#include "editor_support.h"
#include "framework/xg_alert.h"
#include "framework/xg_frame.h"

#include <QListWidget>
#include <QPlainTextEdit>

namespace zephane {
namespace {

using uitest::Bytes;
using uitest::DialogScript;
using uitest::PayloadBuilder;
using uitest::press;

constexpr tag_type kObje = fourcc("obje");
constexpr tag_type kArti = fourcc("arti");
constexpr tag_type kStli = fourcc("stli");
constexpr int kGravity = 11601;

Bytes object_payload() {
    return PayloadBuilder(64).put(2, 2, 0).put(8, 2, 256).put(10, 2, 0).put(12, 2, 256).put(14, 2, 0).bytes();
}

class TagEditFormTest : public uitest::EditorFixture {
protected:
    void add_army() {
        add_file("army", {{kObje, fourcc("dwar"), "Dwarf Body", object_payload()},
                          {kStli, fourcc("hint"), "Loading Hints", uitest::Bytes{'a', 13, 'b'}},
                          {kStli, fourcc("unam"), "unit names", uitest::Bytes{'x'}}});
    }
    TTagFileForm& file_window() { return *app->file_form(*tag(kObje, fourcc("dwar")).file); }
};

TEST_F(TagEditFormTest, HeaderShowsTheFileAndItsButtonsFollowTheModifiedState) {
    add_army();
    TTagEditForm& editor = open(kObje, fourcc("dwar"));
    EXPECT_EQ(text(editor, TTagEditForm::kPathText), "plugins/army.tag");
    EXPECT_EQ(text(editor, TTagEditForm::kFileButton), "File:");
    EXPECT_EQ(text(editor, TTagEditForm::kReloadButton), "Reload");
    EXPECT_EQ(text(editor, TTagEditForm::kApplyButton), "Apply");
    EXPECT_GE(editor.minimumWidth(), 300);
    EXPECT_GE(editor.minimumHeight(), 300);
    EXPECT_GE(editor.sizeHint().height(), 300);
    // The window opens at its content's size (as wide as the main window allows).
    EXPECT_EQ(editor.height(), editor.sizeHint().height());
    XGFrame& frame = app->frame();
    EXPECT_EQ(frame.front_form(), &editor);
    EXPECT_FALSE(frame.command_state(command::kApplyTagChanges).enabled);
    EXPECT_FALSE(frame.command_state(command::kReloadTag).enabled);
    EXPECT_TRUE(frame.command_state(command::kTagInfo).enabled);

    type(editor, kGravity, "1");
    EXPECT_TRUE(enabled(editor, TTagEditForm::kApplyButton));
    EXPECT_TRUE(frame.command_state(command::kApplyTagChanges).enabled);
    EXPECT_TRUE(frame.command_state(command::kReloadTag).enabled);
    ASSERT_TRUE(frame.dispatch(command::kReloadTag));
    EXPECT_EQ(text(editor, kGravity), "0.0");
    EXPECT_FALSE(enabled(editor, TTagEditForm::kApplyButton));

    // Apply from the menu marks the tag, and the file's window says so.
    type(editor, kGravity, "-2");
    ASSERT_TRUE(frame.dispatch(command::kApplyTagChanges));
    EXPECT_EQ(uitest::number_at(payload(kObje, fourcc("dwar")), 2, 2, true), -1024);
    EXPECT_TRUE(tag(kObje, fourcc("dwar")).dirty);
    settle();
    EXPECT_TRUE(file_window().windowTitle().endsWith(" (modified)"));

    // "File:" brings the file's window forward with the tag selected.
    frame.bring_to_front(editor);
    click(editor, TTagEditForm::kFileButton);
    EXPECT_EQ(frame.front_form(), &file_window());
    ASSERT_EQ(file_window().tree()->selection_count(), 1u);
    EXPECT_EQ(file_window().tree()->selection().front()->data.tag, &tag(kObje, fourcc("dwar")));
}

TEST_F(TagEditFormTest, ClosingAModifiedEditorAsksToCommitTheChanges) {
    add_army();
    const Bytes before = payload(kObje, fourcc("dwar"));
    XGFrame& frame = app->frame();
    TTagEditForm* editor = &open(kObje, fourcc("dwar"));
    {
        DialogScript none; // unmodified: closes without asking
        ASSERT_TRUE(frame.close_form(*editor));
    }
    editor = &open(kObje, fourcc("dwar"));
    type(*editor, kGravity, "3");
    {
        DialogScript dialogs({[](XGDialog& alert) {
            EXPECT_EQ(alert.windowTitle(), "Commit Tag Changes?");
            EXPECT_EQ(alert.text_of(kAlertTextControl),
                      "Should the changes to Dwarf Body (dwar/obje) be applied to the file before "
                      "the editing window is closed?");
            EXPECT_EQ(alert.text_of(101), "Apply");
            EXPECT_EQ(alert.text_of(102), "Cancel");
            EXPECT_EQ(alert.text_of(103), "Discard Changes");
            alert.click(102);
        }});
        EXPECT_FALSE(frame.close_form(*editor));
    }
    EXPECT_EQ(TagEditorWindow::of(tag(kObje, fourcc("dwar"))), editor);
    EXPECT_EQ(text(*editor, kGravity), "3");
    {
        DialogScript dialogs({press(TTagEditForm::kPromptDiscard)});
        EXPECT_TRUE(frame.close_form(*editor));
    }
    EXPECT_EQ(TagEditorWindow::of(tag(kObje, fourcc("dwar"))), nullptr);
    EXPECT_EQ(payload(kObje, fourcc("dwar")), before);
    EXPECT_FALSE(tag(kObje, fourcc("dwar")).dirty);

    editor = &open(kObje, fourcc("dwar"));
    type(*editor, kGravity, "3");
    {
        DialogScript dialogs({press(TTagEditForm::kPromptApply)});
        EXPECT_TRUE(frame.close_form(*editor));
    }
    EXPECT_EQ(uitest::number_at(payload(kObje, fourcc("dwar")), 2, 2, true), 3 * 512);
}

TEST_F(TagEditFormTest, TagInfoFromTheEditorRenamesTheTagAndRetitlesTheEditor) {
    add_army();
    TTagEditForm& editor = open(kObje, fourcc("dwar"));
    DialogScript dialogs({[](XGDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Tag Info");
        EXPECT_EQ(dialog.text_of(1), "Dwarf Body");
        dialog.type_text(1, "Dwarf Hide");
        dialog.click(101);
    }});
    ASSERT_TRUE(app->frame().dispatch(command::kTagInfo));
    EXPECT_EQ(editor.windowTitle(), "Dwarf Hide (dwar/obje)");
    EXPECT_EQ(tag(kObje, fourcc("dwar")).name, "Dwarf Hide");
}

TEST_F(TagEditFormTest, TagInfoFromTheEditorRefusesToMoveTheTagToAnotherType) {
    add_army();
    TTagEditForm& editor = open(kObje, fourcc("dwar"));
    DialogScript dialogs({[](XGDialog& dialog) {
                              dialog.type_text(8, "unit");
                              dialog.click(101);
                          },
                          [](XGDialog& alert) {
                              EXPECT_EQ(alert.text_of(kAlertTextControl),
                                        "Dwarf Body - Close the tag's editor before moving the tag "
                                        "to another type.");
                              alert.click(1);
                          }});
    ASSERT_TRUE(app->frame().dispatch(command::kTagInfo));
    EXPECT_EQ(TagDatabase::get_tag_type(tag(kObje, fourcc("dwar"))), kObje);
    EXPECT_EQ(TagEditorWindow::of(tag(kObje, fourcc("dwar"))), &editor);
}

// An artifact whose references are: a missing collection, a string list that exists, no
// projectile, and a monster restriction to a monster that is not loaded.
Bytes artifact_payload() {
    return PayloadBuilder(168)
        .put(4, 4, fourcc("trol"))
        .put(16, 4, fourcc("none"))
        .put(28, 4, -1)
        .put(148, 4, fourcc("hint"))
        .bytes();
}

TEST_F(TagEditFormTest, ReferenceFieldsPickTagsOpenThemAndFollowTheirChanges) {
    add_army();
    add_file("items", {{kArti, fourcc("swrd"), "Sword", artifact_payload()}});
    set_pick_tag_shows_all_files(false);
    TTagEditForm& editor = open(kArti, fourcc("swrd"));
    EXPECT_EQ(text(editor, 10101), "(missing tag 'none')");
    EXPECT_EQ(text(editor, 10103), "(missing tag 'trol')");
    EXPECT_EQ(text(editor, 10111), "(tag unassigned)");
    EXPECT_EQ(text(editor, 10107), "Loading Hints");
    EXPECT_FALSE(enabled(editor, 10102)) << "a missing tag cannot be opened";
    EXPECT_FALSE(enabled(editor, 10112));
    EXPECT_TRUE(enabled(editor, 10108));

    // Cancel leaves the reference as it was; None clears it.
    {
        DialogScript dialogs({press(101)});
        click(editor, 10107);
    }
    EXPECT_EQ(text(editor, 10107), "Loading Hints");
    EXPECT_FALSE(editor.isModified());
    {
        DialogScript dialogs({press(102)});
        click(editor, 10107);
    }
    EXPECT_EQ(text(editor, 10107), "(tag unassigned)");
    EXPECT_FALSE(enabled(editor, 10108));
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(uitest::number_at(payload(kArti, fourcc("swrd")), 148, 4, false), 0xFFFFFFFF);

    // Select: the artifact's own file has no string list, so every file is offered.
    {
        DialogScript dialogs({[](XGDialog& picker) {
            EXPECT_EQ(picker.windowTitle(), "Pick String List (stli)");
            auto* list = picker.control<QListWidget>(2);
            ASSERT_EQ(list->count(), 2);
            EXPECT_EQ(list->item(1)->text(), "unit names (unam)"); // sorted without case
            picker.choose_row(2, 1);
            picker.click(100);
        }});
        click(editor, 10107);
    }
    EXPECT_EQ(text(editor, 10107), "unit names");
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(uitest::number_at(payload(kArti, fourcc("swrd")), 148, 4, false), fourcc("unam"));

    // The small button opens the referenced tag's editor.
    click(editor, 10108);
    auto* opened = TagEditorWindow::of(tag(kStli, fourcc("unam")));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(app->frame().front_form(), opened);

    // Changes to referenced tags reach the labels: a rename, a missing tag that appears.
    app->db().set_tag_name(tag(kStli, fourcc("unam")), "Unit Names");
    app->db().add_tag(tag(kArti, fourcc("swrd")).file, fourcc(".256"), fourcc("none"), 4,
                      "Swords", 0, 0, Bytes(8, 0));
    app->flush_changes();
    EXPECT_EQ(text(editor, 10107), "Unit Names");
    EXPECT_EQ(text(editor, 10101), "Swords");
    EXPECT_TRUE(enabled(editor, 10102));
    EXPECT_FALSE(editor.isModified());
}

TEST_F(TagEditFormTest, AShortPayloadShowsTheDefaultsAndApplyWritesTheWholeRecord) {
    add_file("short", {{kObje, fourcc("shrt"), "Short", Bytes(10, 0xEE)}});
    TTagEditForm& editor = open(kObje, fourcc("shrt"));
    EXPECT_EQ(text(editor, 11604), "1.0") << "the new-tag values";
    EXPECT_TRUE(editor.isModified()) << "the tag does not hold this record";
    EXPECT_TRUE(enabled(editor, TTagEditForm::kApplyButton));
    click(editor, TTagEditForm::kApplyButton);
    const Bytes& written = payload(kObje, fourcc("shrt"));
    ASSERT_EQ(written.size(), 64u);
    EXPECT_EQ(uitest::number_at(written, 8, 2, true), 256);
    EXPECT_FALSE(editor.isModified());
}

TEST_F(TagEditFormTest, CreateTagOpensTheNewTagsEditorAndDropsAnEmptyTemplate) {
    TagFile& file = add_file("new", {{kStli, fourcc("hint"), "Loading Hints", Bytes{'a'}}});
    const auto create = [&](const char* type_name, QString refusal = {}) {
        DialogScript dialogs({[&](XGDialog& dialog) {
            auto* list = dialog.control<QListWidget>(2);
            for (int k = 0; k < list->count(); ++k)
                if (list->item(k)->text() == type_name) dialog.choose_row(2, k);
            dialog.type_text(1, "Fresh");
            dialog.click(100);
        }});
        if (!refusal.isEmpty())
            dialogs.expect([&](XGDialog& alert) {
                EXPECT_EQ(alert.text_of(kAlertTextControl), refusal);
                alert.click(1);
            });
        app->frame().bring_to_front(*app->file_form(file));
        ASSERT_TRUE(app->frame().dispatch(command::kCreateTag));
    };
    create("Object");
    TagEntry* made = app->db().find_tag_in_file(file, kObje, fourcc("fres"));
    ASSERT_NE(made, nullptr);
    auto* editor = dynamic_cast<TTagEditForm*>(TagEditorWindow::of(*made));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), "Fresh (fres/obje)");
    EXPECT_EQ(text(*editor, 11606), "1.0");
    EXPECT_FALSE(editor->isModified());

    create("Template", "No tag was made: Templates cannot be created here, as their type gives "
                       "a new tag no payload.");
    EXPECT_EQ(app->db().find_tag_group(file, fourcc("temp"), false), nullptr);
}

TEST_F(TagEditFormTest, EditsOfABaseTagGoIntoACopyInThePluginTheUserPicks) {
    const std::string base_path = write(
        "tags/base.tag", uitest::current_file(3, {{kObje, fourcc("dwar"), "Dwarf Body", object_payload()}}));
    ASSERT_NE(app->db().read_tag_file(base_path, false), nullptr);
    const auto base_bytes = test::read_bytes(base_path);
    TagFile& plugin = add_file("mods", {{kStli, fourcc("hint"), "Hints", Bytes{'a'}}});
    TTagEditForm& editor = open(kObje, fourcc("dwar"));
    EXPECT_TRUE(text(editor, TTagEditForm::kLockedNote).startsWith("This tag is in a base file"));
    EXPECT_TRUE(editor.control<QWidget>(TTagEditForm::kLockedNote)->isVisibleTo(&editor));

    // Cancelling the choice keeps the change in the controls and the base tag as it was.
    type(editor, kGravity, "-2");
    {
        DialogScript dialogs({press(2)});
        click(editor, TTagEditForm::kApplyButton);
        EXPECT_EQ(dialogs.titles(), std::vector<QString>{"Apply to a Copy"});
    }
    EXPECT_TRUE(editor.isModified());
    EXPECT_EQ(&editor.tag(), app->db().find_tag_in_file(*TagDatabase::get_tag_file(tag(kObje, fourcc("dwar"))), kObje, fourcc("dwar")));

    // The open plugin: the copy keeps type, id and name, takes the change, and wins lookups.
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.control<QListWidget>(kCopyTargetList)->item(0)->text(), "plugins/mods.tag");
            dialog.choose_row(kCopyTargetList, 0);
            dialog.click(1);
        }});
        click(editor, TTagEditForm::kApplyButton);
    }
    TagEntry* copy = app->db().find_tag_in_file(plugin, kObje, fourcc("dwar"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->name, "Dwarf Body");
    EXPECT_EQ(&editor.tag(), copy);
    EXPECT_EQ(app->db().find_tag(kObje, fourcc("dwar")), copy);
    EXPECT_EQ(uitest::number_at(*app->db().get_tag_data(*copy), 2, 2, true), -1024);
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(text(editor, TTagEditForm::kPathText), "plugins/mods.tag");
    EXPECT_FALSE(editor.control<QWidget>(TTagEditForm::kLockedNote)->isVisibleTo(&editor));
    ASSERT_TRUE(app->file_form(plugin)->save());
    EXPECT_EQ(test::read_bytes(base_path), base_bytes);
    TagDatabase fresh;
    TagFile* saved = fresh.read_tag_file(*plugin.spec, false);
    TagEntry* stored = fresh.find_tag_in_file(*saved, kObje, fourcc("dwar"));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(uitest::number_at(*fresh.get_tag_data(*stored), 2, 2, true), -1024);
}

TEST_F(TagEditFormTest, ControlsMarkValuesStoredOtherwiseAndShowTheStoredOnesAfterApply) {
    add_army();
    TTagEditForm& editor = open(kObje, fourcc("dwar"));
    QWidget* gravity = editor.find_control(kGravity);
    type(editor, kGravity, "abc");
    EXPECT_TRUE(gravity->property("unstorable").toBool());
    EXPECT_EQ(gravity->toolTip(), "Will be stored as 0.0");
    type(editor, kGravity, "-2");
    EXPECT_FALSE(gravity->property("unstorable").toBool());
    EXPECT_TRUE(gravity->toolTip().isEmpty());

    // A range typed upside down: both bounds say the order they will be stored in.
    constexpr int kScaleLower = 11606, kScaleUpper = 11607;
    type(editor, kScaleLower, "2");
    type(editor, kScaleUpper, "1");
    EXPECT_EQ(editor.find_control(kScaleUpper)->toolTip(), "Will be stored as 1.0 to 2.0");
    EXPECT_TRUE(editor.find_control(kScaleLower)->property("unstorable").toBool());

    type(editor, kGravity, "abc");
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(text(editor, kGravity), "0.0");
    EXPECT_EQ(text(editor, kScaleLower), "1.0");
    EXPECT_EQ(text(editor, kScaleUpper), "2.0");
    EXPECT_FALSE(gravity->property("unstorable").toBool());
    EXPECT_FALSE(editor.isModified());
}

TEST_F(TagEditFormTest, ATextTagTextsCannotHoldIsRefusedAtApply) {
    add_army();
    TTagEditForm& editor = open(kStli, fourcc("hint"));
    const Bytes before = payload(kStli, fourcc("hint"));
    editor.findChild<QPlainTextEdit*>()->setPlainText(QString::fromUtf8("caf\u00e9 costs 5 \u20ac"));
    DialogScript dialogs({[](XGDialog& alert) {
        EXPECT_TRUE(alert.text_of(kAlertTextControl).contains(QString::fromUtf8("holds \"\u20ac\"")))
            << alert.text_of(kAlertTextControl).toStdString();
        alert.click(1);
    }});
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(dialogs.titles(), std::vector<QString>{"Error"});
    EXPECT_EQ(payload(kStli, fourcc("hint")), before);
    EXPECT_TRUE(editor.isModified());
    // Latin-1 accents are stored.
    editor.findChild<QPlainTextEdit*>()->setPlainText(QString::fromUtf8("caf\u00e9"));
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(payload(kStli, fourcc("hint")), (Bytes{'c', 'a', 'f', 0xE9}));
}

TEST_F(TagEditFormTest, OpeningATagPointsItsFileWindowAtIt) {
    add_army();
    TTreeView& tree = *file_window().tree();
    TreeRow* objects = uitest::row_starting(tree, "Objects");
    ASSERT_NE(objects, nullptr);
    tree.set_expanded(*objects, false);
    uitest::select_rows(tree, {"Loading Hints"});
    open(kObje, fourcc("dwar"));
    EXPECT_TRUE(uitest::row_starting(tree, "Objects")->expanded);
    ASSERT_EQ(tree.selection_count(), 1u);
    EXPECT_EQ(tree.selection().front()->data.tag, &tag(kObje, fourcc("dwar")));
    EXPECT_EQ(tree.current(), tree.selection().front());
}

} // namespace
} // namespace zephane
