// The mesh lighting editor: the incident light, intensities and shadow smoothing.

#include "definitions/ui/meli_form.h"

#include "app/definition_edit_form.h"
#include "definitions/meli.h"
#include "definitions/meli_bindings.h"

namespace zephane {

namespace {

using namespace meli_bindings;

using M = mesh_lighting_definition;

constexpr EditorGroup kGroups[] = {{kIncident, 0}, {kShadows, 0}, {kIntensities, 1}, {kSmoothing, 1}};

using TmeliEditForm = TableEditForm<M>;

} // namespace

void register_mesh_lighting_editor() {
    attach_table_editor<TmeliEditForm>(1012, "Mesh Lighting Dialog", kBindings, kGroups);
}

} // namespace zephane
