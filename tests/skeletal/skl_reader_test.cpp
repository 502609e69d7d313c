#include "skeletal/skl_reader.h"
#include "skeletal/skl_builder.h"

#include <gtest/gtest.h>

#include <string>

namespace zephane {
namespace {

SklFile read_text(const std::string& text) {
    return read_skeleton_export(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

TEST(SklReader, NamesTagBonesInfluencesAndFrames) {
    test::SklText s;
    s.bones = {{-1, "Pelvis root"}, {0, "l_hand_tag"}, {0, "Spine"}};
    s.vertices = {{{{0, 0.5, 1, 2, 3}, {2, 0.25, 0, 0, 4}, {0, 0.5, 3, 2, 1}, {1, 1.0, 9, 9, 9}}},
                  {{{2, 1.0, 0, 0, 0}}},
                  {{{2, 1.0, 0, 1, 0}}},
                  {{{0, 0.0, 1, 1, 1}}}};
    s.faces = {{{0, 1, 2}, {{0, 0}, {1, 0}, {0, 1}}, 0x3},
               {{0, 2, 2}, {{0, 0}, {1, 0}, {0, 1}}, 0x4},  // one vertex twice
               {{0, 1, 3}, {{0, 0}, {1, 0}, {0, 1}}, 0x4},  // vertex 3 has no weight
               {{0, 2, 7}, {{0, 0}, {1, 0}, {0, 1}}, 0x4},  // no vertex 7
               {{2, 1, 0}, {{0, 0}, {1, 0}, {0, 1}}, 0xc}};
    test::SklTextPose moved;
    moved.offset[0] = 5;
    moved.columns[0][1] = 0.5; // "X 1 0.5 0": the first column
    s.frames = {{moved, {}, {}}};
    const SklFile f = read_text(s.text());

    ASSERT_EQ(f.bones.size(), 3u);
    EXPECT_EQ(f.bones[0].name, "Pelvis root");
    EXPECT_TRUE(f.bones[1].tag);
    EXPECT_FALSE(f.bones[2].tag);
    EXPECT_EQ(f.bones[2].parent, 0);
    ASSERT_EQ(f.vertices.size(), 4u);
    const auto& in = f.vertices[0].influences;
    ASSERT_EQ(in.size(), 2u); // the tag bone's influence is gone, bone 0's two are one
    EXPECT_EQ(in[0].bone, 0);
    EXPECT_FLOAT_EQ(in[0].weight, 1.0f);
    EXPECT_FLOAT_EQ(in[0].offset[0], 2.0f);
    EXPECT_FLOAT_EQ(in[0].offset[2], 2.0f);
    EXPECT_TRUE(f.vertices[3].influences.empty());

    ASSERT_EQ(f.faces.size(), 2u);
    EXPECT_EQ(f.faces[0].smoothing, 3u);
    EXPECT_EQ(f.faces[1].smoothing, 0xcu);
    EXPECT_FLOAT_EQ(f.faces[0].uv[2][1], 1.0f);
    // Masks 3 and c share no bit; vertex 0's masks stay apart.
    EXPECT_EQ(f.vertices[0].smoothing, (std::vector<std::uint32_t>{3, 0xc}));

    ASSERT_EQ(f.frames.size(), 1u);
    EXPECT_FLOAT_EQ(f.frames[0][0].offset[0], 5.0f);
    EXPECT_FLOAT_EQ(f.frames[0][0].rotation[1][0], 0.5f);
    EXPECT_FLOAT_EQ(f.frames[0][0].rotation[0][1], 0.0f);
}

TEST(SklReader, MergesVerticesWithEqualInfluencesAndUnitesMasks) {
    test::SklText s;
    s.bones = {{-1, "a"}, {0, "b"}};
    s.vertices = {{{{0, 0.5, 1, 0, 0}, {1, 0.5, 0, 1, 0}}},
                  {{{1, 1.0, 0, 0, 0}}},
                  {{{1, 0.5, 0, 1, 0}, {0, 0.5, 1, 0, 0}}}, // vertex 0 in another order
                  {{{1, 1.0, 0, 0, 1}}}};
    s.faces = {{{0, 1, 3}, {{0, 0}, {1, 0}, {0, 1}}, 0x1},
               {{2, 1, 3}, {{0, 0}, {1, 0}, {0, 1}}, 0x6},
               {{0, 2, 1}, {{0, 0}, {1, 0}, {0, 1}}, 0x3}}; // becomes 0, 0, 1: dropped
    const SklFile f = read_text(s.text());
    EXPECT_EQ(f.vertices[2].merged_into, 0);
    ASSERT_EQ(f.faces.size(), 2u);
    EXPECT_EQ(f.faces[1].vertex[0], 0);
    // 1 and 6 share nothing, but the dropped face's 3 is not there to join them.
    EXPECT_EQ(f.vertices[0].smoothing, (std::vector<std::uint32_t>{1, 6}));
    EXPECT_EQ(f.vertices[3].smoothing, (std::vector<std::uint32_t>{1, 6}));

    s.faces.push_back({{3, 1, 0}, {{0, 0}, {1, 0}, {0, 1}}, 0x3});
    EXPECT_EQ(read_text(s.text()).vertices[0].smoothing, (std::vector<std::uint32_t>{7}));
}

TEST(SklReader, VersionOneNormalsAndDamagedText) {
    test::SklText s;
    s.version = 1;
    s.bones = {{-1, "root"}};
    s.vertices = {{{{0, 1, 0, 0, 0}}, 0, 1, 0}, {{{0, 1, 1, 0, 0}}}, {{{0, 1, 0, 1, 0}}}};
    s.faces = {{{0, 1, 2}, {{0, 0}, {1, 0}, {0, 1}}, 0x8}};
    const std::string full = s.text();
    const SklFile f = read_text(full);
    ASSERT_EQ(f.vertices.size(), 3u);
    EXPECT_TRUE(f.vertices[0].has_normal);
    EXPECT_FLOAT_EQ(f.vertices[0].normal[1], 1.0f);
    ASSERT_EQ(f.faces.size(), 1u);
    EXPECT_EQ(f.faces[0].smoothing, 1u); // version 1 has no masks

    // Every cut of the text reads without failing; a cut inside the faces keeps the bones.
    for (std::size_t cut = 0; cut <= full.size(); ++cut) {
        const SklFile part = read_text(full.substr(0, cut));
        EXPECT_LE(part.faces.size(), 1u);
    }
    const SklFile cut = read_text(full.substr(0, full.find("TRI") + 6));
    EXPECT_EQ(cut.bones.size(), 1u);
    EXPECT_TRUE(cut.faces.empty());
    // Unknown words between the expected ones are skipped; "NUMBONES 900" reads 250 at most.
    std::string many = "SKELETON junk VERSION 2 NUMMATERIALS 0 NUMBONES 900\n";
    for (int b = 0; b < 300; ++b) many += "BONE " + std::to_string(b) + " -1 b\n";
    many += "NUMVERTS 0 NUMFACES 0 END";
    EXPECT_EQ(read_text(many).bones.size(), 250u);
}

TEST(SklReader, NumbersAsTheTextWritesThem) {
    const SklFile f = read_text(
        "SKELETON VERSION 2 NUMMATERIALS 0 NUMBONES 1\nBONE 0 -1 root\nNUMVERTS 3\n"
        "VERT 0 BONES 1 BONE 0 +0.5 1e400 -2.5e-1 12abc\n"
        "VERT 1 BONES 1 BONE 0 1 1 0 0\nVERT 2 BONES 1 BONE 0 1 0 1 nan\n"
        "NUMFACES 2\nTRI 0 0 0 0 1 1 0 2 0 1 0x1F\nTRI 1 0 0 0 2 0 1 1 1 0 99999999999\nEND");
    ASSERT_EQ(f.vertices.size(), 3u);
    const SklInfluence& in = f.vertices[0].influences.at(0);
    EXPECT_EQ(in.weight, 0.5f);
    EXPECT_EQ(in.offset[0], 0.0f); // past a float: 0
    EXPECT_EQ(in.offset[1], -0.25f);
    EXPECT_EQ(in.offset[2], 12.0f); // the number the token starts with
    EXPECT_EQ(f.vertices[2].influences.at(0).offset[2], 0.0f);
    ASSERT_EQ(f.faces.size(), 2u);
    EXPECT_EQ(f.faces[0].smoothing, 0x1Fu);
    EXPECT_EQ(f.faces[1].smoothing, 0xFFFFFFFFu); // too big for the mask: all bits
}

} // namespace
} // namespace zephane
