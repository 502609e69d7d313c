// Collapsing terrain detail into the base maps.

#include <gtest/gtest.h>

#include "tags/tag_database.h"
#include "textures/detail_collapse.h"
#include "textures/texture_pixels.h"
#include "texture_fixtures.h"

namespace zephane {
namespace {

using test::raw_texture;

std::unique_ptr<stacked_texture> filled(int side, int channels, std::uint8_t value, std::uint8_t kind = 0,
                                        std::uint8_t layer = 0) {
    auto t = raw_texture(side, side, channels,
                         std::vector<std::uint8_t>(static_cast<std::size_t>(side * side * channels), value));
    t->layer_kind = kind;
    t->layer = layer;
    return t;
}

TEST(DetailBlend, MaskScalesTheDetailColourIntoTheWork) {
    PreparedDetail grey;
    grey.fill(128);
    std::vector<std::uint8_t> work(WORK_SIZE * WORK_SIZE * 3, 255);
    std::vector<std::uint8_t> mask(WORK_SIZE * WORK_SIZE, 255);
    mask[1] = 0;
    mask[2] = 128;
    blend_detail_mask(work.data(), mask.data(), grey);
    EXPECT_EQ(work[0], 128); // full mask over grey halves white (truncated)
    EXPECT_EQ(work[3], 255); // no mask leaves the pixel
    EXPECT_EQ(work[6], 191); // 255 · (1 − 0.498 · 0.502)

    PreparedDetail black;
    black.fill(0);
    PreparedDetail white;
    white.fill(255);
    std::vector<std::uint8_t> other(WORK_SIZE * WORK_SIZE * 3, 200);
    blend_detail_mask(other.data(), mask.data(), white);
    EXPECT_EQ(other[0], 200);
    blend_detail_mask(other.data(), mask.data(), black);
    EXPECT_EQ(other[0], 0);
    EXPECT_EQ(other[3], 200);
}

TEST(DetailPreparation, DefaultPlacementWrapsTheTextureAcrossTheTile) {
    // Black left half, white right half; the default U vector (-64, 0) from origin 0 runs
    // the columns backwards two texels per work pixel, so the work row reads
    // half, white ×31, half, black ×31, half, white ...
    PixelImage pixels{128, 128, 3, std::vector<std::uint8_t>(128 * 128 * 3, 0)};
    for (std::size_t y = 0; y < 128; ++y)
        for (std::size_t x = 64; x < 128; ++x)
            for (std::size_t k = 0; k < 3; ++k) pixels.pixels[(y * 128 + x) * 3 + k] = 255;
    stacked_texture placement;
    placement.origin_u = 40; // ignored with a zero U vector
    const auto detail = prepare_detail(pixels, placement);
    const auto at = [&](std::size_t x, std::size_t y) { return (*detail)[(y * WORK_SIZE + x) * 3]; };
    EXPECT_EQ(at(0, 0), 127);
    EXPECT_EQ(at(1, 0), 255);
    EXPECT_EQ(at(31, 0), 255);
    EXPECT_EQ(at(32, 0), 127);
    EXPECT_EQ(at(33, 0), 0);
    EXPECT_EQ(at(63, 0), 0);
    EXPECT_EQ(at(64, 0), 127);
    EXPECT_EQ(at(65, 77), 255);

    // A placement that repeats the texture once per tile sends every column to its own.
    placement.du_u = 64;
    placement.dv_v = 64;
    placement.origin_u = 0;
    const auto straight = prepare_detail(pixels, placement);
    EXPECT_EQ((*straight)[(5 * WORK_SIZE + 10) * 3], 0);
    EXPECT_EQ((*straight)[(5 * WORK_SIZE + 100) * 3], 255);
}

class Collapse : public ::testing::Test {
protected:
    TagEntry& store(StackSet& set, const char* id) {
        TagEntry& tag = *db.add_tag(file, kTextureStackType, fourcc_id(id), 1, id, 0, 0, Payload{0, 0, 0, 0});
        EXPECT_TRUE(write_stack_set(db, set, tag));
        return tag;
    }
    static tag_id fourcc_id(const char* id) { return text_to_tag_id(id); }
    std::unique_ptr<StackSet> collapsed(TagEntry* tag) {
        EXPECT_NE(tag, nullptr) << problem;
        return tag ? read_stack_set(db, *tag) : nullptr;
    }

    TagDatabase db;
    TagFile* file = db.create_tag_file();
    std::string problem;
};

TEST_F(Collapse, BakesEachTileWithTheDetailItsMaskNames) {
    StackSet terrain;
    insert_texture(terrain, 0, -1, filled(128, 3, 200));
    insert_texture(terrain, 1, -1, filled(128, 3, 255));
    insert_texture(terrain, 1, -1, filled(128, 1, 255, kLayerDetailMask, 1));
    insert_texture(terrain, 1, -1, filled(128, 1, 255, kLayerSkinModifier, 0)); // not a detail mask
    ASSERT_TRUE(recompress_texture(*terrain.stacks[1].textures[1], 90));      // JPEG masks are decoded
    StackSet details;
    insert_texture(details, 0, -1, filled(64, 3, 0));
    insert_texture(details, 1, -1, filled(32, 4, 128));
    store(terrain, "terr");
    store(details, "deta");

    const auto result = collapsed(collapse_terrain(db, *file, fourcc_id("terr"), fourcc_id("deta"), &problem));
    ASSERT_TRUE(result);
    ASSERT_EQ(result->stack_count(), 2u);
    for (const auto& stack : result->stacks) {
        ASSERT_EQ(stack.textures.size(), 1u);
        EXPECT_EQ(stack.textures[0]->format, kFormatJpeg);
        EXPECT_EQ(stack.textures[0]->layer_kind, kLayerBaseTexture);
    }
    // Without masks the tile is its base map at quality 94.
    auto plain = filled(128, 3, 200);
    ASSERT_TRUE(recompress_texture(*plain, kCollapseQuality));
    EXPECT_EQ(result->stacks[0].textures[0]->compressed_data, plain->compressed_data);
    const auto baked = decode_texture(*result->stacks[1].textures[0], true);
    ASSERT_TRUE(baked);
    EXPECT_NEAR(baked->pixels[0], 128, 1); // detail 1 (grey), not detail 0 (black)
}

TEST_F(Collapse, EachCollapseAddsANewTagWithItsOwnId) {
    StackSet terrain, details;
    insert_texture(terrain, 0, -1, filled(128, 3, 90));
    insert_texture(details, 0, -1, filled(16, 3, 128));
    store(terrain, "terr");
    store(details, "deta");
    TagEntry* first = collapse_terrain(db, *file, fourcc_id("terr"), fourcc_id("deta"), &problem);
    TagEntry* second = collapse_terrain(db, *file, fourcc_id("terr"), fourcc_id("deta"), &problem);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->name, kCollapsedStackName);
    EXPECT_EQ(second->name, kCollapsedStackName);
    EXPECT_NE(first->id, second->id);
    EXPECT_EQ(db.find_tag_in_file(*file, kTextureStackType, first->id), first);
}

TEST_F(Collapse, InputUsersCanMakeIsRefusedWithTheStackAndTexture) {
    const auto refused = [&](StackSet terrain, StackSet details, const std::string& message) {
        TagEntry& t = store(terrain, "terr");
        TagEntry& d = store(details, "deta");
        const std::size_t before = db.total_tag_count();
        EXPECT_EQ(collapse_terrain(db, *file, fourcc_id("terr"), fourcc_id("deta"), &problem), nullptr);
        EXPECT_EQ(problem, message);
        EXPECT_EQ(db.total_tag_count(), before);
        db.delete_tag(t);
        db.delete_tag(d);
    };
    const auto one_detail = [] {
        StackSet details;
        insert_texture(details, 0, -1, filled(16, 3, 1));
        return details;
    };
    {
        StackSet terrain; // of several refused tiles, the first in stack order is named
        insert_texture(terrain, 0, -1, filled(128, 3, 1));
        for (std::size_t s = 1; s < 40; ++s) insert_texture(terrain, s, -1, filled(64, 3, 1));
        refused(std::move(terrain), one_detail(), "terrain stack 1, texture 0: the base map must be 128 x 128 with 3 channels");
    }
    {
        StackSet terrain;
        insert_texture(terrain, 0, -1, filled(128, 3, 1));
        insert_texture(terrain, 1, -1, filled(128, 3, 1));
        insert_texture(terrain, 1, -1, filled(128, 2, 1, kLayerDetailMask, 0));
        refused(std::move(terrain), one_detail(), "terrain stack 1, texture 1: a detail mask must be 128 x 128 with 1 channel");
    }
    {
        StackSet terrain;
        insert_texture(terrain, 0, -1, filled(128, 3, 1));
        insert_texture(terrain, 0, -1, filled(128, 1, 1, kLayerDetailMask, 5));
        refused(std::move(terrain), one_detail(), "terrain stack 0, texture 1: detail mask 5 has no detail texture");
    }
    {
        StackSet terrain, details;
        insert_texture(terrain, 0, -1, filled(128, 3, 1));
        for (std::size_t s = 0; s < 17; ++s) insert_texture(details, s, -1, filled(8, 3, 1));
        refused(std::move(terrain), std::move(details), "detail stack 16, texture 0: at most 16 detail textures can be used");
    }
    {
        StackSet terrain, details;
        insert_texture(terrain, 0, -1, filled(128, 3, 1));
        insert_texture(details, 0, -1, filled(8, 1, 1));
        refused(std::move(terrain), std::move(details), "detail stack 0, texture 0: a detail texture needs 3 or 4 channels");
    }
}

TEST_F(Collapse, MissingTagsOrNoStacksMakeNothing) {
    StackSet empty, details;
    insert_texture(details, 0, -1, filled(8, 3, 1));
    store(empty, "terr");
    store(details, "deta");
    EXPECT_EQ(collapse_terrain(db, *file, fourcc_id("terr"), fourcc_id("deta"), &problem), nullptr);
    EXPECT_EQ(problem, "the terrain stack has no stacks");
    EXPECT_EQ(collapse_terrain(db, *file, fourcc_id("nope"), fourcc_id("deta"), &problem), nullptr);
    EXPECT_EQ(problem, "no texture stack nope");
    EXPECT_EQ(db.total_tag_count(), 2u);
}

} // namespace
} // namespace zephane
