#pragma once
// Monster definitions ('mons'): unit kinds with their graphic, animation states, up to four
// attacks, terrain movement, sounds and tuning. The attack slots are converted by descriptors
// of their own, after (and before) the record's main descriptor.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

// The sequence block of an attack with a collection graphic: four entries of three values.
struct monster_attack_sequences {
    struct entry {
        std::int16_t values[3];
        std::uint8_t reserved[2];
    } entries[4];
};
static_assert(sizeof(monster_attack_sequences) == 32);

// With a skeletal model only the first byte counts: the attack's animation state.
union monster_sequence_block {
    monster_attack_sequences sequences;
    std::uint8_t bytes[32];
};
static_assert(sizeof(monster_sequence_block) == 32);

struct monster_attack {
    std::uint16_t flags;                        // 0
    std::uint16_t miss_fraction;                // 2   unit fraction
    tag_id projectile;                          // 4   'proj'
    std::int16_t minimum_range;                 // 8   world distance
    std::int16_t maximum_range;                 // 10  world distance
    monster_sequence_block sequence_block;      // 12
    std::int16_t repetitions;                   // 44
    std::int16_t initial_momentum_lower;        // 46  world distance
    std::int16_t initial_momentum_delta;        // 48
    std::int16_t initial_momentum_error;        // 50  world distance
    std::int16_t recovery_time;                 // 52  ticks
    std::int16_t recovery_time_experience_delta; // 54 ticks
    std::int16_t momentum_experience_delta;     // 56  world distance
    std::int16_t mana_cost;                     // 58  fixed 8.8
    std::uint16_t more_flags;                   // 60
    std::uint8_t reserved62[2];
};
static_assert(sizeof(monster_attack) == 64);
static_assert(offsetof(monster_attack, sequence_block) == 12);

inline constexpr std::size_t kMonsterAttackSlots = 4;
inline constexpr unsigned kMonsterSkeletalBit = 21;

struct monster_definition {
    static constexpr tag_type kType = fourcc("mons");
    static constexpr const char* kStructName = "monster definition";
    static constexpr const char* kModule = "mons.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const monster_definition kDefault;

    std::uint32_t flags;                        // 0
    tag_id graphic;                             // 4   'skmd' with bit 21, else '.256'
    std::int16_t sequences[32];                 // 8   one per animation state
    std::int8_t terrain_passability[16];        // 72  0 passable, −1 impassable
    std::int16_t unknown88;                     // 88  no control
    std::int16_t pathfinding_radius;            // 90  world distance
    std::uint8_t terrain_speed[16];             // 92  unit fraction 8-bit
    std::uint16_t absorbed_fraction;            // 108 unit fraction
    std::int16_t warning_distance;              // 110 world distance
    std::int16_t critical_distance;             // 112 world distance
    std::int16_t healing_fraction;              // 114 fixed 8.8
    std::int16_t initial_ammunition_lower;      // 116
    std::int16_t initial_ammunition_delta;      // 118
    std::int16_t activation_distance;           // 120 world distance
    std::uint8_t reserved122[2];
    std::uint16_t turning_speed;                // 124 angular rate
    std::int16_t base_movement_speed;           // 126 world distance
    std::uint16_t left_handed_fraction;         // 128 unit fraction
    std::int16_t size;                          // 130 popup index
    tag_id object;                              // 132 'obje'
    std::int16_t number_of_attacks;             // 136 0 to 4
    std::int16_t desired_projectile_volume;     // 138 popup index − 1
    monster_attack attacks[kMonsterAttackSlots]; // 140
    tag_id map_action;                          // 396 'temp' (not a dependency)
    std::int16_t unknown400[2];                 // 400 no control
    tag_id gib_death_group;                     // 404 'prgr'
    std::uint8_t reserved408[2];
    std::int16_t maximum_ammunition;            // 410
    std::uint16_t hard_death_system_shock;      // 412 unit fraction
    std::uint16_t flinch_system_shock;          // 414 unit fraction
    tag_id impact_group;                        // 416 'prgr'
    tag_id death_group;                         // 420 'prgr'
    tag_id spelling;                            // 424 'stli'
    tag_id names;                               // 428 'stli'
    tag_id flavor_text;                         // 432 'stli'
    std::uint8_t reserved436[2];
    std::int16_t monster_class;                 // 438 popup index
    std::int16_t allegiance;                    // 440 popup index
    std::int16_t experience_point_value;        // 442
    tag_id sounds[10];                          // 444 'soun'
    tag_id blocked_group;                       // 484 'prgr'
    tag_id absorbed_group;                      // 488 'prgr'
    tag_id ammunition_projectile;               // 492 'proj'
    std::int16_t visibility;                    // 496 popup index − 1
    std::int16_t combined_power;                // 498
    std::int16_t longest_range;                 // 500 world distance
    std::int16_t cost;                          // 502
    std::int8_t sound_types[10];                // 504 popup index − 1
    std::uint8_t reserved514[2];
    tag_id entrance_group;                      // 516 'prgr'
    tag_id local_projectile_group;              // 520 'lpgr'
    tag_id special_ability;                     // 524 'stli'
    tag_id extra_group;                         // 528 'prgr', no control
    std::int16_t maximum_mana;                  // 532 fixed 8.8
    std::int16_t mana_recharge_rate;            // 534 fixed 8.8
    std::uint16_t berserk_system_shock;         // 536 unit fraction
    std::uint16_t berserk_health_fraction;      // 538 unit fraction
    tag_id portrait;                            // 540 '.256'
    std::int16_t maximum_bonus_at_experience;   // 544
    std::int16_t friendlies_morale_bonus;       // 546
    std::int16_t morale_bonus_radius;           // 548 world distance
    std::uint16_t blocking_fraction;            // 550 unit fraction
    tag_id carrying_icon;                       // 552 '.256' (not a dependency)
    std::uint8_t reserved556[468];

    // The attack slots and their sequence blocks, converted by their own descriptors. The
    // flags must be in native order when these run.
    static void finish_read(monster_definition& record);
    static bool prepare_write(monster_definition& record);
};
static_assert(sizeof(monster_definition) == 1024);
static_assert(offsetof(monster_definition, terrain_passability) == 72);
static_assert(offsetof(monster_definition, attacks) == 140);
static_assert(offsetof(monster_definition, map_action) == 396);
static_assert(offsetof(monster_definition, sounds) == 444);
static_assert(offsetof(monster_definition, sound_types) == 504);
static_assert(offsetof(monster_definition, carrying_icon) == 552);

extern const bs_code kMonsterAttackCodes[];          // "monster attack", 64 bytes
extern const bs_code kMonsterAttackSequencesCodes[]; // "monster attack sequences", 32 bytes
extern const bs_code kMonsterAttackSkelanimCodes[];  // "monster attack skelanim", 1 byte

void monster_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void register_monster_type();

} // namespace zephane
