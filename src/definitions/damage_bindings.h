#pragma once
// The damage dialog (153, "Projectile Damage"): its binding table over the damage record,
// shared by every editor with an "Edit Damage" button.

#include "definitions/damage.h"
#include "definitions/field_binding.h"

namespace zephane::damage_bindings {

inline constexpr int kResource = 153;
inline constexpr const char* kTitle = "Projectile Damage";
inline constexpr const char* kFlags = "Flags";

inline constexpr FieldBinding kBindings[] = {
    bind::popup("type", 101, "Type:"),
    bind::range("damage_lower", "damage_delta", 102, 103, "Damage:"),
    bind::range("radius_lower", "radius_delta", 104, 105, "Radius:"),
    bind::number("rate_of_expansion", 106, "Rate of Expansion:"),
    bind::number("damage_to_velocity", 107, "Damage To Velocity"),
    // Bit 3 has no box: it is carried as stored.
    bind::flag("flags", 0, 201, kFlags),  bind::flag("flags", 1, 202, kFlags),
    bind::flag("flags", 2, 203, kFlags),  bind::flag("flags", 4, 205, kFlags),
    bind::flag("flags", 5, 206, kFlags),  bind::flag("flags", 6, 207, kFlags),
    bind::flag("flags", 7, 208, kFlags),  bind::flag("flags", 8, 209, kFlags),
    bind::flag("flags", 9, 210, kFlags),  bind::flag("flags", 10, 211, kFlags),
    bind::flag("flags", 11, 212, kFlags), bind::flag("flags", 12, 213, kFlags),
    bind::flag("flags", 13, 214, kFlags), bind::flag("flags", 14, 215, kFlags),
    bind::flag("flags", 15, 216, kFlags),
};

} // namespace zephane::damage_bindings
