// The version check and the updaters it calls.

#include <gtest/gtest.h>

#include "definitions/proj.h"
#include "definitions/register_tag_types.h"
#include "definitions/unit.h"
#include "base/byte_reader.h"
#include "tags/tag_version.h"

namespace zephane {
namespace {

class TagVersion : public ::testing::Test {
protected:
    void SetUp() override {
        detach_all_tag_operations();
        register_tag_types();
        file = db.create_tag_file();
    }
    TagEntry& add(const char (&type)[5], std::int16_t version, Payload payload) {
        TagEntry& tag = *db.add_tag(file, fourcc(type), 0, version, "t", 0, 0, std::move(payload));
        tag.dirty = false;
        file->needupdate = file->needrewrite = false;
        return tag;
    }
    static void expect_internal_error(const std::function<void()>& f, const std::string& expression,
                                      const std::string& module) {
        try {
            f();
            ADD_FAILURE() << "no internal error";
        } catch (const InternalError& e) {
            EXPECT_EQ(e.expression(), expression);
            EXPECT_EQ(e.module(), module);
        }
    }
    TagDatabase db;
    TagFile* file = nullptr;
};

TEST_F(TagVersion, ProjectileVersionOneGetsUnassignedStains) {
    Payload bytes(256);
    for (std::size_t k = 0; k < bytes.size(); ++k) bytes[k] = static_cast<std::uint8_t>(k);
    TagEntry& tag = add("proj", 1, bytes);
    EXPECT_TRUE(update_tag_version(db, tag));
    EXPECT_EQ(tag.version, 2);
    EXPECT_TRUE(tag.dirty);
    EXPECT_TRUE(file->needrewrite);
    EXPECT_EQ(load_u32(tag.data->data() + 100), kNoTag);
    EXPECT_EQ(load_u32(tag.data->data() + 128), kNoTag);
    Payload expected = bytes;
    std::fill(expected.begin() + 100, expected.begin() + 104, 0xFF);
    std::fill(expected.begin() + 128, expected.begin() + 132, 0xFF);
    EXPECT_EQ(*tag.data, expected);
    EXPECT_FALSE(update_tag_version(db, tag)); // current now
    EXPECT_EQ(*tag.data, expected);

    // A payload shorter than the record reads as zeros past its end.
    TagEntry& short_tag = add("proj", 1, Payload(8, 0x11));
    EXPECT_TRUE(update_tag_version(db, short_tag));
    ASSERT_EQ(short_tag.data->size(), 256u);
    EXPECT_EQ(load_u32(short_tag.data->data()), 0x11111111u);
    EXPECT_EQ(load_u32(short_tag.data->data() + 100), kNoTag);
    EXPECT_EQ(short_tag.data->at(200), 0);
}

TEST_F(TagVersion, UnitsStartAgainFromTheDefaultVariations) {
    Payload bytes(130, 0xAB);
    TagEntry& tag = add("unit", 1, bytes);
    EXPECT_TRUE(update_tag_version(db, tag));
    EXPECT_EQ(tag.version, 2);
    units_definition u{};
    ASSERT_TRUE(read_definition(db, tag, u));
    EXPECT_EQ(u.monster, 0xABABABABu);
    EXPECT_EQ(u.variation_count, 0);
    EXPECT_EQ(std::memcmp(u.variations, units_definition::kDefault.variations, sizeof u.variations), 0);
    EXPECT_TRUE(std::all_of(tag.data->begin() + 104, tag.data->end(), [](std::uint8_t b) { return b == 0xAB; }));
}

TEST_F(TagVersion, SceneryKeepsItsPayload) {
    const Payload bytes(128, 0x42);
    TagEntry& tag = add("scen", 1, bytes);
    EXPECT_TRUE(update_tag_version(db, tag));
    EXPECT_EQ(tag.version, 2);
    EXPECT_EQ(*tag.data, bytes);
    EXPECT_FALSE(tag.dirty);
    EXPECT_TRUE(file->needrewrite);
}

TEST_F(TagVersion, StampsUnstampedTagsAndRefusesImpossibleOnes) {
    TagEntry& unstamped = add("proj", 0, Payload(256, 1));
    EXPECT_FALSE(update_tag_version(db, unstamped));
    EXPECT_EQ(unstamped.version, 2);
    EXPECT_EQ(*unstamped.data, Payload(256, 1));
    EXPECT_TRUE(TagDatabase::tag_file_needs_save(*file));

    TagEntry& unknown = add("xxxx", 7, Payload(4, 0));
    EXPECT_FALSE(update_tag_version(db, unknown));
    EXPECT_EQ(unknown.version, 7);

    TagEntry& newer = add("proj", 3, Payload(256, 0));
    expect_internal_error([&] { update_tag_version(db, newer); }, "v <= info->version", "tagdepend");
    EXPECT_EQ(newer.version, 3);
    // Maps are at version 11 and have no updater.
    TagEntry& old_map = add("mesh", 10, Payload(1024, 0));
    expect_internal_error([&] { update_tag_version(db, old_map); }, "info->updater", "tagdepend");
    // Versions the updaters do not know.
    TagEntry& odd = add("proj", -4, Payload(256, 0));
    expect_internal_error([&] { update_tag_version(db, odd); }, "0", "proj.cpp");
    TagEntry& odd_scenery = add("scen", -1, Payload(128, 0));
    expect_internal_error([&] { update_tag_version(db, odd_scenery); }, "0", "scen.cpp");
}

} // namespace
} // namespace zephane
