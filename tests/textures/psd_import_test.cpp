// Terrain import (tiles of base maps and detail masks) and layer import.

#include <gtest/gtest.h>

#include "psd_builder.h"
#include "textures/psd_import.h"
#include "textures/texture_pixels.h"
#include "texture_fixtures.h"

namespace zephane {
namespace {

using test::build_psd;
using test::PsdBox;
using test::PsdLayerSpec;
using test::PsdSpec;

std::string fixture(const std::string& name) { return std::string(ZEPHANE_TEST_DATA) + "/textures/" + name; }

PsdDocument document_of(const PsdSpec& spec) {
    std::string problem;
    auto document = read_psd(build_psd(spec), &problem);
    EXPECT_TRUE(document) << problem;
    return document ? std::move(*document) : PsdDocument{};
}

// Colour whose red and green are the document x and y (mod 256).
PsdLayerSpec position_layer(PsdBox box) {
    std::vector<std::uint8_t> rgb;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            rgb.push_back(static_cast<std::uint8_t>(x));
            rgb.push_back(static_cast<std::uint8_t>(y));
            rgb.push_back(7);
        }
    return test::colour_layer(box, rgb);
}

PsdLayerSpec mask_layer(PsdBox mask_box, std::uint8_t value) {
    PsdLayerSpec layer = test::colour_layer({0, 0, 1, 1}, {255, 255, 255});
    test::add_mask(layer, mask_box,
                   std::vector<std::uint8_t>(static_cast<std::size_t>(mask_box.width() * mask_box.height()), value));
    return layer;
}

const std::uint8_t* pixel(const stacked_texture& t, int x, int y) {
    return t.compressed_data.data() + (static_cast<std::size_t>(y) * t.width + static_cast<std::size_t>(x)) * t.channels;
}

TEST(TerrainImport, TileGridsFollowTheDocumentSize) {
    const auto grid = [](std::uint32_t side) {
        const TerrainGrid g = terrain_grid(side, side);
        return std::pair{g.tiles_x, g.origin_x};
    };
    EXPECT_EQ(grid(256), std::pair(3, -1));
    EXPECT_EQ(grid(128), std::pair(1, 0));
    EXPECT_EQ(grid(254), std::pair(2, 0));
    EXPECT_EQ(grid(253), std::pair(2, -1));
    EXPECT_EQ(grid(4032), std::pair(32, -1));
}

TEST(TerrainImport, BaseMapsSampleTheFirstLayerClampedIntoItsRectangle) {
    PsdSpec spec;
    spec.width = 200;
    spec.height = 130; // 2 x 2 tiles from (-1, -1)
    spec.layers = {position_layer({2, 3, 120, 190})};
    std::string problem;
    const auto set = import_terrain(document_of(spec), &problem, kRawQuality);
    ASSERT_TRUE(set) << problem;
    ASSERT_EQ(set->stack_count(), 4u);
    const stacked_texture& first = *set->stacks[0].textures[0];
    EXPECT_EQ(first.width, 128);
    EXPECT_EQ(first.channels, 3);
    EXPECT_EQ(first.layer_kind, kLayerBaseTexture);
    EXPECT_EQ(first.du_u, 0);
    EXPECT_EQ(pixel(first, 0, 0)[0], 3);   // (-1, -1) clamps to the layer's corner (3, 2)
    EXPECT_EQ(pixel(first, 0, 0)[1], 2);
    EXPECT_EQ(pixel(first, 10, 20)[0], 9); // document (9, 19)
    EXPECT_EQ(pixel(first, 10, 20)[1], 19);
    const stacked_texture& last = *set->stacks[3].textures[0];
    EXPECT_EQ(pixel(last, 0, 0)[0], 125);  // tile (1, 1) starts at (125, 125)
    EXPECT_EQ(pixel(last, 0, 0)[1], 119);  // rows past 119 repeat the last one
    EXPECT_EQ(pixel(last, 127, 0)[0], 189);
}

TEST(TerrainImport, DetailMasksAreNumberedOverLayersWithMasks) {
    PsdSpec spec;
    spec.width = 256;
    spec.height = 128; // 3 x 1 tiles at x -1, 125, 251
    spec.layers = {position_layer({0, 0, 128, 256}),
                   test::colour_layer({0, 0, 1, 1}, {1, 2, 3}), // no mask: no number
                   mask_layer({0, 0, 128, 60}, 200),             // detail mask 0, tile 0 only
                   mask_layer({0, 130, 128, 256}, 7),            // detail mask 1: too faint anywhere
                   mask_layer({100, 240, 110, 256}, 8)};         // detail mask 2, tiles 1 and 2
    std::string problem;
    const auto set = import_terrain(document_of(spec), &problem, kRawQuality);
    ASSERT_TRUE(set) << problem;
    ASSERT_EQ(set->stack_count(), 3u);
    ASSERT_EQ(set->stacks[0].textures.size(), 2u);
    const stacked_texture& grass = *set->stacks[0].textures[1];
    EXPECT_EQ(grass.layer_kind, kLayerDetailMask);
    EXPECT_EQ(grass.layer, 0);
    EXPECT_EQ(grass.channels, 1);
    EXPECT_EQ(*pixel(grass, 0, 0), 0);    // document x -1 is outside the mask
    EXPECT_EQ(*pixel(grass, 1, 0), 200);
    EXPECT_EQ(*pixel(grass, 61, 0), 0);
    ASSERT_EQ(set->stacks[1].textures.size(), 2u);
    ASSERT_EQ(set->stacks[2].textures.size(), 2u);
    EXPECT_EQ(set->stacks[1].textures[1]->layer, 2);
    EXPECT_EQ(*pixel(*set->stacks[2].textures[1], 4, 100), 8);  // x 255
    EXPECT_EQ(*pixel(*set->stacks[2].textures[1], 5, 100), 0);  // x 256 is past the mask
    EXPECT_EQ(*pixel(*set->stacks[1].textures[1], 115, 100), 8);
}

TEST(TerrainImport, StoresTilesAsJpegAtQuality85) {
    PsdSpec spec;
    spec.width = 128;
    spec.height = 128;
    spec.layers = {position_layer({0, 0, 128, 128}), mask_layer({0, 0, 128, 128}, 255)};
    const auto set = import_terrain(document_of(spec));
    ASSERT_TRUE(set);
    ASSERT_EQ(set->stack_count(), 1u);
    for (const auto& texture : set->stacks[0].textures) {
        EXPECT_EQ(texture->format, kFormatJpeg);
        const auto raw = *decode_texture(*texture, true);
        auto again = test::raw_texture(128, 128, texture->channels, raw.pixels);
        ASSERT_TRUE(recompress_texture(*again, 85));
        EXPECT_LE(again->size(), texture->size() + texture->size() / 10);
    }
}

TEST(TerrainImport, FirstLayerWithoutColourIsRefused) {
    PsdSpec spec;
    spec.width = 128;
    spec.height = 128;
    PsdLayerSpec alpha_only;
    alpha_only.rect = {0, 0, 128, 128};
    alpha_only.channels = {test::plane(-1, std::vector<std::uint8_t>(128 * 128, 255))};
    spec.layers = {alpha_only};
    std::string problem;
    EXPECT_FALSE(import_terrain(document_of(spec), &problem));
    EXPECT_EQ(problem, "the first layer of the document has no colour channels");
    spec.layers.clear();
    EXPECT_FALSE(import_terrain(document_of(spec), &problem));
}

TEST(TerrainImport, GimpTerrainDocument) {
    std::string problem;
    const auto set = import_terrain_file(fixture("gimp-terrain.psd"), &problem);
    ASSERT_TRUE(set) << problem;
    ASSERT_EQ(set->stack_count(), 3u);
    // Grass (detail mask 0) covers x 0-99; Stone (detail mask 1, after an unmasked layer)
    // paints faint values everywhere on its right but a visible block at x 250-255 only.
    ASSERT_EQ(set->stacks[0].textures.size(), 2u);
    EXPECT_EQ(set->stacks[0].textures[1]->layer, 0);
    ASSERT_EQ(set->stacks[1].textures.size(), 2u);
    EXPECT_EQ(set->stacks[1].textures[1]->layer, 1);
    ASSERT_EQ(set->stacks[2].textures.size(), 2u);
    const auto base = decode_texture(*set->stacks[1].textures[0], true);
    ASSERT_TRUE(base);
    EXPECT_NEAR(base->pixels[0], 90, 3);
    EXPECT_NEAR(base->pixels[1], 140, 3);
}

TEST(LayerImport, EachLayerBecomesTheTexturesItsPixelsCallFor) {
    PsdSpec spec;
    spec.width = 8;
    spec.height = 4;
    const std::vector<std::uint8_t> rgb(2 * 2 * 3, 50);
    const std::vector<std::uint8_t> opaque(4, 255), partial = {255, 0, 255, 128};
    PsdLayerSpec plain = test::colour_layer({0, 0, 2, 2}, rgb, &opaque);
    PsdLayerSpec see_through = test::colour_layer({1, 1, 3, 3}, rgb, &partial);
    test::add_mask(see_through, {0, 0, 1, 1}, {17});
    PsdLayerSpec masked = test::colour_layer({0, 0, 2, 2}, rgb, &opaque);
    test::add_mask(masked, {2, 6, 4, 8}, {1, 2, 3, 4});
    PsdLayerSpec full_mask = test::colour_layer({0, 0, 2, 2}, rgb);
    test::add_mask(full_mask, {0, 0, 2, 2}, {255, 255, 255, 255});
    PsdLayerSpec alpha_only;
    alpha_only.rect = {0, 6, 2, 8};
    alpha_only.channels = {test::plane(-1, partial)};
    spec.layers = {plain, see_through, masked, full_mask, alpha_only};

    StackSet set;
    insert_texture(set, 0, -1, test::gradient_texture(2, 2, 3));
    insert_texture(set, 0, -1, test::gradient_texture(2, 2, 3));
    std::vector<stacked_texture*> inserted;
    EXPECT_EQ(import_psd_layers(set, 0, 1, document_of(spec), &inserted), 6u);
    ASSERT_EQ(inserted.size(), 6u);
    ASSERT_EQ(set.stacks[0].textures.size(), 8u);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(find_texture(set, inserted[i]), (TexturePlace{0, static_cast<long>(i + 1)}));

    const auto channels = [&](std::size_t i) { return int{inserted[i]->channels}; };
    EXPECT_EQ(channels(0), 3); // fully opaque without a mask
    EXPECT_EQ(channels(1), 4); // transparency
    EXPECT_EQ(channels(2), 1); // ... and its mask
    EXPECT_EQ(channels(3), 4); // alpha from the mask
    EXPECT_EQ(channels(4), 3); // a mask of 255 everywhere adds nothing
    EXPECT_EQ(channels(5), 1); // transparency alone
    EXPECT_EQ(inserted[2]->layer, 0);
    EXPECT_EQ(inserted[5]->layer, 1); // only masks actually made are counted
    EXPECT_EQ(inserted[2]->layer_kind, kLayerSkinModifier);
    for (const stacked_texture* t : inserted) {
        EXPECT_EQ(t->width, 8);
        EXPECT_EQ(t->format, kFormatRaw);
        EXPECT_EQ(t->size(), t->raw_size());
    }
    EXPECT_EQ(pixel(*inserted[1], 0, 0)[3], 0);   // outside the layer
    EXPECT_EQ(pixel(*inserted[1], 2, 1)[3], 0);   // transparency 0
    EXPECT_EQ(pixel(*inserted[1], 2, 2)[3], 128);
    EXPECT_EQ(pixel(*inserted[1], 0, 0)[0], 50);  // colour clamped over the whole texture
    EXPECT_EQ(*pixel(*inserted[2], 0, 0), 17);
    EXPECT_EQ(pixel(*inserted[3], 7, 3)[3], 4);   // mask at (6..8, 2..4)
    EXPECT_EQ(pixel(*inserted[3], 5, 3)[3], 0);
    EXPECT_EQ(*pixel(*inserted[5], 7, 1), 128);
}

TEST(LayerImport, OnlyPowerOfTwoPsdFiles) {
    PsdSpec spec;
    spec.width = 300;
    spec.height = 256;
    spec.layers = {position_layer({0, 0, 4, 4})};
    StackSet set;
    EXPECT_EQ(import_psd_layers(set, 0, 0, document_of(spec)), 0u);
    EXPECT_EQ(set.stack_count(), 0u);

    EXPECT_TRUE(has_psd_extension("a/b/Terrain.PsD"));
    EXPECT_FALSE(has_psd_extension("terrain.psd2"));
    EXPECT_FALSE(has_psd_extension("terrain.tga"));
    EXPECT_FALSE(has_psd_extension("psd"));
    std::string problem;
    EXPECT_EQ(import_psd_layers_file(set, 0, 0, fixture("../sample.tag"), nullptr, &problem), 0u);
    EXPECT_FALSE(problem.empty());
}

TEST(LayerImport, DocumentsFromOtherWriters) {
    StackSet set;
    std::vector<stacked_texture*> made;
    std::string problem;
    EXPECT_EQ(import_psd_layers_file(set, 0, -1, fixture("gimp-layers.psd"), &made, &problem), 4u) << problem;
    EXPECT_EQ(made[0]->channels, 3); // Ground
    EXPECT_EQ(made[1]->channels, 4); // Rock, partly cleared
    EXPECT_EQ(made[2]->channels, 1); // Rock's mask
    EXPECT_EQ(made[3]->channels, 4); // Paint, shown through its mask
    EXPECT_EQ(pixel(*made[3], 40, 2)[3], 255);
    EXPECT_EQ(pixel(*made[3], 20, 2)[3], 0);

    made.clear();
    EXPECT_EQ(import_psd_layers_file(set, 1, -1, fixture("ag-psd-layers.psd"), &made, &problem), 3u) << problem;
    EXPECT_EQ(made[0]->channels, 3);
    EXPECT_EQ(made[1]->channels, 4);
    EXPECT_EQ(pixel(*made[1], 20, 18)[3], 128);
    EXPECT_EQ(pixel(*made[1], 20, 18)[0], 250);
    EXPECT_EQ(*pixel(*made[2], 4, 12), 255); // the mask reaches past the decal
    EXPECT_EQ(*pixel(*made[2], 3, 12), 0);
    EXPECT_EQ(*pixel(*made[2], 4, 20), 64);
}

} // namespace
} // namespace zephane
