#pragma once
// Global light definitions ('glli'): the lighting of a whole map.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct global_light_definition {
    static constexpr tag_type kType = fourcc("glli");
    static constexpr const char* kStructName = "global light definition";
    static constexpr const char* kModule = "glli.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const global_light_definition kDefault;

    // Colours: red, green, blue, each typed 0..255 and stored × 257; a fourth word unused.
    std::uint16_t ambient_colour[3];        // 0
    std::uint16_t ambient_unused;           // 6
    std::uint16_t sky_colour[3];            // 8
    std::uint16_t sky_unused;               // 14
    std::uint16_t key_colour[3];            // 16
    std::uint16_t key_unused;               // 22
    std::uint16_t fill_colour[3];           // 24
    std::uint16_t fill_unused;              // 30
    std::int32_t key_direction[3];          // 32  fixed 16.16
    std::int32_t fill_direction[3];         // 44  fixed 16.16
};
static_assert(sizeof(global_light_definition) == 56);
static_assert(offsetof(global_light_definition, key_direction) == 32);

void register_global_light_type();

} // namespace zephane
