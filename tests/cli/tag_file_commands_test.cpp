#include <gtest/gtest.h>

#include "cli/tool_run.h"
#include "support/test_support.h"
#include "tags/tag_file_format.h"

namespace zephane::cli {
namespace {

using zephane::test::ScratchFolder;
using zephane::test::TestTag;

using test::run;
using test::ToolRun;

TEST(ToolList, PrintsKindAndTagsInHeaderOrder) {
    ScratchFolder folder;
    const auto path = folder.write(
        "p.tag", zephane::test::monolithic_file(1, {{fourcc("unit"), fourcc("dwar"), "Dwarf", {1, 2, 3}, 2},
                                           {fourcc("proj"), fourcc("arro"), "Arrow", {}, 1},
                                           {fourcc("unit"), fourcc("ghol"), "Ghol", {9}, 2},
                                           {fourcc("xxxx"), fourcc("odd1"), "Odd", {7, 7}, 1}}));
    const ToolRun result = run({"list", path});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "plugin\t4\n"
                          "unit\tdwar\t2\t3\tDwarf\tUnits\n"
                          "proj\tarro\t1\t0\tArrow\tProjectile\n"
                          "unit\tghol\t2\t1\tGhol\tUnits\n"
                          "xxxx\todd1\t1\t2\tOdd\tUNKNOWN TYPE\n");
}

TEST(ToolList, StoredIdZeroShowsTheIdItReceives) {
    ScratchFolder folder;
    const auto path = folder.write(
        "b.tag", zephane::test::monolithic_file(3, {{fourcc("unit"), 0, "Dwarf", {1}, 1},
                                           {fourcc("unit"), 0, "Dwarf", {2}, 1},
                                           {fourcc("unit"), fourcc("dwas"), "Other", {3}, 1}}));
    const ToolRun result = run({"list", path});
    EXPECT_EQ(result.out, "base\t3\n"
                          "unit\tdwar\t1\t1\tDwarf\tUnits\n"
                          "unit\tdwas\t1\t1\tDwarf\tUnits\n"
                          "unit\tdwas\t1\t1\tOther\tUnits\n");
}

TEST(ToolList, RefusesWhatIsNotASoundTagFile) {
    ScratchFolder folder;
    auto damaged = zephane::test::monolithic_file(1, {{fourcc("unit"), fourcc("dwar"), "Dwarf", {1, 2}, 1}});
    damaged[103] = 200; // 200 tag headers cannot fit
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::vector<std::uint8_t>>>{
             {"short.tag", std::vector<std::uint8_t>(63, 0)},
             {"plain.txt", std::vector<std::uint8_t>(300, 'x')},
             {"damaged.tag", damaged}}) {
        const ToolRun result = run({"list", folder.write(name, bytes)});
        EXPECT_EQ(result.status, 1) << name;
        EXPECT_TRUE(result.out.empty()) << name;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_EQ(run({"list", folder / "missing.tag"}).status, 1);
}

TEST(ToolCopy, RoundTripKeepsEveryByteButTheWebAddress) {
    ScratchFolder folder;
    const auto original = zephane::test::monolithic_file(
        1, {{fourcc("unit"), fourcc("dwar"), "Dwarf", {1, 2, 3}, 2}, {fourcc("unit"), fourcc("ghol"), "Ghol", {4}, 2}},
        {}, "source");
    const auto in = folder.write("source.tag", original);
    const ToolRun result = run({"copy", in, folder / "copy.tag", "--kind", "plugin"});
    ASSERT_EQ(result.status, 0) << result.err;
    auto copy = zephane::test::read_bytes(folder / "copy.tag");
    ASSERT_EQ(copy.size(), original.size());
    // The header checksum is computed with the web address zeroed, so zeroing it in the copy
    // must give the independently built bytes.
    std::fill(copy.begin() + 36, copy.begin() + 100, 0);
    EXPECT_EQ(copy, original);
    EXPECT_EQ(run({"verify", folder / "copy.tag"}).out, "OK\n");
}

TEST(ToolCopy, KindsAndRefusals) {
    ScratchFolder folder;
    const auto in = folder.write("one.tag", zephane::test::single_tag_file({fourcc("text"), fourcc("hell"), "Hello", zephane::test::bytes_of("world")}));
    EXPECT_EQ(run({"copy", in, folder / "tags/base.tag"}).status, 1) << "the folder does not exist";
    std::filesystem::create_directories(folder.path() / "tags");
    std::filesystem::create_directories(folder.path() / "local");
    ASSERT_EQ(run({"copy", in, folder / "tags/base.tag"}).status, 0);
    EXPECT_EQ(run({"list", folder / "tags/base.tag"}).out.substr(0, 6), "base\t1");
    ASSERT_EQ(run({"copy", in, folder / "local/one.tag"}).status, 0);
    EXPECT_EQ(zephane::test::read_bytes(folder / "local/one.tag"), zephane::test::read_bytes(in));
    EXPECT_EQ(run({"copy", folder / "tags/base.tag", folder / "again.tag"}).status, 1)
        << "base tags cannot be written";
    EXPECT_EQ(run({"copy", in, folder / "x.tag", "--kind", "other"}).status, 2) << "usage error";

    const auto two = folder.write("two.tag", zephane::test::monolithic_file(1, {{fourcc("text"), fourcc("aaaa"), "A", {1}}, {fourcc("text"), fourcc("bbbb"), "B", {2}}}));
    const ToolRun local = run({"copy", two, folder / "local/two.tag"});
    EXPECT_EQ(local.status, 1);
    EXPECT_NE(local.err.find("a file under a folder named local must hold exactly one tag"),
              std::string::npos)
        << local.err;
    EXPECT_EQ(local.err.find("Assertion"), std::string::npos) << "a user error, not an assertion";
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "local/two.tag")) << "no malformed file is written";
    EXPECT_EQ(run({"copy", two, folder / "s.tag", "--kind", "single"}).status, 1);
}

TEST(ToolVerify, ReportsEachProblem) {
    ScratchFolder folder;
    auto bytes = zephane::test::monolithic_file(1, {{fourcc("text"), fourcc("aaaa"), "A", {1, 2, 3, 4}}, {fourcc("text"), fourcc("bbbb"), "B", {5, 6}}});
    const auto sound = folder.write("sound.tag", bytes);
    bytes[128 + 64 * 1 + 60] = 'x';         // second tag header's signature
    bytes[bytes.size() - 1] ^= 0xFF;        // a payload byte: data checksum
    const auto bad = folder.write("bad.tag", bytes);
    const ToolRun result = run({"verify", sound, bad});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find(sound + ": OK\n"), std::string::npos);
    EXPECT_NE(result.out.find(bad + ": tag header 1: signature"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(bad + ": data_checksum"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find(bad + ": header_checksum"), std::string::npos) << result.out;
}

TEST(ToolHelp, ToolAndEveryCommandHaveHelp) {
    for (const char* command : {"list", "copy", "verify"}) {
        const ToolRun result = run({command, "--help"});
        EXPECT_EQ(result.status, 0);
        EXPECT_NE(result.out.find(std::string("zephane-tool ") + command), std::string::npos) << result.out;
    }
    EXPECT_EQ(run({"--help"}).status, 0);
    EXPECT_NE(run({}).status, 0);
    const ToolRun unknown = run({"bogus", "x"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "zephane-tool: unknown command 'bogus'; see zephane-tool --help\n");
}

} // namespace
} // namespace zephane::cli
