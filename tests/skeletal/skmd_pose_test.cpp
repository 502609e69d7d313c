#include "skeletal/skmd_pose.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace zephane {
namespace {

// Real vertex counts 10..20 deliver only even counts; bands [10,13], [14,17], [18,20].
SkeletalModel banded_model() {
    SkeletalModel m;
    m.header.minimum_vertex_count = 10;
    m.header.vertex_count = 20;
    for (int v = 10; v <= 20; ++v) m.real_vertex_counts.push_back(static_cast<std::uint16_t>(v & ~1));
    const std::uint16_t bands[3][2] = {{10, 13}, {14, 17}, {18, 20}};
    m.header.lod_count = 3;
    for (int k = 0; k < 3; ++k) {
        m.header.lods[k].lowest = bands[k][0];
        m.header.lods[k].highest = bands[k][1];
    }
    m.blocks.resize(3);
    return m;
}

TEST(SkmdPose, LevelOfDetailSelection) {
    const SkeletalModel m = banded_model();
    struct Case { int requested, entry, delivered; };
    for (const Case c : {Case{3, 0, 10}, Case{10, 0, 10}, Case{13, 0, 12}, Case{15, 1, 14},
                         Case{17, 1, 16}, Case{19, 2, 18}, Case{20, 2, 20}, Case{500, 2, 20}}) {
        const LodSelection s = select_level_of_detail(m, c.requested);
        EXPECT_EQ(s.entry, c.entry) << c.requested;
        EXPECT_EQ(s.delivered, c.delivered) << c.requested;
    }
    // A count no band holds goes to the nearest band's end.
    SkeletalModel gap = banded_model();
    gap.header.lods[1].lowest = 16;
    const LodSelection s = select_level_of_detail(gap, 14);
    EXPECT_EQ(s.entry, 0);
    EXPECT_EQ(s.delivered, 13);
}

TEST(SkmdPose, WorldTransformsComposeParentsFirst) {
    std::vector<skmd_bone> bones(2);
    std::memset(bones.data(), 0, sizeof(skmd_bone) * 2);
    const float half = std::sqrt(0.5f);
    // Root: a quarter turn about Z, at (1, 0, 0). Child: no turn, one unit along X.
    bones[0].parent = -1;
    bones[0].rotation[2] = half;
    bones[0].rotation[3] = half;
    bones[0].position[0] = 1;
    bones[1].parent = 0;
    bones[1].rotation[3] = 1;
    bones[1].position[0] = 1;
    const auto world = bone_world_transforms(bones);
    // The quarter turn takes X to Y (column vectors): the child sits at (1, 1, 0).
    EXPECT_NEAR(world[1].position[0], 1.0f, 1e-6f);
    EXPECT_NEAR(world[1].position[1], 1.0f, 1e-6f);
    EXPECT_NEAR(world[1].rotation[1][0], 1.0f, 1e-6f);
    EXPECT_NEAR(world[1].rotation[0][1], -1.0f, 1e-6f);
}

} // namespace
} // namespace zephane
