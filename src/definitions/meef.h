#pragma once
// Mesh effect definitions ('meef'): ground shocks and camera shakes.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct mesh_effect_definition {
    static constexpr tag_type kType = fourcc("meef");
    static constexpr const char* kStructName = "mesh effect definition";
    static constexpr const char* kModule = "meef.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const mesh_effect_definition kDefault;

    std::uint32_t flags;                    // 0
    std::int16_t amplitude;                 // 4   world distance
    std::int16_t cutoff_radius;             // 6   world distance
    std::int16_t dissipation;               // 8   fixed 8.8
    std::int16_t velocity;                  // 10  world distance
    std::int16_t epicenter_offset;          // 12  world distance
    std::int16_t camera_shaking;            // 14  popup index − 1
    tag_id collection;                      // 16  'core'
    std::int16_t sequence;                  // 20  popup index
    std::int16_t radial_points;             // 22
    std::int16_t thickness;                 // 24  world distance
    std::int16_t height_offset;             // 26  world distance
    std::uint8_t reserved28[8];
};
static_assert(sizeof(mesh_effect_definition) == 36);
static_assert(offsetof(mesh_effect_definition, collection) == 16);

void mesh_effect_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void register_mesh_effect_type();

} // namespace zephane
