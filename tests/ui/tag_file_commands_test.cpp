// The tag file window's commands, run by their ids as the menus and keys run them.

#include "app/command_ids.h"
#include "app/tag_drag.h"
#include "framework/xg_alert.h"
#include "framework/xg_frame.h"
#include "tags/tag_file_writer.h"
#include "ui_support.h"

#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace zephane {
namespace {

using uitest::DialogScript;
using uitest::FileScript;
using uitest::press;

constexpr tag_type kUnit = fourcc("unit");
constexpr tag_type kProj = fourcc("proj");

class FileCommands : public uitest::AppFixture {
protected:
    void SetUp() override {
        make_app();
        army_path = write("plugins/army.tag",
                          uitest::current_file(1, {{kUnit, fourcc("dwar"), "Dwarf", {1, 2, 3}},
                                                   {kUnit, fourcc("trow"), "Troll", {9, 9}},
                                                   {kProj, fourcc("arrw"), "Arrow", {4}}}));
        other_path = write("plugins/other.tag",
                           uitest::current_file(1, {{kProj, fourcc("bolt"), "Bolt", {5}}}));
        army = &open_file(army_path);
        other = &open_file(other_path);
    }
    TagDatabase& db() { return app->db(); }
    bool run(TTagFileForm& form, int command) { return run_command(form, command); }
    bool enabled(TTagFileForm& form, int command) { return command_enabled(form, command); }
    std::string army_path, other_path;
    TTagFileForm* army = nullptr;
    TTagFileForm* other = nullptr;
};

TEST_F(FileCommands, PastingTwiceIntoOneFileGivesTheSecondCopyANewId) {
    EXPECT_FALSE(enabled(*army, command::kPaste));
    EXPECT_FALSE(enabled(*army, command::kCut));
    uitest::select_rows(*army->tree(), {"Dwarf"});
    ASSERT_TRUE(run(*army, command::kCut));
    EXPECT_EQ(db().find_tag_in_file(*army->file(), kUnit, fourcc("dwar")), nullptr);
    EXPECT_TRUE(enabled(*army, command::kPaste));

    ASSERT_TRUE(run(*army, command::kPaste)); // the file lacks the id now: kept
    EXPECT_NE(db().find_tag_in_file(*army->file(), kUnit, fourcc("dwar")), nullptr);
    ASSERT_TRUE(run(*army, command::kPaste)); // taken now: a new one for the type in this file
    TagGroup* units = db().find_tag_group(*army->file(), kUnit, false);
    ASSERT_EQ(units->entries.size(), 3u);
    EXPECT_EQ(units->entries.front().name, "Dwarf");
    EXPECT_EQ(units->entries.front().id, fourcc("dwas"));
    EXPECT_EQ(*db().get_tag_data(units->entries.front()), (Payload{1, 2, 3}));
    // The pasted tag is selected, and nothing else.
    ASSERT_EQ(army->tree()->selection_count(), 1u);
    EXPECT_EQ(army->tree()->selection().front()->label, "Dwarf (dwas) [0k]");

    ASSERT_TRUE(run(*other, command::kPaste)); // another file that lacks the id keeps it
    EXPECT_NE(db().find_tag_in_file(*other->file(), kUnit, fourcc("dwar")), nullptr);
}

TEST_F(FileCommands, CopyKeepsTheTagsAndAGroupRowStandsForItsTags) {
    uitest::select_rows(*army->tree(), {"Units", "Troll"}); // the troll counts once
    ASSERT_TRUE(run(*army, command::kCopy));
    ASSERT_EQ(app->clipboard().records().size(), 2u);
    EXPECT_NE(db().find_tag_in_file(*army->file(), kUnit, fourcc("trow")), nullptr);
    ASSERT_TRUE(run(*other, command::kPaste));
    EXPECT_EQ(uitest::all_labels(*other->tree()),
              (std::vector<std::string>{"Projectiles", "Bolt (bolt) [0k]", "Units",
                                        "Dwarf (dwar) [0k]", "Troll (trow) [0k]"}));
    EXPECT_EQ(other->windowTitle(), "other (modified)");
}

TEST_F(FileCommands, DeleteKeyClearsTheSelectionAndCutSparesTagsWhoseEditorStaysOpen) {
    uitest::attach_test_editor(kUnit);
    app->openTag(*db().find_tag(kUnit, fourcc("dwar")), false);
    auto* editor = static_cast<uitest::TestEditor*>(
        TagEditorWindow::of(*db().find_tag(kUnit, fourcc("dwar"))));
    ASSERT_NE(editor, nullptr);
    editor->may_close = false;
    app->frame().bring_to_front(*army);
    uitest::select_rows(*army->tree(), {"Dwarf", "Troll"});
    ASSERT_TRUE(run(*army, command::kCut));
    EXPECT_NE(db().find_tag_in_file(*army->file(), kUnit, fourcc("dwar")), nullptr);
    EXPECT_EQ(db().find_tag_in_file(*army->file(), kUnit, fourcc("trow")), nullptr);
    EXPECT_EQ(app->clipboard().records().size(), 1u);

    editor->may_close = true;
    uitest::select_rows(*army->tree(), {"Dwarf", "Arrow"});
    army->tree()->setFocus();
    QTest::keyClick(army->tree(), Qt::Key_Backspace);
    EXPECT_EQ(db().find_tag_in_file(*army->file(), kUnit, fourcc("dwar")), nullptr);
    EXPECT_EQ(db().find_tag_in_file(*army->file(), kProj, fourcc("arrw")), nullptr);
    EXPECT_TRUE(TagEditorWindow::open_editors().empty());
    EXPECT_TRUE(army->file()->groups.empty());
    EXPECT_TRUE(uitest::all_labels(*army->tree()).empty());
}

TEST_F(FileCommands, SaveWritesTheFileAndSaveAsFollowsItsRules) {
    EXPECT_FALSE(enabled(*army, command::kSave));
    db().set_tag_name(*db().find_tag(kUnit, fourcc("dwar")), "Dwarf Lord");
    app->flush_changes();
    EXPECT_EQ(army->windowTitle(), "army (modified)");
    EXPECT_TRUE(enabled(*army, command::kRevert));
    ASSERT_TRUE(run(*army, command::kSave));
    EXPECT_EQ(army->windowTitle(), "army");
    EXPECT_FALSE(enabled(*army, command::kRevert));
    {
        TagDatabase fresh;
        EXPECT_EQ(fresh.read_tag_file(army_path, false)->groups.size(), 2u);
        EXPECT_EQ(fresh.find_tag(kUnit, fourcc("dwar"))->name, "Dwarf Lord");
    }
    // Save As onto another tag file writes nothing and does not load that file.
    const std::string elsewhere = write(
        "elsewhere/keep.tag", uitest::current_file(1, {{kUnit, fourcc("keep"), "Keep", {7}}}));
    const auto before = test::read_bytes(elsewhere);
    {
        FileScript files({QString::fromStdString(elsewhere)});
        DialogScript dialogs({press(1)});
        ASSERT_TRUE(run(*army, command::kSaveAs));
        EXPECT_EQ(files.requests().front().proposed, "army.tag");
        EXPECT_EQ(files.requests().front().filter, "All Files|*.*");
    }
    EXPECT_EQ(test::read_bytes(elsewhere), before);
    EXPECT_EQ(db().find_tag(kUnit, fourcc("keep")), nullptr);
    // Save As to a new path moves the window's file there.
    const std::string copy = (folder.path() / "plugins/army copy.tag").string();
    {
        FileScript files({QString::fromStdString(copy)});
        ASSERT_TRUE(run(*army, command::kSaveAs));
    }
    EXPECT_EQ(*army->file()->spec, copy);
    EXPECT_EQ(army->windowTitle(), "army copy");
    EXPECT_EQ(TagDatabase().read_tag_file(copy, false)->groups.size(), 2u);
    // A cancelled dialog changes nothing.
    FileScript cancelled({std::nullopt});
    ASSERT_TRUE(run(*army, command::kSaveAs));
    EXPECT_EQ(*army->file()->spec, copy);
}

TEST_F(FileCommands, UserErrorsEndTheCommandWithAnAlert) {
    const std::string base_path =
        write("tags/base.tag", uitest::current_file(3, {{kUnit, fourcc("elfs"), "Elf", {1}}}));
    TTagFileForm& base = open_file(base_path);
    EXPECT_EQ(base.windowTitle(), "base (readonly)");
    db().set_tag_name(*db().find_tag(kUnit, fourcc("elfs")), "Renamed");
    app->flush_changes();
    EXPECT_EQ(base.windowTitle(), "base (readonly) (modified)");
    DialogScript dialogs({[](XGDialog& alert) {
                              EXPECT_EQ(alert.text_of(kAlertTextControl),
                                        "base.tag - Cannot modify base tags or patches.");
                              alert.click(1);
                          },
                          press(1)});
    ASSERT_TRUE(run(base, command::kSave));
    FileScript files({QString::fromStdString((folder.path() / "plugins/copy.tag").string())});
    ASSERT_TRUE(run(base, command::kSaveAs));
    EXPECT_EQ(dialogs.titles(),
              (std::vector<QString>{QStringLiteral("Error"), QStringLiteral("Error")}));
    EXPECT_EQ(*base.file()->spec, base_path);
}

TEST_F(FileCommands, ANewFileIsSavedThroughSaveAsUnderUntitled) {
    ASSERT_TRUE(app->frame().dispatch(command::kNew));
    auto* fresh = qobject_cast<TTagFileForm*>(app->frame().front_form());
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->windowTitle(), "(unsaved tag file)");
    EXPECT_TRUE(enabled(*fresh, command::kSave));
    EXPECT_FALSE(enabled(*fresh, command::kRevert));
    db().add_tag(fresh->file(), kUnit, fourcc("newt"), 1, "Newt", 0, 0, Payload{3});
    const std::string target = (folder.path() / "plugins/new.tag").string();
    FileScript files({QString::fromStdString(target)});
    ASSERT_TRUE(run(*fresh, command::kSave));
    EXPECT_EQ(files.requests().front().proposed, "untitled.tag");
    EXPECT_EQ(fresh->windowTitle(), "new");
    EXPECT_EQ(TagDatabase().read_tag_file(target, false)->kind, kFileKindPlugin);
}

TEST_F(FileCommands, RevertReadsTheFileAgain) {
    db().set_tag_name(*db().find_tag(kUnit, fourcc("dwar")), "Renamed");
    app->flush_changes();
    ASSERT_TRUE(run(*army, command::kRevert));
    ASSERT_NE(army->file(), nullptr);
    EXPECT_EQ(db().find_tag_in_file(*army->file(), kUnit, fourcc("dwar"))->name, "Dwarf");
    EXPECT_EQ(army->windowTitle(), "army");
    EXPECT_EQ(app->file_form(*army->file()), army);
}

TEST_F(FileCommands, ClosePromptNamesTheFileAndHonoursEachButton) {
    db().set_tag_name(*db().find_tag(kUnit, fourcc("dwar")), "Renamed");
    app->flush_changes();
    {
        DialogScript dialogs({[](XGDialog& alert) {
            EXPECT_EQ(alert.text_of(kAlertTextControl),
                      "Should the contents of army be saved before the window is closed?");
            EXPECT_EQ(alert.text_of(TTagFileForm::kSaveButton), "Save");
            EXPECT_EQ(alert.text_of(TTagFileForm::kCancelButton), "Cancel");
            EXPECT_EQ(alert.text_of(TTagFileForm::kDontSaveButton), "Don't Save");
            alert.click(TTagFileForm::kCancelButton);
        }});
        EXPECT_FALSE(app->frame().close_form(*army));
        EXPECT_EQ(dialogs.titles().front(), "Save Window?");
    }
    {
        DialogScript dialogs({press(TTagFileForm::kDontSaveButton)});
        EXPECT_TRUE(app->frame().close_form(*army));
    }
    // The unsaved rename is gone; the file stays loaded, as read from disk.
    EXPECT_EQ(db().find_tag(kUnit, fourcc("dwar"))->name, "Dwarf");
    EXPECT_EQ(db().find_tag(kUnit, fourcc("dwar"))->file->form, nullptr);

    ASSERT_TRUE(app->frame().dispatch(command::kNew));
    auto* fresh = qobject_cast<TTagFileForm*>(app->frame().front_form());
    db().add_tag(fresh->file(), kUnit, fourcc("newt"), 1, "Newt", 0, 0, Payload{3});
    const std::size_t files_before = db().files().size();
    {
        DialogScript dialogs({[](XGDialog& alert) {
            EXPECT_EQ(
                alert.text_of(kAlertTextControl),
                "Should the contents of the new tag file be saved before the window is closed?");
            alert.click(TTagFileForm::kDontSaveButton);
        }});
        EXPECT_TRUE(app->frame().close_form(*fresh));
    }
    EXPECT_EQ(db().files().size(), files_before - 1);
    EXPECT_EQ(db().find_tag(kUnit, fourcc("newt")), nullptr);
}

TEST_F(FileCommands, SaveFromTheClosePromptSavesBeforeClosing) {
    db().set_tag_name(*db().find_tag(kUnit, fourcc("dwar")), "Saved Name");
    app->flush_changes();
    DialogScript dialogs({press(TTagFileForm::kSaveButton)});
    EXPECT_TRUE(app->frame().close_form(*army));
    TagDatabase saved;
    saved.read_tag_file(army_path, false);
    EXPECT_EQ(saved.find_tag(kUnit, fourcc("dwar"))->name, "Saved Name");
}

TEST_F(FileCommands, FindDuplicatesOpensTheOtherCopies) {
    write("plugins/copy.tag",
          uitest::current_file(1, {{kProj, fourcc("arrw"), "Arrow copy", {8}}}));
    TagFile* copy = db().read_tag_file((folder.path() / "plugins/copy.tag").string(), false);
    uitest::select_rows(*army->tree(), {"Arrow", "Dwarf"});
    EXPECT_FALSE(enabled(*army, command::kFindDuplicates));
    uitest::select_rows(*army->tree(), {"Arrow"});
    ASSERT_TRUE(run(*army, command::kFindDuplicates));
    // The copy has no editor: it is shown selected in its own file's window.
    TTagFileForm* copy_form = app->file_form(*copy);
    ASSERT_NE(copy_form, nullptr);
    EXPECT_EQ(app->frame().front_form(), copy_form);
    ASSERT_EQ(copy_form->tree()->selection_count(), 1u);
    EXPECT_EQ(copy_form->tree()->selection().front()->label, "Arrow copy (arrw) [0k]");

    // Nothing selected: the first tag that has a copy, and every copy of it.
    app->frame().discard_form(*copy_form);
    army->tree()->clear_selection();
    ASSERT_TRUE(run(*army, command::kFindDuplicates));
    EXPECT_NE(app->file_form(*copy), nullptr);
    EXPECT_EQ(army->tree()->selection().front()->label, "Arrow (arrw) [0k]");
}

TEST_F(FileCommands, DraggedRowsCopyIntoOtherWindowsOnly) {
    uitest::select_rows(*army->tree(), {"Dwarf", "Arrow"});
    const std::unique_ptr<QMimeData> drag = army->tree_drag_data();
    ASSERT_NE(drag, nullptr);
    EXPECT_TRUE(army->tree_accepts_drop(*drag));
    const std::size_t rebuilt = army->rebuild_count();
    army->tree_drop(*drag); // onto its own window: nothing
    EXPECT_EQ(db().find_tag_group(*army->file(), kUnit, false)->entries.size(), 2u);
    EXPECT_FALSE(army->file()->needupdate);
    EXPECT_LE(army->rebuild_count(), rebuilt + 1);

    db().add_tag(other->file(), kProj, fourcc("arrw"), 1, "Other arrow", 0, 0, Payload{6});
    other->tree_drop(*drag);
    EXPECT_EQ(db().find_tag_in_file(*other->file(), kUnit, fourcc("dwar"))->name, "Dwarf");
    EXPECT_EQ(*db().get_tag_data(*db().find_tag_in_file(*other->file(), kUnit, fourcc("dwar"))),
              (Payload{1, 2, 3}));
    // The id the window already had is not copied again.
    EXPECT_EQ(db().find_tag_in_file(*other->file(), kProj, fourcc("arrw"))->name, "Other arrow");
    EXPECT_EQ(db().find_tag_group(*other->file(), kProj, false)->entries.size(), 2u);

    // Data from elsewhere, or naming a tag that is gone, adds nothing.
    QMimeData forged;
    forged.setData(QString::fromLatin1(kTagRowMimeType), QByteArray(40, 'x'));
    EXPECT_TRUE(read_tag_drag_data(forged, db()).empty());
    db().delete_tag(*db().find_tag_in_file(*army->file(), kUnit, fourcc("dwar")));
    EXPECT_EQ(read_tag_drag_data(*drag, db()).size(), 1u);
}

TEST_F(FileCommands, DroppedFilesBecomeTagsAndTagFilesGiveTheirMissingTags) {
    const std::string picture = write("desk/photo.JPG", {0xFF, 0xD8, 0xFF, 0xD9});
    const std::string notes = write("desk/notes.txt", test::bytes_of("hello"));
    const std::string tags =
        write("desk/more.tag", uitest::current_file(1, {{kUnit, fourcc("dwar"), "Dwarf again", {1}},
                                                        {kUnit, fourcc("elfs"), "Elf", {2}}}));
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString(picture)),
                   QUrl::fromLocalFile(QString::fromStdString(notes)),
                   QUrl::fromLocalFile(QString::fromStdString(tags))});
    ASSERT_TRUE(army->tree_accepts_drop(files));
    const std::size_t loaded = db().files().size();
    army->tree_drop(files);
    const TagFile& file = *army->file();
    EXPECT_EQ(db().find_tag_group(const_cast<TagFile&>(file), fourcc("jpeg"), false)
                  ->entries.front()
                  .name,
              "photo.JPG");
    EXPECT_EQ(db().find_tag_group(const_cast<TagFile&>(file), fourcc("rawd"), false)
                  ->entries.front()
                  .name,
              "notes.txt");
    EXPECT_EQ(db().find_tag_in_file(file, kUnit, fourcc("elfs"))->name, "Elf");
    EXPECT_EQ(db().find_tag_in_file(file, kUnit, fourcc("dwar"))->name, "Dwarf"); // not replaced
    EXPECT_EQ(db().files().size(), loaded); // the dropped tag file did not join the workspace
    EXPECT_NE(uitest::row_starting(*army->tree(), "Raw Files"), nullptr);
}

TEST_F(FileCommands, ASecondTagForALocalFileGoesBesideItOrMakesItAPlugin) {
    const std::string local_path =
        write("local/dwarf.tag", uitest::current_single({kUnit, fourcc("lord"), "Lord", {7, 7}}));
    const auto local_bytes = test::read_bytes(local_path);
    TTagFileForm& local = open_file(local_path);
    uitest::select_rows(*army->tree(), {"Troll", "Arrow"});
    ASSERT_TRUE(run(*army, command::kCopy));

    // New Files: each tag in a single-tag file of its own beside the local file.
    {
        DialogScript dialogs({[](XGDialog& alert) {
            EXPECT_NE(alert.text_of(kAlertTextControl).indexOf("dwarf.tag is in a folder named local"), -1);
            alert.click(TTagFileForm::kNewFilesButton);
        }});
        ASSERT_TRUE(run(local, command::kPaste));
        EXPECT_EQ(dialogs.titles(), std::vector<QString>{"One Tag per Local File"});
    }
    EXPECT_EQ(file_tag_count(*local.file()), 1u);
    EXPECT_EQ(test::read_bytes(local_path), local_bytes);
    for (const auto& [name, type, id, payload] :
         {std::tuple{"Troll", kUnit, fourcc("trow"), Payload{9, 9}},
          std::tuple{"Arrow", kProj, fourcc("arrw"), Payload{4}}}) {
        TagDatabase fresh;
        TagFile* placed = fresh.read_tag_file((folder.path() / "local" / (std::string(name) + ".tag")).string(), false);
        ASSERT_NE(placed, nullptr) << name;
        EXPECT_EQ(placed->kind, kFileKindSingle);
        EXPECT_EQ(*fresh.get_tag_data(*fresh.find_tag_in_file(*placed, type, id)), payload);
    }
    // A name already taken gets a number.
    {
        DialogScript dialogs({press(TTagFileForm::kNewFilesButton)});
        ASSERT_TRUE(run(local, command::kPaste));
    }
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "local/Troll 2.tag"));

    // Cancel adds nothing.
    {
        DialogScript dialogs({press(TTagFileForm::kCancelButton)});
        ASSERT_TRUE(run(local, command::kPaste));
    }
    EXPECT_EQ(file_tag_count(*local.file()), 1u);

    // Save as Plugin: the tags join the file, which Save As writes under plugins.
    const std::string plugin = (folder.path() / "plugins/dwarf plugin.tag").string();
    {
        DialogScript dialogs({press(TTagFileForm::kSaveAsPluginButton)});
        FileScript files({QString::fromStdString(plugin)});
        ASSERT_TRUE(run(local, command::kPaste));
        EXPECT_EQ(files.requests().front().folder.toStdString(),
                  (std::filesystem::path(app->workspace()) / "plugins").string());
    }
    EXPECT_EQ(*local.file()->spec, plugin);
    EXPECT_EQ(local.file()->kind, kFileKindPlugin);
    EXPECT_EQ(file_tag_count(*TagDatabase().read_tag_file(plugin, false)), 3u);
    EXPECT_EQ(test::read_bytes(local_path), local_bytes);
}

TEST_F(FileCommands, SavingTwoTagsUnderLocalIsAUserErrorAndCreatesNothing) {
    const std::string local_path =
        write("local/pair.tag", uitest::current_single({kUnit, fourcc("lord"), "Lord", {7, 7}}));
    const auto local_bytes = test::read_bytes(local_path);
    TTagFileForm& local = open_file(local_path);
    // A second tag arriving some other way than the window's commands.
    db().add_tag(local.file(), kUnit, fourcc("serf"), 1, "Serf", 0, 0, Payload{1});
    DialogScript dialogs({[](XGDialog& alert) {
        EXPECT_EQ(alert.text_of(kAlertTextControl),
                  "pair.tag - A file in a folder named local holds exactly one tag.");
        alert.click(1);
    }});
    ASSERT_TRUE(run(local, command::kSave));
    EXPECT_EQ(dialogs.titles(), std::vector<QString>{"Error"});
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path() / "local"))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"pair.tag"});
    EXPECT_EQ(test::read_bytes(local_path), local_bytes);
}

TEST_F(FileCommands, ImportsAreEnabledAndOtherCommandsFollowTheTable) {
    for (int command : {command::kImportCinFile, command::kImportCameraMotion, command::kImportNewColormap,
                        command::kReplaceColormap, command::kCollapseTerrainDetail})
        EXPECT_TRUE(enabled(*army, command)) << command;
    EXPECT_TRUE(enabled(*army, command::kCreateTag));
    EXPECT_TRUE(enabled(*army, command::kSaveAs));
    EXPECT_FALSE(enabled(*army, command::kOpenTag));
    EXPECT_FALSE(enabled(*army, command::kTagInfo));
    EXPECT_TRUE(enabled(*army, command::kFindDuplicates));
    uitest::select_rows(*army->tree(), {"Arrow"});
    EXPECT_TRUE(enabled(*army, command::kOpenTag));
    EXPECT_TRUE(enabled(*army, command::kTagInfo));
    // The texture editor's Special menu does nothing in a tag file window.
    EXPECT_FALSE(app->frame().dispatch(command::kSplitRgba));
}

} // namespace
} // namespace zephane
