// The connector editor: collection, its two sequences, height fraction and distance.

#include "definitions/ui/conn_form.h"

#include "app/definition_edit_form.h"
#include "definitions/conn.h"
#include "definitions/conn_bindings.h"

namespace zephane {

namespace {

using namespace conn_bindings;

using C = connector_definition;

constexpr EditorGroup kGroups[] = {{kSequences, 0}, {kShape, 0}};

using TconnEditForm = TableEditForm<C>;

} // namespace

void register_connector_editor() {
    attach_table_editor<TconnEditForm>(1003, "Connectors Window", kBindings, kGroups);
}

} // namespace zephane
