#include "cli/tool_run.h"
#include "base/byte_reader.h"
#include "skeletal/skmd_payload.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstring>

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
