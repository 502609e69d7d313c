#pragma once
// The media type editor's binding table, and the group titles its form shares.

#include "definitions/field_binding.h"

namespace zephane::medi_bindings {

inline constexpr const char* kSplashes = "Projectile Groups";
inline constexpr const char* kSurfaceEffect = "Surface Effect";
inline constexpr const char* kSurface = "Surface";
inline constexpr const char* kAnimationSets[] = {"Diffuse 0", "Diffuse 1", "Specular 0", "Specular 1"};

// One surface animation set's six values: controls base + 1 to base + 6.
#define ZEPHANE_MEDI_ANIMATION_SET(k, base)                                                          \
    bind::number("surface_animations[" #k "].wobble_scale", base + 1, "Wobble Scale:", kAnimationSets[k]), \
    bind::number("surface_animations[" #k "].wobble_speed", base + 2, "Wobble Speed:", kAnimationSets[k]), \
    bind::number("surface_animations[" #k "].x_scale", base + 3, "X Scale:", kAnimationSets[k]),           \
    bind::number("surface_animations[" #k "].y_scale", base + 4, "Y Scale:", kAnimationSets[k]),           \
    bind::number("surface_animations[" #k "].x_speed", base + 5, "X Speed:", kAnimationSets[k]),           \
    bind::number("surface_animations[" #k "].y_speed", base + 6, "Y Speed:", kAnimationSets[k])

inline constexpr FieldBinding kBindings[] = {
    bind::reference("textures", 11001, "Textures:"),
    bind::reference("splash_groups", 11011, "Small:", kSplashes, 0),
    bind::reference("splash_groups", 11013, "Medium:", kSplashes, 1),
    bind::reference("splash_groups", 11015, "Large:", kSplashes, 2),
    bind::reference("splash_groups", 11017, "Bloody:", kSplashes, 3),
    bind::reference("splash_groups", 11019, "Floating:", kSplashes, 4),
    bind::reference("splash_groups", 11021, "Steam Splash:", kSplashes, 5),
    bind::reference("splash_groups", 11023, "Disturbance:", kSplashes, 6),
    bind::reference("surface_effect", 11003, "Surface Effect:", kSurfaceEffect),
    bind::number("surface_effect_density", 11008, "Density:", kSurfaceEffect),
    bind::number("maximum_effects_per_cell", 11009, "Max. Effects Per Cell:", kSurfaceEffect),
    bind::number("time_between_effects", 11010, "Time Between Effects:", kSurfaceEffect, 0, 3),
    bind::number("minimum_opacity", 12001, "Minimum Opacity:", kSurface),
    bind::number("maximum_opacity", 12002, "Maximum Opacity:", kSurface),
    bind::number("maximum_opacity_at_depth", 12003, "Max. Opacity At Depth:", kSurface),
    bind::number("minimum_specular", 12004, "Minimum Specular:", kSurface),
    bind::number("maximum_specular", 12005, "Maximum Specular:", kSurface),
    bind::number("embossing_fraction", 12006, "Embossing Fraction:", kSurface),
    ZEPHANE_MEDI_ANIMATION_SET(0, 13000),
    ZEPHANE_MEDI_ANIMATION_SET(1, 13500),
    ZEPHANE_MEDI_ANIMATION_SET(2, 14000),
    ZEPHANE_MEDI_ANIMATION_SET(3, 14500),
};

#undef ZEPHANE_MEDI_ANIMATION_SET

} // namespace zephane::medi_bindings
