// The connector editor: collection, its two sequences, height fraction and distance.

#include "definitions/ui/conn_form.h"

#include "app/definition_edit_form.h"
#include "definitions/conn.h"

namespace zephane {

namespace {

using C = connector_definition;

constexpr const char* kSequences = "Sequences";
constexpr const char* kShape = "Shape";
constexpr EditorGroup kGroups[] = {{kSequences, 0}, {kShape, 0}};

constexpr FieldBinding kBindings[] = {
    bind::reference("collection", 10301, "Collection:", kSequences),
    bind::popup("normal_sequence", 10303, "Normal:", kSequences),
    bind::popup("damaged_sequence", 10305, "Damaged:", kSequences),
    bind::number("origin_object_height_fraction", 10307, "Origin Object Height Fraction:", kShape),
    bind::number("interpolant_distance", 10308, "Interpolant Distance:", kShape),
};

using TconnEditForm = TableEditForm<C>;

} // namespace

void register_connector_editor() {
    attach_table_editor<TconnEditForm>(1003, "Connectors Window", kBindings, kGroups);
}

} // namespace zephane
