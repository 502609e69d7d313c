// The Texture Info dialog's rules: kinds offered, live controls, shown <-> stored placement.

#include "textures/texture_placement.h"
#include "texture_fixtures.h"

#include <gtest/gtest.h>

namespace zephane {
namespace {

TEST(TextureInfoRules, KindsAndTheControlsTheyMakeLive) {
    const auto masks = texture_info_kinds(1);
    EXPECT_EQ(std::vector<std::uint8_t>(masks.begin(), masks.end()),
              (std::vector<std::uint8_t>{1, 3, 4, 5, 6}));
    const auto colours = texture_info_kinds(4);
    EXPECT_EQ(std::vector<std::uint8_t>(colours.begin(), colours.end()), (std::vector<std::uint8_t>{0, 2}));

    EXPECT_TRUE(texture_info_rules(kLayerDetailMask).layer_live);
    EXPECT_TRUE(texture_info_rules(kLayerSkinModifier).layer_live);
    EXPECT_TRUE(texture_info_rules(kLayerDetailTexture).layer_live);
    EXPECT_FALSE(texture_info_rules(kLayerLogoMask).layer_live);
    EXPECT_FALSE(texture_info_rules(kLayerBaseTexture).layer_live);

    EXPECT_TRUE(team_logo_state(kLayerLogoMask, false));
    EXPECT_TRUE(team_logo_state(kLayerDetailTexture, false));
    EXPECT_FALSE(team_logo_state(kLayerDetailMask, true));
    EXPECT_FALSE(team_logo_state(kLayerGlowMask, true));
    EXPECT_TRUE(team_logo_state(kLayerReflectMask, true));
    EXPECT_FALSE(team_logo_state(kLayerBaseTexture, false));
}

TEST(TexturePlacement, ShownInPixelsStoredRounded) {
    EXPECT_DOUBLE_EQ(shown_placement(std::int16_t{8192}, 256), 128.0);
    EXPECT_DOUBLE_EQ(shown_placement(std::int16_t{-16384}, 100), -100.0);
    EXPECT_EQ(stored_placement(128.0, 256), 8192);
    // 0.01 pixel of 256 is 0.64 units: rounds to 1; 0.007 is 0.448: rounds to 0.
    EXPECT_EQ(stored_placement(0.01, 256), 1);
    EXPECT_EQ(stored_placement(0.007, 256), 0);
    EXPECT_EQ(stored_placement(-0.01, 256), -1);
    EXPECT_EQ(stored_placement(1e9, 256), 32767); // clamped to the field
    EXPECT_EQ(placement_text(128.0), "128");
    EXPECT_EQ(placement_text(0.0078125), "0.008");
    EXPECT_EQ(placement_text(2.5), "2.5");
    EXPECT_EQ(placement_text(-0.0001), "0");

    // Every stored value survives being shown and typed back, for usual sides.
    for (int side : {32, 128, 300, 1024}) {
        for (int stored = -32768; stored <= 32767; stored += 97) {
            const double shown = std::stod(placement_text(shown_placement(static_cast<std::int16_t>(stored), side)));
            EXPECT_EQ(stored_placement(shown, side), stored) << side << " " << stored;
        }
    }
}

TEST(TexturePlacement, ProposalsAndWhatOkStores) {
    auto texture = test::gradient_texture(200, 100, 3);
    EXPECT_TRUE(placement_incomplete(*texture));
    EXPECT_EQ(proposed_placement(*texture, kLayerDetailTexture), (Placement{32, 32, 64, 0, 0, 64}));
    EXPECT_EQ(proposed_placement(*texture, kLayerBaseTexture), (Placement{50, 25, 100, 0, 0, 50}));
    texture->du_u = 5;
    EXPECT_TRUE(placement_incomplete(*texture)); // dV still zero
    texture->dv_v = 5;
    EXPECT_FALSE(placement_incomplete(*texture));

    // A detail mask's values refer to 128 pixels whatever its size.
    std::uint16_t flags = 0x8001;
    TextureInfoChoice choice;
    choice.layer_kind = kLayerDetailMask;
    choice.layer = 3;
    choice.team_logo = false; // forced off for a mask, yet the placement is kept
    choice.placement = {64, 32, 128, 0, 0, 128};
    apply_texture_info(*texture, flags, choice);
    EXPECT_EQ(texture->layer_kind, kLayerDetailMask);
    EXPECT_EQ(texture->layer, 3);
    EXPECT_EQ(texture->origin_u, 8192);
    EXPECT_EQ(texture->origin_v, 4096);
    EXPECT_EQ(texture->du_u, 16384);
    EXPECT_EQ(texture->dv_v, 16384);
    EXPECT_EQ(flags, 0); // exactly the "Do not downsample" bit, here off

    // A base texture without the team logo stores all six as zero.
    choice.layer_kind = kLayerBaseTexture;
    choice.do_not_downsample = true;
    apply_texture_info(*texture, flags, choice);
    EXPECT_EQ(texture->origin_u, 0);
    EXPECT_EQ(texture->du_u, 0);
    EXPECT_EQ(texture->dv_v, 0);
    EXPECT_EQ(flags, kStackDoNotDownsample);

    // A detail texture forces the logo on: its placement is stored against width and height.
    choice.layer_kind = kLayerDetailTexture;
    choice.placement = {50, 25, 100, 0, 0, 50};
    apply_texture_info(*texture, flags, choice);
    EXPECT_EQ(texture->origin_u, 4096);
    EXPECT_EQ(texture->origin_v, 4096);
    EXPECT_EQ(texture->du_u, 8192);
    EXPECT_EQ(texture->dv_v, 8192);
}

} // namespace
} // namespace zephane
