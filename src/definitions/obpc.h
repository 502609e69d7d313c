#pragma once
// Observer constants ('obpc'): the camera's motion limits along seven axes.

#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

// Six fixed 16.16 values per axis.
struct observer_axis {
    std::int32_t negative_maximum_velocity;
    std::int32_t negative_acceleration;
    std::int32_t negative_deceleration;
    std::int32_t positive_maximum_velocity;
    std::int32_t positive_acceleration;
    std::int32_t positive_deceleration;
};
static_assert(sizeof(observer_axis) == 24);

struct observer_constants_definition {
    static constexpr tag_type kType = fourcc("obpc");
    static constexpr const char* kStructName = "observer constants definition";
    static constexpr const char* kModule = "obpc.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const observer_constants_definition kDefault;

    // In storage order, which is not the editor's column order.
    observer_axis parallel;                 // 0
    observer_axis orthagonal;               // 24
    observer_axis yaw;                      // 48
    observer_axis orbit;                    // 72
    observer_axis vertical;                 // 96
    observer_axis pitch;                    // 120
    observer_axis zoom;                     // 144
    std::uint8_t reserved168[88];
};
static_assert(sizeof(observer_constants_definition) == 256);

void register_observer_constants_type();

} // namespace zephane
