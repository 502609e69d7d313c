#pragma once
// Wind definitions ('wind'): how the wind over a map changes.

#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct wind_definition {
    static constexpr tag_type kType = fourcc("wind");
    static constexpr const char* kStructName = "wind definition";
    static constexpr const char* kModule = "wind.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const wind_definition kDefault;

    std::uint32_t unknown0;                 // 0   no control
    std::int32_t adjustment_time_lower;     // 4   ticks
    std::int32_t adjustment_time_delta;     // 8   ticks, decimal range rule
    std::int32_t maximum_adjustment;        // 12  fixed 16.16 per tick
    std::int32_t velocity_lower[3];         // 16  fixed 16.16
    std::int32_t velocity_delta[3];         // 28  32-bit range rule
    std::uint8_t reserved40[88];
};
static_assert(sizeof(wind_definition) == 128);

void register_wind_type();

} // namespace zephane
