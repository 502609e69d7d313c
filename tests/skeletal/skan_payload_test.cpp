#include "skeletal/skan_payload.h"
#include "skeletal/skan_actions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "base/errors.h"
#include "definitions/register_tag_types.h"
#include "skeletal/skan_bytes.h"
#include "support/test_support.h"
#include "tags/tag_database.h"
#include "tags/tag_types.h"
#include "tags/tag_version.h"

namespace zephane {
namespace {

using test::BeBytes;

constexpr float kIdentity[4] = {0, 0, 0, 1};
constexpr float kOrigin[3] = {0, 0, 0};

skan_bone_base bone(const char* name, std::int32_t parent) {
    skan_bone_base b{};
    std::strcpy(b.name, name);
    b.parent = parent;
    b.rotation[3] = 1;
    b.position[0] = 1.5f;
    return b;
}

SkanFrame frame(std::size_t bones, std::int32_t motion, std::int16_t first) {
    SkanFrame f;
    f.record.motion = motion;
    f.record.action = 0x0801;
    set_skan_action_bone(f.record, -1);
    f.record.action_tag = fourcc("boom");
    for (std::size_t b = 0; b < bones; ++b)
        f.poses.push_back({{first, 2, -3}, {4, 5, 6, static_cast<std::int16_t>(32767 - static_cast<int>(b))}});
    return f;
}

SkeletalAnimationSet sample_set(std::size_t bones) {
    SkeletalAnimationSet set;
    for (std::size_t b = 0; b < bones; ++b) set.bones.push_back(bone(b == 0 ? "root" : "leaf", static_cast<int>(b) - 1));
    SkanAnimation a;
    std::strcpy(a.header.name, "walk");
    a.header.flags = kSkanLoopable;
    a.header.frames_per_second = 7680;
    a.header.position_exponent = 9;
    a.header.fade_in = 0.125f;
    a.header.interrupt_fade = 0.5f;
    a.header.fade_out = 0.25f;
    a.frames = {frame(bones, 65536, 10), frame(bones, -1, 11)};
    set.animations.push_back(a);
    SkanState s;
    std::strcpy(s.header.name, "Unnamed State");
    s.header.flags = 2;
    s.header.total_probability = 5;
    s.entries = {{0, 2}, {0, 3}};
    set.states.push_back(s);
    return set;
}

// The same set written field by field.
std::vector<std::uint8_t> sample_bytes(std::size_t bones) {
    BeBytes e;
    e.header(static_cast<std::uint32_t>(bones), 1, 1);
    for (std::size_t b = 0; b < bones; ++b) e.bone(b == 0 ? "root" : "leaf", static_cast<int>(b) - 1, kIdentity, {1.5f, 0, 0});
    e.zeros(8); // pointer tables
    e.name("walk").u16(2).u16(1).i16(7680).i16(9).f32(0.125f).f32(0.5f).f32(0.25f);
    for (int f = 0; f < 2; ++f) {
        e.i32(f == 0 ? 65536 : -1).u16(0x0801).raw({0xFF, 0xFF}).u32(fourcc("boom"));
        for (std::size_t b = 0; b < bones; ++b) e.pose({10 + f, 2, -3, 4, 5, 6, 32767 - static_cast<int>(b)});
        if (bones % 2) e.zeros(2);
    }
    e.name("Unnamed State").u16(2).u16(2).u32(5).u16(0).u16(2).u16(0).u16(3);
    return e.b;
}

TEST(SkanPayload, SavesTheLayoutAndPadsFramesOfOddBoneCounts) {
    for (const std::size_t bones : {1u, 2u, 3u}) {
        const auto saved = save_skan_payload(sample_set(bones));
        EXPECT_EQ(saved, sample_bytes(bones)) << bones << " bones";
        const std::uint64_t frame = bones % 2 ? 12 + 14 * bones + 2 : 12 + 14 * bones;
        EXPECT_EQ(skan_frame_size(bones), frame);
        EXPECT_EQ(saved.size(), 24 + 96 * bones + 8 + 84 + 2 * frame + 72 + 8);
        // Loading gives the same set back, byte for byte once saved again.
        EXPECT_EQ(save_skan_payload(load_skan_payload(saved)), saved);
        EXPECT_EQ(rewrite_skan_payload(saved, 2), saved);
    }
    EXPECT_EQ(save_skan_payload({}), std::vector<std::uint8_t>(24, 0));
}

TEST(SkanPayload, RefusesCountsThePayloadCannotHold) {
    const auto good = sample_bytes(3);
    auto expect_refused = [](std::vector<std::uint8_t> bytes, const char* field) {
        try {
            load_skan_payload(bytes);
            ADD_FAILURE() << "accepted, expected a refusal of " << field;
        } catch (const FormatError& e) {
            EXPECT_EQ(e.field(), field) << e.what();
        }
    };
    auto with = [&](std::size_t at, std::uint32_t value, bool wide) {
        auto bytes = good;
        if (wide) store_u32(bytes.data() + at, value);
        else store_u16(bytes.data() + at, static_cast<std::uint16_t>(value));
        return bytes;
    };
    expect_refused(with(0, 0xFFFFFFFFu, true), "skan bone base");
    expect_refused(with(0, 0x02AAAAABu, true), "skan bone base"); // × 96 wraps in 32 bits
    expect_refused(with(4, 0xFFFFFFFFu, true), "animation pointer table");
    expect_refused(with(8, 0x40000001u, true), "state pointer table"); // × 4 wraps in 32 bits
    const std::size_t animation = 24 + 3 * 96 + 8;
    expect_refused(with(animation + 64, 0xFFFF, false), "skan frames");
    const std::size_t state = animation + 84 + 2 * skan_frame_size(3);
    expect_refused(with(state + 64, 3, false), "skan state anim list");
    expect_refused(std::vector<std::uint8_t>(good.begin(), good.end() - 1), "skan state anim list");
    expect_refused(std::vector<std::uint8_t>(good.begin(), good.begin() + 20), "skan header");

    auto longer = good;
    longer.push_back(0);
    EXPECT_THROW(rewrite_skan_payload(longer, 2), FormatError); // a rewrite would drop the byte
    try {
        rewrite_skan_payload(good, 1);
        ADD_FAILURE() << "a version 1 payload was rewritten";
    } catch (const FormatError& e) {
        EXPECT_STREQ(e.what(), "version 1: run update first");
    }
}

TEST(SkanPayload, SaveChecksThatEveryFrameHasOnePosePerBone) {
    SkeletalAnimationSet set = sample_set(2);
    set.animations[0].frames[1].poses.pop_back();
    EXPECT_THROW(save_skan_payload(set), InternalError);
}

TEST(SkanPayload, FixedPointRoundsHalvesAwayFromZeroAndClamps) {
    EXPECT_EQ(skan_quantise16(2.5), 3);
    EXPECT_EQ(skan_quantise16(-2.5), -3);
    EXPECT_EQ(skan_quantise16(40000), 32767);
    EXPECT_EQ(skan_quantise16(-40000), -32767);
    EXPECT_EQ(skan_quantise16(std::nan("")), 0);
    EXPECT_EQ(skan_fixed_8_8(29.97), 7672);
    EXPECT_EQ(skan_fixed_8_8(-1.0 / 512), -1);
    EXPECT_EQ(skan_fixed_16_16(-1.5 / 65536), -2);
    EXPECT_EQ(skan_fixed_16_16(1e12), 2147483647);
}

// ---- Version 1 -------------------------------------------------------------------------------

struct V1Animation {
    std::string name;
    std::int16_t action_frame;
    std::uint16_t action_value;
    std::uint16_t flags;
    float fps, scale;
    std::vector<float> motions;
    std::vector<std::uint16_t> actions;
    std::vector<std::vector<int>> poses; // per frame, 7 values per bone
};

std::vector<std::uint8_t> v1_payload(std::size_t bones, const std::vector<V1Animation>& animations) {
    BeBytes e;
    e.header(static_cast<std::uint32_t>(bones), static_cast<std::uint32_t>(animations.size()), 1);
    for (std::size_t b = 0; b < bones; ++b) e.bone("bone" + std::to_string(b), static_cast<int>(b) - 1, kIdentity, kOrigin);
    e.zeros(4 * (animations.size() + 1));
    for (const V1Animation& a : animations) {
        e.name(a.name).i16(a.action_frame).u16(static_cast<std::uint32_t>(a.motions.size())).u16(a.action_value).u16(a.flags);
        e.f32(a.fps).f32(a.scale).f32(0.25f).f32(0.5f).f32(0.75f);
        for (std::size_t f = 0; f < a.motions.size(); ++f) {
            e.f32(a.motions[f]).u16(a.actions[f]).raw({0x02, 0x00}).u32(fourcc("snd "));
            for (const int v : a.poses[f]) e.i16(v);
            if (bones % 2) e.zeros(2);
        }
    }
    e.name("idle").u16(1).u16(3).u32(999).u16(0).u16(7); // total kept as stored
    return e.b;
}

TEST(SkanUpdate, ConvertsVersion1AnimationsFieldByField) {
    const float tiny = 180.0f / 65536.0f; // 0.5 in turn units
    const std::string long_name(64, 'A');
    const std::vector<V1Animation> animations = {
        // Turn driven, scale 0.5: exponent 1 puts 32000 at 32000.
        {long_name, 1, 3, kSkanTurnDriven, 29.97f, 0.5f, {90.0f, tiny, -tiny},
         {0x0000, 0xF005, 0x0002},
         {{32000, -32000, 7, 32000, -16000, 1, 0}, {1, 2, 3, 0, 0, 0, 32000}, {-1, 0, 0, 16000, 0, 0, 0}}},
        // Distance driven, scale 1.02: g × h lands above 32000, so the extremes clamp.
        {"step", -1, 9, kSkanDistanceDriven, 30.0f, 1.02f, {1.5f, -2.25f}, {0x0001, 0x0001},
         {{32767, -32768, 100, 0, 0, 0, 32000}, {0, 0, 0, 0, 0, 0, 32000}}},
        // Scale 0 has no exponent to find: it stops at once with 0, positions 0.
        {"flat", 0, 0, 0, 15.0f, 0.0f, {0.0f}, {0x0000}, {{500, -500, 0, 0, 0, 0, 32000}}},
    };
    const auto updated = update_skan_payload_v1(v1_payload(1, animations));

    BeBytes e;
    e.header(1, 3, 1).bone("bone0", -1, kIdentity, kOrigin).zeros(16);
    auto frame = [&](std::int64_t motion, std::uint16_t action, std::initializer_list<int> pose) {
        e.i32(motion).u16(action).raw({0x02, 0x00}).u32(fourcc("snd ")).pose(pose).zeros(2);
    };
    e.name(std::string(63, 'A')).u16(3).u16(kSkanTurnDriven).i16(7672).i16(1).f32(0.25f).f32(0.5f).f32(0.75f);
    frame(16384, 0x0000, {32000, -32000, 7, 32767, -16384, 1, 0});
    frame(1, 0xF803, {1, 2, 3, 0, 0, 0, 32767}); // the action frame: key bit, value 3
    frame(-1, 0x0002, {-1, 0, 0, 16384, 0, 0, 0});
    e.name("step").u16(2).u16(kSkanDistanceDriven).i16(7680).i16(0).f32(0.25f).f32(0.5f).f32(0.75f);
    frame(98304, 0x0001, {32767, -32767, 102, 0, 0, 0, 32767});
    frame(-147456, 0x0001, {0, 0, 0, 0, 0, 0, 32767});
    e.name("flat").u16(1).u16(0).i16(3840).i16(0).f32(0.25f).f32(0.5f).f32(0.75f);
    frame(0, 0x0800, {0, 0, 0, 0, 0, 0, 32767}); // action frame 0 with value 0: only the key bit
    e.name("idle").u16(1).u16(3).u32(999).u16(0).u16(7);
    EXPECT_EQ(updated, e.b);
    EXPECT_EQ(load_skan_payload(updated).animations.size(), 3u);
}

TEST(SkanUpdate, TheExponentPutsTheLargestPossibleValueBetween16383And32767) {
    for (const float scale : {0.5f, 1.0f, 0.001f, 3.0f, 1e-30f, 1e30f, -0.5f}) {
        const V1Animation a{"a", -1, 0, 0, 30.0f, scale, {0.0f}, {0}, {{32000, 0, 0, 0, 0, 0, 0}}};
        const SkeletalAnimationSet set = load_skan_payload(update_skan_payload_v1(v1_payload(1, {a})));
        const double e = set.animations[0].header.position_exponent;
        const double largest = std::fabs(32000.0 * static_cast<double>(scale) * std::pow(2.0, e));
        EXPECT_GE(largest, 16383.0) << scale;
        EXPECT_LE(largest, 32767.0) << scale;
        EXPECT_EQ(set.animations[0].frames[0].poses[0].position[0], static_cast<std::int16_t>(std::round(largest)) * (scale < 0 ? -1 : 1));
    }
}

TEST(SkanUpdate, RefusesVersion1BytesThatDoNotHoldTheirCounts) {
    const V1Animation a{"a", 0, 0, 0, 30.0f, 1.0f, {0.0f, 1.0f}, {0, 0}, {{0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1}, {0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1}}};
    const auto bytes = v1_payload(2, {a});
    for (std::size_t cut = 0; cut < bytes.size(); cut += 7)
        EXPECT_THROW(update_skan_payload_v1(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(cut))), FormatError) << cut;
    auto huge = bytes;
    store_u16(huge.data() + 24 + 2 * 96 + 8 + 66, 0xFFFF); // frame count
    EXPECT_THROW(update_skan_payload_v1(huge), FormatError);
}

// ---- The type table's operations ----------------------------------------------------------------

class SkanType : public ::testing::Test {
protected:
    void SetUp() override { register_tag_types(); }
    void TearDown() override { detach_all_tag_operations(); }
};

TEST_F(SkanType, TheUpdaterBringsVersion1TagsToVersion2OrLeavesThemAlone) {
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    const V1Animation a{"a", -1, 0, 0, 30.0f, 0.5f, {1.0f}, {0}, {{2, 0, 0, 0, 0, 0, 32000}}};
    const auto v1 = v1_payload(1, {a});
    TagEntry* good = db.add_tag(file, kSkeletalAnimationTagType, fourcc("good"), 1, "good", 0, 0, v1);
    EXPECT_TRUE(update_tag_version(db, *good));
    EXPECT_EQ(good->version, 2);
    EXPECT_EQ(*good->data, update_skan_payload_v1(v1));

    const std::vector<std::uint8_t> cut(v1.begin(), v1.end() - 3);
    TagEntry* bad = db.add_tag(file, kSkeletalAnimationTagType, fourcc("bad_"), 1, "bad", 0, 0, cut);
    EXPECT_THROW(update_tag_version(db, *bad), FormatError);
    EXPECT_EQ(bad->version, 1);
    EXPECT_EQ(*bad->data, cut);
}

TEST_F(SkanType, NewTagsAndDependenciesOfEveryFrameAction) {
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    TagEntry* entry = db.add_tag(file, kSkeletalAnimationTagType, fourcc("anim"), 2, "anim", 0, 0, std::nullopt);
    tag_type_defaults(kSkeletalAnimationTagType)(db, *entry);
    EXPECT_EQ(*entry->data, std::vector<std::uint8_t>(24, 0));

    SkeletalAnimationSet set = sample_set(1);
    set.animations[0].frames.clear();
    const std::uint16_t actions[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 0x0801, 0x0806};
    for (const std::uint16_t action : actions) {
        SkanFrame f = frame(1, 0, 0);
        f.record.action = action;
        f.record.action_tag = fourcc("t000") + action;
        set.animations[0].frames.push_back(f);
    }
    set.animations[0].frames.back().record.action_tag = 0xFFFFFFFFu; // no tag: nothing listed
    db.set_tag_data(*entry, save_skan_payload(set));
    test::RecordingReporter reporter;
    tag_type_dependencies(kSkeletalAnimationTagType)(db, *entry, reporter);
    const std::vector<std::pair<tag_type, tag_id>> expected = {
        {fourcc("soun"), fourcc("t000") + 1}, {fourcc("skmd"), fourcc("t000") + 2}, {fourcc("loli"), fourcc("t000") + 3},
        {fourcc("lpgr"), fourcc("t000") + 4}, {fourcc("proj"), fourcc("t000") + 6}, {fourcc("soun"), fourcc("t000") + 0x0801}};
    EXPECT_EQ(reporter.reported, expected);

    // A version 1 tag lists the same through its update, and stays version 1.
    const V1Animation old{"a", 0, 3, 0, 30.0f, 1.0f, {0.0f}, {0}, {{0, 0, 0, 0, 0, 0, 32000}}};
    TagEntry* v1 = db.add_tag(file, kSkeletalAnimationTagType, fourcc("old_"), 1, "old", 0, 0, v1_payload(1, {old}));
    test::RecordingReporter v1_reporter;
    tag_type_dependencies(kSkeletalAnimationTagType)(db, *v1, v1_reporter);
    EXPECT_EQ(v1_reporter.reported, (std::vector<std::pair<tag_type, tag_id>>{{fourcc("loli"), fourcc("snd ")}}));
    EXPECT_EQ(v1->version, 1);
    EXPECT_NE(tag_type_rewrite(kSkeletalAnimationTagType), nullptr);
    EXPECT_NE(tag_type_updater(kSkeletalAnimationTagType), nullptr);
    EXPECT_NE(tag_type_rewrite(fourcc("canm")), nullptr);
}

TEST(SkanActions, FrameActionTextNamesTheActionTagAndBone) {
    TagDatabase db;
    db.add_tag(db.create_tag_file(), fourcc("soun"), fourcc("roar"), 1, "Roar", 0, 0, Payload{1});
    SkeletalAnimationSet set = sample_set(2);
    SkanAnimation& a = set.animations[0];
    const auto text = [&](std::uint16_t action, tag_id tag, std::int16_t bone) {
        a.frames[1].record.action = action;
        a.frames[1].record.action_tag = tag;
        set_skan_action_bone(a.frames[1].record, bone);
        return skan_frame_action_text(db, set.bones, a, 1);
    };
    EXPECT_EQ(text(0x0801, fourcc("roar"), 1), "1. sound ACTION KEYFRAME Roar at leaf");
    EXPECT_EQ(text(0x0002, fourcc("gone"), 0), "1. attach model (missing gone/skmd) at root");
    EXPECT_EQ(text(0x0006, 0xFFFFFFFFu, 2), "1. emit as (unassigned tag) at invalid 2");
    EXPECT_EQ(text(0x0005, fourcc("roar"), -1), "1. delete attachment  at invalid -1");
    EXPECT_EQ(text(0x0809, 0, 0), "1. invalid 9 ACTION KEYFRAME  at root");
    EXPECT_EQ(text(0x0008, 0, 0), "1. giant footprint  at root");
    EXPECT_EQ(skan_frame_action_text(db, set.bones, a, 2), "bad frame 2");
}

} // namespace
} // namespace zephane
