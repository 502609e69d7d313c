#include <gtest/gtest.h>

#include <fstream>

#include "cli/tool_run.h"
#include "definitions/field_json.h"
#include "definitions/mons.h"
#include "definitions/proj.h"
#include "definitions/unit.h"
#include "mesh/new_mesh.h"
#include "support/test_support.h"
#include "base/byte_reader.h"

namespace zephane::cli {
namespace {

namespace data = zephane::test;
using cli::test::run;
using cli::test::ToolRun;
using data::ScratchFolder;
using data::TestTag;

template <typename R>
std::vector<std::uint8_t> bytes_of_record(const R& record) {
    std::vector<std::uint8_t> bytes;
    definition_file_bytes(record, bytes);
    return bytes;
}

// A map whose palette places a unit, a unit of a monster with a skeletal model, an attack
// projectile and string lists, some of them only in the base tags.
class Workspace : public ::testing::Test {
protected:
    void SetUp() override {
        Payload map = new_mesh_payload(32, 32);
        store_u32(map.data() + 140, fourcc("hnam"));
        const auto cells = static_cast<std::uint32_t>(map.size() - 1024);
        store_u32(map.data() + 36, 1);
        store_u32(map.data() + 40, cells);
        store_u32(map.data() + 44, 32);
        store_u32(map.data() + 28, cells + 32);
        Payload entry(32, 0);
        store_u16(entry.data(), 3);
        store_u32(entry.data() + 4, fourcc("dwar"));
        map.insert(map.end(), entry.begin(), entry.end());
        local({fourcc("mesh"), fourcc("hill"), "Hill", map, 11});
        local({fourcc("stli"), fourcc("hnam"), "Hill Name", data::bytes_of("Hill of Skulls\rsecond line")});

        units_definition unit = units_definition::kDefault;
        unit.monster = fourcc("dwrf");
        local({fourcc("unit"), fourcc("dwar"), "Dwarf", bytes_of_record(unit), 2});

        monster_definition monster = monster_definition::kDefault;
        monster.flags = 1u << kMonsterSkeletalBit;
        monster.graphic = fourcc("dmod");
        monster.number_of_attacks = 1;
        monster.attacks[0].projectile = fourcc("axes");
        monster.names = fourcc("dnam");
        local({fourcc("mons"), fourcc("dwrf"), "Dwarf Monster", bytes_of_record(monster)});

        projectile_definition axe{};
        axe.graphic = axe.detonation_group = axe.contrail = axe.object = kNoTag;
        axe.projectile_class = 4;
        axe.reserved150[10] = 0x77;
        local({fourcc("proj"), fourcc("axes"), "Axe", bytes_of_record(axe), 2});

        folder.write("tags/base.tag",
                     data::monolithic_file(3, {{fourcc("skmd"), fourcc("dmod"), "Dwarf Model", {1, 2, 3}},
                                               {fourcc("stli"), fourcc("dnam"), "Dwarf Names", data::bytes_of("Bob")}}));
        folder.write("roots.txt", data::bytes_of("mesh:hill\n"));
    }
    void local(const TestTag& tag) {
        folder.write("local/" + tag_text(tag.id) + ".tag", data::single_tag_file(tag));
    }
    std::string ws() const { return folder.path().string(); }
    ScratchFolder folder;
};

TEST_F(Workspace, BuildFoundationFromARootList) {
    const ToolRun result = run({"build-foundation", "--workspace", ws(), folder / "roots.txt"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("0 small, 2 small localized, 5 large"), std::string::npos) << result.out;
    EXPECT_EQ(run({"list", folder / "foundation_build/small_localized.tag"}).out,
              "base\t2\nstli\thnam\t1\t26\tHill Name\tString List\n"
              "stli\tdnam\t1\t3\tDwarf Names\tString List\n");
    const std::string large = run({"list", folder / "foundation_build/large.tag"}).out;
    for (const char* line : {"mesh\thill\t11\t", "unit\tdwar\t2\t128\tDwarf\t", "mons\tdwrf\t1\t1024\t",
                             "skmd\tdmod\t1\t3\t", "proj\taxes\t2\t256\t"})
        EXPECT_NE(large.find(line), std::string::npos) << line << " in\n" << large;
    EXPECT_EQ(run({"verify", folder / "foundation_build/large.tag"}).out, "OK\n");

    // The map's entry point names it with the first line of its name string.
    const auto bytes = data::read_bytes(folder / "foundation_build/large.tag");
    ASSERT_GT(bytes.size(), 240u);
    EXPECT_EQ(load_u16(bytes.data() + 100), 1);
    EXPECT_EQ(load_u32(bytes.data() + 128), fourcc("hill"));
    EXPECT_EQ(load_u32(bytes.data() + 132), 2u);
    EXPECT_STREQ(reinterpret_cast<const char*>(bytes.data() + 128 + 16), "Hill");
    EXPECT_STREQ(reinterpret_cast<const char*>(bytes.data() + 128 + 48), "Hill of Skulls");

    std::ifstream log(folder / "foundation_build/dependency_log.txt");
    std::stringstream text;
    text << log.rdbuf();
    EXPECT_EQ(text.str(),
              "used foundation tag 'Dwarf Model' (skmd/dmod) in file base.tag (referenced from 'Dwarf "
              "Monster' (mons/dwrf) in file dwrf.tag)\n"
              "used foundation tag 'Dwarf Names' (stli/dnam) in file base.tag (referenced from 'Dwarf "
              "Monster' (mons/dwrf) in file dwrf.tag)\n");

    const ToolRun missing = run({"build-foundation", "--workspace", ws(), folder / "nothing.txt"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read the root list"), std::string::npos);
}

TEST_F(Workspace, DepsPrintsWhatTheWalkFollows) {
    const ToolRun monster = run({"deps", "--workspace", ws(), folder / "local/dwrf.tag", "mons:dwrf"});
    ASSERT_EQ(monster.status, 0) << monster.err;
    EXPECT_EQ(monster.out, "skmd:dmod\nproj:axes\nstli:dnam\n");
    EXPECT_EQ(run({"deps", "--workspace", ws(), folder / "local/hill.tag", "mesh:hill"}).out,
              "stli:hnam\nunit:dwar\n");
    EXPECT_EQ(run({"deps", folder / "local/hnam.tag", "stli:hnam"}).out, "");
    EXPECT_EQ(run({"deps", folder / "local/hnam.tag", "stli:zzzz"}).status, 1);
}

TEST_F(Workspace, DumpAndLoad) {
    const std::string tag_file = folder / "local/axes.tag";
    const auto original = data::read_bytes(tag_file);
    const ToolRun dumped = run({"dump", tag_file, "proj:axes"});
    ASSERT_EQ(dumped.status, 0) << dumped.err;
    ordered_json document = ordered_json::parse(dumped.out);
    EXPECT_EQ(document["type"], "proj");
    EXPECT_EQ(document["record"]["class"]["name"], "Torso"); // stored as index − 1
    EXPECT_TRUE(document["record"]["graphic"].is_null());
    EXPECT_EQ(document["record"]["reserved_150"].get<std::string>().substr(20, 2), "77");
    folder.write("axe.json", data::bytes_of(dumped.out));

    document["record"]["class"] = {{"name", "Arm"}};
    folder.write("arm.json", data::bytes_of(document.dump()));
    ASSERT_EQ(run({"load", tag_file, "proj:axes", folder / "arm.json"}).status, 0);
    EXPECT_EQ(ordered_json::parse(run({"dump", tag_file, "proj:axes"}).out)["record"]["class"]["value"], 2);
    ASSERT_EQ(run({"load", tag_file, "proj:axes", folder / "axe.json"}).status, 0);
    EXPECT_EQ(data::read_bytes(tag_file), original);

    folder.write("bad.json", data::bytes_of(R"({"record": {"class": {"value": 99999}}})"));
    const ToolRun bad = run({"load", tag_file, "proj:axes", folder / "bad.json"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("class"), std::string::npos) << bad.err;
    folder.write("broken.json", data::bytes_of("{"));
    EXPECT_EQ(run({"load", tag_file, "proj:axes", folder / "broken.json"}).status, 1);
    EXPECT_EQ(run({"load", tag_file, "unit:axes", folder / "axe.json"}).status, 1);
    EXPECT_EQ(data::read_bytes(tag_file), original);
}

TEST(ToolUpdate, BringsTagsToTheirVersionsAndSaves) {
    ScratchFolder folder;
    Payload projectile(256, 0x11);
    const auto path = folder.write(
        "old.tag", data::monolithic_file(1, {{fourcc("proj"), fourcc("arro"), "Arrow", projectile, 1},
                                             {fourcc("scen"), fourcc("tree"), "Tree", Payload(128, 0), 1},
                                             {fourcc("unit"), fourcc("dwar"), "Dwarf", Payload(128, 0), 0},
                                             {fourcc("text"), fourcc("note"), "Note", {0}, 1}}));
    const ToolRun first = run({"update", path});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "proj:arro 'Arrow': version 1 -> 2 (converted)\n"
                         "scen:tree 'Tree': version 1 -> 2 (converted)\n"
                         "unit:dwar 'Dwarf': version 0 -> 2 (stamped)\n");
    EXPECT_EQ(run({"update", path}).out, "");
    const ToolRun dumped = run({"dump", path, "proj:arro"});
    EXPECT_TRUE(ordered_json::parse(dumped.out)["record"]["bounce_stain"].is_null());
    EXPECT_NE(run({"list", path}).out.find("proj\tarro\t2\t256"), std::string::npos);

    const auto newer = folder.write(
        "new.tag", data::monolithic_file(1, {{fourcc("proj"), fourcc("futr"), "Future", projectile, 3}}));
    const ToolRun refused = run({"update", newer});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("proj:futr: internal error \"v <= info->version\" in tagdepend"),
              std::string::npos)
        << refused.err;
}

TEST(ToolHelp, DefinitionCommandsHaveHelp) {
    for (const char* command : {"build-foundation", "deps", "dump", "load", "update"}) {
        const ToolRun result = run({command, "--help"});
        EXPECT_EQ(result.status, 0);
        EXPECT_NE(result.out.find(std::string("zephane-tool ") + command), std::string::npos) << result.out;
    }
}

} // namespace
} // namespace zephane::cli
