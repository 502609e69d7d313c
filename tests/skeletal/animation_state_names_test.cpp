// The state names the editors list for a skeletal model, read through the model set and its
// animation tag.

#include <gtest/gtest.h>

#include "base/byte_reader.h"
#include "skeletal/animation_state_names.h"
#include "skeletal/skmd_payload.h"
#include "tags/tag_database.h"

namespace zephane {
namespace {

void name(ByteWriter& w, const std::string& text) {
    for (char c : text) w.u8(static_cast<std::uint8_t>(c));
    w.zeros(64 - text.size());
}

// Three bones (an odd count: frames padded), one animation of two frames, and the states.
std::vector<std::uint8_t> animation_payload(const std::vector<std::pair<std::string, int>>& states) {
    ByteWriter w;
    w.u32(3);
    w.u32(1);
    w.u32(static_cast<std::uint32_t>(states.size()));
    w.zeros(12);
    w.zeros(3 * 96);
    w.zeros(4 + 4 * states.size());
    name(w, "walk");
    w.u16(2); // frames
    w.zeros(84 - 66);
    w.zeros(2 * 56); // 12 + 3 × 14 = 54, rounded up to 56
    for (const auto& [state, entries] : states) {
        name(w, state);
        w.u16(static_cast<std::uint16_t>(entries));
        w.zeros(6);
        w.zeros(4 * static_cast<std::size_t>(entries));
    }
    return w.take();
}

TEST(AnimationStateNames, ReadPastTheAnimationsFramesInStateOrder) {
    const auto payload = animation_payload({{"Idle", 2}, {"Move", 0}, {"Die Hard from Front", 1}});
    EXPECT_EQ(read_skan_state_names(payload),
              (std::vector<std::string>{"Idle", "Move", "Die Hard from Front"}));
    // Cut anywhere, or with a count the payload cannot hold: refused, never read past.
    for (std::size_t size : {std::size_t{0}, std::size_t{20}, payload.size() - 1, payload.size() - 80}) {
        const std::vector<std::uint8_t> cut(payload.begin(), payload.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_THROW(read_skan_state_names(cut), FormatError) << size;
    }
    auto huge = payload;
    store_u32(huge.data() + 4, 0x7FFFFFFF);
    EXPECT_THROW(read_skan_state_names(huge), FormatError);
}

TEST(AnimationStateNames, MissingAndDamagedModelsSaySo) {
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    SkeletalModelSet set;
    set.header.animation = fourcc("anim");
    const auto set_bytes = save_skmd_payload(set);
    const auto add = [&](tag_type type, const char* id, std::int16_t version, std::vector<std::uint8_t> bytes) {
        const auto size = static_cast<std::uint32_t>(bytes.size());
        db.add_tag(file, type, text_to_tag_id(id), version, id, 0, size, std::move(bytes));
    };
    add(fourcc("skmd"), "good", 1, set_bytes);
    add(fourcc("skan"), "anim", 2, animation_payload({{"Idle", 1}}));
    add(fourcc("skmd"), "bad_", 1, {1, 2, 3});
    SkeletalModelSet orphan;
    orphan.header.animation = fourcc("none");
    add(fourcc("skmd"), "orph", 1, save_skmd_payload(orphan));

    const ModelStateNames good = skeletal_model_state_names(db, fourcc("good"));
    EXPECT_EQ(good.problem, nullptr);
    EXPECT_EQ(good.names, std::vector<std::string>{"Idle"});
    EXPECT_STREQ(skeletal_model_state_names(db, fourcc("gone")).problem, kModelMissing);
    EXPECT_STREQ(skeletal_model_state_names(db, fourcc("bad_")).problem, kModelDamaged);
    EXPECT_STREQ(skeletal_model_state_names(db, fourcc("orph")).problem, kModelDamaged);
}

} // namespace
} // namespace zephane
