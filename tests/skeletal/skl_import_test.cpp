#include "skeletal/skl_import.h"
#include "skeletal/skl_builder.h"
#include "skeletal/skmd_pose.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace zephane {
namespace {

SkeletalModel build(const test::SklText& text, const std::string& name = "grid") {
    const auto bytes = text.bytes();
    ModelBuild b = build_skeletal_model(read_skeleton_export(bytes), name);
    EXPECT_TRUE(b.model) << b.refusal;
    return b.model ? *b.model : SkeletalModel{};
}

// Draws the model at every requested count and checks what comes out.
void expect_valid_at_every_count(const SkeletalModel& m) {
    const int lo = m.header.minimum_vertex_count, hi = m.header.vertex_count;
    for (int request = lo - 2; request <= hi + 2; ++request) {
        const LodSelection s = select_level_of_detail(m, request);
        ASSERT_GE(s.entry, 0);
        const SkmdLodBlock& b = m.blocks[static_cast<std::size_t>(s.entry)];
        const skmd_lod_entry& band = m.header.lods[s.entry];
        const int c = s.delivered;
        ASSERT_LE(c, std::clamp(request, lo, hi)) << "never more than asked";
        for (std::size_t t = 0; t < b.min_vertices_for_tri.size(); ++t) {
            if (b.min_vertices_for_tri[t] > c) continue;
            std::set<int> seen;
            for (int k = 0; k < 3; ++k) {
                int v = b.triangles[3 * t + static_cast<std::size_t>(k)];
                ASSERT_LT(v, band.highest);
                while (v >= c) v = b.edge_collapse[static_cast<std::size_t>(v - band.lowest)];
                seen.insert(v);
            }
            ASSERT_EQ(seen.size(), 3u) << "triangle " << t << " at " << c << " vertices";
        }
    }
}

TEST(SkeletalImport, GridLevelsOfDetailAreWholeAtEveryCount) {
    const test::SklText text = test::grid_skl(8, true);
    const SkeletalModel m = build(text);
    const skmd_model_header& h = m.header;
    EXPECT_STREQ(h.name, "grid");
    ASSERT_EQ(h.vertex_count, 81);
    EXPECT_LT(h.minimum_vertex_count, 81);
    EXPECT_EQ(h.vertex_limit, h.minimum_vertex_count);
    EXPECT_EQ(m.real_vertex_counts.size(), std::size_t{81} - h.minimum_vertex_count + 1u);
    EXPECT_EQ(m.real_vertex_counts.back(), 81);
    for (std::size_t i = 0; i < m.real_vertex_counts.size(); ++i)
        EXPECT_LE(m.real_vertex_counts[i], h.minimum_vertex_count + i);
    expect_valid_at_every_count(m);

    // Bands: (81 - minimum) / 50 + 1 of them, joined end to end, then the full-detail block.
    const int range = 81 - h.minimum_vertex_count;
    const int bands = std::min(range / 50 + 1, 11);
    ASSERT_EQ(h.lod_count, bands + 1);
    EXPECT_EQ(h.lods[0].lowest, h.minimum_vertex_count);
    for (int k = 1; k < bands; ++k) EXPECT_EQ(h.lods[k].lowest, h.lods[k - 1].highest);
    EXPECT_EQ(h.lods[bands].lowest, 81);
    EXPECT_EQ(h.lods[bands].highest, 81);
    const SkmdLodBlock& full = m.blocks.back();
    EXPECT_EQ(full.header.flags, 1);
    EXPECT_EQ(m.blocks[0].header.flags, 0);
    EXPECT_EQ(full.min_vertices_for_tri.size(), text.faces.size());

    // The full-detail block gives back the file's positions, and its triangles the file's
    // faces in the file's order, winding kept.
    const auto p = rest_positions(m, full, 81);
    std::vector<std::array<int, 9>> wanted, got;
    const auto key = [](auto a, auto b, auto c) {
        return std::array<int, 9>{int(std::lround(a[0] * 100)), int(std::lround(a[1] * 100)), int(std::lround(a[2] * 100)),
                                  int(std::lround(b[0] * 100)), int(std::lround(b[1] * 100)), int(std::lround(b[2] * 100)),
                                  int(std::lround(c[0] * 100)), int(std::lround(c[1] * 100)), int(std::lround(c[2] * 100))};
    };
    const auto file_point = [&](int v) {
        const auto& in = text.vertices[static_cast<std::size_t>(v)].influences[0];
        return std::array<double, 3>{in.x, in.y, in.z};
    };
    for (const auto& f : text.faces) wanted.push_back(key(file_point(f.v[0]), file_point(f.v[1]), file_point(f.v[2])));
    for (std::size_t t = 0; t < full.min_vertices_for_tri.size(); ++t)
        got.push_back(key(p[full.triangles[3 * t]], p[full.triangles[3 * t + 1]], p[full.triangles[3 * t + 2]]));
    EXPECT_EQ(got, wanted);

    // Weight references name positions only, quadverts are grouped by bone in fours.
    std::size_t total = 0;
    for (const auto n : full.weights_per_bone) {
        EXPECT_EQ(n % 4, 0);
        total += n;
    }
    EXPECT_EQ(total, full.quadverts.size());
    // 81 positions on the first bone padded to 84, 36 on the second.
    EXPECT_EQ(full.weights_per_bone, (std::vector<std::uint16_t>{84, 36}));
    EXPECT_EQ(full.quadverts[81].w, 0.0f);

    for (const auto r : full.weight_refs) EXPECT_NE(full.quadverts[r].w, 0.0f);
    // The right half (x from 5 to 8, nine rows) has two bones.
    EXPECT_EQ(std::count(full.weight_ref_counts.begin(), full.weight_ref_counts.end(), 2), 36);

    // What the payload keeps of it reads back equal.
    SkeletalModelSet set;
    set.models.push_back(m);
    const auto bytes = save_skmd_payload(set);
    EXPECT_EQ(save_skmd_payload(load_whole_skmd_payload(bytes)), bytes);
}

TEST(SkeletalImport, DefaultsShadowCylindersAndWeights) {
    test::SklText text = test::grid_skl(4, true);
    text.bones.push_back({0, "r_hand_tag"});
    text.bones.push_back({1, "Head"}); // no vertex: no box, no cylinder
    for (auto& v : text.vertices) {
        v.influences.push_back({2, 0.3, 9, 9, 9});   // a tag bone: ignored
        v.influences.push_back({0, 0.02, 0, 0, 40}); // pruned below 0.025 after normalising
    }
    text.frames = {{{}, {}, {}, {}}};
    text.frames[0][1].offset[2] = 2; // LeftForearm sits 2 above its parent
    const SkeletalModel m = build(text, "a_model_name_longer_than_thirty_one");
    EXPECT_STREQ(m.header.name, "a_model_name_longer_than_thirty");
    EXPECT_EQ(m.header.texture_stack, 0xFFFFFFFFu);
    EXPECT_EQ(m.header.scale, 1.0f);
    ASSERT_EQ(m.bones.size(), 4u);
    EXPECT_EQ(m.bones[0].flags, 12u);          // Pelvis: no cylinder
    EXPECT_EQ(m.bones[2].flags, 12u);          // the tag bone
    EXPECT_EQ(m.bones[3].flags, 12u);          // Head without vertices
    EXPECT_EQ(m.bones[1].flags & 16u, 16u);    // LeftForearm gets one
    EXPECT_NE((m.bones[1].flags >> 2) & 3u, 3u);
    EXPECT_EQ(m.bones[1].attached_box[0], 3.0f); // the right half: x from 3 to 4
    EXPECT_EQ(m.bones[1].attached_box[1], 4.0f);
    EXPECT_EQ(m.bones[2].attached_box[1], 0.0f);
    EXPECT_EQ(m.bones[1].parent, 0);
    EXPECT_EQ(m.bones[1].position[2], 2.0f);
    EXPECT_EQ(m.bones[1].attached, 0xFFFFFFFFu);
    EXPECT_EQ(m.bones[1].value114, -1);
    EXPECT_EQ(m.bones[1].rotation[3], 1.0f);
    EXPECT_EQ(m.bones[1].import100[3], 1);

    // The far corner (4, 4) is half on the raised bone: x, y reach 4·√2 ... and z reaches 2.4 / 2
    // from the bone's height. Radius and top height are in 1/512, truncated.
    const auto p = rest_positions(m, m.blocks.back(), m.header.vertex_count);
    double radius = 0, top = -1e9;
    for (const auto& q : p) {
        radius = std::max(radius, std::sqrt(double{q[0]} * q[0] + double{q[1]} * q[1]));
        top = std::max(top, double{q[2]});
    }
    EXPECT_EQ(m.header.collision_size[0], static_cast<int>(radius * 512));
    EXPECT_EQ(m.header.collision_size[1], 0);
    EXPECT_EQ(m.header.collision_size[2], static_cast<int>(top * 512));
    EXPECT_GT(top, 1.0); // the bone's offset took part
    EXPECT_LT(top, 40.0); // the pruned weight did not
    EXPECT_EQ(m.header.click_size[0], m.header.collision_size[0]);
    EXPECT_EQ(m.header.highlight_size[2], m.header.collision_size[2]);
    expect_valid_at_every_count(m);
}

// Four vertices with every face of a tetrahedron in both windings: each edge carries four
// faces, so every vertex is a corner and nothing collapses.
test::SklText doubled_tetrahedron(int loose_vertices) {
    test::SklText s;
    s.bones = {{-1, "root"}};
    const double p[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (const auto& q : p) s.vertices.push_back({{{0, 1.0, q[0], q[1], q[2]}}});
    for (int i = 0; i < loose_vertices; ++i) s.vertices.push_back({{{0, 1.0, 5.0 + i, 0, 0}}});
    const int tris[4][3] = {{0, 1, 2}, {0, 1, 3}, {0, 2, 3}, {1, 2, 3}};
    for (const auto& t : tris) {
        s.faces.push_back({{t[0], t[1], t[2]}, {{0, 0}, {0, 0}, {0, 0}}});
        s.faces.push_back({{t[0], t[2], t[1]}, {{0, 0}, {0, 0}, {0, 0}}});
    }
    return s;
}

TEST(SkeletalImport, BandsForRangesAboveTheMinimum) {
    const SkeletalModel same = build(doubled_tetrahedron(0));
    EXPECT_EQ(same.header.minimum_vertex_count, 4);
    EXPECT_EQ(same.header.vertex_count, 4);
    ASSERT_EQ(same.header.lod_count, 2);
    EXPECT_EQ(same.header.lods[0].lowest, 4);
    EXPECT_EQ(same.header.lods[0].highest, 4);
    EXPECT_EQ(same.real_vertex_counts, (std::vector<std::uint16_t>{4}));
    EXPECT_EQ(same.blocks[0].min_vertices_for_tri.size(), 8u);
    expect_valid_at_every_count(same);

    for (const int loose : {49, 50, 549, 600}) {
        const SkeletalModel m = build(doubled_tetrahedron(loose));
        EXPECT_EQ(m.header.minimum_vertex_count, 4) << loose;
        const int bands = std::min(loose / 50 + 1, 11);
        ASSERT_EQ(m.header.lod_count, bands + 1) << loose;
        EXPECT_EQ(m.header.lods[bands - 1].highest, 4 + loose);
        // A band's high is the table's count at minimum + (k + 1) × range ÷ n.
        EXPECT_EQ(m.header.lods[0].highest, 4 + loose / bands);
        // The last entry's block size is at bytes 360-363 of the model header, little-endian.
        SkeletalModelSet set;
        set.models.push_back(m);
        const auto bytes = save_skmd_payload(set);
        const SkeletalModel back = load_whole_skmd_payload(bytes).models[0];
        EXPECT_GT(back.header.lods[bands].size, 36);
        if (bands == 11) {
            const std::size_t at = 272 + 360;
            const std::uint32_t le = bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t{bytes[at + 3]} << 24;
            EXPECT_EQ(static_cast<std::int32_t>(le), back.header.lods[11].size);
        }
    }
}

TEST(SkeletalImport, SeamsSplitVerticesAndCollapseTogether) {
    // A grid whose texture is cut along x = 2: the vertices there get a copy each.
    test::SklText text = test::grid_skl(4);
    for (auto& f : text.faces) {
        bool right = false;
        for (int c = 0; c < 3; ++c)
            if (text.vertices[static_cast<std::size_t>(f.v[c])].influences[0].x > 2.0) right = true;
        if (right)
            for (auto& uv : f.uv) uv[0] += 0.5;
    }
    const SkeletalModel m = build(text);
    EXPECT_EQ(m.header.vertex_count, 25 + 5);
    expect_valid_at_every_count(m);
    const auto& full = m.blocks.back();
    const auto p = rest_positions(m, full, m.header.vertex_count);
    // Every vertex at x = 2 appears twice with u 0.5 apart.
    int copies = 0;
    for (std::size_t a = 0; a < p.size(); ++a)
        for (std::size_t b = a + 1; b < p.size(); ++b)
            if (p[a] == p[b]) {
                ++copies;
                EXPECT_NEAR(std::fabs(m.uv[2 * a] - m.uv[2 * b]), 0.5, 1e-6);
            }
    EXPECT_EQ(copies, 5);
}

TEST(SkeletalImport, RefusesABlockPastTheQuadvertLimit) {
    // 2,700 faceless vertices on three bones: 8,100 positions, past 8,000.
    test::SklText s;
    s.bones = {{-1, "a"}, {0, "b"}, {0, "c"}};
    for (int i = 0; i < 2700; ++i)
        s.vertices.push_back({{{0, 0.4, double(i), 0, 0}, {1, 0.3, 0, double(i), 0}, {2, 0.3, 0, 0, double(i)}}});
    const auto bytes = s.bytes();
    const ModelBuild b = build_skeletal_model(read_skeleton_export(bytes), "big");
    EXPECT_FALSE(b.model);
    EXPECT_NE(b.refusal.find("8000 quadverts"), std::string::npos) << b.refusal;
}

TEST(SkeletalImport, VersionOneFilesBuildTheSameModel) {
    // Normals and smoothing masks are read but not stored: the same mesh in version 1 (with
    // normals) and version 2 (mask 1) gives the same payload.
    test::SklText two = test::grid_skl(5, true);
    test::SklText one = two;
    one.version = 1;
    for (auto& v : one.vertices) v.nz = -1;
    SkeletalModelSet a, b;
    a.models.push_back(build(one));
    b.models.push_back(build(two));
    EXPECT_EQ(save_skmd_payload(a), save_skmd_payload(b));
    EXPECT_EQ(a.models[0].header.vertex_count, 36);
}

} // namespace
} // namespace zephane
