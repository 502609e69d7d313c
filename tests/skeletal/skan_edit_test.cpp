#include "skeletal/skan_edit.h"

#include <gtest/gtest.h>

namespace zephane {
namespace {

SkanAnimation named(const char* name, std::initializer_list<std::int32_t> motions = {}) {
    SkanAnimation a;
    set_skan_name(a.header.name, name);
    for (std::int32_t m : motions) {
        SkanFrame f;
        f.record.motion = m;
        a.frames.push_back(f);
    }
    return a;
}

TEST(SkanEdit, DeletingAnAnimationDropsItsEntriesAndRenumbersLaterOnes) {
    SkeletalAnimationSet set;
    set.animations = {named("walk"), named("run"), named("idle")};
    SkanState moving = new_skan_state();
    EXPECT_STREQ(moving.header.name, "Unnamed State");
    moving.entries = {{0, 3}, {1, 5}, {2, 7}, {1, 9}};
    SkanState resting = new_skan_state();
    moving.header.total_probability = 24;
    resting.entries = {{2, 1}};
    resting.header.total_probability = 77; // not named by the deleted animation: kept as read
    set.states = {moving, resting};

    ASSERT_TRUE(delete_skan_animation(set, 1));
    ASSERT_EQ(set.animations.size(), 2u);
    EXPECT_STREQ(set.animations[1].header.name, "idle");
    ASSERT_EQ(set.states[0].entries.size(), 2u);
    EXPECT_EQ(set.states[0].entries[0].animation, 0);
    EXPECT_EQ(set.states[0].entries[1].animation, 1);
    EXPECT_EQ(set.states[0].entries[1].probability, 7);
    EXPECT_EQ(set.states[0].header.total_probability, 10u);
    EXPECT_EQ(set.states[1].entries[0].animation, 1);
    EXPECT_EQ(set.states[1].header.total_probability, 77u);
    EXPECT_FALSE(delete_skan_animation(set, 2));
}

TEST(SkanEdit, StateEntriesAreAddedOnceAndRemovedEverywhere) {
    SkanState state = new_skan_state();
    skan_state_entry* first = add_skan_state_entry(state, 4, 10);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(add_skan_state_entry(state, 4, 99)->probability, 10) << "an existing entry is kept";
    EXPECT_EQ(state.header.total_probability, 10u);
    state.entries.push_back({4, 2});
    add_skan_state_entry(state, 1, 65535);
    EXPECT_EQ(state.header.total_probability, 65547u) << "the total passes 16 bits";
    EXPECT_EQ(remove_skan_state_entries(state, 4), 2u);
    EXPECT_EQ(state.header.total_probability, 65535u);
    EXPECT_EQ(remove_skan_state_entries(state, 9), 0u);
    ASSERT_EQ(state.entries.size(), 1u);
    EXPECT_EQ(find_skan_state_entry(state, 4), nullptr);
    EXPECT_EQ(find_skan_state_entry(state, 1)->probability, 65535);
}

TEST(SkanEdit, DriveModesKeepTheOtherFlags) {
    const std::uint16_t flags = kSkanLoopable | kSkanFastInterrupt | kSkanDistanceDriven | kSkanTurnDriven;
    EXPECT_EQ(skan_drive(flags), SkanDrive::distance);
    EXPECT_EQ(with_skan_drive(flags, SkanDrive::time), kSkanLoopable | kSkanFastInterrupt);
    EXPECT_EQ(with_skan_drive(flags, SkanDrive::turn), kSkanLoopable | kSkanFastInterrupt | kSkanTurnDriven);
    EXPECT_EQ(skan_drive(kSkanTurnDriven), SkanDrive::turn);
    EXPECT_EQ(skan_drive(kSkanLoopable), SkanDrive::time);
}

TEST(SkanEdit, MotionTotalSumsTheFixedPointFrames) {
    EXPECT_DOUBLE_EQ(skan_motion_total(named("a", {65536, 32768, -16384})), 1.25);
    EXPECT_DOUBLE_EQ(skan_motion_total(named("b")), 0.0);
}

} // namespace
} // namespace zephane
