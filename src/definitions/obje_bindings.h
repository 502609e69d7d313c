#pragma once
// The object editor's binding table, and the group titles its form shares.

#include "definitions/field_binding.h"

namespace zephane::obje_bindings {

inline constexpr const char* kPhysics = "Physics";
inline constexpr const char* kVitality = "Vitality";
inline constexpr const char* kScale = "Scale";
inline constexpr const char* kFlags = "Flags";

inline constexpr FieldBinding kBindings[] = {
    bind::number("gravity", 11601, "Gravity (WU / ticks ^ 2):", kPhysics),
    bind::number("terminal_velocity", 11602, "Terminal Velocity:", kPhysics),
    bind::number("elastic_coefficient", 11603, "Elastic Coefficient:", kPhysics),
    bind::range("scale_lower", "scale_delta", 11606, 11607, "Scale Fraction:", kScale),
    bind::range("maximum_vitality_lower", "maximum_vitality_delta", 11604, 11605,
                "Maximum Vitality:", kVitality),
    bind::number("minimum_damage", 11608, "Minimum Damage:", kVitality),
    bind::flag("flags", 0, 11609, kFlags),
    bind::flag("flags", 1, 11610, kFlags),
    bind::flag("flags", 2, 11611, kFlags),
    bind::flag("flags", 3, 11612, kFlags),
};

} // namespace zephane::obje_bindings
