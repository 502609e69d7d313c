#pragma once
// The monster editor's binding table, the group titles its form shares, and the binding
// tables of two of its dialogs: "Monster Flags" (150) over the flags word and "Monster Attack
// Info" (31333) over one 64-byte attack. The attack list, the attack's projectile button and
// its animation popup are the form's own.

#include "definitions/field_binding.h"

namespace zephane::mons_bindings {

inline constexpr const char* kGraphics = "Graphics";
inline constexpr const char* kBehaviour = "Behaviour";
inline constexpr const char* kDistances = "Distances";
inline constexpr const char* kAmmunition = "Ammunition";
inline constexpr const char* kHealth = "Health and Shock";
inline constexpr const char* kValue = "Value and Morale";
inline constexpr const char* kProjectileGroups = "Projectile Groups";
inline constexpr const char* kStrings = "String Lists";
inline constexpr const char* kAttacks = "Attacks";

inline constexpr int kGraphic = 11501;
inline constexpr int kAttackList = 11514;
inline constexpr int kAddAttack = 11515;
inline constexpr int kDuplicateAttack = 11516;
inline constexpr int kDeleteAttack = 11517;
inline constexpr int kEditSequences = 11561;
inline constexpr int kEditSounds = 11562;
inline constexpr int kEditTerrain = 11563;
inline constexpr int kEditFlags = 11564;
inline constexpr int kUse3DModel = 12000;

inline constexpr FieldBinding kBindings[] = {
    bind::reference("graphic", kGraphic, "Model:", kGraphics),
    bind::flag("flags", 21, kUse3DModel, kGraphics),
    bind::reference("portrait", 12001, "Portrait:", kGraphics),
    bind::reference("carrying_icon", 13000, "Carrying Icon:", kGraphics),
    bind::reference("object", 11503, "Object Tag:", kGraphics),
    bind::reference("local_projectile_group", 11505, "Projectile Group:", kGraphics),
    bind::reference("map_action", 11507, "Map Action Tag:", kGraphics),

    bind::popup("size", 11509, "Size:", kBehaviour),
    bind::popup("visibility", 11510, "Visibility:", kBehaviour),
    bind::popup("class", 11511, "Class:", kBehaviour),
    bind::popup("allegiance", 11512, "Allegiance:", kBehaviour),
    bind::popup("desired_projectile_volume", 11513, "Desired Projectile Volume:", kBehaviour),
    bind::number("turning_speed", 11547, "Turning Speed (per sec):", kBehaviour),
    bind::number("left_handed_fraction", 11546, "Left Handed Fraction:", kBehaviour),

    bind::number("warning_distance", 11538, "Warning:", kDistances),
    bind::number("critical_distance", 11539, "Critical:", kDistances),
    bind::number("activation_distance", 11540, "Activation:", kDistances),
    bind::number("longest_range", 11553, "Longest Range:", kDistances),
    bind::number("pathfinding_radius", 11556, "Pathfinding Radius:", kDistances),

    bind::reference("ammunition_projectile", 11541, "Ammo Tag:", kAmmunition),
    bind::range("initial_ammunition_lower", "initial_ammunition_delta", 11543, 11544, "Initial Count:",
                kAmmunition),
    bind::number("maximum_ammunition", 11545, "Maximum Count:", kAmmunition),

    bind::number("hard_death_system_shock", 11548, "Hard Death Shock:", kHealth),
    bind::number("flinch_system_shock", 11549, "Flinch Shock:", kHealth),
    bind::number("absorbed_fraction", 11550, "Absorbed Fraction:", kHealth),
    bind::number("healing_fraction", 11551, "Healing Fraction:", kHealth),
    bind::number("berserk_system_shock", 11559, "Berserk Shock:", kHealth),
    bind::number("berserk_health_fraction", 11560, "Berserk Health Fraction:", kHealth),
    bind::number("blocking_fraction", 12006, "Blocking Fraction:", kHealth),
    bind::number("maximum_mana", 11557, "Maximum Mana:", kHealth),
    bind::number("mana_recharge_rate", 11558, "Mana Recharge Rate:", kHealth),

    bind::number("combined_power", 11552, "Combined Power:", kValue),
    bind::number("experience_point_value", 11554, "Experience Points:", kValue),
    bind::number("cost", 11555, "Cost:", kValue),
    bind::number("maximum_bonus_at_experience", 12003, "Maximum Bonus At Experience:", kValue),
    bind::number("friendlies_morale_bonus", 12004, "Friendlies' Morale Bonus:", kValue),
    bind::number("morale_bonus_radius", 12005, "Morale Bonus Radius:", kValue),

    bind::reference("gib_death_group", 11518, "Gib Death:", kProjectileGroups),
    bind::reference("impact_group", 11520, "Impact:", kProjectileGroups),
    bind::reference("death_group", 11522, "Death:", kProjectileGroups),
    bind::reference("blocked_group", 11524, "Blocked:", kProjectileGroups),
    bind::reference("absorbed_group", 11526, "Absorbed:", kProjectileGroups),
    bind::reference("entrance_group", 11528, "Entrance:", kProjectileGroups),

    bind::reference("spelling", 11530, "Spelling:", kStrings),
    bind::reference("names", 11532, "Names:", kStrings),
    bind::reference("flavor_text", 11534, "Flavor Text:", kStrings),
    bind::reference("special_ability", 11536, "Special Ability:", kStrings),
};

// "Monster Flags": bit n is box 101 + n, bits 0 to 24 but 21 (the window's "Use 3D Model").
inline constexpr int kFlagsResource = 150;
inline constexpr const char* kFlagsTitle = "Monster Flags";
#define ZEPHANE_MONS_FLAG(n) bind::flag("flags", n, 101 + n)
inline constexpr FieldBinding kFlagBindings[] = {
    ZEPHANE_MONS_FLAG(0),  ZEPHANE_MONS_FLAG(1),  ZEPHANE_MONS_FLAG(2),  ZEPHANE_MONS_FLAG(3),
    ZEPHANE_MONS_FLAG(4),  ZEPHANE_MONS_FLAG(5),  ZEPHANE_MONS_FLAG(6),  ZEPHANE_MONS_FLAG(7),
    ZEPHANE_MONS_FLAG(8),  ZEPHANE_MONS_FLAG(9),  ZEPHANE_MONS_FLAG(10), ZEPHANE_MONS_FLAG(11),
    ZEPHANE_MONS_FLAG(12), ZEPHANE_MONS_FLAG(13), ZEPHANE_MONS_FLAG(14), ZEPHANE_MONS_FLAG(15),
    ZEPHANE_MONS_FLAG(16), ZEPHANE_MONS_FLAG(17), ZEPHANE_MONS_FLAG(18), ZEPHANE_MONS_FLAG(19),
    ZEPHANE_MONS_FLAG(20), ZEPHANE_MONS_FLAG(22), ZEPHANE_MONS_FLAG(23), ZEPHANE_MONS_FLAG(24),
};
#undef ZEPHANE_MONS_FLAG

// "Monster Attack Info": attack flag bit n is box 101 + n, the more flags 151 to 153.
inline constexpr int kAttackResource = 31333;
inline constexpr const char* kAttackTitle = "Monster Attack Info";
inline constexpr int kAttackProjectile = 1;
inline constexpr int kAttackOpenProjectile = 50;
inline constexpr int kAttackAnimation = 200;
inline constexpr const char* kAttackFlags = "Flags";
#define ZEPHANE_ATTACK_FLAG(n) bind::flag("flags", n, 101 + n, kAttackFlags)
inline constexpr FieldBinding kAttackBindings[] = {
    bind::number("minimum_range", 2, "Minimum Range:"),
    bind::number("maximum_range", 3, "Maximum Range:"),
    bind::number("repetitions", 4, "Repetitions:"),
    bind::number("miss_fraction", 5, "Miss Fraction:"),
    bind::range("initial_momentum_lower", "initial_momentum_delta", 6, 7, "Initial Momentum:"),
    bind::number("initial_momentum_error", 8, "Initial Momentum Error:"),
    bind::number("momentum_experience_delta", 9, "Momentum Experience Delta:"),
    bind::number("recovery_time", 10, "Recovery Time:"),
    bind::number("recovery_time_experience_delta", 11, "Recovery Time Experience Delta:"),
    bind::number("mana_cost", 12, "Mana Cost:"),
    ZEPHANE_ATTACK_FLAG(0),  ZEPHANE_ATTACK_FLAG(1),  ZEPHANE_ATTACK_FLAG(2),  ZEPHANE_ATTACK_FLAG(3),
    ZEPHANE_ATTACK_FLAG(4),  ZEPHANE_ATTACK_FLAG(5),  ZEPHANE_ATTACK_FLAG(6),  ZEPHANE_ATTACK_FLAG(7),
    ZEPHANE_ATTACK_FLAG(8),  ZEPHANE_ATTACK_FLAG(9),  ZEPHANE_ATTACK_FLAG(10), ZEPHANE_ATTACK_FLAG(11),
    ZEPHANE_ATTACK_FLAG(12), ZEPHANE_ATTACK_FLAG(13), ZEPHANE_ATTACK_FLAG(14), ZEPHANE_ATTACK_FLAG(15),
    bind::flag("more_flags", 0, 151, kAttackFlags),
    bind::flag("more_flags", 1, 152, kAttackFlags),
    bind::flag("more_flags", 2, 153, kAttackFlags),
};
#undef ZEPHANE_ATTACK_FLAG

} // namespace zephane::mons_bindings
