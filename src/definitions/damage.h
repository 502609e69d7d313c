#pragma once
// The damage record: part of a projectile (and of a lightning bolt), edited by the
// "Edit Damage" dialogs. Converted with the descriptor of the record holding it.

#include <cstdint>

#include "definitions/field_table.h"

namespace zephane {

struct damage_definition {
    std::int16_t type;               // 0  popup index − 1 ("NONE" is −1)
    std::uint16_t flags;             // 2
    std::int16_t damage_lower;       // 4  fixed 8.8
    std::int16_t damage_delta;       // 6
    std::int16_t radius_lower;       // 8  world distance, shown with the 32-bit formatter
    std::int16_t radius_delta;       // 10
    std::int16_t rate_of_expansion;  // 12 world distance
    std::int16_t damage_to_velocity; // 14 fixed 8.8
};
static_assert(sizeof(damage_definition) == 16);

inline constexpr const char* kDamageTypeNames[] = {
    "NONE",    "Explosion",      "Magical", "Holding (i.e. shocking)", "Healing",
    "Kinetic", "Slashing Metal", "Stoning", "Slashing Claws",          "Explosive Electricity",
    "Fire",    "Gas",            "Charm",   "Tain"};

// Bit 3 has no check box and is carried unchanged.
inline constexpr const char* kDamageFlagNames[] = {
    "Proportional to Velocity",  "Area of Effect",
    "Does Not Interrupt Events", nullptr,
    "Can Cause Paralysis",       "Can Stun",
    "Cannot Be Blocked",         "Cannot Be Healed",
    "Does Not Affect Monsters",  "Detonates Explosive Immediately",
    "Proportional to Mana",      "Can Destroy Large Objects",
    "Instantaneous",             "Cannot Hurt Owner",
    "Does Not Make Mnosters Flinch", "Can Cause Confusion"};

inline constexpr FieldDef kDamageFields[] = {
    popup(0, 2, "type", kDamageTypeNames, -1),
    flags(2, 2, "flags", kDamageFlagNames),
    field(4, 2, Encoding::fixed_8_8, "damage_lower"),
    i16(6, "damage_delta"),
    field(8, 2, Encoding::world_distance_32, "radius_lower"),
    i16(10, "radius_delta"),
    field(12, 2, Encoding::world_distance_16, "rate_of_expansion"),
    field(14, 2, Encoding::fixed_8_8, "damage_to_velocity"),
};

inline constexpr RecordLayout kDamageLayout{"damage", sizeof(damage_definition), kDamageFields,
                                            nullptr};

} // namespace zephane
