// The headless foundation build the program and the tool share: a failed root list is named on
// its own line and the lists after it still build.

#include <gtest/gtest.h>

#include <sstream>

#include "mesh/mesh_entry_points.h"
#include "support/test_support.h"
#include "tags/tag_file_writer.h"
#include "workspace/headless_build.h"

namespace zephane {
namespace {

using test::ScratchFolder;

// A map with no references, padded to a whole mesh header.
test::TestTag map(const std::string& id) {
    return {fourcc("mesh"), text_to_tag_id(id), "Map " + id, std::vector<std::uint8_t>(1024)};
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(HeadlessBuild, AnUnreadableListIsNamedAndTheOthersStillBuild) {
    detach_all_tag_operations();
    set_entry_point_builder(build_mesh_entry_points); // the outputs hold maps
    ScratchFolder folder;
    folder.write("local/abcd.tag", test::single_tag_file(map("abcd")));
    folder.write("plugins/efgh.tag", test::single_tag_file(map("efgh")));
    const std::string one = folder.write("one.txt", test::bytes_of("mesh:abcd\n"));
    const std::string missing = folder / "missing.txt";
    const std::string two = folder.write("two.txt", test::bytes_of("mesh:abcd\nmesh:efgh\n"));

    std::ostringstream out, err;
    const std::vector<std::string> lists{one, missing, two};
    EXPECT_EQ(run_headless_build(folder.path().string(), lists, "zephane: ", out, err), 1);
    const std::string output_folder = folder / "foundation_build";
    EXPECT_EQ(lines_of(out.str()),
              (std::vector<std::string>{
                  one + ": 0 small, 0 small localized, 1 large, in " + output_folder,
                  two + ": 0 small, 0 small localized, 2 large, in " + output_folder}));
    EXPECT_EQ(err.str(), "zephane: cannot read the root list " + missing + "\n");

    // The outputs are the last list's: both maps, the plugin's among them.
    TagDatabase built;
    ASSERT_NE(built.read_tag_file(folder / "foundation_build/large.tag", false), nullptr);
    EXPECT_NE(built.find_tag(fourcc("mesh"), fourcc("abcd")), nullptr);
    EXPECT_NE(built.find_tag(fourcc("mesh"), fourcc("efgh")), nullptr);
}

} // namespace
} // namespace zephane
