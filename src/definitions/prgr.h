#pragma once
// Projectile group definitions ('prgr'): up to fifteen projectile parts spawned together.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct projectile_group_part {
    tag_id projectile;                      // 0   'proj'; a new part starts with none
    std::uint32_t flags;                    // 4
    std::int16_t count_lower;               // 8
    std::int16_t count_delta;               // 10
    std::int16_t position_lower;            // 12  fixed 8.8
    std::int16_t position_delta;            // 14
    std::uint8_t reserved16[4];
    std::uint16_t appearing_fraction;       // 20  unit fraction
    std::uint8_t reserved22[10];
};
static_assert(sizeof(projectile_group_part) == 32);

inline constexpr std::size_t kProjectileGroupParts = 15;

struct projectile_group_definition {
    static constexpr tag_type kType = fourcc("prgr");
    static constexpr const char* kStructName = "projectile group definition";
    static constexpr const char* kModule = "prgr.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const projectile_group_definition kDefault;

    std::uint32_t unknown0;                 // 0   no control
    std::int16_t number_of_parts;           // 4   0 to 15
    std::uint8_t reserved6[2];
    tag_id mesh_effect;                     // 8   'meef'
    tag_id sound;                           // 12  'soun'
    tag_id local_projectile_group;          // 16  'lpgr'
    std::uint8_t reserved20[12];
    projectile_group_part parts[kProjectileGroupParts]; // 32; slots from the count on are zero
};
static_assert(sizeof(projectile_group_definition) == 512);
static_assert(offsetof(projectile_group_definition, parts) == 32);

void projectile_group_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void register_projectile_group_type();

} // namespace zephane
