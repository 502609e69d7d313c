#pragma once
// The wind editor's binding table, and the group titles its form shares.

#include "definitions/field_binding.h"

namespace zephane::wind_bindings {

inline constexpr const char* kAdjustments = "Adjustments";
inline constexpr const char* kVelocity = "Wind Velocity";

inline constexpr FieldBinding kBindings[] = {
    bind::decimal_range("time_between_adjustments_lower", "time_between_adjustments_delta", 12801,
                        12802, "Time Between Adjustments:", kAdjustments),
    bind::number("maximum_adjustment_per_tick", 12803, "Maximum Adjustment per Tick:", kAdjustments),
    bind::range("velocity_lower", "velocity_delta", 12804, 12805, "X:", kVelocity, 0),
    bind::range("velocity_lower", "velocity_delta", 12806, 12807, "Y:", kVelocity, 1),
    bind::range("velocity_lower", "velocity_delta", 12808, 12809, "Z:", kVelocity, 2),
};

} // namespace zephane::wind_bindings
