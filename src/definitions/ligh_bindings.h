#pragma once
// The lightning editor's binding table, and the group titles its form shares.

#include "definitions/field_binding.h"

namespace zephane::ligh_bindings {

inline constexpr const char* kBolt = "Bolt";
inline constexpr const char* kTextureNumbers = "Texture Numbers";
inline constexpr const char* kForks = "Forks";
inline constexpr const char* kFlags = "Flags";

inline constexpr FieldBinding kBindings[] = {
    bind::reference("texture_stack", 10701, "Texture Stack:", kBolt),
    bind::number("shock_duration", 10711, "Shock Duration:", kBolt, 0, 8),
    bind::number("fade_duration", 10712, "Fade Duration:", kBolt),
    bind::number("bolt_length", 10713, "Bolt Length:", kBolt),
    bind::number("velocity", 10714, "Velocity:", kBolt),
    bind::number("scale", 10715, "Scale:", kBolt),
    bind::number("apparent_number_of_bolts", 10721, "Apparent # of Bolts:", kBolt),
    bind::number("fork_texture_number", 10703, "Fork:", kTextureNumbers),
    bind::number("main_bolt_texture_number", 10704, "Main Bolt:", kTextureNumbers),
    bind::number("mesh_stain_texture_number", 10705, "Mesh Stain (broken):", kTextureNumbers),
    bind::span("fork_segments_lower", "fork_segments_span", 10716, 10717, "Fork Segments:", kForks),
    bind::number("fork_overlap", 10718, "Fork Overlap:", kForks),
    bind::number("main_bolt_overlap", 10719, "Main Bolt Overlap:", kForks),
    bind::number("fork_angle", 10720, "Fork Angle:", kForks),
    bind::flag("flags", 0, 10706, kFlags),
    bind::flag("flags", 1, 10707, kFlags),
    bind::flag("flags", 2, 10708, kFlags),
    bind::flag("flags", 3, 10709, kFlags),
};

} // namespace zephane::ligh_bindings
