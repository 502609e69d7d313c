// "Import Camera Motion" (1005) in a tag file window: a camera animation tag from an ASE file.

#include "app/command_ids.h"
#include "app/tag_file_form.h"
#include "skeletal/canm_payload.h"
#include "support/test_support.h"
#include "ui/editor_support.h"

namespace zephane {
namespace {

using uitest::FileScript;

constexpr tag_type kCanm = fourcc("canm");

class CameraImport : public uitest::EditorFixture {
protected:
    std::vector<TagEntry*> cameras_in(TagFile& file) {
        std::vector<TagEntry*> out;
        for (TagGroup& group : file.groups)
            for (TagEntry& entry : group.entries)
                if (TagDatabase::get_tag_type(entry) == kCanm) out.push_back(&entry);
        return out;
    }
};

TEST_F(CameraImport, AFileWithBothTracksBecomesASelectedTag) {
    TagFile& file = add_file("cameras", {{fourcc("unit"), fourcc("dwar"), "Dwarf", {1}}});
    TTagFileForm& window = *app->file_form(file);
    const std::string ase = folder.write(
        "intro_pan.ase", test::bytes_of("*CONTROL_POS_TRACK {\n *CONTROL_POS_SAMPLE 0 1 2 3\n"
                                        " *CONTROL_POS_SAMPLE 160 4 5 6\n}\n*CONTROL_ROT_TRACK {\n}\n"));
    ASSERT_TRUE(command_enabled(window, command::kImportCameraMotion));
    {
        FileScript files({QString::fromStdString(ase)});
        ASSERT_TRUE(run_command(window, command::kImportCameraMotion));
        ASSERT_EQ(files.requests().size(), 1u);
        EXPECT_EQ(files.requests()[0].filter, "3D Studio ASE|*.ASE");
        EXPECT_EQ(files.requests()[0].default_extension, "ASE");
    }
    const std::vector<TagEntry*> made = cameras_in(file);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0]->name, "intro_pan");
    EXPECT_EQ(made[0]->version, 1);
    EXPECT_EQ(made[0]->id, TagDatabase{}.make_tag_id("intro_pan", kCanm, nullptr));
    ASSERT_TRUE(made[0]->data);
    EXPECT_EQ(made[0]->data->size(), 8u + 2 * 24);
    EXPECT_EQ(window.selected_tags(), made);
    EXPECT_EQ(window.status_text(), "intro_pan.ase: camera motion with 2 position and 0 rotation samples added");
}

TEST_F(CameraImport, AFileWithoutBothTracksAddsNothingAndSaysSo) {
    TagFile& file = add_file("cameras", {{fourcc("unit"), fourcc("dwar"), "Dwarf", {1}}});
    TTagFileForm& window = *app->file_form(file);
    EXPECT_TRUE(window.status_text().isEmpty());
    const std::string ase = folder.write("half.ase", test::bytes_of("*CONTROL_POS_TRACK { }\n"));
    FileScript files({QString::fromStdString(ase)});
    ASSERT_TRUE(run_command(window, command::kImportCameraMotion));
    EXPECT_TRUE(cameras_in(file).empty());
    EXPECT_FALSE(TagDatabase::tag_file_needs_save(file));
    EXPECT_EQ(window.status_text(), "half.ase: no camera motion added (no *CONTROL_ROT_TRACK)");

    FileScript cancelled({std::nullopt});
    ASSERT_TRUE(run_command(window, command::kImportCameraMotion));
    EXPECT_TRUE(cameras_in(file).empty());
}

} // namespace
} // namespace zephane
