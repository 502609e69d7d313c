#include "cli/tool_run.h"
#include "base/byte_reader.h"
#include "skeletal/skmd_payload.h"
#include "support/test_support.h"
#include "skeletal/skl_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <sstream>

namespace zephane::cli {
namespace {

using test::run;
using test::ToolRun;
using zephane::test::ScratchFolder;

// Box 0 holds boxes 1 and 2; box 1 holds leaves 3 and 4; box 2 is a leaf.
SkeletalModelSet boxed_set() {
    SkeletalModelSet set;
    set.header.animation = fourcc("walk");
    set.header.entries[0].probability = 7;
    SkeletalModel m;
    std::strcpy(m.header.name, "crate");
    m.header.texture_stack = fourcc("wood");
    m.header.minimum_vertex_count = 3;
    m.header.vertex_count = 4;
    m.header.scale = 1.0f;
    m.uv.assign(8, 0.0f);
    m.real_vertex_counts = {3, 4};
    const std::int16_t children[5][2] = {{1, 2}, {3, 2}, {-1, 0}, {-1, 0}, {-1, 0}};
    for (const auto& c : children) m.boxes.push_back({{0, 0, 0}, {1, 1, 1}, c[0], c[1], -1, 0});
    m.header.lods[0] = {3, 4, 0, 0, 0};
    SkmdLodBlock block;
    block.triangles = {0, 1, 2};
    block.min_vertices_for_tri = {3};
    block.edge_collapse = {0};
    block.weight_ref_counts.assign(4, 0);
    m.blocks.push_back(block);
    set.models.push_back(m);
    return set;
}

TEST(ToolSkeletal, InfoShowsTheModelsAndTheBoxTreeDepth) {
    ScratchFolder folder;
    const auto tags = folder.write("m.tag", zephane::test::single_tag_file(
                                                {fourcc("skmd"), fourcc("crat"), "Crate",
                                                 save_skmd_payload(boxed_set())}));
    const ToolRun info = run({"skmd-info", tags, "skmd:crat"});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("animation: walk\nmodels: 1\nmodel 0\n  name: crate\n"
                            "  texture stack: wood\n  probability: 7, flags: 0\n"),
              std::string::npos)
        << info.out;
    EXPECT_NE(info.out.find("  vertices: minimum 3, full 4, limit 0\n"), std::string::npos);
    EXPECT_NE(info.out.find("    band 0: 3..4, triangles 1, quadverts 0, weight refs 0, size 64\n"),
              std::string::npos)
        << info.out;
    EXPECT_NE(info.out.find("collision triangles: 0, boxes: 5, box tree depth: 2, 2.5, 3\n"),
              std::string::npos)
        << info.out;

    // A block whose stored size disagrees is reported, not shown in part.
    auto damaged = save_skmd_payload(boxed_set());
    damaged[272 + 176 + 8] ^= 0x10; // the block size's low half
    const auto bad = folder.write("bad.tag", zephane::test::single_tag_file(
                                                 {fourcc("skmd"), fourcc("crat"), "Crate", damaged}));
    const ToolRun refused = run({"skmd-info", bad, "skmd:crat"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("skmd:crat: "), std::string::npos) << refused.err;
    EXPECT_EQ(run({"skmd-info", tags, "soun:crat"}).status, 1);
}

TEST(ToolSkeletal, NewTagAndRewriteGoThroughThePayloadReader) {
    ScratchFolder folder;
    const auto tags = folder / "new.tag";
    ASSERT_EQ(run({"new-tag", tags, "skmd:orc_"}).status, 0);
    const ToolRun empty = run({"skmd-info", tags, "skmd:orc_"});
    EXPECT_EQ(empty.out, "animation: ____\nmodels: 0\n") << empty.err;

    const auto good = folder.write("m.tag", zephane::test::single_tag_file(
                                                {fourcc("skmd"), fourcc("crat"), "Crate",
                                                 save_skmd_payload(boxed_set())}));
    const ToolRun rewritten = run({"rewrite", good, "skmd:crat"});
    EXPECT_EQ(rewritten.status, 0) << rewritten.err;

    // A model whose block size disagrees is refused, not dropped; the file stays as it was.
    SkeletalModelSet two = boxed_set();
    two.models.push_back(two.models[0]);
    auto damaged = save_skmd_payload(two);
    const std::size_t second = load_u32(damaged.data() + 28);
    store_u16(damaged.data() + second + 176, 3); // highest first: band 3..3 changes the block size
    const auto bad = folder.write("bad.tag", zephane::test::single_tag_file(
                                                 {fourcc("skmd"), fourcc("crat"), "Crate", damaged}));
    const auto before = zephane::test::read_bytes(bad);
    const ToolRun refused = run({"rewrite", bad, "skmd:crat"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("level-of-detail block size"), std::string::npos) << refused.err;
    EXPECT_EQ(zephane::test::read_bytes(bad), before);
}

} // namespace
} // namespace zephane::cli

namespace zephane::cli {
namespace {

std::string tag_name_in(const std::string& path) {
    TagDatabase db;
    TagFile* file = db.read_tag_file(path, false);
    TagEntry* entry = file ? db.find_tag_in_file(*file, fourcc("skmd"), fourcc("orc_")) : nullptr;
    return entry ? TagDatabase::get_tag_name(*entry) : "";
}

SkeletalModelSet set_in(const std::string& path) {
    TagDatabase db;
    TagFile* file = db.read_tag_file(path, false);
    TagEntry* entry = db.find_tag_in_file(*file, fourcc("skmd"), fourcc("orc_"));
    return load_whole_skmd_payload(*db.get_tag_data(*entry));
}

struct ObjFile {
    std::string first;
    std::vector<std::array<double, 3>> v;
    std::vector<std::array<int, 3>> f;
};

ObjFile read_obj(const std::string& path) {
    const auto bytes = zephane::test::read_bytes(path);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    ObjFile obj;
    std::getline(in, obj.first);
    std::string kind;
    while (in >> kind) {
        if (kind == "v") {
            std::array<double, 3> p;
            in >> p[0] >> p[1] >> p[2];
            obj.v.push_back(p);
        } else {
            std::array<int, 3> t;
            in >> t[0] >> t[1] >> t[2];
            obj.f.push_back(t);
        }
    }
    return obj;
}

TEST(ToolSkeletal, ImportExportAndReimport) {
    ScratchFolder folder;
    const auto grid = folder.write("grid.skl", zephane::test::grid_skl(6, true).bytes());
    const auto small = folder.write("small.model.skl", zephane::test::grid_skl(2).bytes());
    const auto tags = folder / "orc.tag";

    const ToolRun imported = run({"import-skl", tags, "skmd:orc_", grid, small, "--name", "Orc"});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, "skmd:orc_: 2 models\n");
    EXPECT_EQ(tag_name_in(tags), "Orc");
    // --name names a tag only when it is made.
    ASSERT_EQ(run({"import-skl", tags, "skmd:orc_", small, "--name", "Other"}).status, 0);
    EXPECT_EQ(tag_name_in(tags), "Orc");
    SkeletalModelSet set = set_in(tags);
    ASSERT_EQ(set.models.size(), 3u);
    EXPECT_STREQ(set.models[0].header.name, "grid");
    EXPECT_STREQ(set.models[1].header.name, "small.model");
    const ToolRun info = run({"skmd-info", tags, "skmd:orc_"});
    EXPECT_NE(info.out.find("models: 3\n"), std::string::npos) << info.out;

    // The full model: every vertex, the file's faces; the least: what the table delivers.
    const auto obj = folder / "grid.obj";
    ASSERT_EQ(run({"export-obj", tags, "skmd:orc_", "0", "100000", obj}).status, 0);
    ObjFile full = read_obj(obj);
    EXPECT_EQ(full.first, "# vertices 49 triangles 72");
    ASSERT_EQ(full.v.size(), 49u);
    EXPECT_EQ(full.f.size(), 72u);
    for (const auto& p : full.v) {
        EXPECT_GE(p[0], 0.0);
        EXPECT_LE(p[0], 6.0);
    }
    const SkeletalModel& m = set.models[0];
    for (int request = 0; request <= 50; ++request) {
        ASSERT_EQ(run({"export-obj", tags, "skmd:orc_", "0", std::to_string(request), obj}).status, 0);
        const ObjFile o = read_obj(obj);
        const int c = static_cast<int>(o.v.size());
        EXPECT_EQ(o.first, "# vertices " + std::to_string(c) + " triangles " + std::to_string(o.f.size()));
        EXPECT_GE(c, m.header.minimum_vertex_count);
        for (const auto& t : o.f) {
            for (const int v : t) {
                EXPECT_GE(v, 1);
                EXPECT_LE(v, c);
            }
            EXPECT_TRUE(t[0] != t[1] && t[1] != t[2] && t[0] != t[2]);
        }
    }

    // Reimport keeps probability and flags; the model's name follows the new file.
    set.header.entries[1].probability = 9;
    set.header.entries[1].flags = 1;
    {
        TagDatabase db;
        TagFile* file = db.read_tag_file(tags, false);
        TagEntry* entry = db.find_tag_in_file(*file, fourcc("skmd"), fourcc("orc_"));
        db.set_tag_data(*entry, save_skmd_payload(set));
        db.save_tag_file(*file);
    }
    const ToolRun re = run({"reimport-skl", tags, "skmd:orc_", "1", grid});
    ASSERT_EQ(re.status, 0) << re.err;
    set = set_in(tags);
    EXPECT_EQ(set.header.entries[1].probability, 9);
    EXPECT_EQ(set.header.entries[1].flags, 1);
    EXPECT_STREQ(set.models[1].header.name, "grid");
    EXPECT_EQ(set.models[1].header.vertex_count, 49);

    // A model that does not exist, or more than 16 models: exit 1 and nothing saved.
    const auto before = zephane::test::read_bytes(tags);
    EXPECT_EQ(run({"reimport-skl", tags, "skmd:orc_", "3", grid}).status, 1);
    EXPECT_EQ(run({"export-obj", tags, "skmd:orc_", "3", "10", obj}).status, 1);
    EXPECT_EQ(run({"export-obj", tags, "skmd:orc_", "-1", "10", obj}).status, 1);
    std::vector<std::string> many = {"import-skl", tags, "skmd:orc_"};
    for (int i = 0; i < 14; ++i) many.push_back(small);
    const ToolRun refused = run(many);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("16"), std::string::npos) << refused.err;
    EXPECT_EQ(run({"import-skl", tags, "skmd:orc_", folder / "missing.skl"}).status, 1);
    EXPECT_EQ(zephane::test::read_bytes(tags), before);

    // A new tag without --name is named after the first file.
    const auto other = folder / "other.tag";
    ASSERT_EQ(run({"import-skl", other, "skmd:orc_", small}).status, 0);
    EXPECT_EQ(tag_name_in(other), "small.model");
}

TEST(ToolSkeletal, ExportOfAModelWithoutTriangles) {
    ScratchFolder folder;
    zephane::test::SklText s;
    s.bones = {{-1, "root"}};
    s.vertices = {{{{0, 1, 1, 2, 3}}}, {{{0, 1, 0.125, 0, 0}}}};
    const auto skl = folder.write("dots.skl", s.bytes());
    const auto tags = folder / "d.tag";
    ASSERT_EQ(run({"import-skl", tags, "skmd:orc_", skl}).status, 0);
    const auto obj = folder / "d.obj";
    ASSERT_EQ(run({"export-obj", tags, "skmd:orc_", "0", "2", obj}).status, 0);
    const auto bytes = zephane::test::read_bytes(obj);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("# vertices 2 triangles 0\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("f "), std::string::npos);
    EXPECT_NE(text.find("v 1 2 3\n"), std::string::npos) << text;
}

TEST(ToolSkeletal, BuildAndDeleteCollision) {
    ScratchFolder folder;
    const auto skl = folder.write("grid.skl", zephane::test::grid_skl(6).bytes());
    const auto tags = folder / "g.tag";
    ASSERT_EQ(run({"import-skl", tags, "skmd:orc_", skl}).status, 0);
    const ToolRun built = run({"build-collision", tags, "skmd:orc_", "0"});
    ASSERT_EQ(built.status, 0) << built.err;
    const SkeletalModel m = set_in(tags).models[0];
    EXPECT_EQ(m.collision_triangles.size(), 72u);
    EXPECT_EQ(m.header.collision_triangle_count, 72);
    EXPECT_EQ(m.header.collision_box_count, m.boxes.size());
    const ToolRun info = run({"skmd-info", tags, "skmd:orc_"});
    EXPECT_NE(info.out.find("collision triangles: 72, boxes: " + std::to_string(m.boxes.size()) +
                            ", box tree depth: "),
              std::string::npos)
        << info.out;
    EXPECT_EQ(run({"build-collision", tags, "skmd:orc_", "1"}).status, 1);
    const ToolRun removed = run({"build-collision", tags, "skmd:orc_", "0", "--delete"});
    ASSERT_EQ(removed.status, 0) << removed.err;
    EXPECT_EQ(removed.out, "skmd:orc_: model 0: 0 collision triangles, 0 boxes, box tree depth --\n");
    EXPECT_TRUE(set_in(tags).models[0].boxes.empty());
}

} // namespace
} // namespace zephane::cli
