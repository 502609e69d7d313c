#pragma once
// Every definition type's field table, by tag type: what zephane-tool dumps and loads, and
// what the editors bind to.

#include <span>

#include "definitions/field_table.h"

namespace zephane {

struct DefinitionType {
    tag_type type;
    const RecordLayout* layout; // null for the text types
};

std::span<const DefinitionType> definition_types();
const DefinitionType* find_definition_type(tag_type type);

} // namespace zephane
