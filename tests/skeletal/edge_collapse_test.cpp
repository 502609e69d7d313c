#include "skeletal/edge_collapse.h"
#include "skeletal/collapse_reference.h"
#include "skeletal/skl_builder.h"
#include "skeletal/skl_import.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zephane {
namespace {

void expect_same(const CollapseOrder& a, const CollapseOrder& b) {
    EXPECT_EQ(a.removal, b.removal);
    EXPECT_EQ(a.target, b.target);
    EXPECT_EQ(a.face_death, b.face_death);
    EXPECT_EQ(a.checkpoints, b.checkpoints);
}

// A closed, bumpy sphere-like mesh (a cube's six faces pushed out), with a texture seam on
// one meridian and a fold that makes feature lines.
test::SklText blob(int n, bool seam, bool fold) {
    test::SklText s;
    s.bones = {{-1, "Pelvis"}, {0, "Spine"}};
    std::vector<std::array<double, 3>> points;
    auto index = [&](std::array<double, 3> p) {
        for (std::size_t i = 0; i < points.size(); ++i)
            if (std::fabs(points[i][0] - p[0]) + std::fabs(points[i][1] - p[1]) + std::fabs(points[i][2] - p[2]) < 1e-9)
                return static_cast<int>(i);
        points.push_back(p);
        return static_cast<int>(points.size() - 1);
    };
    const int axes[6][3] = {{0, 1, 2}, {1, 0, 2}, {1, 2, 0}, {2, 1, 0}, {2, 0, 1}, {0, 2, 1}};
    for (int side = 0; side < 6; ++side) {
        const double sign = side % 2 ? -1.0 : 1.0;
        std::vector<int> grid;
        for (int j = 0; j <= n; ++j)
            for (int i = 0; i <= n; ++i) {
                std::array<double, 3> p{};
                p[static_cast<std::size_t>(axes[side][0])] = sign * (2.0 * i / n - 1);
                p[static_cast<std::size_t>(axes[side][1])] = 2.0 * j / n - 1;
                p[static_cast<std::size_t>(axes[side][2])] = sign;
                grid.push_back(index(p));
            }
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                const int a = grid[static_cast<std::size_t>(j * (n + 1) + i)], b = grid[static_cast<std::size_t>(j * (n + 1) + i + 1)];
                const int c = grid[static_cast<std::size_t>((j + 1) * (n + 1) + i + 1)], d = grid[static_cast<std::size_t>((j + 1) * (n + 1) + i)];
                const double u = seam && side == 0 ? 0.5 : 0.0;
                s.faces.push_back({{a, b, c}, {{u + 0.1 * i, 0.1 * j}, {u + 0.1 * i + 0.1, 0.1 * j}, {u + 0.1 * i + 0.1, 0.1 * j + 0.1}}});
                s.faces.push_back({{a, c, d}, {{u + 0.1 * i, 0.1 * j}, {u + 0.1 * i + 0.1, 0.1 * j + 0.1}, {u + 0.1 * i, 0.1 * j + 0.1}}});
            }
    }
    for (const auto& p : points) {
        const double r = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        double k = (1.5 + 0.2 * std::sin(3 * p[0] + 2 * p[1])) / r;
        if (fold && p[2] > 0.99) k = 0.2 / r; // the top pressed in: sharp folds round it
        if (p[0] > 0)
            s.vertices.push_back({{{0, 0.7, p[0] * k, p[1] * k, p[2] * k}, {1, 0.3, p[0] * k, p[1] * k, p[2] * k}}});
        else
            s.vertices.push_back({{{0, 1.0, p[0] * k, p[1] * k, p[2] * k}}});
    }
    return s;
}

TEST(EdgeCollapse, IncrementalOrderEqualsThePlainScan) {
    std::vector<test::SklText> meshes = {test::grid_skl(7), test::grid_skl(9, true), blob(4, false, false),
                                         blob(5, true, false), blob(5, true, true)};
    // A grid with a seam down the middle.
    test::SklText cut = test::grid_skl(8);
    for (auto& f : cut.faces)
        if (cut.vertices[static_cast<std::size_t>(f.v[0])].influences[0].x >= 4.0)
            for (auto& uv : f.uv) uv[1] += 0.25;
    meshes.push_back(cut);
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        SCOPED_TRACE(i);
        const auto bytes = meshes[i].bytes();
        const SklFile file = read_skeleton_export(bytes);
        const ModelBuild fast = build_skeletal_model(file, "m");
        const ModelBuild plain = build_skeletal_model(file, "m", test::reference_collapse_order);
        ASSERT_TRUE(fast.model && plain.model);
        SkeletalModelSet a, b;
        a.models.push_back(*fast.model);
        b.models.push_back(*plain.model);
        EXPECT_EQ(save_skmd_payload(a), save_skmd_payload(b));
        EXPECT_GT(fast.model->header.vertex_count, fast.model->header.minimum_vertex_count);
    }
}

TEST(EdgeCollapse, CornersStayAndSeamCopiesGoTogether) {
    // Two squares (two triangles each) sharing an edge, the second folded fully back onto
    // the first: the shared edge is sharp, so its ends are corners with the outer boundary.
    CollapseMesh mesh;
    mesh.vertices = {{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {1, 1, 0, 1, 1}, {0, 1, 0, 0, 1},
                     {0, 0, 0, 0.5, 0.5}}; // 4: a seam copy of 0
    mesh.faces = {{4, 1, 2}, {0, 2, 3}};
    const CollapseOrder order = collapse_order(mesh);
    expect_same(order, test::reference_collapse_order(mesh));
    // 0 and its copy 4 are removed in the same round, one after the other.
    const auto at0 = std::find(order.removal.begin(), order.removal.end(), 0);
    const auto at4 = std::find(order.removal.begin(), order.removal.end(), 4);
    ASSERT_NE(at0, order.removal.end());
    ASSERT_NE(at4, order.removal.end());
    EXPECT_EQ(std::abs(at0 - at4), 1);
    // Every face dies at some point: an open square folds away completely.
    for (const int d : order.face_death) EXPECT_GE(d, 1);
}

TEST(EdgeCollapse, FlatCentreGoesFirstOntoItsFirstTarget) {
    // A unit square fanned around its centre (vertex 4). The centre is interior and costs 0
    // onto every corner, so it goes first, onto the first target its faces name (0); the
    // corners lie on feature lines and cost 40 × (√2 + √2 − 2) each.
    CollapseMesh mesh;
    mesh.vertices = {{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {1, 1, 0, 1, 1}, {0, 1, 0, 0, 1}, {0.5f, 0.5f, 0, 0.5f, 0.5f}};
    mesh.faces = {{0, 1, 4}, {1, 2, 4}, {2, 3, 4}, {3, 0, 4}};
    const CollapseOrder order = collapse_order(mesh);
    expect_same(order, test::reference_collapse_order(mesh));
    ASSERT_GE(order.removal.size(), 2u);
    EXPECT_EQ(order.removal[0], 4);
    EXPECT_EQ(order.target[4], 0);
    EXPECT_EQ(order.face_death[0], 1); // (0, 1, 0) and (3, 0, 0) die in the next round
    EXPECT_EQ(order.face_death[3], 1);
    EXPECT_GT(order.face_death[1], 1);
    // Every round ends in a whole mesh: the checkpoints are the removal counts after rounds.
    EXPECT_EQ(order.checkpoints.front(), 0);
    EXPECT_EQ(order.checkpoints[1], 1);
}

} // namespace
} // namespace zephane
