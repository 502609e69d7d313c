#pragma once
// The projectile group editor's binding table, and the binding table of its part dialog (147,
// "Projectile Group Part") over one 32-byte part; the part's projectile button is the
// dialog's own.

#include "definitions/field_binding.h"

namespace zephane::prgr_bindings {

inline constexpr FieldBinding kBindings[] = {
    bind::reference("mesh_effect", 11901, "Mesh Effect:"),
    bind::reference("sound", 11903, "Sound:"),
    bind::reference("local_projectile_group", 11905, "Loc. Proj. Group:"),
};

inline constexpr int kPartResource = 147;
inline constexpr const char* kPartTitle = "Projectile Group Part";
inline constexpr int kPartProjectile = 101;
inline constexpr int kPartOpenProjectile = 102;

inline constexpr FieldBinding kPartBindings[] = {
    bind::range("count_lower", "count_delta", 103, 104, "Count Lower Bound:"),
    bind::range("position_lower", "position_delta", 105, 106, "Position Lower Bound:"),
    bind::number("appearing_fraction", 107, "Appearing Fraction:"),
    bind::flag("flags", 1, 108),
    bind::flag("flags", 0, 109),
};

} // namespace zephane::prgr_bindings
