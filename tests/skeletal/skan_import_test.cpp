#include "skeletal/skan_import.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "skeletal/skl_builder.h"

namespace zephane {
namespace {

using test::SklText;
using test::SklTextPose;

SklTextPose at(double x, double y, double z, double yaw_degrees = 0) {
    return test::skl_pose_at(x, y, z, yaw_degrees);
}

// The origin walks (3, 4, 0) and turns 175°, then turns on to 185° (−175°): 350° the long way.
// Pelvis and spine ride one and two units above it.
SklFile walking_file(std::size_t frames = 3) {
    SklText s;
    s.bones = {{-1, "tag_origin_standard"}, {0, "Pelvis"}, {1, "Spine"}};
    const double path[3][4] = {{0, 0, 0, 0}, {3, 4, 0, 175}, {3, 4, 0, -175}};
    for (std::size_t f = 0; f < frames; ++f) {
        const double* o = path[f];
        s.frames.push_back({at(o[0], o[1], o[2], o[3]), at(o[0], o[1], o[2] + 1, o[3]), at(o[0], o[1], o[2] + 2, o[3])});
    }
    return read_skeleton_export(s.bytes());
}

std::int32_t motion_of(double distance, double degrees) {
    return static_cast<std::int32_t>(std::round((distance + degrees * 182.0444 / 65536.0) * 65536.0));
}

std::int16_t q(double v) { return static_cast<std::int16_t>(std::round(v * 32767.0)); }

TEST(SkanHierarchy, LeavesOutTheOriginBoneAndRootsItsChildrenOnIt) {
    const SklFile file = walking_file();
    EXPECT_EQ(default_origin_bone(file), 0);
    const auto bones = build_skan_hierarchy(file, 0);
    ASSERT_EQ(bones.size(), 2u);
    EXPECT_STREQ(bones[0].name, "Pelvis");
    EXPECT_EQ(bones[0].parent, -1);
    EXPECT_STREQ(bones[1].name, "Spine");
    EXPECT_EQ(bones[1].parent, 0);
    for (const auto& b : bones) {
        EXPECT_FLOAT_EQ(b.position[2], 1.0f);
        EXPECT_FLOAT_EQ(b.rotation[3], 1.0f);
    }

    const auto all = build_skan_hierarchy(file, -1);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[1].parent, 0);
    EXPECT_FLOAT_EQ(all[0].position[2], 0.0f);

    // A root is placed relative to the origin's first pose: turned 90° and moved.
    SklText turned;
    turned.bones = {{-1, "base"}, {-1, "Hip"}, {1, ""}};
    turned.frames = {{at(1, 2, 0, 90), at(1, 3, 0, 90), at(1, 3, 1, 90)}};
    const SklFile t = read_skeleton_export(turned.bytes());
    EXPECT_EQ(default_origin_bone(t), -1);
    EXPECT_EQ(origin_bone_choices(t), (std::vector<std::string>{"base", "Hip", "(unnamed bone)"}));
    const auto hip = build_skan_hierarchy(t, 0);
    EXPECT_NEAR(hip[0].position[0], 1.0f, 1e-6);
    EXPECT_NEAR(hip[0].position[1], 0.0f, 1e-6);
    EXPECT_NEAR(hip[0].rotation[3], 1.0f, 1e-6);
}

TEST(SkanAnimationImport, RelativeMotionRecordsDistanceAndTheShortYawChange) {
    const SklFile file = walking_file();
    const auto bones = build_skan_hierarchy(file, 0);
    AnimationImportOptions options;
    options.origin_bone = 0;
    const SkanAnimation a = import_skan_animation(file, bones, options, "walk");
    EXPECT_STREQ(a.header.name, "walk");
    ASSERT_EQ(a.frames.size(), 3u);
    EXPECT_EQ(a.header.frame_count, 3);
    EXPECT_EQ(a.header.flags, 0);
    EXPECT_EQ(a.header.frames_per_second, 30 * 256);
    EXPECT_EQ(a.header.fade_in, 0.125f);
    EXPECT_EQ(a.header.interrupt_fade, 0.5f);
    EXPECT_EQ(a.header.fade_out, 0.125f);
    EXPECT_EQ(a.header.position_exponent, 14); // largest position 1: 16384
    EXPECT_EQ(a.frames[0].record.motion, 0);
    EXPECT_EQ(a.frames[1].record.motion, motion_of(5, 175));
    EXPECT_EQ(a.frames[2].record.motion, motion_of(0, 10)); // 350° counts as 10°
    for (const SkanFrame& f : a.frames) {
        EXPECT_EQ(f.record.action, 0);
        EXPECT_EQ(skan_action_bone(f.record), -1);
        EXPECT_EQ(f.record.action_tag, 0xFFFFFFFFu);
        ASSERT_EQ(f.poses.size(), 2u);
        for (const skan_bone_pose& p : f.poses) {
            const std::int16_t expected[7] = {0, 0, 16384, 0, 0, 0, 32767};
            EXPECT_TRUE(std::equal(p.position, p.position + 3, expected));
            EXPECT_TRUE(std::equal(p.rotation, p.rotation + 4, expected + 3));
        }
    }
}

TEST(SkanAnimationImport, AbsoluteAndZeroModesKeepOrDropTheMotion) {
    const SklFile file = walking_file();
    const auto bones = build_skan_hierarchy(file, 0);
    AnimationImportOptions options;
    options.origin_bone = 0;
    options.yaw = YawMotion::absolute;
    options.axes[0] = AxisMotion::absolute;
    SkanAnimation a = import_skan_animation(file, bones, options, "a");
    // X stays in the poses, the yaw too; only Y is recorded.
    EXPECT_EQ(a.frames[1].record.motion, motion_of(4, 0));
    EXPECT_EQ(a.frames[2].record.motion, 0);
    EXPECT_EQ(a.header.position_exponent, 13); // largest position 3
    const skan_bone_pose& pelvis = a.frames[1].poses[0];
    EXPECT_EQ(pelvis.position[0], 3 * 8192);
    EXPECT_EQ(pelvis.position[1], 0);
    EXPECT_EQ(pelvis.position[2], 8192);
    const double half = 175.0 * std::numbers::pi / 360.0;
    EXPECT_EQ(pelvis.rotation[2], q(std::sin(half)));
    EXPECT_EQ(pelvis.rotation[3], q(std::cos(half)));
    EXPECT_EQ(a.frames[1].poses[1].rotation[3], 32767); // the spine turns with its parent

    options.axes[0] = AxisMotion::relative;
    options.axes[1] = AxisMotion::zero;
    a = import_skan_animation(file, bones, options, "a");
    EXPECT_EQ(a.frames[1].record.motion, motion_of(3, 0));
    EXPECT_EQ(a.frames[1].poses[0].position[1], 0); // subtracted all the same

    // Without an origin bone nothing moves the origin: no motion, poses in world space.
    a = import_skan_animation(file, bones, AnimationImportOptions{}, "a");
    for (const SkanFrame& f : a.frames) EXPECT_EQ(f.record.motion, 0);
    EXPECT_EQ(a.header.position_exponent, 12); // largest position 4
    EXPECT_EQ(a.frames[1].poses[0].position[0], 3 * 4096);
    EXPECT_EQ(a.frames[1].poses[0].position[1], 4 * 4096);
}

TEST(SkanAnimationImport, LoopableDropsTheRepeatedLastFrameButKeepsASingleOne) {
    AnimationImportOptions options;
    options.loopable = true;
    const SklFile three = walking_file(3);
    const SkanAnimation a = import_skan_animation(three, build_skan_hierarchy(three, 0), options, "loop");
    EXPECT_EQ(a.frames.size(), 2u);
    EXPECT_EQ(a.header.flags, kSkanLoopable);
    const SklFile one = walking_file(1);
    EXPECT_EQ(import_skan_animation(one, build_skan_hierarchy(one, 0), options, "one").frames.size(), 1u);
}

TEST(SkanAnimationImport, BonesTheFileLacksKeepTheirRestPose) {
    const SklFile file = walking_file();
    auto bones = build_skan_hierarchy(file, 0);
    skan_bone_base extra{};
    set_skan_name(extra.name, "Tail");
    extra.parent = 0;
    extra.position[0] = 0.5f;
    extra.rotation[3] = 1;
    bones.push_back(extra);
    AnimationImportOptions options;
    options.origin_bone = 0;
    const SkanAnimation a = import_skan_animation(file, bones, options, "a");
    EXPECT_EQ(a.frames[2].poses[2].position[0], 8192);
    EXPECT_EQ(a.frames[2].poses[2].rotation[3], 32767);
}

TEST(SkanHierarchy, ChangingItKeepsPosesByBoneName) {
    const SklFile file = walking_file();
    SkeletalAnimationSet set;
    set.bones = build_skan_hierarchy(file, 0);
    AnimationImportOptions options;
    options.origin_bone = 0;
    set.animations.push_back(import_skan_animation(file, set.bones, options, "walk"));
    const skan_bone_pose spine = set.animations[0].frames[1].poses[1];

    std::vector<skan_bone_base> changed = {set.bones[1]};
    skan_bone_base neck{};
    set_skan_name(neck.name, "Neck");
    neck.parent = 0;
    neck.position[2] = 0.25f;
    neck.rotation[3] = 1;
    changed.push_back(neck);
    set_skan_hierarchy(set, changed);
    ASSERT_EQ(set.bones.size(), 2u);
    const SkanFrame& f = set.animations[0].frames[1];
    ASSERT_EQ(f.poses.size(), 2u);
    EXPECT_EQ(std::memcmp(&f.poses[0], &spine, sizeof spine), 0);
    EXPECT_EQ(f.poses[1].position[2], 4096); // 0.25 × 2^14
    EXPECT_NO_THROW(save_skan_payload(set));
}

TEST(SkanAnimationImport, NamesComeFromTheFileName) {
    EXPECT_EQ(animation_name_for("/data/run_fast.skl"), "run_fast");
    EXPECT_EQ(animation_name_for(std::string(70, 'x') + ".skl"), std::string(63, 'x'));
}

} // namespace
} // namespace zephane
