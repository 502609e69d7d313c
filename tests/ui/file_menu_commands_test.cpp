// The File menu's bulk commands: Build Foundation Tags (log window, cancel), Update Tag Formats
// and Build Plugin From Local.

#include "app/command_ids.h"
#include "app/file_menu_commands.h"
#include "definitions/definition_record.h"
#include "definitions/proj.h"
#include "definitions/register_tag_types.h"
#include "framework/xg_frame.h"
#include "ui_support.h"

#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

namespace zephane {
namespace {

using uitest::DialogScript;
using uitest::FileScript;

constexpr tag_type kProj = fourcc("proj");

test::TestTag projectile(const char (&id)[5], tag_id contrail, std::int16_t version) {
    projectile_definition p{};
    p.contrail = contrail;
    std::vector<std::uint8_t> bytes;
    definition_file_bytes(p, bytes);
    return {kProj, fourcc(id), std::string("Projectile ") + id, bytes, version};
}

// Presses the alert's button and keeps what it said.
DialogScript::Answer read_and_close(QString& text) {
    return [&text](XGDialog& dialog) {
        for (const QLabel* label : dialog.findChildren<QLabel*>()) text += label->text() + "\n";
        uitest::press(1)(dialog);
    };
}

class FileMenuCommands : public uitest::AppFixture {
protected:
    void SetUp() override {
        register_tag_types();
        uitest::attach_test_editor(kProj);
    }
    template <typename T> T* form_of_kind() const {
        T* found = nullptr;
        for (XGForm* open : app->frame().forms())
            if (auto* form = dynamic_cast<T*>(open)) found = form;
        return found;
    }
};

TEST_F(FileMenuCommands, BuildFoundationShowsTheLogAndACancelledBuildLeavesTheOutputs) {
    write("local/good.tag", test::single_tag_file(projectile("good", fourcc("miss"), 2)));
    write("local/more.tag", test::single_tag_file(projectile("more", kNoTag, 2)));
    const std::string roots = write("roots.txt", test::bytes_of("proj:good\n"));
    make_app().start();

    {
        FileScript files({QString::fromStdString(roots)});
        ASSERT_TRUE(app->frame().dispatch(command::kBuildFoundationTags));
    }
    TDependencyLogForm* log = form_of_kind<TDependencyLogForm>();
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(log->summary().text().startsWith("1 small tag, 0 small localized tags, 0 large tags"))
        << log->summary().text().toStdString();
    QListWidget& lines = log->lines();
    ASSERT_EQ(lines.count(), 1);
    EXPECT_EQ(lines.item(0)->text(),
              "missing tag proj/miss (referenced from 'Projectile good' (proj/good) in file good.tag)");
    EXPECT_EQ(lines.item(0)->foreground().color(), QColor(190, 0, 0));
    TagEntry* good = app->db().find_tag(kProj, fourcc("good"));
    QTest::mouseClick(lines.viewport(), Qt::LeftButton, {}, lines.visualItemRect(lines.item(0)).center());
    EXPECT_NE(TagEditorWindow::of(*good), nullptr);

    const std::string outputs = folder / "foundation_build";
    const auto small = test::read_bytes(outputs + "/small.tag");
    const auto old_log = test::read_bytes(outputs + "/dependency_log.txt");

    // The second build, of more tags, is cancelled as soon as its progress shows.
    test::write_file_bytes(roots, test::bytes_of("proj:good proj:more\n"));
    QTimer::singleShot(0, [this] {
        if (auto* progress = app->frame().findChild<QProgressDialog*>("bulkProgress")) progress->cancel();
    });
    QString said;
    DialogScript alerts({read_and_close(said)});
    FileScript files({QString::fromStdString(roots)});
    ASSERT_TRUE(app->frame().dispatch(command::kBuildFoundationTags));
    EXPECT_TRUE(said.contains("cancelled")) << said.toStdString();
    EXPECT_EQ(test::read_bytes(outputs + "/small.tag"), small);
    EXPECT_EQ(test::read_bytes(outputs + "/dependency_log.txt"), old_log);
    EXPECT_EQ(alerts.pending(), 0u);
}

TEST_F(FileMenuCommands, UpdateTagFormatsConvertsVersionOneTagsAndMarksTheirFiles) {
    write("local/old.tag", test::single_tag_file(projectile("oldp", kNoTag, 1)));
    write("tags/base.tag", test::monolithic_file(3, {projectile("base", kNoTag, 1)}));
    make_app().start();

    QString said;
    DialogScript alerts({read_and_close(said)});
    ASSERT_TRUE(app->frame().dispatch(command::kUpdateTagFormats));
    EXPECT_TRUE(said.contains("Converted 1 Projectile.")) << said.toStdString();
    EXPECT_TRUE(said.contains("1 tag in base files and patches stayed as they are."));
    EXPECT_TRUE(said.contains("1 file needs saving."));
    TagEntry* converted = app->db().find_tag(kProj, fourcc("oldp"));
    EXPECT_EQ(converted->version, 2);
    EXPECT_TRUE(TagDatabase::tag_file_needs_save(*converted->file));
    EXPECT_EQ(app->db().find_tag(kProj, fourcc("base"))->version, 1);
}

TEST_F(FileMenuCommands, BuildPluginFromLocalWritesTheNamedFile) {
    write("local/a.tag", uitest::current_single(projectile("aaaa", kNoTag, 2)));
    write("local/b.tag", uitest::current_single(projectile("bbbb", kNoTag, 2)));
    make_app().start();

    std::filesystem::create_directories(folder.path() / "plugins");
    const std::string target = (folder / "plugins/from-local.tag");
    QString said;
    DialogScript alerts({read_and_close(said)});
    FileScript files({QString::fromStdString(target)});
    ASSERT_TRUE(app->frame().dispatch(command::kBuildPluginFromLocal));
    EXPECT_TRUE(said.contains("2 tags from 2 files of 'local' written to")) << said.toStdString();
    EXPECT_EQ(files.requests().at(0).kind, FileDialogRequest::kSave);
    TagDatabase built;
    TagFile* plugin = built.read_tag_file(target, false);
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->kind, kFileKindPlugin);
    EXPECT_NE(built.find_tag(kProj, fourcc("aaaa")), nullptr);
    EXPECT_NE(built.find_tag(kProj, fourcc("bbbb")), nullptr);
}

} // namespace
} // namespace zephane
