#include <gtest/gtest.h>

#include <filesystem>

#include "cli/tool_run.h"
#include "dialogs/cin_writer.h"
#include "support/test_support.h"

namespace zephane::cli {
namespace {

using test::run;
using test::ToolRun;
using zephane::test::CinControl;
using zephane::test::ScratchFolder;

std::vector<std::uint8_t> options_file() {
    using namespace zephane::test;
    const auto window = [](const std::string& name) {
        return resource_entry("VRes", name, view_resource(0, 0, 100, 50, "", {{"pbtn", 1, 0, 0, 0, 0, "OK", true}}));
    };
    return cin_file({window("Options"), window("Options"), window("")});
}

TEST(ToolImportCin, PrintsEachTagMadeAndKeepsIdsUnique) {
    ScratchFolder folder;
    const std::string cin = folder.write("ui.cin", options_file());
    const std::string tags = folder / "new" ;
    ToolRun first = run({"import-cin", tags, cin});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "bina:opti\tOptions\nbina:optj\tOptions\nbina:undi\tUntitled Dialog\n");
    // The same windows again: the ids already in the file are taken.
    ToolRun second = run({"import-cin", tags, cin});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out, "bina:optk\tOptions\nbina:optl\tOptions\nbina:undj\tUntitled Dialog\n");
    ToolRun listed = run({"list", tags});
    EXPECT_NE(listed.out.find("bina\toptl\t1\t"), std::string::npos) << listed.out;
    // The rewrite goes through the Dialog payload reader and writer and changes nothing.
    const ToolRun rewritten = run({"rewrite", tags, "bina:optl"});
    EXPECT_EQ(rewritten.status, 0) << rewritten.err;
    EXPECT_EQ(run({"list", tags}).out, listed.out);
}

TEST(ToolImportCin, FailedCheckSavesNothing) {
    ScratchFolder folder;
    auto bytes = options_file();
    bytes.push_back(0); // a stray byte where an entry length should be
    const std::string cin = folder.write("bad.cin", bytes);
    ToolRun result = run({"import-cin", folder / "t.tag", cin});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("len >= 10"), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty());
    EXPECT_FALSE(std::filesystem::exists(folder / "t.tag"));
}

} // namespace
} // namespace zephane::cli
