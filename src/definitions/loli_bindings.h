#pragma once
// The local light editor's binding table, and the group titles its form shares.

#include "definitions/field_binding.h"

namespace zephane::loli_bindings {

inline constexpr const char* kLight = "Light";
inline constexpr const char* kColorA = "Color A";
inline constexpr const char* kColorB = "Color B";
inline constexpr const char* kFlicker = "Color Flicker";
inline constexpr const char* kJitter = "Position Jitter";

inline constexpr FieldBinding kBindings[] = {
    bind::number("fade_in_ticks", 12, "Fade In Ticks:", kLight),
    bind::number("sustain_ticks", 13, "Sustain Ticks:", kLight),
    bind::number("fade_out_ticks", 14, "Fade Out Ticks:", kLight),
    bind::number("radius", 1, "Radius:", kLight),
    bind::number("colour_a", 16, "Red:", kColorA, 0),
    bind::number("colour_a", 17, "Green:", kColorA, 1),
    bind::number("colour_a", 18, "Blue:", kColorA, 2),
    bind::number("colour_b", 20, "Red:", kColorB, 0),
    bind::number("colour_b", 21, "Green:", kColorB, 1),
    bind::number("colour_b", 22, "Blue:", kColorB, 2),
    bind::number("colour_flicker_rate_w0", 8, "Rate W0 (Degrees / Tick):", kFlicker),
    bind::number("colour_flicker_amplitude_w0", 9, "Amplitude W0:", kFlicker),
    bind::number("colour_flicker_rate_w1", 10, "Rate W1 (Degrees / Tick):", kFlicker),
    bind::number("colour_flicker_amplitude_w1", 11, "Amplitude W1:", kFlicker),
    bind::number("position_jitter_rate_x", 2, "Rate X (Degrees / Tick):", kJitter),
    bind::number("position_jitter_amplitude_x", 3, "Amplitude X:", kJitter),
    bind::number("position_jitter_rate_y", 4, "Rate Y (Degrees / Tick):", kJitter),
    bind::number("position_jitter_amplitude_y", 5, "Amplitude Y:", kJitter),
    bind::number("position_jitter_rate_z", 6, "Rate Z (Degrees / Tick):", kJitter),
    bind::number("position_jitter_amplitude_z", 7, "Amplitude Z:", kJitter),
};

} // namespace zephane::loli_bindings
