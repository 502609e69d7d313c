// "Split RGBA" and "Merge RGB and A" on the stack set.

#include <gtest/gtest.h>

#include "textures/texture_pixels.h"
#include "textures/texture_split_merge.h"
#include "texture_fixtures.h"

namespace zephane {
namespace {

using test::gradient_texture;

TEST(SplitRgba, JpegSplitsAtTheLengthAndMergesBackToTheSameBytes) {
    StackSet set;
    auto rgba = gradient_texture(64, 64, 4);
    rgba->layer = 3;
    ASSERT_TRUE(recompress_texture(*rgba, 70));
    const auto original = rgba->compressed_data;
    stacked_texture* colour = rgba.get();
    insert_texture(set, 0, -1, gradient_texture(8, 8, 3));
    insert_texture(set, 0, -1, std::move(rgba));
    insert_texture(set, 0, -1, gradient_texture(8, 8, 1));
    set.dirty = false;

    stacked_texture* alpha = split_rgba(set, *colour);
    ASSERT_NE(alpha, nullptr);
    EXPECT_TRUE(set.dirty);
    EXPECT_EQ(find_texture(set, alpha), (TexturePlace{0, 2})); // right after the colour
    EXPECT_EQ(colour->channels, 3);
    EXPECT_EQ(alpha->channels, 1);
    EXPECT_EQ(alpha->format, kFormatJpeg);
    EXPECT_EQ(alpha->layer_kind, kLayerSkinModifier);
    EXPECT_EQ(alpha->layer, 3);
    EXPECT_EQ(alpha->width, 64);
    EXPECT_EQ(colour->size() + alpha->size() + 3, original.size());
    EXPECT_TRUE(decode_texture(*colour, false));
    EXPECT_TRUE(decode_texture(*alpha, false));

    const stacked_texture* selection[] = {alpha, colour};
    ASSERT_TRUE(can_merge_rgb_and_alpha(selection));
    ASSERT_TRUE(merge_rgb_and_alpha(set, *alpha, *colour));
    EXPECT_EQ(colour->channels, 4);
    EXPECT_EQ(colour->compressed_data, original);
    EXPECT_EQ(set.stacks[0].textures.size(), 3u);
}

TEST(SplitRgba, RawSplitsIntoColourAndAlphaPlanes) {
    StackSet set;
    insert_texture(set, 0, -1, gradient_texture(16, 4, 4));
    stacked_texture& rgba = *texture_at(set, 0, 0);
    const auto original = rgba.compressed_data;
    const stacked_texture* selection[] = {&rgba};
    EXPECT_TRUE(can_split_rgba(selection));
    stacked_texture* alpha = split_rgba(set, rgba);
    ASSERT_NE(alpha, nullptr);
    ASSERT_EQ(alpha->size(), 64u);
    ASSERT_EQ(rgba.size(), 192u);
    EXPECT_EQ(alpha->compressed_data[5], original[5 * 4 + 3]);
    EXPECT_EQ(rgba.compressed_data[5 * 3 + 2], original[5 * 4 + 2]);
    EXPECT_FALSE(can_split_rgba(selection));
    EXPECT_EQ(split_rgba(set, rgba), nullptr); // now 3 channels

    ASSERT_TRUE(merge_rgb_and_alpha(set, rgba, *alpha));
    EXPECT_EQ(rgba.compressed_data, original);
}

TEST(MergeRgbAndA, EnabledOnlyForOneColourAndOneMaskOfTheSameSize) {
    auto colour = gradient_texture(32, 32, 3);
    auto mask = gradient_texture(32, 32, 1);
    auto other_size = gradient_texture(32, 16, 1);
    auto rgba = gradient_texture(32, 32, 4);
    const stacked_texture* pair[] = {colour.get(), mask.get()};
    const stacked_texture* sizes[] = {colour.get(), other_size.get()};
    const stacked_texture* three[] = {colour.get(), mask.get(), mask.get()};
    const stacked_texture* kinds[] = {rgba.get(), mask.get()};
    EXPECT_TRUE(can_merge_rgb_and_alpha(pair));
    EXPECT_FALSE(can_merge_rgb_and_alpha(sizes));
    EXPECT_FALSE(can_merge_rgb_and_alpha(three));
    EXPECT_FALSE(can_merge_rgb_and_alpha(kinds));
}

TEST(MergeRgbAndA, MixedFormatsFollowTheColourTexture) {
    // JPEG colour with a raw alpha: the alpha is compressed too.
    {
        StackSet set;
        insert_texture(set, 0, -1, gradient_texture(64, 64, 3));
        insert_texture(set, 1, -1, gradient_texture(64, 64, 1));
        stacked_texture& colour = *texture_at(set, 0, 0);
        ASSERT_TRUE(recompress_texture(colour, 60));
        ASSERT_TRUE(merge_rgb_and_alpha(set, colour, *texture_at(set, 1, 0)));
        EXPECT_EQ(set.stack_count(), 1u); // the alpha's stack went with it
        EXPECT_EQ(colour.format, kFormatJpeg);
        const auto pixels = decode_texture(colour, true);
        ASSERT_TRUE(pixels);
        EXPECT_EQ(pixels->channels, 4);
    }
    // Raw colour with a JPEG alpha: the alpha is decoded and interleaved.
    {
        StackSet set;
        insert_texture(set, 0, -1, gradient_texture(64, 64, 3));
        insert_texture(set, 0, -1, gradient_texture(64, 64, 1));
        stacked_texture& colour = *texture_at(set, 0, 0);
        ASSERT_TRUE(recompress_texture(*texture_at(set, 0, 1), 60));
        ASSERT_TRUE(merge_rgb_and_alpha(set, colour, *texture_at(set, 0, 1)));
        EXPECT_EQ(colour.format, kFormatRaw);
        EXPECT_EQ(colour.size(), 64u * 64u * 4u);
        EXPECT_EQ(set.stacks[0].textures.size(), 1u);
    }
    // A damaged alpha stream changes nothing.
    {
        StackSet set;
        insert_texture(set, 0, -1, gradient_texture(16, 16, 3));
        insert_texture(set, 0, -1, gradient_texture(16, 16, 1));
        stacked_texture& alpha = *texture_at(set, 0, 1);
        alpha.set_data({1, 2, 3}, kFormatJpeg);
        std::string problem;
        EXPECT_FALSE(merge_rgb_and_alpha(set, *texture_at(set, 0, 0), alpha, &problem));
        EXPECT_FALSE(problem.empty());
        EXPECT_EQ(set.stacks[0].textures.size(), 2u);
        EXPECT_EQ(texture_at(set, 0, 0)->channels, 3);
    }
}

} // namespace
} // namespace zephane
