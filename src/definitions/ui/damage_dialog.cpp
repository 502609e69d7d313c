#include "definitions/ui/damage_dialog.h"

#include "app/record_dialog.h"
#include "definitions/damage_bindings.h"

namespace zephane {

namespace {
constexpr EditorGroup kGroups[] = {{nullptr, 0}, {damage_bindings::kFlags, 1}};
} // namespace

bool edit_damage(QWidget* parent, damage_definition& damage) {
    const RecordDialogForm form{damage_bindings::kResource, damage_bindings::kTitle, &kDamageLayout,
                                damage_bindings::kBindings, kGroups, "damage"};
    return run_record_dialog(parent, form,
                             {reinterpret_cast<std::uint8_t*>(&damage), sizeof(damage_definition)});
}

} // namespace zephane
