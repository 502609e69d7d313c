// JPEG storage of textures: the codec, Recompress and its keep rule, the quality estimate,
// thumbnails, and damaged streams.

#include <gtest/gtest.h>

#include "textures/texture_pixels.h"
#include "texture_fixtures.h"

namespace zephane {
namespace {

using test::gradient_pixels;
using test::gradient_texture;
using test::noise_pixels;
using test::raw_texture;

int max_difference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    int worst = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        worst = std::max(worst, std::abs(int{a[i]} - int{b[i]}));
    return worst;
}

TEST(TextureJpeg, RecompressStoresEachChannelCountAndDecodesBackClose) {
    for (const int channels : {1, 3, 4}) {
        auto texture = gradient_texture(64, 32, channels);
        const auto original = texture->compressed_data;
        ASSERT_TRUE(recompress_texture(*texture, 90)) << channels;
        EXPECT_EQ(texture->format, kFormatJpeg) << channels;
        EXPECT_LT(texture->size(), original.size()) << channels;
        const auto decoded = decode_texture(*texture, true);
        ASSERT_TRUE(decoded) << channels;
        EXPECT_EQ(decoded->pixels.size(), original.size());
        EXPECT_LE(max_difference(decoded->pixels, original), 12) << channels;
    }
}

TEST(TextureJpeg, FourChannelsAreTwoStreamsBehindALength) {
    auto texture = gradient_texture(32, 32, 4);
    ASSERT_TRUE(recompress_texture(*texture, 80));
    const auto& data = texture->compressed_data;
    const std::size_t length = (std::size_t{data[0]} << 16) | (std::size_t{data[1]} << 8) | data[2];
    ASSERT_LT(3 + length, data.size());
    // Each stream starts with its own start-of-image marker.
    EXPECT_EQ(data[3], 0xFF);
    EXPECT_EQ(data[4], 0xD8);
    EXPECT_EQ(data[3 + length], 0xFF);
    EXPECT_EQ(data[4 + length], 0xD8);
    const auto rgb = jpeg_decompress(std::span(data).subspan(3, length), {.channels = 3});
    const auto alpha = jpeg_decompress(std::span(data).subspan(3 + length), {.channels = 1});
    ASSERT_TRUE(rgb && alpha);
    EXPECT_EQ(alpha->width, 32);
}

TEST(TextureJpeg, KeepRuleNeedsFivePercentOrAThousandBytes) {
    EXPECT_FALSE(jpeg_saves_enough(1950, 2000));
    EXPECT_TRUE(jpeg_saves_enough(1900, 2000));
    EXPECT_TRUE(jpeg_saves_enough(29000, 30000));  // 1000 bytes though under 5 %
    EXPECT_FALSE(jpeg_saves_enough(29001, 30000));

    // Noise does not shrink: the raw data stays exactly as it was.
    auto noisy = raw_texture(64, 64, 1, noise_pixels(64 * 64));
    const auto before = noisy->compressed_data;
    noisy->preview = Thumbnail{1, 1, 1, {1}};
    ASSERT_TRUE(recompress_texture(*noisy, 100));
    EXPECT_EQ(noisy->format, kFormatRaw);
    EXPECT_EQ(noisy->compressed_data, before);
    EXPECT_TRUE(noisy->preview);

    // A JPEG recompressed at a higher quality would grow: it keeps its stream.
    auto texture = gradient_texture(64, 64, 3);
    ASSERT_TRUE(recompress_texture(*texture, 40));
    const auto stream = texture->compressed_data;
    ASSERT_TRUE(recompress_texture(*texture, 95));
    EXPECT_EQ(texture->compressed_data, stream);
}

TEST(TextureJpeg, QualityOutsideOneToHundredGivesRawPixels) {
    for (const int quality : {0, 101, kRawQuality}) {
        auto texture = gradient_texture(48, 16, 4);
        ASSERT_TRUE(recompress_texture(*texture, 75));
        ASSERT_EQ(texture->format, kFormatJpeg);
        texture->preview = Thumbnail{1, 1, 1, {1}};
        ASSERT_TRUE(recompress_texture(*texture, quality));
        EXPECT_EQ(texture->format, kFormatRaw) << quality;
        EXPECT_EQ(texture->size(), 48u * 16u * 4u) << quality;
        EXPECT_FALSE(texture->preview);
    }
}

TEST(TextureJpeg, TwoChannelTexturesStayRaw) {
    auto texture = gradient_texture(32, 32, 2);
    const auto before = texture->compressed_data;
    ASSERT_TRUE(recompress_texture(*texture, 50));
    EXPECT_EQ(texture->format, kFormatRaw);
    EXPECT_EQ(texture->compressed_data, before);
    EXPECT_TRUE(make_thumbnail(*decode_texture(*texture, false)).empty());
}

TEST(TextureJpeg, QualityEstimateFindsTheQualityUsed) {
    for (const int quality : {30, 75, 92}) {
        auto texture = raw_texture(96, 96, 3, test::detailed_pixels(96, 96, 3));
        const auto pixels = decode_texture(*texture, true);
        texture->set_data(*encode_jpeg_data(*pixels, quality), kFormatJpeg);
        const auto estimate = estimate_jpeg_quality(*texture);
        ASSERT_TRUE(estimate);
        EXPECT_NEAR(*estimate, quality, 3) << quality;
    }
}

TEST(TextureJpeg, DamagedStreamsFailThatTextureOnly) {
    auto good = gradient_texture(32, 32, 3);
    ASSERT_TRUE(recompress_texture(*good, 80));
    const auto stream = good->compressed_data;
    const auto fails = [](stacked_texture& t, const char* what) {
        std::string problem;
        EXPECT_FALSE(decode_texture(t, true, &problem)) << what;
        EXPECT_FALSE(problem.empty()) << what;
        EXPECT_FALSE(recompress_texture(t, 50)) << what;
        EXPECT_TRUE(texture_thumbnail(t).empty()) << what;
    };
    auto cut = *good;
    cut.set_data({stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(stream.size() / 2)}, kFormatJpeg);
    fails(cut, "cut in half");
    auto garbage = *good;
    garbage.set_data(noise_pixels(500), kFormatJpeg);
    fails(garbage, "not a JPEG stream");
    auto wrong_size = *good;
    wrong_size.width = 64;
    fails(wrong_size, "header says another size");
    auto gray = *good;
    gray.channels = 1;
    fails(gray, "colour stream for a mask");
    auto bad_length = *good;
    bad_length.channels = 4;
    bad_length.set_data({0xFF, 0xFF, 0xFF, 1, 2}, kFormatJpeg);
    fails(bad_length, "RGB length past the data");
    auto raw_short = *gradient_texture(8, 8, 3);
    raw_short.compressed_data.pop_back();
    fails(raw_short, "raw data one byte short");
    auto odd_format = *good;
    odd_format.format = 7;
    fails(odd_format, "format 7");
}

TEST(TextureJpeg, SmallerTargetDecodesAtReducedScale) {
    auto texture = gradient_texture(128, 64, 3);
    ASSERT_TRUE(recompress_texture(*texture, 90));
    const auto half = decode_texture(*texture, false, nullptr, 64);
    ASSERT_TRUE(half);
    EXPECT_EQ(half->width, 64);
    EXPECT_EQ(half->height, 32);
}

TEST(TextureThumbnails, HalveUntilBothSidesFitIn128) {
    auto wide = gradient_texture(512, 256, 3);
    const Thumbnail& thumb = texture_thumbnail(*wide);
    EXPECT_EQ(thumb.width, 128);
    EXPECT_EQ(thumb.height, 64);
    EXPECT_EQ(thumb.channels, 3);
    EXPECT_EQ(&texture_thumbnail(*wide), &thumb); // cached

    auto square = gradient_texture(128, 128, 4);
    const Thumbnail& same = texture_thumbnail(*square);
    EXPECT_EQ(same.pixels, square->compressed_data);

    // Each output pixel is (sum of its 2 × 2 block + 2) >> 2.
    PixelImage image{256, 2, 1, std::vector<std::uint8_t>(512, 0)};
    image.pixels[0] = 1;
    image.pixels[1] = 2;
    image.pixels[256] = 3;
    image.pixels[257] = 4; // (10 + 2) >> 2 = 3
    image.pixels[2] = 1;   // (1 + 2) >> 2 = 0
    image.pixels[4] = 2;   // (2 + 2) >> 2 = 1
    const Thumbnail small = make_thumbnail(image);
    ASSERT_EQ(small.width, 128);
    EXPECT_EQ(small.height, 1);
    EXPECT_EQ(small.pixels[0], 3);
    EXPECT_EQ(small.pixels[1], 0);
    EXPECT_EQ(small.pixels[2], 1);

    // A side of one pixel stays one pixel while the other halves.
    const Thumbnail thin = make_thumbnail({1, 1000, 1, gradient_pixels(1, 1000, 1)});
    EXPECT_EQ(thin.width, 1);
    EXPECT_EQ(thin.height, 125);
}

} // namespace
} // namespace zephane
