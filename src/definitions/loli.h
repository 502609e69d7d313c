#pragma once
// Local light definitions ('loli'): point lights attached to effects.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct local_light_definition {
    static constexpr tag_type kType = fourcc("loli");
    static constexpr const char* kStructName = "local light definition";
    static constexpr const char* kModule = "loli.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const local_light_definition kDefault;

    std::uint16_t unknown0;                 // 0   no control
    std::int16_t fade_in_ticks;             // 2
    std::int16_t sustain_ticks;             // 4
    std::int16_t fade_out_ticks;            // 6
    std::int32_t radius;                    // 8   world distance
    std::uint16_t colour_a[3];              // 12  × 257
    std::uint16_t colour_a_unused;          // 18
    std::uint16_t colour_b[3];              // 20  × 257
    std::uint16_t colour_b_unused;          // 26
    std::uint16_t flicker_rate_w0;          // 28  angle per tick
    std::uint16_t flicker_rate_w1;          // 30
    std::int16_t flicker_amplitude_w0;      // 32
    std::int16_t flicker_amplitude_w1;      // 34
    std::uint16_t jitter_rate_x;            // 36  angle per tick
    std::int16_t jitter_amplitude_x;        // 38  world distance
    std::uint16_t jitter_rate_y;            // 40
    std::int16_t jitter_amplitude_y;        // 42
    std::uint16_t jitter_rate_z;            // 44
    std::int16_t jitter_amplitude_z;        // 46
};
static_assert(sizeof(local_light_definition) == 48);
static_assert(offsetof(local_light_definition, radius) == 8);

void register_local_light_type();

} // namespace zephane
