#pragma once
// Particle system definitions ('part'): weather over a map.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

// One weather state. Durations in ticks, edited as whole seconds; spans are upper − lower.
struct particle_state {
    std::int16_t duration_lower;
    std::int16_t duration_span;
    std::uint16_t intensity_lower;          // unit fraction
    std::uint16_t intensity_span;
    std::int16_t transition_lower;
    std::int16_t transition_span;
};
static_assert(sizeof(particle_state) == 12);

struct particle_system_definition {
    static constexpr tag_type kType = fourcc("part");
    static constexpr const char* kStructName = "particle system definition";
    static constexpr const char* kModule = "part.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const particle_system_definition kDefault;

    std::uint32_t flags;                    // 0
    tag_id sprite;                          // 4   'spri'
    std::int32_t minimum_view_distance;     // 8   world distance
    std::int32_t transparency_rolloff;      // 12  world distance
    std::int32_t transparency_cutoff;       // 16  world distance
    std::int16_t unknown20;                 // 20  no control
    std::int16_t maximum_particles;         // 22
    std::int16_t unknown24;                 // 24  no control
    std::int16_t scale;                     // 26  fixed 8.8
    std::int32_t velocity_lower[3];         // 28  fixed 16.16
    std::int32_t velocity_span[3];          // 40  fixed 16.16
    std::int16_t boundary_conditions[4];    // 52  fixed 8.8
    particle_state not_snowing;             // 60
    particle_state snowing;                 // 72
    tag_id ambient_sound;                   // 84  'amso'
    tag_id splash_group;                    // 88  'lpgr'
    std::int16_t unknown92;                 // 92  no control
    std::int16_t maximum_height;            // 94  world distance
    std::int16_t minimum_height;            // 96  world distance
    std::int16_t unknown98[2];              // 98  no control
    std::uint8_t reserved102[26];
};
static_assert(sizeof(particle_system_definition) == 128);
static_assert(offsetof(particle_system_definition, not_snowing) == 60);
static_assert(offsetof(particle_system_definition, ambient_sound) == 84);

void particle_system_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void register_particle_system_type();

} // namespace zephane
