#pragma once
// The artifact editor's binding table, and the group titles its form shares.

#include "definitions/field_binding.h"

namespace zephane::arti_bindings {

inline constexpr const char* kRestrictions = "Restrictions";
inline constexpr const char* kCharges = "Charges";
inline constexpr const char* kFlags = "Flags";
inline constexpr const char* kAppearance = "Appearance";
inline constexpr const char* kAttack = "Attack";

inline constexpr FieldBinding kBindings[] = {
    bind::reference("monster_restriction", 10103, "Monster Restriction:", kRestrictions),
    bind::popup("specialization_restriction", 10105, "Specialization:", kRestrictions),
    bind::decimal_range("initial_charges_lower", "initial_charges_delta", 10113, 10114,
                        "Initial Charges:", kCharges),
    bind::flag("flags", 0, 10115, kFlags),
    bind::flag("flags", 1, 10116, kFlags),
    bind::reference("collection", 10101, "Collection:", kAppearance),
    bind::popup("inventory_sequence", 10109, "Inventory Sequence:", kAppearance),
    bind::reference("projectiles", 10111, "Projectile:", kAttack),
    bind::reference("special_ability", 10107, "Special Ability:", kAttack),
};

} // namespace zephane::arti_bindings
