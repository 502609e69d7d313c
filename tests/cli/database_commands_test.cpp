#include <gtest/gtest.h>

#include "cli/tool_run.h"
#include "support/test_support.h"
#include "tags/tag_file_verify.h"

namespace zephane::cli {
namespace {

using test::run;
using zephane::test::ScratchFolder;
using zephane::test::TestTag;
namespace data = zephane::test;

constexpr tag_type kUnit = fourcc("unit");

TEST(ToolFind, PrecedenceAndDuplicatesInDatabaseOrder) {
    ScratchFolder ws;
    const auto tag = [](const char* name) { return data::single_tag_file({kUnit, fourcc("dwar"), name, {1}}); };
    const auto base = ws.write("tags/base.tag", data::monolithic_file(3, {{kUnit, fourcc("dwar"), "Base", {1}}}));
    const auto local = ws.write("local/dwarf.tag", tag("Local"));
    const auto plugin = ws.write("plugins/sub/p.tag", tag("Plugin"));
    ws.write("local/other.tag", data::single_tag_file({kUnit, fourcc("ghol"), "Ghol", {1}}));
    const auto result = run({"find", "--workspace", ws.path().string(), "unit:dwar"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, plugin + "\nduplicate\t" + local + "\nduplicate\t" + base + "\n");
    EXPECT_EQ(run({"find", "--workspace", ws.path().string(), "unit:ghol"}).out, ws / "local/other.tag" + "\n");
    const auto none = run({"find", "--workspace", ws.path().string(), "proj:dwar"});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.out.empty());
    EXPECT_EQ(run({"find", "--workspace", ws.path().string(), "unit-dwar"}).status, 1);
}

TEST(ToolEdits, AddRawRenameSetIdDelete) {
    ScratchFolder ws;
    std::filesystem::create_directories(ws.path() / "plugins");
    const auto file = ws / "plugins/raw.tag";
    const auto added = run({"add-raw", file, ws.write("in/Photo.jpg", {0xFF, 0xD8, 0xFF}), ws.write("in/data.bin", {1, 2})});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "jpeg\tphjp\tPhoto.jpg\nrawd\tdabi\tdata.bin\n");
    EXPECT_TRUE(verify_tag_file(file).empty());

    auto result = run({"rename", file, "rawd:dabi", "Binary Data"});
    EXPECT_EQ(result.out, "rawd\tdabi\tBinary Data\n") << result.err;
    result = run({"set-id", file, "rawd:dabi", "bina"});
    EXPECT_EQ(result.out, "rawd\tbina\tBinary Data\n") << result.err;
    // Every rewrite lists the groups in the opposite order.
    EXPECT_EQ(run({"list", file}).out, "plugin\t2\nrawd\tbina\t0\t2\tBinary Data\tRaw File Data\n"
                                       "jpeg\tphjp\t0\t3\tPhoto.jpg\tJPEG File Data\n");
    result = run({"delete", file, "jpeg:phjp"});
    EXPECT_EQ(result.out, "jpeg\tphjp\tPhoto.jpg\n");
    EXPECT_EQ(run({"list", file}).out, "plugin\t1\nrawd\tbina\t0\t2\tBinary Data\tRaw File Data\n");

    EXPECT_EQ(run({"delete", file, "jpeg:phjp"}).status, 1) << "no such tag any more";
    EXPECT_EQ(run({"rename", ws / "missing.tag", "rawd:bina", "x"}).status, 1);
    EXPECT_EQ(run({"add-raw", file, ws / "in/missing.bin"}).status, 1);
    EXPECT_EQ(run({"set-id", file, "rawd:bina", "toolong"}).status, 1);
}

TEST(ToolEdits, LockedFilesAreRefused) {
    ScratchFolder ws;
    const auto base = ws.write("tags/base.tag", data::monolithic_file(3, {{kUnit, fourcc("dwar"), "Dwarf", {1}}}));
    const auto before = data::read_bytes(base);
    const auto result = run({"rename", base, "unit:dwar", "New"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("base.tag - Cannot modify base tags or patches."), std::string::npos) << result.err;
    EXPECT_EQ(data::read_bytes(base), before);
}

TEST(ToolMerge, CopiesWhatTheTargetLacks) {
    ScratchFolder ws;
    const auto from = ws.write("plugins/from.tag", data::monolithic_file(1, {{kUnit, fourcc("aaaa"), "A", {1}, 2},
                                                                           {kUnit, fourcc("bbbb"), "B", {2, 2}, 2},
                                                                           {fourcc("proj"), fourcc("cccc"), "C", {3}, 1}}));
    const auto to = ws.write("plugins/to.tag", data::monolithic_file(1, {{kUnit, fourcc("aaaa"), "A in target", {9}, 2}}));
    const auto result = run({"merge", from, to});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "unit\tbbbb\tB\nproj\tcccc\tC\n");
    const auto listed = run({"list", to}).out;
    EXPECT_NE(listed.find("unit\taaaa\t2\t1\tA in target"), std::string::npos) << listed;
    EXPECT_NE(listed.find("unit\tbbbb\t2\t2\tB"), std::string::npos) << listed;
    EXPECT_TRUE(verify_tag_file(to).empty());
    EXPECT_EQ(run({"merge", from, ws / "plugins/fresh.tag"}).status, 0) << "a missing target is created";
}

} // namespace
} // namespace zephane::cli
