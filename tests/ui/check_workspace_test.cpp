// Tag > Check Workspace: the problems of the loaded workspace, one row each; a double-click
// opens the tag the row names.

#include "app/check_workspace_form.h"
#include "app/command_ids.h"
#include "definitions/definition_record.h"
#include "definitions/proj.h"
#include "definitions/register_tag_types.h"
#include "framework/xg_frame.h"
#include "ui_support.h"

#include <QTest>
#include <QTreeWidget>

namespace zephane {
namespace {

constexpr tag_type kProj = fourcc("proj");

test::TestTag projectile(const char (&id)[5], tag_id contrail) {
    projectile_definition p{};
    p.contrail = contrail;
    std::vector<std::uint8_t> bytes;
    definition_file_bytes(p, bytes);
    return {kProj, fourcc(id), std::string("Projectile ") + id, bytes};
}

class CheckWorkspace : public uitest::AppFixture {
protected:
    void SetUp() override {
        register_tag_types();
        uitest::attach_test_editor(kProj);
    }
};

TEST_F(CheckWorkspace, ListsTheProblemsAndADoubleClickOpensTheTag) {
    write("local/good.tag", uitest::current_single(projectile("good", kNoTag)));
    write("local/dangling.tag", uitest::current_single(projectile("dang", fourcc("miss"))));
    make_app().start();

    ASSERT_TRUE(app->do_command(command::kCheckWorkspace));
    TCheckWorkspaceForm* form = nullptr;
    for (XGForm* open : app->frame().forms())
        if (auto* found = dynamic_cast<TCheckWorkspaceForm*>(open)) form = found;
    ASSERT_NE(form, nullptr);
    QTreeWidget& list = form->list();
    ASSERT_EQ(list.topLevelItemCount(), 1);
    QTreeWidgetItem* row = list.topLevelItem(0);
    EXPECT_EQ(row->text(0), "local/dangling.tag");
    EXPECT_EQ(row->text(1), "proj:dang");
    EXPECT_EQ(row->text(2), "dangling-reference");
    EXPECT_EQ(row->text(3), "references proj:miss, which no loaded file has");

    TagEntry* tag = app->db().find_tag(kProj, fourcc("dang"));
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(TagEditorWindow::of(*tag), nullptr);
    list.scrollToItem(row);
    const QRect cell = list.visualItemRect(row);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, cell.center());
    settle();
    EXPECT_NE(TagEditorWindow::of(*tag), nullptr);

    // The problem mended in memory (the missing tag made), the window checks again: no row,
    // and asking for the window again brings the same one.
    app->db().add_tag(app->db().create_tag_file(), kProj, fourcc("miss"), tag_type_version(kProj),
                      "Missing", 0, 0, projectile("miss", kNoTag).payload);
    EXPECT_EQ(&show_check_workspace(*app), form);
    EXPECT_EQ(form->list().topLevelItemCount(), 0);
}

} // namespace
} // namespace zephane
