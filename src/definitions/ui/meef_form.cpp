// The mesh effect editor: the shock's shape, its camera shaking and its drawing.

#include "definitions/ui/meef_form.h"

#include "app/definition_edit_form.h"
#include "definitions/meef.h"
#include "definitions/meef_bindings.h"

namespace zephane {

namespace {

using namespace meef_bindings;

using M = mesh_effect_definition;

constexpr EditorGroup kGroups[] = {{kShock, 0}, {kFlags, 0}, {kShockwave, 1}};

using TmeefEditForm = TableEditForm<M>;

} // namespace

void register_mesh_effect_editor() {
    attach_table_editor<TmeefEditForm>(1011, "Mesh Effect Window", kBindings, kGroups);
}

} // namespace zephane
