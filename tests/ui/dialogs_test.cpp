// The Create New Tag, Tag Info and Find Tag dialogs, answered control by control.

#include "app/command_ids.h"
#include "app/tag_id_chooser.h"
#include "framework/xg_frame.h"
#include "framework/xg_alert.h"
#include "ui_support.h"

#include <QListWidget>

namespace zephane {
namespace {

using uitest::DialogScript;
using uitest::press;

constexpr tag_type kUnit = fourcc("unit");
constexpr tag_type kStli = fourcc("stli");
constexpr tag_type kTemp = fourcc("temp");
constexpr int kCreateOk = 100;
constexpr int kCreateCancel = 101;
constexpr int kInfoOk = 101;
constexpr int kInfoCancel = 100;

void four_byte_payload(TagDatabase& db, TagEntry& tag) {
    db.set_tag_data(tag, Payload(4, 0));
}
void no_payload(TagDatabase&, TagEntry&) {}

class Dialogs : public uitest::AppFixture {
protected:
    void SetUp() override {
        make_app();
        path = write("plugins/army.tag",
                     uitest::current_file(1, {{kUnit, fourcc("dwar"), "Dwarf", {1}}}));
        write("tags/base.tag", uitest::current_file(3, {{kUnit, fourcc("elfs"), "Elf", {2}}}));
        app->db().load_tag_folder((folder.path() / "tags").string(), true);
        form = &open_file(path);
        attach_tag_defaults(kStli, four_byte_payload);
        attach_tag_defaults(kUnit, four_byte_payload);
        attach_tag_defaults(kTemp, no_payload);
    }
    bool create() {
        app->frame().bring_to_front(*form);
        return app->frame().dispatch(command::kCreateTag);
    }
    static int row_of(XGDialog& dialog, const char* type_name) {
        auto* list = dialog.control<QListWidget>(2);
        for (int k = 0; k < list->count(); ++k)
            if (list->item(k)->text() == QString::fromLatin1(type_name)) return k;
        return -1;
    }
    std::string path;
    TTagFileForm* form = nullptr;
};

TEST_F(Dialogs, CreateTagListsTypesThatCanFillANewTagAndComputesIds) {
    DialogScript dialogs({[&](XGDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Create New Tag");
        EXPECT_EQ(dialog.text_of(1), "untitled tag");
        auto* list = dialog.control<QListWidget>(2);
        ASSERT_EQ(list->count(), 3); // in table order: types with a new-tag initialiser
        EXPECT_EQ(list->item(0)->text(), "String List");
        EXPECT_EQ(list->item(1)->text(), "Template");
        EXPECT_EQ(list->item(2)->text(), "Units");
        EXPECT_FALSE(dialog.is_enabled(kCreateOk)); // no type chosen yet
        EXPECT_FALSE(dialog.is_enabled(7));
        dialog.type_text(1, "Elfs");
        dialog.choose_row(2, row_of(dialog, "Units"));
        EXPECT_TRUE(dialog.is_enabled(kCreateOk));
        EXPECT_EQ(dialog.text_of(7), "elft"); // globally unique: the base file's 'elfs' is taken
        dialog.click(static_cast<int>(IdScope::kNameOnly));
        EXPECT_EQ(dialog.text_of(7), "elfs");
        dialog.type_text(1, "Dwarf");
        EXPECT_EQ(dialog.text_of(7), "dwar");
        dialog.click(static_cast<int>(IdScope::kInFile));
        EXPECT_EQ(dialog.text_of(7), "dwas");
        dialog.click(static_cast<int>(IdScope::kSpecify));
        EXPECT_TRUE(dialog.is_enabled(7));
        dialog.type_text(7, "ab\x01");
        dialog.type_text(1, "Dwarf King"); // the typed id stays
        EXPECT_TRUE(dialog.text_of(7).startsWith(QStringLiteral("ab")));
        dialog.click(kCreateOk);
    }});
    ASSERT_TRUE(create());
    TagEntry* made = app->db().find_tag_in_file(*form->file(), kUnit, text_to_tag_id("ab\x01"));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->name, "Dwarf King");
    EXPECT_EQ(made->version, 2);
    EXPECT_EQ(made->size, 4u);
    EXPECT_EQ(app->last_created_type, kUnit);
    // Revealed and selected (the type has no editor here).
    ASSERT_EQ(form->tree()->selection_count(), 1u);
    EXPECT_EQ(form->tree()->selection().front()->data.tag, made);
}

TEST_F(Dialogs, CreateTagRemembersTheTypeAndOpensTheNewTagsEditor) {
    uitest::attach_test_editor(kStli);
    app->last_created_type = kStli;
    DialogScript dialogs({[](XGDialog& dialog) {
        EXPECT_TRUE(dialog.is_enabled(kCreateOk)); // the last type is preselected
        EXPECT_EQ(dialog.control<QListWidget>(2)->currentItem()->text(), "String List");
        dialog.click(kCreateOk);
    }});
    ASSERT_TRUE(create());
    TagEntry* made = app->db().find_tag_in_file(*form->file(), kStli, fourcc("unta"));
    ASSERT_NE(made, nullptr);
    auto* editor = static_cast<uitest::TestEditor*>(TagEditorWindow::of(*made));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->reloads, 1);
    EXPECT_EQ(editor->windowTitle(), "untitled tag (unta/stli)");
}

TEST_F(Dialogs, CreateTagRemovesATagItsInitialiserLeftEmptyAndCancelAddsNothing) {
    DialogScript dialogs({[&](XGDialog& dialog) {
                              dialog.choose_row(2, row_of(dialog, "Template"));
                              dialog.click(kCreateOk);
                          },
                          [](XGDialog& refusal) {
                              EXPECT_TRUE(refusal.text_of(kAlertTextControl).startsWith("No tag was made"));
                              refusal.click(1);
                          },
                          press(kCreateCancel)});
    ASSERT_TRUE(create());
    EXPECT_EQ(app->db().find_tag_group(*form->file(), kTemp, false), nullptr);
    ASSERT_TRUE(create());
    EXPECT_EQ(app->db().find_tag_group(*form->file(), kTemp, false), nullptr);
    EXPECT_EQ(uitest::all_labels(*form->tree()),
              (std::vector<std::string>{"Units", "Dwarf (dwar) [0k]"}));
    EXPECT_EQ(form->windowTitle(), "army (modified)"); // the tag came and went
}

TEST_F(Dialogs, TagInfoRenamesReidentifiesAndMovesTheTag) {
    uitest::select_rows(*form->tree(), {"Dwarf"});
    DialogScript dialogs({[](XGDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Tag Info");
        EXPECT_EQ(dialog.text_of(1), "Dwarf");
        EXPECT_EQ(dialog.text_of(8), "unit");
        EXPECT_EQ(dialog.text_of(7), "dwar");
        EXPECT_TRUE(dialog.is_enabled(7)); // the tag's own id, as typed
        dialog.type_text(1, "Dwarf Scout");
        dialog.type_text(8, "stli");
        dialog.click(static_cast<int>(IdScope::kGlobal));
        EXPECT_EQ(dialog.text_of(7), "dwsc");
        dialog.click(kInfoOk);
    }});
    app->frame().bring_to_front(*form);
    ASSERT_TRUE(app->frame().dispatch(command::kTagInfo));
    TagEntry* moved = app->db().find_tag_in_file(*form->file(), kStli, fourcc("dwsc"));
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->name, "Dwarf Scout");
    EXPECT_EQ(app->db().find_tag_group(*form->file(), kUnit, false), nullptr);
    EXPECT_EQ(uitest::all_labels(*form->tree()),
              (std::vector<std::string>{"String Lists", "Dwarf Scout (dwsc) [0k]"}));
    EXPECT_EQ(form->tree()->selection().front()->data.tag, moved);
    EXPECT_EQ(form->windowTitle(), "army (modified)");
}

TEST_F(Dialogs, TagInfoAsksBeforeGivingATagATypeTheTableDoesNotKnow) {
    uitest::select_rows(*form->tree(), {"Dwarf"});
    const auto unknown_type = [](XGDialog& dialog) {
        dialog.type_text(8, "zzzz");
        dialog.click(kInfoOk);
    };
    {
        DialogScript dialogs({unknown_type, press(2)});
        app->frame().bring_to_front(*form);
        ASSERT_TRUE(app->frame().dispatch(command::kTagInfo));
        EXPECT_EQ(dialogs.titles(), (std::vector<QString>{"Tag Info", "Unknown Tag Type"}));
    }
    EXPECT_NE(app->db().find_tag_in_file(*form->file(), kUnit, fourcc("dwar")), nullptr);
    EXPECT_EQ(form->windowTitle(), "army");
    {
        DialogScript dialogs({unknown_type, press(1)});
        app->frame().bring_to_front(*form);
        ASSERT_TRUE(app->frame().dispatch(command::kTagInfo));
    }
    EXPECT_NE(app->db().find_tag_in_file(*form->file(), fourcc("zzzz"), fourcc("dwar")), nullptr);
}

TEST_F(Dialogs, TagInfoMovesATagOnlyAfterItsEditorCloses) {
    // The editor holds a record of the old type: a move to another type closes it first, and
    // an editor that stays open keeps the tag where it is.
    uitest::attach_test_editor(kUnit);
    TagEntry& dwarf = *app->db().find_tag(kUnit, fourcc("dwar"));
    app->openTag(dwarf, false);
    auto* editor = static_cast<uitest::TestEditor*>(TagEditorWindow::of(dwarf));
    ASSERT_NE(editor, nullptr);
    editor->may_close = false;
    const auto move_to_stli = [](XGDialog& dialog) {
        dialog.type_text(8, "stli");
        dialog.click(kInfoOk);
    };
    uitest::select_rows(*form->tree(), {"Dwarf"});
    {
        DialogScript dialogs({move_to_stli});
        app->frame().bring_to_front(*form);
        ASSERT_TRUE(app->frame().dispatch(command::kTagInfo));
    }
    EXPECT_EQ(TagDatabase::get_tag_type(dwarf), kUnit);
    EXPECT_EQ(TagEditorWindow::of(dwarf), editor);

    editor->may_close = true;
    {
        DialogScript dialogs({move_to_stli});
        app->frame().bring_to_front(*form);
        ASSERT_TRUE(app->frame().dispatch(command::kTagInfo));
    }
    EXPECT_EQ(TagDatabase::get_tag_type(dwarf), kStli);
    EXPECT_EQ(TagEditorWindow::of(dwarf), nullptr);
}

TEST_F(Dialogs, TagInfoCancelledOrUnchangedLeavesTheFileAlone) {
    uitest::select_rows(*form->tree(), {"Dwarf"});
    DialogScript dialogs({[](XGDialog& dialog) {
                              dialog.type_text(1, "Something else");
                              dialog.click(kInfoCancel);
                          },
                          press(kInfoOk)});
    app->frame().bring_to_front(*form);
    ASSERT_TRUE(app->frame().dispatch(command::kTagInfo));
    ASSERT_TRUE(app->frame().dispatch(command::kTagInfo));
    EXPECT_EQ(app->db().find_tag(kUnit, fourcc("dwar"))->name, "Dwarf");
    EXPECT_FALSE(TagDatabase::tag_file_needs_save(*form->file()));
}

TEST_F(Dialogs, FindTagPrefersLaterFoldersAndKeepsTheLastSearch) {
    write("plugins/zz.tag", uitest::current_file(1, {{kUnit, fourcc("elfs"), "Plugin Elf", {3}}}));
    TagFile* plugin = app->db().read_tag_file((folder.path() / "plugins/zz.tag").string(), false);
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Find Tag");
            EXPECT_EQ(dialog.text_of(1), "");
            EXPECT_EQ(dialog.text_of(2), "");
            dialog.type_text(1, "unit");
            dialog.type_text(2, "elfs");
            dialog.click(100);
        }});
        ASSERT_TRUE(app->frame().dispatch(command::kFindTag));
    }
    TTagFileForm* shown = app->file_form(*plugin);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->tree()->selection().front()->label, "Plugin Elf (elfs) [0k]");
    EXPECT_EQ(app->last_find, std::make_pair(kUnit, fourcc("elfs")));
    // An empty ID field searches for no tag and opens nothing; the fields start from the last
    // search.
    const std::size_t windows = app->frame().forms().size();
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.text_of(1), "unit");
            EXPECT_EQ(dialog.text_of(2), "elfs");
            dialog.type_text(2, "");
            dialog.click(100);
        }});
        ASSERT_TRUE(app->frame().dispatch(command::kFindTag));
    }
    EXPECT_EQ(app->last_find.second, kNoTag);
    EXPECT_EQ(app->frame().forms().size(), windows);
}

} // namespace
} // namespace zephane
