#pragma once
// The observer constants editor's binding table: one edit box per axis and limit, the
// columns in the order users think of the axes, which is not the storage order.

#include "definitions/field_binding.h"

#include <array>
#include <cstddef>
#include <vector>

namespace zephane::obpc_bindings {

struct Axis {
    const char* title;
    const char* field;
};
inline constexpr std::array<Axis, 7> kColumns = {{{"Parallel", "parallel"},
                                                  {"Orthagonal", "orthagonal"},
                                                  {"Vertical", "vertical"},
                                                  {"Yaw", "yaw"},
                                                  {"Pitch", "pitch"},
                                                  {"Orbit", "orbit"},
                                                  {"Zoom", "zoom"}}};
struct Limit {
    const char* label;
    const char* field;
};
inline constexpr std::array<Limit, 6> kRows = {{{"Maximum Velocity:", "negative_maximum_velocity"},
                                                {"Acceleration:", "negative_acceleration"},
                                                {"Deceleration:", "negative_deceleration"},
                                                {"Maximum Velocity:", "positive_maximum_velocity"},
                                                {"Acceleration:", "positive_acceleration"},
                                                {"Deceleration:", "positive_deceleration"}}};

constexpr int control_id(std::size_t column, std::size_t row) {
    return 11701 + static_cast<int>(column + kColumns.size() * row);
}

// Row by row, a column's fields being "AXIS.LIMIT".
const std::vector<FieldBinding>& axis_bindings();

} // namespace zephane::obpc_bindings
