#pragma once
// Ambient sound definitions ('amso'): looping or randomly repeated sounds in the world.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct ambient_sound_definition {
    static constexpr tag_type kType = fourcc("amso");
    static constexpr const char* kStructName = "ambient sound definition";
    static constexpr const char* kModule = "amso.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const ambient_sound_definition kDefault;

    std::uint32_t unknown0;                 // 0   no control
    std::int16_t inner_radius;              // 4   world distance
    std::int16_t outer_radius;              // 6   world distance
    std::int16_t period_lower;              // 8   ticks
    std::int16_t period_span;               // 10  ticks, upper − lower
    tag_id continuous_sound;                // 12  'soun', none when the sound is random
    tag_id random_sound;                    // 16  'soun', none when the sound is continuous
    std::uint32_t unknown20[4];             // 20  no control
    std::int16_t random_sound_radius;       // 36  world distance
    std::uint8_t reserved38[26];
};
static_assert(sizeof(ambient_sound_definition) == 64);
static_assert(offsetof(ambient_sound_definition, random_sound_radius) == 36);

void ambient_sound_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void register_ambient_sound_type();

} // namespace zephane
