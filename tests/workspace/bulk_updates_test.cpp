// Update Tag Formats and Build Plugin From Local on a loaded workspace, and the foundation
// build the editor runs: staged, so a cancelled build leaves the previous outputs.

#include <gtest/gtest.h>

#include "base/byte_reader.h"
#include "definitions/register_tag_types.h"
#include "mesh/mesh_entry_points.h"
#include "support/test_support.h"
#include "tags/foundation_build.h"
#include "tags/tag_file_writer.h"
#include "workspace/bulk_updates.h"
#include "workspace/workspace_loading.h"

namespace zephane {
namespace {

using test::ScratchFolder;
using test::TestTag;

constexpr tag_type kProj = fourcc("proj");
constexpr tag_type kUnit = fourcc("unit");

TagFile& file_at(TagDatabase& db, const std::string& path) {
    for (TagFile& file : db.files())
        if (file.spec && *file.spec == path) return file;
    throw std::runtime_error("not loaded: " + path);
}

class BulkUpdates : public ::testing::Test {
protected:
    void SetUp() override {
        detach_all_tag_operations();
        register_tag_types();
    }
    void TearDown() override { detach_all_tag_operations(); }
    ScratchFolder ws;
    TagDatabase db;
};

TEST_F(BulkUpdates, VersionOneTagsAreConvertedNeverStampedOnesStampedBaseFilesLeftAlone) {
    const Payload bytes(256, 0x11);
    const auto one = ws.write("local/one.tag", test::single_tag_file({kProj, fourcc("onep"), "One", bytes, 1}));
    const auto two = ws.write("plugins/two.tag",
                              test::monolithic_file(1, {{kProj, fourcc("twop"), "Two", bytes, 1},
                                                        {fourcc("rawd"), fourcc("blob"), "Blob", {1, 2}, 0},
                                                        {kProj, fourcc("curr"), "Current", bytes, 2}}));
    ws.write("tags/base.tag", test::monolithic_file(3, {{kProj, fourcc("base"), "Base", bytes, 1}}));
    ws.write("local/newer.tag", test::single_tag_file({kProj, fourcc("newr"), "Newer", bytes, 7}));
    load_workspace_folders(db, ws.path().string());

    std::vector<std::pair<std::size_t, std::size_t>> told;
    const FormatUpdateSummary summary = update_tag_formats(db, [&](std::size_t done, std::size_t total) {
        told.emplace_back(done, total);
        return true;
    });
    EXPECT_FALSE(summary.cancelled);
    EXPECT_EQ(summary.converted, (std::map<tag_type, std::size_t>{{kProj, 2}}));
    EXPECT_EQ(summary.stamped, 1u); // the 'rawd'
    EXPECT_EQ(summary.locked, 1u);  // the base tag
    ASSERT_EQ(summary.failures.size(), 1u);
    EXPECT_EQ(summary.failures[0].rfind("proj:newr 'Newer': version 7", 0), 0u) << summary.failures[0];
    ASSERT_EQ(told.size(), 5u); // four tags, then the end
    EXPECT_EQ(told.back(), (std::pair<std::size_t, std::size_t>{4, 4}));

    TagEntry* converted = db.find_tag(kProj, fourcc("onep"));
    EXPECT_EQ(converted->version, 2);
    EXPECT_TRUE(converted->dirty);
    EXPECT_EQ(load_u32(converted->data->data() + 100), kNoTag); // the updater's own change
    EXPECT_EQ(db.find_tag(kProj, fourcc("base"))->version, 1);
    EXPECT_EQ(db.find_tag(kProj, fourcc("curr"))->dirty, false);
    std::vector<std::string> files;
    for (const TagFile* file : summary.files) files.push_back(*file->spec);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{one, two}));
    EXPECT_TRUE(TagDatabase::tag_file_needs_save(file_at(db, two)));

    // Everything is current now: nothing more to do.
    const FormatUpdateSummary again = update_tag_formats(db);
    EXPECT_TRUE(again.converted.empty());
    EXPECT_EQ(again.stamped, 0u);
    EXPECT_TRUE(again.files.empty());
}

TEST_F(BulkUpdates, APluginFromLocalHoldsEveryLocalTagOnceTheWinningCopy) {
    ws.write("local/a.tag", test::single_tag_file({kUnit, fourcc("dwar"), "Dwarf A", {1, 1}, 2}));
    ws.write("local/b.tag", test::single_tag_file({kUnit, fourcc("dwar"), "Dwarf B", {2, 2}, 2}));
    ws.write("local/sub/c.tag", test::single_tag_file({kProj, fourcc("arrw"), "Arrow", {3, 3, 3}, 2}));
    ws.write("plugins/p.tag", test::single_tag_file({kUnit, fourcc("ghol"), "Ghoul", {4}, 2}));
    ws.write("tags/base.tag", test::monolithic_file(3, {{kUnit, fourcc("base"), "Base", {5}, 2}}));
    load_workspace_folders(db, ws.path().string());
    const std::size_t files_before = db.files().size();

    const std::string target = ws / "plugins/from-local.tag";
    const LocalPluginSummary summary = build_plugin_from_local(db, ws.path().string(), target);
    EXPECT_EQ(summary.failure, "");
    EXPECT_EQ(summary.written, 2u);
    EXPECT_EQ(summary.hidden, 1u);
    EXPECT_EQ(summary.local_files, 3u);
    EXPECT_EQ(db.files().size(), files_before);

    TagDatabase built;
    TagFile* plugin = built.read_tag_file(target, false);
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->kind, kFileKindPlugin);
    TagEntry* dwarf = built.find_tag(kUnit, fourcc("dwar"));
    ASSERT_NE(dwarf, nullptr);
    // 'b.tag' is read after 'a.tag', so its copy is the one a lookup finds.
    EXPECT_EQ(dwarf->name, "Dwarf B");
    EXPECT_EQ(*built.get_tag_data(*dwarf), (Payload{2, 2}));
    EXPECT_EQ(*built.get_tag_data(*built.find_tag(kProj, fourcc("arrw"))), (Payload{3, 3, 3}));
    EXPECT_EQ(built.find_tag(kUnit, fourcc("ghol")), nullptr);
    EXPECT_EQ(built.find_tag(kUnit, fourcc("base")), nullptr);

    // A file of the workspace already loaded is never written over.
    const LocalPluginSummary refused = build_plugin_from_local(db, ws.path().string(), ws / "plugins/p.tag");
    EXPECT_NE(refused.failure, "");
    EXPECT_EQ(test::read_bytes(ws / "plugins/p.tag"),
              test::single_tag_file({kUnit, fourcc("ghol"), "Ghoul", {4}, 2}));
}

TEST_F(BulkUpdates, ACancelledStagedBuildLeavesThePreviousOutputsAndTheLog) {
    set_entry_point_builder(build_mesh_entry_points);
    const auto map = [](const char (&id)[5]) {
        return TestTag{fourcc("mesh"), fourcc(id), std::string("Map ") + id, Payload(1024), 0};
    };
    ws.write("local/abcd.tag", test::single_tag_file(map("abcd")));
    ws.write("local/efgh.tag", test::single_tag_file(map("efgh")));
    const std::string roots = ws.write("roots.txt", test::bytes_of("mesh:abcd\n"));
    load_workspace_folders(db, ws.path().string());
    const std::string folder = ws / "foundation_build";

    {
        FoundationBuild first(db);
        first.set_staged(true);
        ASSERT_TRUE(first.run_foundation_build(roots, ws.path().string()).complete);
        EXPECT_EQ(first.log_path(), folder + "/dependency_log.txt");
    }
    const auto large = test::read_bytes(folder + "/large.tag");
    const auto small = test::read_bytes(folder + "/small.tag");
    const auto log = test::read_bytes(folder + "/dependency_log.txt");

    test::write_file_bytes(roots, test::bytes_of("mesh:abcd mesh:efgh mesh:miss\n"));
    for (const std::size_t cancel_at : {1u, 2u, 3u}) { // in the walk, then while copying
        FoundationBuild cancelled(db);
        cancelled.set_staged(true);
        std::size_t calls = 0;
        cancelled.set_progress([&](std::size_t, std::size_t) { return ++calls < cancel_at; });
        const FoundationResult result = cancelled.run_foundation_build(roots, ws.path().string());
        EXPECT_TRUE(result.cancelled) << cancel_at;
        EXPECT_FALSE(result.complete);
        EXPECT_EQ(test::read_bytes(folder + "/large.tag"), large) << cancel_at;
        EXPECT_EQ(test::read_bytes(folder + "/small.tag"), small);
        EXPECT_EQ(test::read_bytes(folder + "/dependency_log.txt"), log);
    }
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) left.push_back(entry.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"dependency_log.txt", "large.tag", "small.tag", "small_localized.tag"}));

    // Not cancelled, the new outputs replace the old ones.
    FoundationBuild second(db);
    second.set_staged(true);
    const FoundationResult result = second.run_foundation_build(roots, ws.path().string());
    ASSERT_TRUE(result.complete);
    EXPECT_EQ(result.large, 2u);
    EXPECT_NE(test::read_bytes(folder + "/large.tag"), large);
    const auto new_log = test::read_bytes(folder + "/dependency_log.txt");
    EXPECT_NE(std::string(new_log.begin(), new_log.end()).find("missing tag mesh/miss"), std::string::npos);
}

} // namespace
} // namespace zephane
