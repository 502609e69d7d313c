#pragma once
// Local projectile group definitions ('lpgr'): particle-like effects.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct local_projectile_group_definition {
    static constexpr tag_type kType = fourcc("lpgr");
    static constexpr const char* kStructName = "local projectile group definition";
    static constexpr const char* kModule = "lpgr.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const local_projectile_group_definition kDefault;

    std::uint32_t flags;                    // 0
    tag_id graphic;                         // 4   'skmd' (bit 28), 'spri' (bit 30), else 'core'
    tag_id physics;                         // 8   'phys'
    std::int16_t flight_sequence;           // 12  popup index − 1
    std::int16_t stain_sequence;            // 14  popup index − 1
    std::int16_t scale_lower;               // 16  fixed 8.8
    std::int16_t scale_delta;               // 18
    std::int16_t animation_rate_lower;      // 20  fixed 8.8
    std::int16_t animation_rate_delta;      // 22
    std::int16_t target_number_lower;       // 24
    std::int16_t target_number_delta;       // 26
    std::int32_t radius_lower;              // 28  world distance
    std::int32_t radius_delta;              // 32
    std::int32_t expiration_time_lower;     // 36
    std::int32_t expiration_time_delta;     // 40
    std::int16_t transfer_mode;             // 44  popup index
    std::int16_t z_offset;                  // 46  world distance
    std::int16_t startup_transition_lower;  // 48
    std::int16_t startup_transition_delta;  // 50
    std::int16_t ending_transition_lower;   // 52
    std::int16_t ending_transition_delta;   // 54
    std::int32_t duration_lower;            // 56
    std::int32_t duration_delta;            // 60
    std::int16_t z_velocity;                // 64  world distance (32-bit formatter)
    std::int16_t z_acceleration;            // 66  world distance (32-bit formatter)
    std::int16_t initial_delay_lower;       // 68
    std::int16_t initial_delay_delta;       // 70
    std::uint8_t reserved72[8];
    tag_id chained_group;                   // 80  'lpgr'
    tag_id local_light;                     // 84  'loli'
    std::uint8_t reserved88[40];
};
static_assert(sizeof(local_projectile_group_definition) == 128);
static_assert(offsetof(local_projectile_group_definition, chained_group) == 80);

inline constexpr unsigned kLocalGroupSkeletalBit = 28;
inline constexpr unsigned kLocalGroupSpriteBit = 30;

// The graphic's type: the skeletal model wins over the sprite.
tag_type local_projectile_group_graphic_type(std::uint32_t flags);
void local_projectile_group_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void register_local_projectile_group_type();

} // namespace zephane
