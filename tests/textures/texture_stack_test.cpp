// Texture stack payloads and the stack set operations.

#include <gtest/gtest.h>

#include "definitions/register_tag_types.h"
#include "tags/tag_database.h"
#include "textures/texture_stack.h"
#include "texture_fixtures.h"

namespace zephane {
namespace {

using test::bytes_texture;

std::vector<std::uint8_t> worked_example() {
    return {
        0x00, 0x02, 0x00, 0x00,                                                 // two stacks
        0x00, 0x00, 0x00, 0x1C, 0x00, 0x00, 0x00, 0x22, 0x00, 0x01, 0x00, 0x01, // block at 28, 34 bytes
        0x00, 0x00, 0x00, 0x3E, 0x00, 0x00, 0x00, 0x23, 0x00, 0x00, 0x00, 0x07, // block at 62, 35 bytes
        0x00, 0x01, 0x00, 0x00,                                                 // one texture
        0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x02, 0x01, 0x00, 0x01, 0x02, // data at 32, 2 bytes
        0x00, 0x02, 0x00, 0x01, 0x00, 0x01, 0xFF, 0xFE, 0x00, 0x03, 0x00, 0x04, 0xFF, 0xFB, 0x00, 0x06,
        0x07, 0x09,
        0x00, 0x01, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x03, 0x03, 0x01, 0x00, 0x00,
        0x00, 0x10, 0x00, 0x08, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0xAA, 0xBB, 0xCC,
    };
}

StackSet worked_example_set() {
    StackSet set;
    auto mask = bytes_texture({7, 9});
    mask->layer_kind = kLayerDetailMask;
    mask->layer = 2;
    mask->origin_u = 1;
    mask->origin_v = -2;
    mask->du_u = 3;
    mask->du_v = 4;
    mask->dv_u = -5;
    mask->dv_v = 6;
    insert_texture(set, 0, 0, std::move(mask));
    auto colour = bytes_texture({0xAA, 0xBB, 0xCC});
    colour->channels = 3;
    colour->format = kFormatJpeg;
    colour->width = 16;
    colour->height = 8;
    insert_texture(set, 1, 0, std::move(colour));
    set.stacks[0].flags = kStackDoNotDownsample;
    set.stacks[1].word = 7;
    return set;
}

class TextureStackTag : public ::testing::Test {
protected:
    void SetUp() override {
        register_tag_types();
        file = db.create_tag_file();
    }
    TagEntry& add(Payload payload) {
        return *db.add_tag(file, kTextureStackType, fourcc("tex1"), 1, "Stack", 0, 0, std::move(payload));
    }
    TagDatabase db;
    TagFile* file = nullptr;
};

TEST_F(TextureStackTag, NewTagHoldsFourBytesWithoutStacks) {
    TagEntry& entry = *db.add_tag(file, kTextureStackType, fourcc("new1"), 1, "New", 0, 0, std::nullopt);
    tag_type_defaults(kTextureStackType)(db, entry);
    ASSERT_TRUE(entry.data);
    EXPECT_EQ(*entry.data, (Payload{0, 0, 0, 0}));
    const auto set = read_stack_set(db, entry);
    ASSERT_TRUE(set);
    EXPECT_EQ(set->stack_count(), 0u);
    EXPECT_EQ(build_stack_payload(*set), (Payload{0, 0, 0, 0}));
}

TEST_F(TextureStackTag, WritesTheWorkedExampleByteForByteAndReadsItBack) {
    StackSet set = worked_example_set();
    set.dirty = true;
    TagEntry& entry = add({0, 0, 0, 0});
    ASSERT_TRUE(write_stack_set(db, set, entry));
    EXPECT_EQ(*entry.data, worked_example());
    EXPECT_FALSE(set.dirty);
    EXPECT_EQ(set.tag, &entry);

    const auto back = read_stack_set(db, entry);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->stack_count(), 2u);
    EXPECT_EQ(back->stacks[0].flags, 1);
    EXPECT_EQ(back->stacks[0].word, 1);
    EXPECT_EQ(back->stacks[1].word, 7);
    const stacked_texture& mask = *back->stacks[0].textures[0];
    EXPECT_EQ(mask.compressed_data, (std::vector<std::uint8_t>{7, 9}));
    EXPECT_EQ(mask.layer_kind, kLayerDetailMask);
    EXPECT_EQ(mask.layer, 2);
    EXPECT_EQ(std::vector<int>({mask.origin_u, mask.origin_v, mask.du_u, mask.du_v, mask.dv_u, mask.dv_v}),
              std::vector<int>({1, -2, 3, 4, -5, 6}));
    EXPECT_EQ(back->stacks[1].textures[0]->format, kFormatJpeg);
    EXPECT_EQ(build_stack_payload(*back), worked_example());
}

TEST_F(TextureStackTag, ReadingDropsStacksWithoutTexturesAndTheirWords) {
    StackSet set = worked_example_set();
    insert_stack(set, 1); // empty, word 1, between the two
    set.stacks[1].flags = 1;
    const auto payload = build_stack_payload(set);
    ASSERT_TRUE(payload);
    EXPECT_EQ(payload->size(), worked_example().size() + 12 + 4);
    const StackSet back = parse_stack_payload(*payload);
    ASSERT_EQ(back.stack_count(), 2u);
    EXPECT_EQ(back.stacks[1].word, 7);
    EXPECT_EQ(back.stacks[1].textures[0]->width, 16);
}

TEST_F(TextureStackTag, DamagedPayloadsGiveNoSetAndSayWhy) {
    const auto good = worked_example();
    const auto damaged = [&](std::size_t at, std::uint8_t value) {
        auto bytes = good;
        bytes[at] = value;
        return bytes;
    };
    for (const auto& [what, payload] : std::vector<std::pair<std::string, Payload>>{
             {"too short", {0, 1}},
             {"more stacks than references", damaged(1, 9)},
             {"block past the end", damaged(7, 0xF0)},
             {"texture data past its block", damaged(35, 0x30)},
             {"more textures than headers", damaged(29, 5)},
             {"cut short", Payload(good.begin(), good.end() - 1)}}) {
        TagEntry& entry = add(payload);
        std::string problem;
        EXPECT_EQ(read_stack_set(db, entry, &problem), nullptr) << what;
        EXPECT_FALSE(problem.empty()) << what;
        db.delete_tag(entry);
    }
    TagEntry& other = *db.add_tag(file, fourcc("unit"), fourcc("unit"), 1, "Unit", 0, 0, good);
    EXPECT_EQ(read_stack_set(db, other), nullptr);
}

TEST_F(TextureStackTag, WriteWithATextureWithoutDataLeavesTheTagUnchanged) {
    StackSet set = worked_example_set();
    insert_texture(set, 0, -1, bytes_texture({}));
    TagEntry& entry = add({0, 0, 0, 0});
    file->needupdate = file->needrewrite = false;
    entry.dirty = false;
    std::string problem;
    EXPECT_FALSE(write_stack_set(db, set, entry, &problem));
    EXPECT_EQ(*entry.data, (Payload{0, 0, 0, 0}));
    EXPECT_FALSE(entry.dirty);
    EXPECT_EQ(problem, "texture 1 of stack 0 has no data");
}

std::vector<std::uint8_t> first_bytes(const StackSet& set, std::size_t stack) {
    std::vector<std::uint8_t> out;
    for (const auto& t : set.stacks[stack].textures) out.push_back(t->compressed_data[0]);
    return out;
}

TEST(StackSetOperations, InsertPositionsFirstAfterKthAndAppend) {
    StackSet set;
    EXPECT_EQ(insert_texture(set, 0, 0, bytes_texture({1})), 0);
    EXPECT_EQ(insert_texture(set, 0, 0, bytes_texture({2})), 0);   // first
    EXPECT_EQ(insert_texture(set, 0, 1, bytes_texture({3})), 1);   // after the first
    EXPECT_EQ(insert_texture(set, 0, 99, bytes_texture({4})), 3);  // past the end appends
    EXPECT_EQ(insert_texture(set, 0, -1, bytes_texture({5})), 4);  // negative appends
    EXPECT_EQ(first_bytes(set, 0), (std::vector<std::uint8_t>{2, 3, 1, 4, 5}));
    EXPECT_TRUE(set.dirty);
}

TEST(StackSetOperations, InsertingPastTheEndMakesTheStacksOnTheWay) {
    StackSet set;
    insert_texture(set, 0, 0, bytes_texture({1}));
    insert_texture(set, 3, 0, bytes_texture({2}));
    ASSERT_EQ(set.stack_count(), 4u);
    EXPECT_EQ(set.stacks[0].word, 1);
    EXPECT_EQ(set.stacks[1].word, 0);
    EXPECT_EQ(set.stacks[2].word, 0);
    EXPECT_EQ(set.stacks[3].word, 1);
    EXPECT_EQ(set.stacks[3].flags, 0);

    insert_stack(set, 1);
    ASSERT_EQ(set.stack_count(), 5u);
    EXPECT_EQ(set.stacks[1].word, 1);
    EXPECT_TRUE(set.stacks[1].textures.empty());
    EXPECT_EQ(first_bytes(set, 4), std::vector<std::uint8_t>{2});
}

TEST(StackSetOperations, UnlinkFindDuplicateAndCompact) {
    StackSet set;
    insert_texture(set, 0, -1, bytes_texture({1}));
    insert_texture(set, 1, -1, bytes_texture({2}));
    insert_texture(set, 2, -1, bytes_texture({3}));
    stacked_texture* middle = texture_at(set, 1, 0);
    EXPECT_EQ(find_texture(set, middle), (TexturePlace{1, 0}));
    EXPECT_EQ(find_texture(set, nullptr), TexturePlace{});
    EXPECT_EQ(texture_at(set, 1, 1), nullptr);
    EXPECT_EQ(texture_at(set, 7, 0), nullptr);

    // Not in that stack: nothing happens.
    EXPECT_EQ(unlink_texture(set, 0, *middle, true), nullptr);
    set.dirty = false;
    auto kept = unlink_texture(set, 1, *middle, false);
    ASSERT_EQ(kept.get(), middle);
    EXPECT_EQ(set.stack_count(), 3u); // the emptied stack stays
    EXPECT_TRUE(set.dirty);
    EXPECT_EQ(find_texture(set, middle), TexturePlace{});

    auto removed = unlink_texture(set, 2, *texture_at(set, 2, 0), true);
    EXPECT_EQ(set.stack_count(), 2u);

    set.dirty = false;
    compact_stack_set(set);
    EXPECT_EQ(set.stack_count(), 1u);
    EXPECT_TRUE(set.dirty);
    set.dirty = false;
    compact_stack_set(set);
    EXPECT_FALSE(set.dirty);

    removed->preview = Thumbnail{1, 1, 1, {9}};
    removed->layer = 4;
    removed->du_v = -3;
    const auto copy = duplicate_texture(*removed);
    EXPECT_EQ(copy->compressed_data, removed->compressed_data);
    EXPECT_EQ(copy->layer, 4);
    EXPECT_EQ(copy->du_v, -3);
    EXPECT_FALSE(copy->preview);
}

TEST(TextureLabels, NamesAsTheEditorShowsThem) {
    EXPECT_STREQ(channel_name(2), "lum/alpha");
    EXPECT_STREQ(channel_name(4), "rgba");
    EXPECT_EQ(format_label(0), "raw data");
    EXPECT_EQ(format_label(1), "jpeg");
    EXPECT_EQ(format_label(7), "format 7");
    EXPECT_EQ(layer_kind_label(0, 3), "base texture");
    EXPECT_EQ(layer_kind_label(1, 3), "detail mask 3");
    EXPECT_EQ(layer_kind_label(3, 0), "skin modifier 0");
    EXPECT_EQ(layer_kind_label(6, 0), "reflect mask");
    EXPECT_EQ(layer_kind_label(9, 2), "use 9 layer 2");
    EXPECT_STREQ(texture_info_entry(2), "Detail Texture");
    EXPECT_EQ(texture_info_entry(7), nullptr);
}

} // namespace
} // namespace zephane
