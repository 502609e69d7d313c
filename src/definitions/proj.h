#pragma once
// Projectile definitions ('proj', version 2): anything that flies, falls or lies on the
// ground after being thrown or spawned.

#include <cstddef>
#include <cstdint>

#include "definitions/damage.h"
#include "definitions/definition_record.h"

namespace zephane {

struct projectile_definition {
    static constexpr tag_type kType = fourcc("proj");
    static constexpr const char* kStructName = "projectile definition";
    static constexpr const char* kModule = "proj.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;

    std::uint32_t flags;                         // 0
    tag_id graphic;                              // 4   'skmd' with the skeletal marker, else '.256'
    std::int16_t flight_sequence;                // 8   sequences: popup index − 1
    std::int16_t debris_sequence;                // 10
    std::int16_t bounce_sequence;                // 12
    std::int16_t splash_type;                    // 14  popup index − 1
    tag_id detonation_group;                     // 16  'prgr'
    tag_id contrail;                             // 20  'spri' with flag bit 22, else 'proj'
    std::int16_t ticks_between_contrails;        // 24
    std::int16_t maximum_contrails;              // 26
    tag_id object;                               // 28  'obje'
    std::int16_t momentum_to_velocity_lower;     // 32  fixed 8.8
    std::int16_t momentum_to_velocity_delta;     // 34
    std::int16_t random_initial_velocity;        // 36  world distance
    std::int16_t volume;                         // 38  popup index − 1
    std::int16_t tracking_priority;              // 40
    std::uint16_t promotion_fraction;            // 42  unit fraction
    std::uint16_t normal_detonation_frequency;   // 44  unit fraction
    std::uint16_t media_detonation_frequency;    // 46  unit fraction
    std::int16_t detonation_momentum;            // 48  world distance
    std::int16_t projectile_class;               // 50  popup index − 1
    tag_id lightning;                            // 52  'ligh'
    std::uint8_t reserved56[4];
    tag_id sounds[4];                            // 60  'soun': flight, rebound, two more
    std::int16_t animation_rate_lower;           // 76  fixed 8.8
    std::int16_t animation_rate_delta;           // 78
    std::int16_t lifespan_lower;                 // 80  ticks; 0 means no lifespan
    std::int16_t lifespan_span;                  // 82  ticks, upper − lower
    std::uint16_t initial_contrail_frequency;    // 84  unit fraction
    std::uint16_t final_contrail_frequency;      // 86
    std::uint16_t contrail_frequency_change;     // 88
    std::uint16_t guided_turning_speed;          // 90  angular rate
    tag_id promotion_projectile;                 // 92  'proj'
    tag_id promotion_group;                      // 96  'prgr'
    tag_id bounce_stain;                         // 100 'txst'
    damage_definition damage;                    // 104
    tag_id artifact;                             // 120 'arti'
    tag_id target_detonation_group;              // 124 'prgr'
    tag_id detonation_stain;                     // 128 'txst'
    std::int16_t delay_lower;                    // 132 ticks
    std::int16_t delay_span;                     // 134
    tag_id local_projectile_group;               // 136 'lpgr'
    std::int16_t nearby_target_radius;           // 140
    std::uint8_t reserved142[2];
    std::int16_t skeletal_marker;                // 144 kSkeletalMarker or 0
    std::uint8_t blood_stain_colour[4];          // 146 red, green, blue, alpha
    std::uint8_t reserved150[106];
};
static_assert(sizeof(projectile_definition) == 256);
static_assert(offsetof(projectile_definition, sounds) == 60);
static_assert(offsetof(projectile_definition, damage) == 104);
static_assert(offsetof(projectile_definition, skeletal_marker) == 144);
static_assert(offsetof(projectile_definition, blood_stain_colour) == 146);

// The skeletal marker: 0xFEDC when the graphic is a skeletal model.
inline constexpr std::int16_t kSkeletalMarker = -292;
inline constexpr unsigned kProjectileSpriteContrailBit = 22;

void projectile_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void update_projectile(TagDatabase& db, TagEntry& tag);
void register_projectile_type();

} // namespace zephane
