#pragma once
// Scenery definitions ('scen', version 2): placeable map objects.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct scenery_definition {
    static constexpr tag_type kType = fourcc("scen");
    static constexpr const char* kStructName = "scenery definition";
    static constexpr const char* kModule = "scen.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const scenery_definition kDefault;

    std::uint32_t flags;                    // 0
    tag_id recoloring;                      // 4   'core'
    tag_id object;                          // 8   'obje'
    tag_id projectile;                      // 12  'proj'
    std::int16_t scoring_type;              // 16  popup index
    std::int16_t flag_number;               // 18
    std::uint8_t reserved20[4];
    tag_id impact_group;                    // 24  'prgr'
    tag_id detonation_group;                // 28  'prgr'
    std::uint32_t unknown32[2];             // 32  no control
    std::int16_t undamaged_animation;       // 40  popup index − 1
    std::int16_t ruined_animation;          // 42  popup index − 1
    std::int16_t unknown44;                 // 44  no control
    std::uint8_t reserved46[6];
    std::int16_t model_permutation_delta;   // 52
    std::uint8_t reserved54[2];
    tag_id undamaged_model;                 // 56  'skmd'
    tag_id ruined_model;                    // 60  'skmd'
    std::uint32_t unknown64;                // 64  no control
    std::uint8_t reserved68[60];
};
static_assert(sizeof(scenery_definition) == 128);
static_assert(offsetof(scenery_definition, undamaged_model) == 56);

inline constexpr unsigned kScenerySkeletalBit = 10;

void scenery_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void update_scenery(TagDatabase& db, TagEntry& tag);
void register_scenery_type();

} // namespace zephane
