// New meshes and the dependency listing of a map.

#include <gtest/gtest.h>

#include "mesh/mesh_dependencies.h"
#include "mesh/new_mesh.h"
#include "base/byte_reader.h"
#include "mesh/mesh_entry_points.h"

namespace zephane {
namespace {

using Reference = std::pair<tag_type, tag_id>;

TEST(NewMesh, SizesTheDialogAccepts) {
    EXPECT_TRUE(valid_new_mesh_size(32, 512));
    EXPECT_TRUE(valid_new_mesh_size(192, 192));
    EXPECT_FALSE(valid_new_mesh_size(16, 32));
    EXPECT_FALSE(valid_new_mesh_size(32, 544));
    EXPECT_FALSE(valid_new_mesh_size(48, 32));
    EXPECT_EQ(mesh_colormap_side(32), 252);
    EXPECT_EQ(mesh_colormap_side(512), 4032);
}

TEST(NewMesh, HeaderAndCells) {
    const Payload p = new_mesh_payload(64, 32);
    const std::size_t cells = 64 * 32;
    ASSERT_EQ(p.size(), 1024 + cells * 12);
    const std::uint8_t* h = p.data();
    EXPECT_EQ(load_u16(h + 8), 2);
    EXPECT_EQ(load_u16(h + 10), 1);
    EXPECT_EQ(load_u32(h + 12), 0u);
    EXPECT_EQ(load_u32(h + 16), cells * 12);
    EXPECT_EQ(load_u32(h + 24), 1024u);
    EXPECT_EQ(load_u32(h + 28), cells * 12); // the data area is exactly the cells
    for (const std::size_t count : {36u, 52u, 128u, 284u}) EXPECT_EQ(load_u32(h + count), 0u) << count;
    for (const std::size_t offset : {40u, 56u, 132u, 192u, 204u, 288u})
        EXPECT_EQ(load_u32(h + offset), cells * 12) << offset;
    EXPECT_EQ(load_u32(h + 84), 2u);
    EXPECT_EQ(load_u16(h + 112), 0x4000);
    for (const std::size_t at : {116u, 118u, 120u, 122u}) EXPECT_EQ(load_u16(h + at), 32) << at;
    for (const std::size_t at : {0u, 4u, 68u, 72u, 80u, 124u, 140u, 144u, 152u, 156u, 160u, 164u,
                                 172u, 176u, 180u, 188u, 228u, 232u, 240u, 252u, 256u, 260u, 264u,
                                 492u, 508u, 516u, 520u, 524u, 528u, 532u, 552u, 556u, 560u, 564u,
                                 568u, 572u, 580u, 584u})
        EXPECT_EQ(load_u32(h + at), kNoTag) << at;
    EXPECT_EQ(load_u16(h + 512), 0xFEDC);
    EXPECT_EQ(load_u16(h + 576), 1);
    EXPECT_EQ(load_u16(h + 578), 1);
    for (const std::size_t at : {76u, 108u, 296u, 496u, 504u, 588u, 596u, 600u})
        EXPECT_EQ(load_u32(h + at), 0u) << at;
    const Payload cell = {0, 0, 0, 0, 0, 102, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF};
    EXPECT_TRUE(std::equal(cell.begin(), cell.end(), p.begin() + 1024));
    EXPECT_TRUE(std::equal(cell.begin(), cell.end(), p.end() - 12));
}

class MeshDependencies : public ::testing::Test {
protected:
    std::vector<Reference> list(Payload payload) {
        TagDatabase db;
        TagEntry& mesh = *db.add_tag(db.create_tag_file(), fourcc("mesh"), fourcc("abcd"), 11, "Map",
                                     0, 0, std::move(payload));
        struct : DependencyReporter {
            void report_dependency(tag_type type, tag_id id) override { seen.emplace_back(type, id); }
            std::vector<Reference> seen;
        } reporter;
        mesh_dependencies(db, mesh, reporter);
        return reporter.seen;
    }
    // A 32 × 32 map with the sections appended after its cells.
    static Payload map_with(const Payload& palette, std::uint32_t palette_count, const Payload& actions,
                            std::uint32_t action_count) {
        Payload p = new_mesh_payload(32, 32);
        const auto cells = static_cast<std::uint32_t>(p.size() - 1024);
        store_u32(p.data() + 36, palette_count);
        store_u32(p.data() + 40, cells);
        store_u32(p.data() + 44, static_cast<std::uint32_t>(palette.size()));
        store_u32(p.data() + 128, action_count);
        store_u32(p.data() + 132, cells + static_cast<std::uint32_t>(palette.size()));
        store_u32(p.data() + 136, static_cast<std::uint32_t>(actions.size()));
        p.insert(p.end(), palette.begin(), palette.end());
        p.insert(p.end(), actions.begin(), actions.end());
        return p;
    }
    static void put_palette(Payload& palette, std::uint16_t kind, const std::string& id) {
        Payload entry(32, 0);
        store_u16(entry.data(), kind);
        store_u32(entry.data() + 4, text_to_tag_id(id));
        palette.insert(palette.end(), entry.begin(), entry.end());
    }
    static void put_parameter(Payload& block, std::uint16_t type, std::uint16_t count,
                              const std::vector<std::uint32_t>& elements, std::size_t element_size) {
        ByteWriter w;
        w.u16(type);
        w.u16(count);
        w.u32(0);
        for (const std::uint32_t e : elements) element_size == 4 ? w.u32(e) : w.u16(static_cast<std::uint16_t>(e));
        while (w.size() % 4) w.u8(0);
        block.insert(block.end(), w.buffer().begin(), w.buffer().end());
    }
};

TEST_F(MeshDependencies, HeaderPaletteActionsThenMaps) {
    Payload palette;
    for (const auto& [kind, id] : std::vector<std::pair<std::uint16_t, const char*>>{
             {0, "obsv"}, {1, "tree"}, {3, "dwar"}, {5, "wind"}, {6, "geom"}, {9, "rock"}, {10, "fire"}, {11, "anim"}})
        put_palette(palette, kind, id);
    Payload actions(64, 0xEE); // one action record, opaque
    put_parameter(actions, 2, 3, {1, 2, 3}, 2);                      // 6 bytes, padded to 8
    put_parameter(actions, 9, 2, {fourcc("boom"), fourcc("bang")}, 4);
    put_parameter(actions, 22, 1, {fourcc("hut1")}, 4);
    put_parameter(actions, 30, 1, {fourcc("nope")}, 4);              // ends the walk
    put_parameter(actions, 12, 1, {fourcc("lost")}, 4);
    Payload p = map_with(palette, 8, actions, 1);
    store_u32(p.data() + 0, fourcc("land"));
    store_u32(p.data() + 140, fourcc("name"));
    store_u32(p.data() + 572, fourcc("song"));
    store_u32(p.data() + 156, fourcc("next"));

    const std::vector<Reference> seen = list(p);
    ASSERT_EQ(seen.size(), 26u + 5u + 3u + 2u);
    EXPECT_EQ(seen[0], Reference(fourcc("txst"), fourcc("land")));
    EXPECT_EQ(seen[1].first, fourcc("medi"));
    EXPECT_EQ(seen[6], Reference(fourcc("stli"), fourcc("name")));
    EXPECT_EQ(seen[25], Reference(fourcc("quik"), fourcc("song")));
    const std::vector<Reference> rest(seen.begin() + 26, seen.end());
    EXPECT_EQ(rest, (std::vector<Reference>{
                        {fourcc("scen"), fourcc("tree")}, {fourcc("unit"), fourcc("dwar")},
                        {fourcc("amso"), fourcc("wind")}, {fourcc("proj"), fourcc("rock")},
                        {fourcc("lpgr"), fourcc("fire")}, {fourcc("prgr"), fourcc("boom")},
                        {fourcc("prgr"), fourcc("bang")}, {fourcc("scen"), fourcc("hut1")},
                        {fourcc("mesh"), fourcc("next")}, {fourcc("mesh"), kNoTag}}));
}

TEST_F(MeshDependencies, DamagedSectionsAreSkipped) {
    Payload palette;
    put_palette(palette, 3, "dwar");
    Payload actions(64, 0);
    put_parameter(actions, 11, 1, {fourcc("ding")}, 4);
    store_u16(actions.data() + 64 + 2, 40); // forty sounds cannot fit in the block
    Payload p = map_with(palette, 1000, actions, 1);
    const std::vector<Reference> seen = list(p);
    EXPECT_EQ(seen.size(), 26u + 2u); // header and maps only

    EXPECT_TRUE(list(Payload(1000, 0)).empty()); // no whole header
    Payload negative = map_with(palette, 1, actions, 1);
    store_u32(negative.data() + 40, 0xFFFFFF00u);
    store_u32(negative.data() + 128, 0x7FFFFFFFu);
    EXPECT_EQ(list(negative).size(), 26u + 2u);
}

TEST(MapName, NewMeshHasNoNameString) {
    TagDatabase db;
    TagEntry& mesh = *db.add_tag(db.create_tag_file(), fourcc("mesh"), fourcc("abcd"), 11, "Map", 0, 0,
                                 new_mesh_payload(32, 32));
    char name[64];
    ASSERT_TRUE(get_map_name(db, mesh, name));
    EXPECT_STREQ(name, "map name string not found");
}

} // namespace
} // namespace zephane
