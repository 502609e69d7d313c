#pragma once
// The global light editor's binding table, and the group titles its form shares.

#include "definitions/field_binding.h"

namespace zephane::glli_bindings {

inline constexpr const char* kAmbient = "Ambient Lighting";
inline constexpr const char* kSky = "Sky Lighting";
inline constexpr const char* kKeyColour = "Key Light Color";
inline constexpr const char* kFillColour = "Fill Light Color";
inline constexpr const char* kKeyDirection = "Key Light Direction";
inline constexpr const char* kFillDirection = "Fill Light Direction";
inline constexpr const char* kTop = "Top";
inline constexpr const char* kFront = "Front";
inline constexpr const char* kSide = "Side";
inline constexpr const char* kBack = "Back";

#define ZEPHANE_COLOUR(field, first, group)                                                        \
    bind::number(field, first, "Red:", group, 0), bind::number(field, first + 1, "Green:", group, 1), \
        bind::number(field, first + 2, "Blue:", group, 2)

inline constexpr FieldBinding kBindings[] = {
    ZEPHANE_COLOUR("ambient_colour", 2, kAmbient),
    ZEPHANE_COLOUR("sky_colour", 6, kSky),
    ZEPHANE_COLOUR("key_colour", 10, kKeyColour),
    ZEPHANE_COLOUR("fill_colour", 14, kFillColour),
    bind::number("key_direction", 17, "X:", kKeyDirection, 0),
    bind::number("key_direction", 18, "Y:", kKeyDirection, 1),
    bind::number("key_direction", 19, "Z:", kKeyDirection, 2),
    bind::number("fill_direction", 20, "X:", kFillDirection, 0),
    bind::number("fill_direction", 21, "Y:", kFillDirection, 1),
    bind::number("fill_direction", 22, "Z:", kFillDirection, 2),
};
#undef ZEPHANE_COLOUR

} // namespace zephane::glli_bindings
