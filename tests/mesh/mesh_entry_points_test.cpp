// The entry point table a monolithic tag file keeps of its maps.

#include <gtest/gtest.h>

#include "base/byte_reader.h"
#include "mesh/mesh_entry_points.h"
#include "mesh/mesh_header.h"
#include "mesh/new_mesh.h"
#include "support/test_support.h"
#include "tags/tag_file_verify.h"
#include "tags/tag_file_writer.h"

namespace zephane {
namespace {

using test::ScratchFolder;

std::vector<std::uint8_t> mesh_payload(std::uint32_t strings_id, std::uint32_t team_count,
                                       std::size_t extra = 16) {
    std::vector<std::uint8_t> payload(kMeshHeaderSize + extra, 0);
    store_u32(payload.data() + 84, team_count);
    store_u32(payload.data() + 140, strings_id);
    for (std::size_t k = 0; k < extra; ++k) payload[kMeshHeaderSize + k] = static_cast<std::uint8_t>(k);
    return payload;
}

class MapNames : public ::testing::Test {
protected:
    std::vector<std::uint8_t> entry_point_of(const std::vector<std::uint8_t>& file, std::size_t k) {
        return {file.begin() + static_cast<long>(128 + 112 * k), file.begin() + static_cast<long>(128 + 112 * (k + 1))};
    }
    void SetUp() override { set_entry_point_builder(build_mesh_entry_points); }
    ScratchFolder folder;
    TagDatabase db;
};

TEST_F(MapNames, EntryPointsCarryTeamCountNameAndFirstLineOfTheMapName) {
    TagFile* strings = db.create_tag_file();
    db.add_tag(strings, fourcc("stli"), fourcc("nam1"), 1, "Names", 0, 0, test::bytes_of("The Great Hall\r\nSecond"));
    db.add_tag(strings, fourcc("stli"), fourcc("nam2"), 1, "Long", 0, 0, Payload(100, 'x'));
    TagFile* maps = db.create_tag_file();
    db.add_tag(maps, fourcc("text"), fourcc("note"), 1, "Note", 0, 0, test::bytes_of("n"));
    db.add_tag(maps, fourcc("mesh"), fourcc("mapa"), 11, "Map A", 0, 0, mesh_payload(fourcc("nam1"), 4));
    db.add_tag(maps, fourcc("mesh"), fourcc("mapb"), 11, "Map B", 0, 0, mesh_payload(fourcc("nam2"), 2));
    db.add_tag(maps, fourcc("mesh"), fourcc("mapc"), 11, "Map C", 0, 0, mesh_payload(fourcc("none"), 8));
    ASSERT_TRUE(db.write_tag_file(folder / "maps.tag", *maps, false, TAG_FILE_TYPE_BASE));
    const auto bytes = test::read_bytes(folder / "maps.tag");
    EXPECT_EQ(load_u16(bytes.data() + 100), 3);
    // Records follow the mesh group's list order: newest first.
    const auto c = entry_point_of(bytes, 0), b = entry_point_of(bytes, 1), a = entry_point_of(bytes, 2);
    EXPECT_EQ(load_u32(a.data()), fourcc("mapa"));
    EXPECT_EQ(load_u32(a.data() + 4), 4u);
    EXPECT_EQ(load_u32(a.data() + 8), 0u);
    EXPECT_STREQ(reinterpret_cast<const char*>(a.data() + 16), "Map A");
    EXPECT_STREQ(reinterpret_cast<const char*>(a.data() + 48), "The Great Hall");
    EXPECT_EQ(a[48 + 14], 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data() + 48)), std::string(63, 'x'));
    EXPECT_STREQ(reinterpret_cast<const char*>(c.data() + 48), "map name string not found");
    EXPECT_EQ(load_u32(bytes.data() + 112), bytes.size());
    EXPECT_TRUE(verify_tag_file(folder / "maps.tag").empty());
    // The first tag header comes after the records.
    EXPECT_EQ(load_u32(bytes.data() + 128 + 3 * 112 + 60), fourcc("tlm2"));
}

TEST_F(MapNames, AMeshWithoutAFullHeaderFailsTheWrite) {
    TagFile* maps = db.create_tag_file();
    db.add_tag(maps, fourcc("mesh"), fourcc("mapa"), 11, "Map A", 0, 0, Payload(500, 0));
    EXPECT_FALSE(db.write_tag_file(folder / "maps.tag", *maps, false, TAG_FILE_TYPE_PLUGIN));
    char name[64];
    EXPECT_FALSE(get_map_name(db, *db.find_tag(fourcc("mesh"), fourcc("mapa")), name));
}

TEST_F(MapNames, FileWithoutMapsHasNoEntryPoints) {
    TagFile* file = db.create_tag_file();
    db.add_tag(file, fourcc("text"), fourcc("aaaa"), 1, "A", 0, 0, Payload{1});
    ASSERT_TRUE(db.write_tag_file(folder / "plain.tag", *file, false, TAG_FILE_TYPE_PLUGIN));
    const auto bytes = test::read_bytes(folder / "plain.tag");
    EXPECT_EQ(load_u16(bytes.data() + 100), 0);
    EXPECT_EQ(load_u32(bytes.data() + 128 + 60), fourcc("tlm2"));
}

} // namespace
} // namespace zephane
