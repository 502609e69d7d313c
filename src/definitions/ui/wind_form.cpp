// The wind editor: how often the wind changes, by how much, and its velocity ranges.

#include "definitions/ui/wind_form.h"

#include "app/definition_edit_form.h"
#include "definitions/wind.h"
#include "definitions/wind_bindings.h"

namespace zephane {

namespace {

using namespace wind_bindings;

using W = wind_definition;

constexpr EditorGroup kGroups[] = {{kAdjustments, 0}, {kVelocity, 0}};

using TwindEditForm = TableEditForm<W>;

} // namespace

void register_wind_editor() {
    attach_table_editor<TwindEditForm>(1028, "Wind Dialog", kBindings, kGroups);
}

} // namespace zephane
