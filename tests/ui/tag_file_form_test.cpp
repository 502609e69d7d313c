// The tag file window: titles, rows rebuilt from the file, refreshes after changes.

#include "app/all_tag_form.h"
#include "app/command_ids.h"
#include "framework/xg_frame.h"
#include "base/errors.h"
#include "ui_support.h"

#include <QLineEdit>

namespace zephane {
namespace {

using test::TestTag;

constexpr tag_type kUnit = fourcc("unit");
constexpr tag_type kProj = fourcc("proj");
constexpr tag_type kStli = fourcc("stli");

class TagFileFormTest : public uitest::AppFixture {
protected:
    TTagFileForm& open_sample() {
        make_app();
        path = write("plugins/army.tag",
                     uitest::current_file(1, {{kUnit, fourcc("dwar"), "Dwarf", {1, 2, 3}},
                                              {kUnit, fourcc("trow"), "troll", Payload(1500, 1)},
                                              {kProj, fourcc("arrw"), "Arrow", {4}}}));
        return open_file(path);
    }
    std::string path;
};

TEST_F(TagFileFormTest, TitlesNameTheFileAndItsState) {
    TagDatabase db;
    TagFile* fresh = db.create_tag_file();
    EXPECT_EQ(tag_file_title(*fresh), "(unsaved tag file)");
    fresh->spec = "/x/army.tag";
    EXPECT_EQ(tag_file_title(*fresh), "army");
    fresh->spec = "/x/notes.jpeg";
    EXPECT_EQ(tag_file_title(*fresh),
              "notes.jpeg"); // only a dot among the last four characters ends the name
    fresh->spec = "/x/a.b.ta";
    EXPECT_EQ(tag_file_title(*fresh), "a.b");
    fresh->spec = "/x/base.tag";
    fresh->kind = kFileKindBase;
    EXPECT_EQ(tag_file_title(*fresh), "base (readonly)");
    fresh->needupdate = true;
    EXPECT_EQ(tag_file_title(*fresh), "base (readonly) (modified)");
    fresh->kind = kFileKindPlugin;
    fresh->needupdate = false;
    fresh->read_only = true;
    EXPECT_EQ(tag_file_title(*fresh), "base (readonly)");
}

TEST_F(TagFileFormTest, RowsListGroupsAndTagsSorted) {
    TTagFileForm& form = open_sample();
    EXPECT_EQ(form.windowTitle(), "army");
    EXPECT_EQ(uitest::all_labels(*form.tree()),
              (std::vector<std::string>{"Projectiles", "Arrow (arrw) [0k]", "Units",
                                        "Dwarf (dwar) [0k]", "troll (trow) [2k]"}));
    const TreeRow* group = form.tree()->first_row();
    EXPECT_EQ(group->icon, kIconGroup);
    EXPECT_TRUE(group->is_group());
    EXPECT_EQ(group->data.type, kProj);
    EXPECT_EQ(group->first_child->data.id, fourcc("arrw"));
    EXPECT_EQ(group->first_child->data.tag->name, "Arrow");
    EXPECT_EQ(group->first_child->icon, kIconTagNoEditor);
    EXPECT_EQ(app->db().find_tag(kUnit, fourcc("dwar"))->form, nullptr);
    EXPECT_EQ(app->file_form(*form.file()), &form);
}

TEST_F(TagFileFormTest, RebuildKeepsExpandedGroupsAndDropsEmptyOnes) {
    TTagFileForm& form = open_sample();
    form.revealTag(*app->db().find_tag(kUnit, fourcc("dwar")), true, true);
    EXPECT_TRUE(uitest::row_starting(*form.tree(), "Units")->expanded);
    EXPECT_FALSE(uitest::row_starting(*form.tree(), "Projectiles")->expanded);
    EXPECT_EQ(form.tree()->selection().front()->label, "Dwarf (dwar) [0k]");

    app->db().add_tag(form.file(), kUnit, fourcc("gobl"), 1, "Goblin", 0, 0, Payload{1});
    app->flush_changes();
    EXPECT_TRUE(uitest::row_starting(*form.tree(), "Units")->expanded);
    EXPECT_FALSE(uitest::row_starting(*form.tree(), "Projectiles")->expanded);
    EXPECT_EQ(uitest::visible_labels(*form.tree()),
              (std::vector<std::string>{"Projectiles", "Units", "Dwarf (dwar) [0k]",
                                        "Goblin (gobl) [0k]", "troll (trow) [2k]"}));
    // The selection survives a refresh that did not remove the tag.
    ASSERT_EQ(form.tree()->selection_count(), 1u);
    EXPECT_EQ(form.tree()->selection().front()->label, "Dwarf (dwar) [0k]");
    EXPECT_EQ(form.windowTitle(), "army (modified)");

    app->db().delete_tag(*app->db().find_tag(kProj, fourcc("arrw")));
    app->flush_changes();
    EXPECT_EQ(uitest::row_starting(*form.tree(), "Projectiles"), nullptr);
}

TEST_F(TagFileFormTest, ABurstOfChangesRebuildsOnce) {
    TTagFileForm& form = open_sample();
    const std::size_t before = form.rebuild_count();
    for (int k = 0; k < 1000; ++k)
        app->db().add_tag(form.file(), kStli, 0, 1, "line " + std::to_string(k), 0, 0, Payload{1});
    settle();
    EXPECT_EQ(form.rebuild_count(), before + 1);
    EXPECT_EQ(uitest::all_labels(*form.tree()).size(), 1000u + 3u + 3u);
    EXPECT_EQ(uitest::row_starting(*form.tree(), "String Lists")->first_child->label.substr(0, 7),
              "line 0 ");
}

TEST_F(TagFileFormTest, FilterNarrowsRowsAndClearingRestoresTheOpenGroups) {
    TTagFileForm& form = open_sample();
    form.set_filter(QStringLiteral("TRO"));
    EXPECT_EQ(uitest::visible_labels(*form.tree()),
              (std::vector<std::string>{"Units", "troll (trow) [2k]"}));
    form.set_filter(QStringLiteral("projectile"));
    EXPECT_EQ(uitest::visible_labels(*form.tree()),
              (std::vector<std::string>{"Projectiles", "Arrow (arrw) [0k]"}));
    form.set_filter(QString());
    EXPECT_EQ(uitest::visible_labels(*form.tree()),
              (std::vector<std::string>{"Projectiles", "Units"}));
    // Revealing a tag the filter hides clears the filter.
    form.set_filter(QStringLiteral("arrow"));
    form.revealTag(*app->db().find_tag(kUnit, fourcc("dwar")), true, true);
    EXPECT_TRUE(form.filter_box()->text().isEmpty());
    EXPECT_EQ(form.tree()->selection().front()->label, "Dwarf (dwar) [0k]");
}

} // namespace
} // namespace zephane
