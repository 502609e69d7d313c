// The all-tags window: one tree of every loaded tag, one instance, read-only commands.

#include "app/all_tag_form.h"
#include "app/command_ids.h"
#include "framework/xg_frame.h"
#include "ui_support.h"

namespace zephane {
namespace {

constexpr tag_type kUnit = fourcc("unit");
constexpr tag_type kProj = fourcc("proj");

class AllTags : public uitest::AppFixture {
protected:
    void SetUp() override {
        write("tags/base.tag", uitest::current_file(3, {{kUnit, fourcc("dwar"), "Dwarf", {1}},
                                                        {kProj, fourcc("arrw"), "arrow", {1}}}));
        write("plugins/more.tag", uitest::current_file(1, {{kUnit, fourcc("dwar"), "Dwarf", {2, 2}},
                                                           {kUnit, fourcc("elfs"), "Elf", {2}}}));
        make_app().start();
        form = app->all_tags();
        ASSERT_NE(form, nullptr);
    }
    TAllTagForm* form = nullptr;
};

TEST_F(AllTags, TagsOfOneTypeFromEveryFileShareOneGroupRow) {
    EXPECT_EQ(
        uitest::all_labels(*form->tree()),
        (std::vector<std::string>{"Projectiles", "arrow (arrw) [0k]", "Units", "Dwarf (dwar) [0k]",
                                  "Dwarf (dwar) [0k]", "Elf (elfs) [0k]"}));
    const TreeRow* units = uitest::row_starting(*form->tree(), "Units");
    EXPECT_EQ(units->data.group, nullptr);
    EXPECT_NE(units->first_child->data.tag->file, units->first_child->next_sibling->data.tag->file);
}

TEST_F(AllTags, CopiesSayWhichFileTheyComeFromAndWhichOneTheGameUses) {
    const TreeRow* units = uitest::row_starting(*form->tree(), "Units");
    int copies = 0;
    for (const TreeRow* row = units->first_child; row; row = row->next_sibling) {
        if (row->label != "Dwarf (dwar) [0k]") {
            EXPECT_TRUE(row->note.empty());
            EXPECT_FALSE(row->dimmed);
            continue;
        }
        ++copies;
        const bool plugin = row->data.tag->file->kind == kFileKindPlugin;
        EXPECT_EQ(row->note, plugin ? "\u2014 plugins/more.tag" : "\u2014 tags/base.tag");
        EXPECT_EQ(row->dimmed, !plugin) << "the plugin overrides the base file";
        EXPECT_NE(row->tooltip.find(plugin ? "This is the copy the game uses."
                                           : "The game uses the copy in plugins/more.tag."),
                  std::string::npos)
            << row->tooltip;
    }
    EXPECT_EQ(copies, 2);
}

TEST_F(AllTags, ShowingTwiceKeepsOneWindowAndClosingForgetsIt) {
    const std::size_t windows = app->frame().forms().size();
    EXPECT_FALSE(
        app->frame().dispatch(command::kOpenCompleteTagList)); // shown, yet left to the framework
    EXPECT_EQ(app->all_tags(), form);
    EXPECT_EQ(app->frame().forms().size(), windows);
    ASSERT_TRUE(app->frame().close_form(*form));
    EXPECT_EQ(app->all_tags(), nullptr);
    app->frame().dispatch(command::kOpenCompleteTagList);
    EXPECT_NE(app->all_tags(), nullptr);
}

TEST_F(AllTags, OnlyOpenTagTagInfoAndFindDuplicatesAct) {
    app->frame().bring_to_front(*form);
    for (int command :
         {command::kCut, command::kCopy, command::kPaste, command::kClear, command::kSave,
          command::kSaveAs, command::kRevert, command::kCreateTag, command::kImportCameraMotion,
          command::kImportCinFile, command::kImportNewColormap, command::kCollapseTerrainDetail})
        EXPECT_FALSE(app->frame().command_state(command).enabled) << command;
    EXPECT_FALSE(app->frame().command_state(command::kOpenTag).enabled);
    EXPECT_TRUE(app->frame().command_state(command::kFindDuplicates).enabled);
    uitest::select_rows(*form->tree(), {"Elf"});
    EXPECT_TRUE(app->frame().command_state(command::kOpenTag).enabled);
    ASSERT_TRUE(app->frame().dispatch(command::kOpenTag));
    TagEntry* elf = app->db().find_tag(kUnit, fourcc("elfs"));
    TTagFileForm* shown = app->file_form(*elf->file);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->tree()->selection().front()->data.tag, elf);
    app->frame().bring_to_front(*form);
    uitest::select_rows(*form->tree(), {"Elf", "arrow"});
    EXPECT_FALSE(app->frame().command_state(command::kFindDuplicates).enabled);
}

TEST_F(AllTags, ChangesElsewhereRefreshTheRowsSoNoneOutlivesItsTag) {
    TagEntry* elf = app->db().find_tag(kUnit, fourcc("elfs"));
    app->db().delete_tag(*elf);
    app->flush_changes();
    EXPECT_EQ(uitest::row_starting(*form->tree(), "Elf"), nullptr);
    app->db().close_tag_file(app->db().files().front());
    app->flush_changes();
    EXPECT_EQ(uitest::all_labels(*form->tree()),
              (std::vector<std::string>{"Projectiles", "arrow (arrw) [0k]", "Units",
                                        "Dwarf (dwar) [0k]"}));
}

TEST(AllTagsEmpty, WithNoFilesTheTreeIsEmpty) {
    test::ScratchFolder folder;
    AppOptions options{folder.path().string(), folder.path().string(),
                       QString::fromStdString((folder.path() / "s.ini").string())};
    TZephaneApp app(options);
    TAllTagForm& form = app.show_all_tags();
    EXPECT_EQ(form.tree()->row_count(), 0u);
}

} // namespace
} // namespace zephane
