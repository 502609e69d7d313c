// The formation editor: units per row and spacing of each kind of formation.

#include "definitions/ui/form_form.h"

#include "app/definition_edit_form.h"
#include "definitions/form.h"
#include "definitions/form_bindings.h"

namespace zephane {

namespace {

using namespace form_bindings;

using F = formation_definition;

constexpr EditorGroup kGroups[] = {
    {kShortLine, 0},   {kLongLine, 0},     {kLooseLine, 0}, {kStaggeredLine, 0},
    {kBoxAndMob, 1},   {kEncirclement, 1}, {kVanguard, 2},  {kCircle, 2},
};

using TformEditForm = TableEditForm<F>;

} // namespace

void register_formation_editor() {
    attach_table_editor<TformEditForm>(1005, "Formations Window", kBindings, kGroups);
}

} // namespace zephane
