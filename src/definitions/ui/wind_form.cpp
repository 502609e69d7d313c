// The wind editor: how often the wind changes, by how much, and its velocity ranges.

#include "definitions/ui/wind_form.h"

#include "app/definition_edit_form.h"
#include "definitions/wind.h"

namespace zephane {

namespace {

using W = wind_definition;

constexpr const char* kAdjustments = "Adjustments";
constexpr const char* kVelocity = "Wind Velocity";
constexpr EditorGroup kGroups[] = {{kAdjustments, 0}, {kVelocity, 0}};

constexpr FieldBinding kBindings[] = {
    bind::decimal_range("time_between_adjustments_lower", "time_between_adjustments_delta", 12801,
                        12802, "Time Between Adjustments:", kAdjustments),
    bind::number("maximum_adjustment_per_tick", 12803, "Maximum Adjustment per Tick:", kAdjustments),
    bind::range("velocity_lower", "velocity_delta", 12804, 12805, "X:", kVelocity, 0),
    bind::range("velocity_lower", "velocity_delta", 12806, 12807, "Y:", kVelocity, 1),
    bind::range("velocity_lower", "velocity_delta", 12808, 12809, "Z:", kVelocity, 2),
};

using TwindEditForm = TableEditForm<W>;

} // namespace

void register_wind_editor() {
    attach_table_editor<TwindEditForm>(1028, "Wind Dialog", kBindings, kGroups);
}

} // namespace zephane
