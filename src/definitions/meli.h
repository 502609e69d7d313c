#pragma once
// Mesh lighting definitions ('meli'): the light that shades a map.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct mesh_lighting_definition {
    static constexpr tag_type kType = fourcc("meli");
    static constexpr const char* kStructName = "mesh lighting definition";
    static constexpr const char* kModule = "meli.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const mesh_lighting_definition kDefault;

    std::int32_t incident_light[3];                     // 0   fixed 16.16
    std::int32_t ambient_intensity;                     // 12  fixed 16.16
    std::int32_t maximum_diffuse_intensity;             // 16
    std::int32_t model_shading_diffuse_intensity;       // 20
    std::int32_t maximum_total_intensity;               // 24
    std::int16_t maximum_shadow_distance;               // 28
    std::int16_t filter_width;                          // 30
    float gaussian_width;                               // 32
    std::uint8_t reserved36[28];
};
static_assert(sizeof(mesh_lighting_definition) == 64);
static_assert(sizeof(float) == 4);
static_assert(offsetof(mesh_lighting_definition, gaussian_width) == 32);

void register_mesh_lighting_type();

} // namespace zephane
