// Start-up, opening tags, the application's commands and the names it shows.

#include "app/all_tag_form.h"
#include "app/app_settings.h"
#include "app/command_ids.h"
#include "app/command_line.h"
#include "framework/xg_alert.h"
#include "framework/xg_assertion_report.h"
#include "framework/xg_frame.h"
#include "base/errors.h"
#include "ui_support.h"

#include <QTest>

namespace zephane {
namespace {

using uitest::DialogScript;
using uitest::FileScript;

constexpr tag_type kUnit = fourcc("unit");
constexpr tag_type kMesh = fourcc("mesh");

class StartUp : public uitest::AppFixture {
protected:
    void SetUp() override {
        previous_sink = set_trace_sink([this](const std::string& line) { trace.push_back(line); });
    }
    void TearDown() override {
        set_trace_sink(previous_sink);
        AppFixture::TearDown();
    }
    // A trace line "module, line #N: message" was written.
    bool traced(const std::string& module, const std::string& message) const {
        for (const std::string& line : trace) {
            const std::string start = module + ", line #";
            const std::string end = ": " + message;
            if (line.rfind(start, 0) == 0 && line.size() > start.size() + end.size() &&
                line.compare(line.size() - end.size(), end.size(), end) == 0)
                return true;
        }
        return false;
    }
    std::vector<std::string> trace;
    TraceSink previous_sink;
};

TEST_F(StartUp, WithNoFoldersOneEmptyUnsavedWindowOpens) {
    make_app().start();
    const std::vector<XGForm*> forms = app->frame().forms();
    ASSERT_EQ(forms.size(), 1u);
    EXPECT_EQ(forms.front()->windowTitle(), "(unsaved tag file)");
    EXPECT_EQ(app->all_tags(), nullptr);
    EXPECT_TRUE(traced("workspace_loading.cpp", "Error: Could not read tags in 'tags' folder"));
    EXPECT_TRUE(traced("workspace_loading.cpp", "Error: Could not read tags in 'local' folder"));
    EXPECT_TRUE(traced("workspace_loading.cpp", "Error: Could not read tags in 'plugins' folder"));
}

TEST_F(StartUp, AWorkspaceThatDoesNotExistIsSaidInTheWindow) {
    AppOptions options;
    options.workspace = (folder.path() / "no such workspace").string();
    options.program_folder = folder.path().string();
    options.settings_file = QString::fromStdString((folder.path() / "settings.ini").string());
    app = std::make_unique<TZephaneApp>(options);
    DialogScript dialogs({[&](XGDialog& alert) {
        EXPECT_EQ(alert.text_of(kAlertTextControl).toStdString(),
                  "The workspace folder " + options.workspace + " does not exist.");
        alert.click(1);
    }});
    app->start();
    EXPECT_EQ(dialogs.titles(), std::vector<QString>{"Workspace"});
    EXPECT_EQ(app->frame().forms().size(), 1u) << "the empty tag file window still opens";
}

TEST_F(StartUp, WithOnlyLocalTheAllTagsWindowOpens) {
    write("local/dwarf.tag", uitest::current_single({kUnit, fourcc("dwar"), "Dwarf", {1, 2}}));
    write("local/deeper/elf.tag", uitest::current_single({kUnit, fourcc("elfs"), "Elf", {1}}));
    write("local/readme.txt", test::bytes_of("not a tag file"));
    make_app().start();
    ASSERT_NE(app->all_tags(), nullptr);
    EXPECT_EQ(app->frame().forms().size(), 1u);
    EXPECT_EQ(app->all_tags()->windowTitle(), "All Tag Files");
    EXPECT_EQ(uitest::all_labels(*app->all_tags()->tree()),
              (std::vector<std::string>{"Units", "Dwarf (dwar) [0k]", "Elf (elfs) [0k]"}));
    EXPECT_TRUE(traced("workspace_loading.cpp", "Loaded tags in the 'local' folder."));
    EXPECT_TRUE(traced("workspace_loading.cpp", "Error: Could not read tags in 'tags' folder"));
    EXPECT_EQ(app->settings().last_workspace().toStdString(), folder.path().string());
}

TEST_F(StartUp, FoldersLoadInOrderSoPluginsWin) {
    write("tags/base.tag", uitest::current_file(3, {{kUnit, fourcc("dwar"), "Base", {1}}}));
    write("local/dwarf.tag", uitest::current_single({kUnit, fourcc("dwar"), "Local", {2}}));
    write("plugins/plug.tag", uitest::current_file(1, {{kUnit, fourcc("dwar"), "Plugin", {3}}}));
    make_app().start();
    EXPECT_EQ(app->db().find_tag(kUnit, fourcc("dwar"))->name, "Plugin");
    EXPECT_EQ(app->db().files().back().kind, kFileKindBase);
    EXPECT_EQ(app->file_display_name(*app->db().find_tag(kUnit, fourcc("dwar"))->file),
              "plugins/plug.tag");
    EXPECT_EQ(app->file_display_name(app->db().files().back()), "tags/base.tag");
}

TEST_F(StartUp, ApplicationCommandsAreAlwaysEnabledAndTheFileChoosersCanBeCancelled) {
    make_app().start();
    for (int command :
         {command::kBuildPluginFromLocal, command::kNew, command::kOpen, command::kFrameworkCommand,
          command::kBuildFoundationTags, command::kOpenCompleteTagList, command::kUpdateTagFormats,
          command::kFindTag})
        EXPECT_TRUE(app->frame().command_state(command).enabled) << command;
    // Cancelling the root list or the plugin's name does nothing.
    const std::size_t windows = app->frame().forms().size();
    FileScript files({std::nullopt, std::nullopt});
    EXPECT_TRUE(app->frame().dispatch(command::kBuildFoundationTags));
    EXPECT_TRUE(app->frame().dispatch(command::kBuildPluginFromLocal));
    EXPECT_EQ(files.requests().size(), 2u);
    EXPECT_EQ(app->frame().forms().size(), windows);
}

TEST_F(StartUp, OpenReadsTagFilesRemembersThemAndExplainsOtherFiles) {
    make_app().start();
    const std::string outside = write(
        "elsewhere/army.tag", uitest::current_file(1, {{kUnit, fourcc("dwar"), "Dwarf", {1}}}));
    const std::string text =
        write("elsewhere/notes.txt",
              test::bytes_of("hello there, not a tag file at all, really not one"));
    {
        FileScript files({QString::fromStdString(outside)});
        ASSERT_TRUE(app->frame().dispatch(command::kOpen));
        EXPECT_EQ(files.requests().front().filter, "Tolm 3 Tag File|*.tag|All Files|*.*");
        EXPECT_EQ(files.requests().front().default_extension, "tag");
    }
    EXPECT_EQ(app->frame().front_form()->windowTitle(), "army");
    EXPECT_EQ(app->settings().recent_files(), QStringList{QString::fromStdString(outside)});
    const std::size_t windows = app->frame().forms().size();
    {
        FileScript files({QString::fromStdString(text)});
        DialogScript dialogs({uitest::press(1)});
        ASSERT_TRUE(app->frame().dispatch(command::kOpen));
    }
    EXPECT_EQ(app->frame().forms().size(), windows);
    // Opening it again brings the same window forward.
    ASSERT_TRUE(app->frame().dispatch(command::kFirstRecentFile));
    EXPECT_EQ(app->frame().forms().size(), windows);
}

TEST_F(StartUp, OpenTagUsesTheEditorFromTheTypeTable) {
    write("plugins/maps.tag", uitest::current_file(1, {{kMesh, fourcc("high"), "Highlands", {1}},
                                                       {kUnit, fourcc("dwar"), "Dwarf", {1}}}));
    make_app().start();
    uitest::attach_test_editor(kMesh, true);
    TagEntry& map = *app->db().find_tag(kMesh, fourcc("high"));
    app->openTag(map, false);
    auto* editor = static_cast<uitest::TestEditor*>(TagEditorWindow::of(map));
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(editor->alternate);
    EXPECT_EQ(editor->reloads, 1);
    EXPECT_EQ(editor->windowTitle(), "Highlands (high/mesh)");
    EXPECT_EQ(app->frame().front_form(), editor);
    // The file's window opened on the way; opening again brings the same editor forward.
    ASSERT_NE(app->file_form(*map.file), nullptr);
    app->frame().bring_to_front(*app->file_form(*map.file));
    app->openTag(map, true);
    EXPECT_EQ(TagEditorWindow::of(map), editor);
    EXPECT_EQ(app->frame().front_form(), editor);
    EXPECT_EQ(editor->reloads, 1);
    ASSERT_TRUE(app->frame().close_form(*editor));
    EXPECT_EQ(map.form, nullptr);
    app->openTag(map, true);
    EXPECT_TRUE(static_cast<uitest::TestEditor*>(TagEditorWindow::of(map))->alternate);
    // Renaming the tag retitles its editor.
    app->db().set_tag_name(map, "Lowlands");
    app->flush_changes();
    EXPECT_EQ(TagEditorWindow::of(map)->windowTitle(), "Lowlands (high/mesh)");
    // A type without an editor: the tag is selected in its file's window.
    TagEntry& dwarf = *app->db().find_tag(kUnit, fourcc("dwar"));
    app->openTag(dwarf, false);
    TTagFileForm* form = app->file_form(*dwarf.file);
    EXPECT_EQ(app->frame().front_form(), form);
    ASSERT_EQ(form->tree()->selection_count(), 1u);
    EXPECT_EQ(form->tree()->selection().front()->data.tag, &dwarf);
}

void stamp_current_version(TagDatabase& db, TagEntry& tag) {
    db.set_tag_version(tag, tag_type_version(TagDatabase::get_tag_type(tag)));
}

TEST_F(StartUp, OpenTagBringsOlderTagsUpToDateFirst) {
    test::TestTag old_unit{kUnit, fourcc("dwar"), "Dwarf", {1}};
    old_unit.version = 1;
    test::TestTag unstamped{kUnit, fourcc("trol"), "Troll", {1}};
    unstamped.version = 0;
    test::TestTag future{kUnit, fourcc("elfs"), "Elf", {1}};
    future.version = 3;
    write("plugins/units.tag", test::monolithic_file(1, {old_unit, unstamped, future}));
    make_app().start();
    uitest::attach_test_editor(kUnit);
    attach_tag_updater(kUnit, stamp_current_version);
    TagEntry& dwarf = *app->db().find_tag(kUnit, fourcc("dwar"));
    {
        DialogScript dialogs({[](XGDialog& alert) {
            EXPECT_EQ(alert.text_of(kAlertTextControl),
                      "One or more pieces of data have been updated to a newer format.");
            alert.click(1);
        }});
        app->openTag(dwarf, false);
        EXPECT_EQ(dialogs.titles(), std::vector<QString>{QStringLiteral("Data Format Updated")});
    }
    EXPECT_EQ(dwarf.version, 2);
    EXPECT_NE(TagEditorWindow::of(dwarf), nullptr);
    // Never stamped: takes the current version without converting, and without the alert.
    TagEntry& troll = *app->db().find_tag(kUnit, fourcc("trol"));
    app->openTag(troll, false);
    EXPECT_EQ(troll.version, 2);
    EXPECT_TRUE(TagDatabase::tag_file_needs_save(*troll.file));
    // Newer than the program knows: the command ends with the error, nothing opens.
    TTagFileForm* form = app->file_form(*troll.file);
    app->frame().bring_to_front(*form);
    uitest::select_rows(*form->tree(), {"Elf"});
    {
        DialogScript dialogs({[](XGDialog& alert) {
            EXPECT_TRUE(
                alert.text_of(kAlertTextControl).contains(QStringLiteral("v <= info->version")));
            alert.click(1);
        }});
        ASSERT_TRUE(app->frame().dispatch(command::kOpenTag));
        EXPECT_EQ(dialogs.titles(), std::vector<QString>{QStringLiteral("Internal Error")});
    }
    EXPECT_EQ(TagEditorWindow::of(*app->db().find_tag(kUnit, fourcc("elfs"))), nullptr);
}

TEST_F(StartUp, QuittingAsksAboutChangedFilesEvenWithoutAWindow) {
    write("plugins/a.tag", uitest::current_file(1, {{kUnit, fourcc("dwar"), "Dwarf", {1}}}));
    make_app().start();
    ASSERT_EQ(app->frame().forms().size(), 1u); // the all-tags window only
    // Changed from the all-tags window: the file itself has no window.
    app->db().set_tag_name(*app->db().find_tag(kUnit, fourcc("dwar")), "Dwarf Lord");
    {
        DialogScript dialogs({[](XGDialog& alert) {
            EXPECT_EQ(alert.text_of(kAlertTextControl),
                      "Should the contents of a be saved before the window is closed?");
            alert.click(TTagFileForm::kCancelButton);
        }});
        EXPECT_FALSE(app->frame().close());
    }
    EXPECT_TRUE(app->frame().isVisible());
    DialogScript dialogs({uitest::press(TTagFileForm::kDontSaveButton)});
    EXPECT_TRUE(app->frame().close());
}

TEST_F(StartUp, QuitAsksEveryChangedFileBeforeAnyWindowCloses) {
    const std::string a =
        write("plugins/a.tag", uitest::current_file(1, {{kUnit, fourcc("aaaa"), "A", {1}}}));
    const std::string b =
        write("plugins/b.tag", uitest::current_file(1, {{kUnit, fourcc("bbbb"), "B", {2}}}));
    make_app().start();
    TTagFileForm& first = open_file(a);
    TTagFileForm& second = open_file(b);
    const std::size_t windows = app->frame().forms().size();
    app->db().set_tag_name(*app->db().find_tag(kUnit, fourcc("aaaa")), "A changed");
    app->db().set_tag_name(*app->db().find_tag(kUnit, fourcc("bbbb")), "B changed");
    {
        // "Don't Save" for the first file, then Cancel for the second: nothing closes and the
        // first file keeps its changes.
        DialogScript dialogs({uitest::press(TTagFileForm::kDontSaveButton),
                              uitest::press(TTagFileForm::kCancelButton)});
        EXPECT_FALSE(app->frame().close());
        EXPECT_EQ(dialogs.pending(), 0u);
    }
    EXPECT_EQ(app->frame().forms().size(), windows);
    ASSERT_NE(first.file(), nullptr);
    EXPECT_EQ(app->db().find_tag(kUnit, fourcc("aaaa"))->name, "A changed");
    EXPECT_TRUE(TagDatabase::tag_file_needs_save(*first.file()));
    EXPECT_NE(second.file(), nullptr);
    // Windows that answered before a Cancel ask again next time, and Save writes.
    DialogScript dialogs({uitest::press(TTagFileForm::kSaveButton),
                          uitest::press(TTagFileForm::kDontSaveButton)});
    EXPECT_TRUE(app->frame().close());
    EXPECT_EQ(TagDatabase().read_tag_file(a, false)->groups.front().entries.front().name,
              "A changed");
    EXPECT_EQ(TagDatabase().read_tag_file(b, false)->groups.front().entries.front().name, "B");
}

TEST_F(StartUp, OpenTagsFromTheCommandLineOpensEachEditorOrSaysWhatIsMissing) {
    uitest::attach_test_editor(kUnit);
    write("plugins/a.tag", uitest::current_file(1, {{kUnit, fourcc("dwar"), "Dwarf", {1}}}));
    make_app().start();
    DialogScript dialogs({[](XGDialog& alert) {
        EXPECT_EQ(alert.text_of(kAlertTextControl), "No loaded tag is unit:gone.");
        alert.click(1);
    }});
    app->open_tags({"unit:dwar", "unit:gone"});
    EXPECT_NE(TagEditorWindow::of(*app->db().find_tag(kUnit, fourcc("dwar"))), nullptr);
}

TEST_F(StartUp, AssertionsAreReportedWithEndDebugAndContinue) {
    make_app();
    DialogScript dialogs({[](XGDialog& report) {
        EXPECT_EQ(report.windowTitle(), "Assertion Failure");
        EXPECT_EQ(report.text_of(kAlertTextControl),
                  "Expression: f->form == 0\nModule: tags\nLine: 12");
        EXPECT_EQ(report.text_of(kAssertionEnd), "End Program");
        EXPECT_EQ(report.text_of(kAssertionDebug), "Debug");
        EXPECT_EQ(report.text_of(kAssertionContinue), "Continue");
        report.click(kAssertionContinue);
    }});
    assertion_failed("f->form == 0", "tags", 12); // Continue: the program goes on after the check
}

TEST_F(StartUp, KeyboardShortcutsReachTheFrontWindowsCommands) {
    const std::string path =
        write("plugins/a.tag", uitest::current_file(1, {{kUnit, fourcc("dwar"), "Dwarf", {1}}}));
    make_app().start();
    TTagFileForm& form = open_file(path);
    const auto keys = [&](const char* sequence) {
        app->frame().activateWindow(); // as the desktop does once a dialog has gone
        QCoreApplication::processEvents();
        form.tree()->setFocus();
        QTest::keySequence(form.tree(), QKeySequence(QString::fromLatin1(sequence)));
    };
    {
        DialogScript dialogs({uitest::press(101)});
        keys("Ctrl+T");
        EXPECT_EQ(dialogs.titles(), std::vector<QString>{QStringLiteral("Create New Tag")});
    }
    uitest::select_rows(*form.tree(), {"Dwarf"});
    keys("Ctrl+C");
    EXPECT_EQ(app->clipboard().records().size(), 1u);
    keys("Ctrl+V");
    EXPECT_NE(app->db().find_tag_in_file(*form.file(), kUnit, fourcc("dwas")), nullptr);
    {
        DialogScript dialogs({uitest::press(100)});
        keys("Ctrl+I");
        EXPECT_EQ(dialogs.titles(), std::vector<QString>{QStringLiteral("Tag Info")});
    }
    keys("Del");
    EXPECT_EQ(app->db().find_tag_in_file(*form.file(), kUnit, fourcc("dwas")), nullptr);
    {
        DialogScript dialogs({uitest::press(TTagFileForm::kCancelButton)});
        keys("Ctrl+W"); // Close: the window's own menu does not claim the key as well
        EXPECT_EQ(dialogs.titles(), std::vector<QString>{QStringLiteral("Save Window?")});
    }
}

TEST(Names, WorkspaceRelativeNamesClimbToTheWorkspaceIgnoringCase) {
    EXPECT_EQ(workspace_relative_name("/w/Game/tags/base.tag", "/w/game"), "tags/base.tag");
    EXPECT_EQ(workspace_relative_name("/w/game/local/units/dwarf.tag", "/w/game/"),
              "local/units/dwarf.tag");
    EXPECT_EQ(workspace_relative_name("/other/army.tag", "/w/game"), "/other/army.tag");
}

TEST(Names, TheWorkspaceIsAskedForOrFoundBesideTheProgramOrRemembered) {
    test::ScratchFolder program, remembered;
    EXPECT_EQ(choose_workspace("/some/dir", program.path().string(), {}), "/some/dir");
    EXPECT_EQ(choose_workspace({}, program.path().string(),
                               QString::fromStdString(remembered.path().string())),
              remembered.path().string());
    EXPECT_EQ(choose_workspace({}, program.path().string(), QStringLiteral("/no/such/folder")),
              program.path().string());
    std::filesystem::create_directory(program.path() / "local");
    EXPECT_EQ(choose_workspace({}, program.path().string(),
                               QString::fromStdString(remembered.path().string())),
              program.path().string());

    // An installed program (/usr/bin) finds the workspace it is started in, else the last one,
    // else starts empty in the current folder.
    test::ScratchFolder installed, current;
    const QString last = QString::fromStdString(remembered.path().string());
    EXPECT_EQ(choose_workspace({}, installed.path().string(), last, current.path().string()),
              remembered.path().string());
    EXPECT_EQ(choose_workspace({}, installed.path().string(), {}, current.path().string()),
              current.path().string());
    std::filesystem::create_directory(current.path() / "plugins");
    EXPECT_EQ(choose_workspace({}, installed.path().string(), last, current.path().string()),
              current.path().string());
    EXPECT_EQ(choose_workspace({}, program.path().string(), last, current.path().string()),
              program.path().string());
}

TEST(Names, CommandLinesGiveAWorkspaceRootListsAndLeaveQtOptionsAlone) {
    const CommandLine line = parse_command_line(
        {"--workspace", "/w", "-platform", "offscreen", "roots.txt", "--trace-log=-", "more.txt"});
    EXPECT_EQ(line.workspace, "/w");
    EXPECT_EQ(line.trace_log, "-");
    EXPECT_EQ(line.root_lists, (std::vector<std::string>{"roots.txt", "more.txt"}));
    EXPECT_TRUE(line.error.empty());
    const CommandLine opens = parse_command_line({"--open", "soun:rivr", "--open=unit:dwar"});
    EXPECT_EQ(opens.open_tags, (std::vector<std::string>{"soun:rivr", "unit:dwar"}));
    EXPECT_TRUE(opens.error.empty());
    EXPECT_FALSE(parse_command_line({"--open", "soun"}).error.empty());
    EXPECT_FALSE(parse_command_line({"--workspace"}).error.empty());
    EXPECT_FALSE(parse_command_line({"--frobnicate"}).error.empty());
    EXPECT_TRUE(parse_command_line({"--help"}).help);
}

} // namespace
} // namespace zephane
