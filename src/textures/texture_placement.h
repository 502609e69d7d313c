#pragma once
// The Texture Info dialog's rules, free of widgets: which layer kinds a texture may take,
// which controls each kind makes live, placement values shown in pixels and stored as fixed
// point (16384 = the full side; 128 pixels for a detail mask), the placement proposed when a
// vector is zero, and the values OK stores.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "textures/texture_stack.h"

namespace zephane {

inline constexpr double kPlacementUnit = 16384.0;
inline constexpr int kDetailMaskSide = 128;

// The popup's entries for a texture: the five mask kinds for one channel, the two colour
// kinds otherwise (values of LayerKind).
std::span<const std::uint8_t> texture_info_kinds(int channels);

enum class TeamLogoRule { free, forced_on, forced_off };

struct TextureInfoRules {
    bool layer_live = false; // the "Layer:" edit
    TeamLogoRule team_logo = TeamLogoRule::free;
};
TextureInfoRules texture_info_rules(int layer_kind);

// The pixel sides placement values refer to: width and height, or 128 for a detail mask.
struct PlacementSides {
    int x = 0;
    int y = 0;
};
PlacementSides placement_sides(const stacked_texture& texture, int layer_kind);

double shown_placement(std::int16_t stored, int side);
// Rounded to nearest, clamped to the field.
std::int16_t stored_placement(double shown, int side);
// Up to three decimals, trailing zeros (and a bare point) removed.
std::string placement_text(double shown);

// Origin, dU, dV as (x, y) pairs, in the order the dialog's six edits show them.
using Placement = std::array<double, 6>;
Placement shown_placement(const stacked_texture& texture, int layer_kind);
// With a zero dU or dV vector, the dialog proposes (in shown pixels) origin (32, 32), dU
// (64, 0), dV (0, 64) for a detail texture, and a centred half-size parallelogram otherwise.
bool placement_incomplete(const stacked_texture& texture);
Placement proposed_placement(const stacked_texture& texture, int layer_kind);

// What OK stores: kind, layer and the six values (all zero when the team logo is off and
// the kind is not a detail mask).
struct TextureInfoChoice {
    std::uint8_t layer_kind = 0;
    int layer = 0;
    bool team_logo = false;
    Placement placement{};
    bool do_not_downsample = false;
};
void apply_texture_info(stacked_texture& texture, std::uint16_t& stack_flags,
                        const TextureInfoChoice& choice);
// The team logo box's state for a kind: forced, or the given free state.
bool team_logo_state(int layer_kind, bool free_state);

} // namespace zephane
