#pragma once
// Media type definitions ('medi'): liquid surfaces of a map.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

// One surface animation set: six fixed 8.8 values.
struct media_surface_animation {
    std::int16_t wobble_scale;
    std::int16_t wobble_speed;
    std::int16_t x_scale;
    std::int16_t y_scale;
    std::int16_t x_speed;
    std::int16_t y_speed;
};
static_assert(sizeof(media_surface_animation) == 12);

struct media_type_definition {
    static constexpr tag_type kType = fourcc("medi");
    static constexpr const char* kStructName = "media type definition";
    static constexpr const char* kModule = "medi.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const media_type_definition kDefault;

    std::uint32_t unknown0;                     // 0   no control
    tag_id textures;                            // 4   'txst'
    std::uint8_t reserved8[16];
    tag_id splash_groups[7];                    // 24  'prgr': small, medium, large, bloody,
                                                //     floating, steam splash, disturbance
    std::uint32_t unknown52[9];                 // 52  no control
    std::uint16_t unknown88[5];                 // 88  no control
    std::int16_t surface_effect_density;        // 98  fixed 8.8
    tag_id surface_effect;                      // 100 'lpgr'
    std::uint16_t unknown104[6];                // 104 no control
    std::int16_t maximum_effects_per_cell;      // 116
    std::int16_t time_between_effects;          // 118 ticks
    std::uint16_t unknown120;                   // 120 no control
    std::int16_t minimum_opacity;               // 122 fixed 8.8
    std::int16_t maximum_opacity;               // 124 fixed 8.8
    std::int16_t maximum_opacity_at_depth;      // 126 fixed 8.8
    std::uint16_t minimum_specular;             // 128 unit fraction
    std::uint16_t maximum_specular;             // 130 unit fraction
    std::int16_t embossing_fraction;            // 132 fixed 8.8
    media_surface_animation surface_animations[4]; // 134 diffuse 0, diffuse 1, specular 0, 1
    std::uint8_t reserved182[74];
};
static_assert(sizeof(media_type_definition) == 256);
static_assert(offsetof(media_type_definition, surface_effect) == 100);
static_assert(offsetof(media_type_definition, surface_animations) == 134);

void media_type_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void register_media_type_type();

} // namespace zephane
