#include "skeletal/collision_build.h"
#include "skeletal/box_tree_depth.h"
#include "skeletal/skl_builder.h"
#include "skeletal/skl_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zephane {
namespace {

SkeletalModel model_of(const test::SklText& text) {
    const auto bytes = text.bytes();
    return *build_skeletal_model(read_skeleton_export(bytes), "m").model;
}

test::SklText triangles_at(const std::vector<std::array<double, 9>>& tris) {
    test::SklText s;
    s.bones = {{-1, "root"}};
    for (const auto& t : tris) {
        const int first = static_cast<int>(s.vertices.size());
        for (int c = 0; c < 3; ++c) s.vertices.push_back({{{0, 1.0, t[3 * c], t[3 * c + 1], t[3 * c + 2]}}});
        s.faces.push_back({{first, first + 1, first + 2}, {{0, 0}, {1, 0}, {0, 1}}});
    }
    return s;
}

TEST(CollisionBuild, TreeOverTheFullDetailTriangles) {
    SkeletalModel m = model_of(test::grid_skl(8));
    m.header.scale = 0.5f;
    std::string refusal;
    ASSERT_TRUE(build_collision(m, refusal)) << refusal;
    ASSERT_FALSE(m.boxes.empty());
    EXPECT_EQ(m.collision_triangles.size(), 128u);
    // The root holds the scaled model: x and y from 0 to 4 (× 512).
    EXPECT_EQ(m.boxes[0].minimum[0], 0);
    EXPECT_EQ(m.boxes[0].maximum[0], 2048);
    EXPECT_EQ(m.boxes[0].maximum[1], 2048);
    // Leaves hand out the triangles in order, once each; children follow their parent.
    std::size_t next = 0;
    std::vector<std::size_t> stack = {0};
    std::vector<std::size_t> leaves;
    for (std::size_t b = 0; b < m.boxes.size(); ++b) {
        const auto& box = m.boxes[b];
        if (box.child_count == 0) {
            EXPECT_EQ(box.first_child, -1);
            EXPECT_GE(box.triangle_count, 1);
        } else {
            EXPECT_EQ(box.child_count, 2);
            EXPECT_GT(static_cast<std::size_t>(box.first_child), b);
            EXPECT_EQ(box.first_triangle, -1);
            EXPECT_EQ(box.triangle_count, 0);
            for (int c = 0; c < 2; ++c) {
                const auto& child = m.boxes[static_cast<std::size_t>(box.first_child + c)];
                for (int k = 0; k < 3; ++k) {
                    EXPECT_GE(child.minimum[k], box.minimum[k]);
                    EXPECT_LE(child.maximum[k], box.maximum[k]);
                }
            }
        }
    }
    // Depth-first: the leaves in tree order take consecutive triangles.
    while (!stack.empty()) {
        const auto& box = m.boxes[stack.back()];
        stack.pop_back();
        if (box.child_count == 0) {
            EXPECT_EQ(static_cast<std::size_t>(box.first_triangle), next);
            next += static_cast<std::size_t>(box.triangle_count);
        } else {
            stack.push_back(static_cast<std::size_t>(box.first_child + 1));
            stack.push_back(static_cast<std::size_t>(box.first_child));
        }
    }
    EXPECT_EQ(next, 128u);
    const BoxTreeDepth d = box_tree_depth(m.boxes);
    EXPECT_GE(d.minimum, 2);

    delete_collision(m);
    EXPECT_TRUE(m.boxes.empty());
    EXPECT_TRUE(m.collision_triangles.empty());
}

TEST(CollisionBuild, SplitsFarClustersAndPlanesStandOnTheEdges) {
    // Two pairs of triangles four units apart. Splitting by x gives 2 + 2, and so does the
    // later plane between the heights 0 and 0.5, whose flat sides have no volume: the later
    // of equal splits wins.
    SkeletalModel m = model_of(triangles_at({{0, 0, 0, 1, 0, 0, 0, 1, 0},
                                             {0, 0, 0.5, 1, 0, 0.5, 0, 1, 0.5},
                                             {4, 0, 0, 5, 0, 0, 4, 1, 0},
                                             {4, 0, 0.5, 5, 0, 0.5, 4, 1, 0.5}}));
    std::string refusal;
    ASSERT_TRUE(build_collision(m, refusal));
    ASSERT_EQ(m.boxes.size(), 3u);
    EXPECT_EQ(m.boxes[0].first_child, 1);
    EXPECT_EQ(m.boxes[0].maximum[0], 2560);
    EXPECT_EQ(m.boxes[1].triangle_count, 2);
    EXPECT_EQ(m.boxes[1].maximum[2], 0);
    EXPECT_EQ(m.boxes[2].minimum[2], 256);
    EXPECT_EQ(m.boxes[2].first_triangle, 2);
    EXPECT_EQ(box_tree_depth(m.boxes).maximum, 2);

    // Triangle (0,0,0) (1,0,0) (0,1,0): its plane is +z; the edge planes point inwards and
    // pass through their edges.
    const auto& tris = m.collision_triangles;
    const auto t = std::find_if(tris.begin(), tris.end(), [](const skmd_collision_triangle& c) {
        return c.offsets[0] == 0 && c.offsets[2] == 11585 * 512;
    });
    ASSERT_NE(t, tris.end());
    EXPECT_EQ(t->normals[0][2], 16384);
    EXPECT_EQ(t->normals[1][1], 16384); // the edge along x: normal +y through y = 0
    EXPECT_EQ(t->offsets[1], 0);
    EXPECT_EQ(t->normals[2][0], -11585); // the slanted edge x + y = 1
    EXPECT_EQ(t->normals[2][1], -11585);
    EXPECT_EQ(t->normals[3][0], 16384);
    EXPECT_EQ(t->offsets[3], 0);
    // At height 0.5 the own plane's offset is −16384 × 0.5 × 512.
    EXPECT_EQ(std::count_if(tris.begin(), tris.end(),
                            [](const skmd_collision_triangle& c) { return c.offsets[0] == -16384 * 256; }),
              2);
    // Far from the origin, the slanted edge's plane still passes through it: x + y = 5.
    EXPECT_EQ(std::count_if(tris.begin(), tris.end(),
                            [](const skmd_collision_triangle& c) { return c.offsets[2] == 5 * 11585 * 512; }),
              2);
}

TEST(CollisionBuild, TrianglesWithoutAreaGetAPlaneThroughTheLongestEdge) {
    // Collinear corners along x: plane 0 holds the x axis; no value is NaN or a division by 0.
    const skmd_collision_triangle line = make_collision_triangle({{{0, 0, 0}, {2, 0, 0}, {1, 0, 0}}});
    EXPECT_EQ(line.normals[0][0], 0);
    EXPECT_EQ(std::abs(line.normals[0][1]) + std::abs(line.normals[0][2]), 16384);
    EXPECT_EQ(line.offsets[0], 0);
    const skmd_collision_triangle point = make_collision_triangle({{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}});
    EXPECT_EQ(point.normals[0][2], 16384);
    EXPECT_EQ(point.offsets[0], -16384 * 512);
    for (int p = 1; p < 4; ++p) EXPECT_EQ(point.offsets[p], 0);
}

} // namespace
} // namespace zephane
