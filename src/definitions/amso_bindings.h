#pragma once
// The ambient sound editor's binding table, and the group titles its form shares.

#include "definitions/field_binding.h"

namespace zephane::amso_bindings {

inline constexpr const char* kSound = "Sound";
inline constexpr const char* kRadii = "Radii";

inline constexpr FieldBinding kBindings[] = {
    bind::span("period_lower", "period_span", 10007, 10008, "Period (Seconds):", kSound),
    bind::number("random_sound_radius", 10009, "Random Sound Radius:", kSound),
    bind::number("inner_radius", 10005, "Inner Radius:", kRadii),
    bind::number("outer_radius", 10006, "Outer Radius:", kRadii),
};

} // namespace zephane::amso_bindings
