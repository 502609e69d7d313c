#include "definitions/mons.h"

#include <algorithm>

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using M = monster_definition;
constexpr Encoding kDistance = Encoding::world_distance_16;
constexpr Encoding kFraction = Encoding::unit_fraction_16;

constexpr const char* kFlagNames[] = {
    "Translates Continuously",
    "Holds With Clear Shot",
    "Floats",
    "Flies",
    "Allows Projectiles To Pass Through",
    "Experience Proportional To Damage",
    "Is An Anit-Missile Unit",
    "Is An Anti-Missile Target",
    "Turns To Stone When Killed",
    "Concentrates On A Single Target",
    "Is Undead",
    "Cannot Be Autotargeted",
    "Is Giant Sized",
    "Does Not Respect Visibility",
    "Is Not Solid",
    "Leaves Contrail",
    "Invisible On Overhead Map",
    "Cannot Be Healed",
    "Does Not Drop Ammo When Dying",
    "Is Inanimate Object",
    "Is Skittish",
    "Use 3D Model",
    "Use pathfinding radius w/ allies",
    "Align pitch and roll to mesh",
    "Immune to tain",
};
constexpr const char* kAttackFlagNames[] = {
    "Is Indirect",     "Doesn't Require Solution", "Aimed at Feet",         "Leads Target",
    "Uses Ammo",       "Uses Carried Projectile",  "Is Reflexive",          "Is Special Ability",
    "Cannot Be Aborted", "Is Primary Attack",      "Avoids Friendly Units", "vs. GIant Sized",
    "Prohibit v. GIant Sized", "Is Fixed Pitch",   "Don't Shoot Over Nearby",
    "Lob To Hit Lower Nearby"};
constexpr const char* kMoreAttackFlagNames[] = {"Can be used against friendlies", "vs. Small Sized",
                                                "Prohibit v. Small Sized"};
constexpr const char* kSizeNames[] = {"Small", "Man-Sized", "Giant"};
constexpr const char* kVolumeNames[] = {"None", "Unwieldly", "Small", "Large"};
constexpr const char* kClassNames[] = {"Melee",    "Missile",  "Suicide",
                                       "Special",  "Harmless", "Ambient Life"};
constexpr const char* kAllegianceNames[] = {"Light", "Dark"};
constexpr const char* kVisibilityNames[] = {"None", "Nearsighted", "Farsighted"};
constexpr const char* kSoundTypeNames[] = {"None",
                                           "Attack Order",
                                           "Multiple Attack Order",
                                           "Attack Order vs. Undead",
                                           "Move Order",
                                           "Multiple Move Order",
                                           "Selection",
                                           "Multiple Selection",
                                           "Hit Friendly Unit",
                                           "Hit By Friendly Unit",
                                           "Attack Obstructed By Friendly Unit",
                                           "Attack Enemy Unit",
                                           "Attack Enemy Unit With Friends Nearby",
                                           "Sprayed By Gore",
                                           "Caused Enemy Death",
                                           "Caused Friendly Death",
                                           "Caused Death of Enemy Undead",
                                           "Caused Multiple Enemy Deaths"};

constexpr FieldDef kSequenceEntryFields[] = {
    i16(0, "values", 3),
    reserved(6, 2, "reserved_6"),
};
constexpr RecordLayout kSequenceEntryLayout{"monster attack sequence", 8, kSequenceEntryFields,
                                            nullptr};
constexpr FieldDef kSequencesFields[] = {record(0, "entries", kSequenceEntryLayout, 4)};
constexpr FieldDef kSkelanimFields[] = {
    int_field(0, 1, false, "animation_state"),
    reserved(1, 31, "reserved_1"),
};
} // namespace

const bs_code kMonsterAttackCodes[] = {
    B, 1, S, S, L, S, S, 32, S, S, S, S, S, S, S, S, S, 2, E};
const bs_code kMonsterAttackSequencesCodes[] = {B, 4, S, S, S, 2, E};
const bs_code kMonsterAttackSkelanimCodes[] = {B, 1, 1, E};

namespace {
constexpr RecordLayout kSequencesLayout{"monster attack sequences", 32, kSequencesFields,
                                        kMonsterAttackSequencesCodes};
// The descriptor converts the first byte only: nothing is swapped.
constexpr RecordLayout kSkelanimLayout{"monster attack skelanim", 32, kSkelanimFields,
                                       kMonsterAttackSkelanimCodes};
constexpr LayoutChoice kSequenceBlockLayouts[] = {
    {flag_bit(0, 4, kMonsterSkeletalBit), &kSkelanimLayout}};

constexpr FieldDef kAttackFields[] = {
    flags(0, 2, "flags", kAttackFlagNames),
    field(2, 2, kFraction, "miss_fraction"),
    reference(4, "projectile", fourcc("proj")),
    field(8, 2, kDistance, "minimum_range"),
    field(10, 2, kDistance, "maximum_range"),
    record_by(12, "sequence_block", kSequencesLayout, kSequenceBlockLayouts),
    i16(44, "repetitions"),
    field(46, 2, kDistance, "initial_momentum_lower"),
    i16(48, "initial_momentum_delta"),
    field(50, 2, kDistance, "initial_momentum_error"),
    int_field(52, 2, true, "recovery_time", 1, Encoding::ticks),
    int_field(54, 2, true, "recovery_time_experience_delta", 1, Encoding::ticks),
    field(56, 2, kDistance, "momentum_experience_delta"),
    field(58, 2, Encoding::fixed_8_8, "mana_cost"),
    flags(60, 2, "more_flags", kMoreAttackFlagNames),
    reserved(62, 2, "reserved_62"),
};
constexpr RecordLayout kAttackLayout{"monster attack", sizeof(monster_attack), kAttackFields,
                                     kMonsterAttackCodes};

constexpr TypeChoice kGraphicTypes[] = {{flag_bit(0, 4, kMonsterSkeletalBit), fourcc("skmd")}};

constexpr FieldDef kFields[] = {
    flags(0, 4, "flags", kFlagNames),
    reference_by(4, "graphic", fourcc(".256"), kGraphicTypes),
    i16(8, "sequences", 32),
    int_field(72, 1, true, "terrain_passability", 16),
    i16(88, "unknown_88"),
    field(90, 2, kDistance, "pathfinding_radius"),
    field(92, 1, Encoding::unit_fraction_8, "terrain_speed", 16),
    field(108, 2, kFraction, "absorbed_fraction"),
    field(110, 2, kDistance, "warning_distance"),
    field(112, 2, kDistance, "critical_distance"),
    field(114, 2, Encoding::fixed_8_8, "healing_fraction"),
    i16(116, "initial_ammunition_lower"),
    i16(118, "initial_ammunition_delta"),
    field(120, 2, kDistance, "activation_distance"),
    reserved(122, 2, "reserved_122"),
    field(124, 2, Encoding::angular_rate, "turning_speed"),
    field(126, 2, kDistance, "base_movement_speed"),
    field(128, 2, kFraction, "left_handed_fraction"),
    popup(130, 2, "size", kSizeNames, 0),
    reference(132, "object", fourcc("obje")),
    i16(136, "number_of_attacks"),
    popup(138, 2, "desired_projectile_volume", kVolumeNames, -1),
    record(140, "attacks", kAttackLayout, kMonsterAttackSlots),
    reference(396, "map_action", fourcc("temp")),
    i16(400, "unknown_400", 2),
    reference(404, "gib_death_group", fourcc("prgr")),
    reserved(408, 2, "reserved_408"),
    i16(410, "maximum_ammunition"),
    field(412, 2, kFraction, "hard_death_system_shock"),
    field(414, 2, kFraction, "flinch_system_shock"),
    reference(416, "impact_group", fourcc("prgr")),
    reference(420, "death_group", fourcc("prgr")),
    reference(424, "spelling", fourcc("stli")),
    reference(428, "names", fourcc("stli")),
    reference(432, "flavor_text", fourcc("stli")),
    reserved(436, 2, "reserved_436"),
    popup(438, 2, "class", kClassNames, 0),
    popup(440, 2, "allegiance", kAllegianceNames, 0),
    i16(442, "experience_point_value"),
    reference(444, "sounds", fourcc("soun"), 10),
    reference(484, "blocked_group", fourcc("prgr")),
    reference(488, "absorbed_group", fourcc("prgr")),
    reference(492, "ammunition_projectile", fourcc("proj")),
    popup(496, 2, "visibility", kVisibilityNames, -1),
    i16(498, "combined_power"),
    field(500, 2, kDistance, "longest_range"),
    i16(502, "cost"),
    popup(504, 1, "sound_types", kSoundTypeNames, -1, true, 10),
    reserved(514, 2, "reserved_514"),
    reference(516, "entrance_group", fourcc("prgr")),
    reference(520, "local_projectile_group", fourcc("lpgr")),
    reference(524, "special_ability", fourcc("stli")),
    reference(528, "extra_group", fourcc("prgr")),
    field(532, 2, Encoding::fixed_8_8, "maximum_mana"),
    field(534, 2, Encoding::fixed_8_8, "mana_recharge_rate"),
    field(536, 2, kFraction, "berserk_system_shock"),
    field(538, 2, kFraction, "berserk_health_fraction"),
    reference(540, "portrait", fourcc(".256")),
    i16(544, "maximum_bonus_at_experience"),
    i16(546, "friendlies_morale_bonus"),
    field(548, 2, kDistance, "morale_bonus_radius"),
    field(550, 2, kFraction, "blocking_fraction"),
    reference(552, "carrying_icon", fourcc(".256")),
    reserved(556, 468, "reserved_556"),
};

// A man-sized monster with no attacks, passable terrain at full speed, no sequences or
// sounds chosen, nothing referenced. Attack slots are zero, as "Add" makes them.
constexpr M make_default() {
    M m{};
    m.graphic = kNoTag;
    for (std::int16_t& sequence : m.sequences) sequence = -1;
    for (std::uint8_t& speed : m.terrain_speed) speed = 255;
    m.size = 1;
    m.object = kNoTag;
    m.desired_projectile_volume = -1;
    m.map_action = kNoTag;
    for (tag_id* id : {&m.gib_death_group, &m.impact_group, &m.death_group, &m.spelling, &m.names,
                       &m.flavor_text, &m.blocked_group, &m.absorbed_group,
                       &m.ammunition_projectile, &m.entrance_group, &m.local_projectile_group,
                       &m.special_ability, &m.extra_group, &m.portrait, &m.carrying_icon})
        *id = kNoTag;
    for (tag_id& sound : m.sounds) sound = kNoTag;
    m.visibility = -1;
    for (std::int8_t& type : m.sound_types) type = -1;
    return m;
}

void convert_attacks(M& record) {
    const bool skeletal = (record.flags >> kMonsterSkeletalBit) & 1u;
    for (monster_attack& attack : record.attacks) {
        byte_swap_data("monster attack", &attack, sizeof attack, 1, kMonsterAttackCodes);
        if (skeletal)
            byte_swap_data("monster attack skelanim", attack.sequence_block.bytes, 1, 1,
                           kMonsterAttackSkelanimCodes);
        else
            byte_swap_data("monster attack sequences", attack.sequence_block.bytes,
                           sizeof(monster_sequence_block), 1, kMonsterAttackSequencesCodes);
    }
}
} // namespace

const bs_code monster_definition::kCodes[] = {
    B, 1,
    L, L,                                           // 0, 4
    B, 32, S, E,                                    // 8 sequences
    16, S, S, 16,                                   // 72 .. 92
    S, S, S, S, S, S, S, 2, S, S, S, S,             // 108 .. 130
    L, S, S,                                        // 132 .. 138
    256,                                            // 140 attacks, converted on their own
    L, S, S, L, 2, S, S, S,                         // 396 .. 414
    L, L, L, L, L, 2, S, S, S,                      // 416 .. 442
    B, 10, L, E,                                    // 444 sounds
    L, L, L, S, S, S, S, 10, 2,                     // 484 .. 514
    L, L, L, L, S, S, S, S, L, S, S, S, S, L,       // 516 .. 552
    468,
    E};
const RecordLayout monster_definition::kLayout{M::kStructName, sizeof(M), kFields, M::kCodes};
const monster_definition monster_definition::kDefault = make_default();

void monster_definition::finish_read(monster_definition& record) { convert_attacks(record); }

bool monster_definition::prepare_write(monster_definition& record) {
    convert_attacks(record);
    return true;
}

// The map action template and the carrying icon are not dependencies.
void monster_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    M m;
    if (!read_definition(db, tag, m)) return;
    const auto report = [&](tag_type type, tag_id id) { reporter.report_dependency(type, id); };
    report((m.flags >> kMonsterSkeletalBit) & 1u ? fourcc("skmd") : fourcc(".256"), m.graphic);
    report(fourcc("obje"), m.object);
    const int attacks = std::clamp<int>(m.number_of_attacks, 0, static_cast<int>(kMonsterAttackSlots));
    for (int k = 0; k < attacks; ++k) report(fourcc("proj"), m.attacks[k].projectile);
    report(fourcc("prgr"), m.gib_death_group);
    report(fourcc("prgr"), m.impact_group);
    report(fourcc("prgr"), m.death_group);
    report(fourcc("stli"), m.spelling);
    report(fourcc("stli"), m.names);
    report(fourcc("stli"), m.flavor_text);
    for (const tag_id sound : m.sounds) report(fourcc("soun"), sound);
    report(fourcc("prgr"), m.blocked_group);
    report(fourcc("prgr"), m.absorbed_group);
    report(fourcc("proj"), m.ammunition_projectile);
    report(fourcc("prgr"), m.entrance_group);
    report(fourcc("prgr"), m.extra_group);
    report(fourcc("lpgr"), m.local_projectile_group);
    report(fourcc("stli"), m.special_ability);
    report(fourcc(".256"), m.portrait);
}

void register_monster_type() {
    attach_definition_operations<M>(monster_dependencies);
}

} // namespace zephane
