#include "textures/texture_placement.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zephane {

namespace {

constexpr std::uint8_t kMaskKinds[] = {kLayerDetailMask, kLayerSkinModifier, kLayerLogoMask,
                                       kLayerGlowMask, kLayerReflectMask};
constexpr std::uint8_t kColourKinds[] = {kLayerBaseTexture, kLayerDetailTexture};

} // namespace

std::span<const std::uint8_t> texture_info_kinds(int channels) {
    if (channels == 1) return kMaskKinds;
    return kColourKinds;
}

TextureInfoRules texture_info_rules(int layer_kind) {
    TextureInfoRules rules;
    rules.layer_live = layer_kind == kLayerDetailMask || layer_kind == kLayerSkinModifier ||
                       layer_kind == kLayerDetailTexture;
    if (layer_kind == kLayerLogoMask || layer_kind == kLayerDetailTexture)
        rules.team_logo = TeamLogoRule::forced_on;
    else if (layer_kind == kLayerDetailMask || layer_kind == kLayerGlowMask)
        rules.team_logo = TeamLogoRule::forced_off;
    return rules;
}

bool team_logo_state(int layer_kind, bool free_state) {
    switch (texture_info_rules(layer_kind).team_logo) {
    case TeamLogoRule::forced_on: return true;
    case TeamLogoRule::forced_off: return false;
    case TeamLogoRule::free: break;
    }
    return free_state;
}

PlacementSides placement_sides(const stacked_texture& texture, int layer_kind) {
    if (layer_kind == kLayerDetailMask) return {kDetailMaskSide, kDetailMaskSide};
    return {texture.width, texture.height};
}

double shown_placement(std::int16_t stored, int side) { return stored / kPlacementUnit * side; }

std::int16_t stored_placement(double shown, int side) {
    if (side <= 0 || !std::isfinite(shown)) return 0;
    const double stored = std::round(shown * kPlacementUnit / side);
    return static_cast<std::int16_t>(std::clamp(stored, -32768.0, 32767.0));
}

std::string placement_text(double shown) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", shown);
    std::string out = text;
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
    if (out == "-0") out = "0";
    return out;
}

Placement shown_placement(const stacked_texture& texture, int layer_kind) {
    const PlacementSides sides = placement_sides(texture, layer_kind);
    return {shown_placement(texture.origin_u, sides.x), shown_placement(texture.origin_v, sides.y),
            shown_placement(texture.du_u, sides.x),     shown_placement(texture.du_v, sides.y),
            shown_placement(texture.dv_u, sides.x),     shown_placement(texture.dv_v, sides.y)};
}

bool placement_incomplete(const stacked_texture& texture) {
    return (texture.du_u == 0 && texture.du_v == 0) || (texture.dv_u == 0 && texture.dv_v == 0);
}

Placement proposed_placement(const stacked_texture& texture, int layer_kind) {
    if (layer_kind == kLayerDetailTexture) return {32, 32, 64, 0, 0, 64};
    const double w = texture.width, h = texture.height;
    return {w * 0.25, h * 0.25, w * 0.5, 0, 0, h * 0.5};
}

void apply_texture_info(stacked_texture& texture, std::uint16_t& stack_flags,
                        const TextureInfoChoice& choice) {
    texture.layer_kind = choice.layer_kind;
    texture.layer = static_cast<std::uint8_t>(std::clamp(choice.layer, 0, 255));
    const bool logo = team_logo_state(choice.layer_kind, choice.team_logo);
    const bool zero = !logo && choice.layer_kind != kLayerDetailMask;
    const PlacementSides sides = placement_sides(texture, choice.layer_kind);
    std::int16_t* fields[] = {&texture.origin_u, &texture.origin_v, &texture.du_u,
                              &texture.du_v,     &texture.dv_u,     &texture.dv_v};
    for (std::size_t k = 0; k < 6; ++k)
        *fields[k] = zero ? std::int16_t{0}
                          : stored_placement(choice.placement[k], k % 2 == 0 ? sides.x : sides.y);
    stack_flags = choice.do_not_downsample ? kStackDoNotDownsample : std::uint16_t{0};
}

} // namespace zephane
