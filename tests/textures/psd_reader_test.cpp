// The Photoshop reader: documents we build byte by byte, documents other programs wrote,
// and every kind of damage.

#include <gtest/gtest.h>

#include "psd_builder.h"
#include "support/test_support.h"
#include "textures/psd_document.h"

namespace zephane {
namespace {

using test::build_psd;
using test::plane;
using test::PsdLayerSpec;
using test::PsdSpec;

std::string fixture(const std::string& name) { return std::string(ZEPHANE_TEST_DATA) + "/textures/" + name; }

// 4 x 2 colour layer at (1, 2) with transparency, and a 2 x 2 mask at (0, 0).
PsdSpec small_document() {
    const std::vector<std::uint8_t> rgb = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                           13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    const std::vector<std::uint8_t> alpha = {255, 255, 0, 0, 9, 9, 9, 9};
    PsdLayerSpec layer = test::colour_layer({2, 1, 4, 5}, rgb, &alpha);
    test::add_mask(layer, {0, 0, 2, 2}, {10, 20, 30, 40});
    PsdSpec spec;
    spec.width = 8;
    spec.height = 4;
    spec.layers = {layer};
    return spec;
}

std::optional<PsdDocument> read(const PsdSpec& spec, std::string* problem = nullptr) {
    return read_psd(build_psd(spec), problem);
}

void expect_rejected(const PsdSpec& spec, const std::string& part) {
    std::string problem;
    EXPECT_FALSE(read(spec, &problem)) << part;
    EXPECT_NE(problem.find(part), std::string::npos) << problem;
}

TEST(PsdReader, ReadsLayersColourTransparencyAndMask) {
    const auto document = read(small_document());
    ASSERT_TRUE(document);
    EXPECT_EQ(document->width, 8u);
    EXPECT_EQ(document->height, 4u);
    ASSERT_EQ(document->layers.size(), 1u);
    const PsdLayer& layer = document->layers[0];
    EXPECT_EQ(layer.rect.left, 1);
    EXPECT_EQ(layer.rect.width(), 4);
    EXPECT_EQ(layer.name, "Layer");
    ASSERT_TRUE(layer.colour && layer.transparency && layer.mask);
    EXPECT_EQ(std::vector<std::uint8_t>(layer.colour->begin(), layer.colour->begin() + 6),
              (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ((*layer.transparency)[2], 0);
    EXPECT_EQ(*layer.mask, (std::vector<std::uint8_t>{10, 20, 30, 40}));

    const auto rgba = extract_image(layer, PsdImageKind::colour_transparency);
    ASSERT_TRUE(rgba);
    EXPECT_EQ(rgba->channels, 4);
    EXPECT_EQ(rgba->x, 1);
    EXPECT_EQ(rgba->y, 2);
    EXPECT_EQ(rgba->pixels[7], 255);
    EXPECT_EQ(rgba->pixels[4 * 4 + 3], 9);
    const auto mask = extract_image(layer, PsdImageKind::mask);
    ASSERT_TRUE(mask);
    EXPECT_EQ(mask->width, 2);
    PsdLayer bare = layer;
    bare.transparency.reset();
    EXPECT_FALSE(extract_image(bare, PsdImageKind::colour_transparency));
    EXPECT_FALSE(extract_image(bare, PsdImageKind::transparency));
}

TEST(PsdReader, HeaderChecks) {
    PsdSpec spec = small_document();
    spec.signature = "8BPB";
    expect_rejected(spec, "signature");
    spec = small_document();
    spec.version = 2;
    expect_rejected(spec, "version");
    spec = small_document();
    spec.depth = 16;
    expect_rejected(spec, "depth");
    spec = small_document();
    spec.width = 30001;
    expect_rejected(spec, "document size");
}

TEST(PsdReader, NegativeLayerCountCountsItsAbsoluteValue) {
    PsdSpec spec = small_document();
    spec.layers = {spec.layers[0], spec.layers[0], spec.layers[0]};
    spec.negative_layer_count = true; // stored as -3
    const auto document = read(spec);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->layers.size(), 3u);
    EXPECT_EQ(*document->layers[2].mask, (std::vector<std::uint8_t>{10, 20, 30, 40}));
}

TEST(PsdReader, MaskRecordsOf20And36BytesAreReadAnd28Refused) {
    for (const std::uint32_t length : {20u, 36u}) {
        PsdSpec spec = small_document();
        spec.layers[0].mask_length = length;
        const auto document = read(spec);
        ASSERT_TRUE(document) << length;
        EXPECT_EQ(document->layers[0].mask_rect.right, 2) << length;
        EXPECT_EQ(*document->layers[0].mask, (std::vector<std::uint8_t>{10, 20, 30, 40}));
    }
    PsdSpec spec = small_document();
    spec.layers[0].mask_length = 28;
    expect_rejected(spec, "layer mask data length");
}

TEST(PsdReader, EmptyAndFullBlendingRangesReadTheSame) {
    PsdSpec spec = small_document();
    const auto full = read(spec);
    spec.layers[0].empty_blending_ranges = true;
    const auto empty = read(spec);
    ASSERT_TRUE(full && empty);
    EXPECT_EQ(full->layers[0].colour, empty->layers[0].colour);
    EXPECT_EQ(full->layers[0].mask, empty->layers[0].mask);
    EXPECT_EQ(full->layers[0].name, empty->layers[0].name);
}

TEST(PsdReader, RawChannelsAndTheirBounds) {
    PsdSpec spec = small_document();
    for (auto& channel : spec.layers[0].channels) channel.compression = 0;
    const auto raw = read(spec);
    const auto rle = read(small_document());
    ASSERT_TRUE(raw && rle);
    EXPECT_EQ(raw->layers[0].colour, rle->layers[0].colour);
    EXPECT_EQ(raw->layers[0].mask, rle->layers[0].mask);

    // Longer data is clipped to the rectangle; the next channel is still found.
    spec.layers[0].channels[1].pixels.push_back(77);
    const auto longer = read(spec);
    ASSERT_TRUE(longer);
    EXPECT_EQ(longer->layers[0].colour, rle->layers[0].colour);

    spec.layers[0].channels[1].pixels.resize(5);
    expect_rejected(spec, "shorter than its rectangle");

    spec = small_document();
    spec.layers[0].channels[0].compression = 2;
    spec.layers[0].channels[0].data = std::vector<std::uint8_t>(8, 0);
    expect_rejected(spec, "channel compression");
}

// One 4 x 1 colour layer whose red channel holds the given run-length bytes.
PsdSpec red_runs(std::vector<std::uint8_t> rows) {
    PsdSpec spec;
    spec.width = 4;
    spec.height = 1;
    spec.layers = {test::colour_layer({0, 0, 1, 4}, std::vector<std::uint8_t>(12, 0))};
    spec.layers[0].channels[0].data = std::move(rows);
    return spec;
}

TEST(PsdReader, RunLengthRows) {
    // A literal of two bytes and a repeat of two: 5 bytes for a count of 5.
    auto document = read(red_runs({0, 5, 1, 7, 8, 0xFF, 9}));
    ASSERT_TRUE(document);
    EXPECT_EQ((*document->layers[0].colour)[0], 7);
    EXPECT_EQ((*document->layers[0].colour)[3], 8);
    EXPECT_EQ((*document->layers[0].colour)[9], 9);

    // A repeat of 129 (header 128) is clipped at the row's width.
    document = read(red_runs({0, 2, 128, 6}));
    ASSERT_TRUE(document);
    EXPECT_EQ((*document->layers[0].colour)[9], 6);

    // A count of 3 may be overrun to 4, not to 6.
    EXPECT_TRUE(read(red_runs({0, 3, 2, 1, 2, 3})));
    expect_rejected(red_runs({0, 3, 4, 1, 2, 3, 4, 5}), "runs past its byte count");
    // Runs that need bytes the channel does not have.
    expect_rejected(red_runs({0, 5, 9, 1}), "run bytes");
}

TEST(PsdReader, LayerRecordChecks) {
    PsdSpec spec = small_document();
    auto bytes = build_psd(spec);
    const std::string signature = "8BIMnorm";
    const auto at = std::search(bytes.begin(), bytes.end(), signature.begin(), signature.end()) - bytes.begin();
    auto bad_blend = bytes;
    bad_blend[static_cast<std::size_t>(at)] = 'X';
    std::string problem;
    EXPECT_FALSE(read_psd(bad_blend, &problem));
    EXPECT_NE(problem.find("blend signature"), std::string::npos);

    // An extra data length too short for the records inside it.
    auto short_extra = bytes;
    short_extra[static_cast<std::size_t>(at) + 15] = 8;
    EXPECT_FALSE(read_psd(short_extra, &problem));

    // A layer with nothing but a mask channel.
    spec.layers[0].channels = {plane(-2, {10, 20, 30, 40})};
    expect_rejected(spec, "blending ranges");

    // An inverted rectangle.
    spec = small_document();
    spec.layers[0].rect = {4, 5, 2, 1};
    expect_rejected(spec, "layer rectangle");
}

TEST(PsdReader, DamageAnywhereFailsCleanly) {
    const auto bytes = build_psd(small_document());
    for (std::size_t size = 0; size < bytes.size() - 2; ++size) {
        std::string problem;
        const auto document = read_psd(std::span(bytes.data(), size), &problem);
        if (!document) {
            EXPECT_FALSE(problem.empty()) << size;
        }
    }
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        for (const std::uint8_t value : {0x00, 0x7F, 0x80, 0xFF}) {
            auto damaged = bytes;
            damaged[at] = value;
            (void)read_psd(damaged); // must neither crash nor read out of bounds
        }
    }
}

TEST(PsdReaderFixtures, GimpDocumentWithMasksAndTransparency) {
    std::string problem;
    const auto document = read_psd_file(fixture("gimp-layers.psd"), &problem);
    ASSERT_TRUE(document) << problem;
    ASSERT_EQ(document->layers.size(), 3u);
    const PsdLayer& ground = document->layers[0];
    EXPECT_EQ(ground.name, "Ground");
    ASSERT_TRUE(ground.colour);
    EXPECT_EQ((*ground.colour)[0], 10);                         // the block at the top left
    EXPECT_EQ((*ground.colour)[(31 * 64 + 63) * 3 + 1], 100);  // the fill
    const PsdLayer& rock = document->layers[1];
    EXPECT_EQ(rock.rect.left, 16);
    EXPECT_EQ(rock.rect.top, 8);
    EXPECT_EQ(rock.rect.width(), 32);
    ASSERT_TRUE(rock.transparency && rock.mask && rock.colour);
    EXPECT_EQ((*rock.transparency)[0], 0);    // left 8 columns cleared
    EXPECT_EQ((*rock.transparency)[8], 255);
    EXPECT_EQ((*rock.colour)[8 * 3 + 2], 255);
    EXPECT_EQ((*rock.mask)[0], 255);
    EXPECT_EQ(rock.mask->back(), 0);          // bottom rows hidden
    const PsdLayer& paint = document->layers[2];
    ASSERT_TRUE(paint.mask);
    EXPECT_EQ((*paint.mask)[40], 255);
    EXPECT_EQ((*paint.mask)[20 * 64 + 40], 0);
}

TEST(PsdReaderFixtures, AgPsdDocumentWithFullBlendingRangesAndAWideMask) {
    std::string problem;
    const auto document = read_psd_file(fixture("ag-psd-layers.psd"), &problem);
    ASSERT_TRUE(document) << problem;
    ASSERT_EQ(document->layers.size(), 2u);
    const PsdLayer& base = document->layers[0];
    ASSERT_TRUE(base.colour);
    EXPECT_EQ((*base.colour)[(10 * 64 + 5) * 3], 20);
    EXPECT_EQ((*base.colour)[(10 * 64 + 5) * 3 + 1], 40);
    const PsdLayer& decal = document->layers[1];
    EXPECT_EQ(decal.mask_rect.left, 4);
    EXPECT_EQ(decal.mask_rect.bottom, 28);
    ASSERT_TRUE(decal.transparency && decal.mask);
    EXPECT_EQ((*decal.transparency)[9], 128);
    EXPECT_EQ((*decal.mask)[8 * 24], 64);
}

} // namespace
} // namespace zephane
