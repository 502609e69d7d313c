#pragma once
// The connector editor's binding table, and the group titles its form shares.

#include "definitions/field_binding.h"

namespace zephane::conn_bindings {

inline constexpr const char* kSequences = "Sequences";
inline constexpr const char* kShape = "Shape";

inline constexpr FieldBinding kBindings[] = {
    bind::reference("collection", 10301, "Collection:", kSequences),
    bind::popup("normal_sequence", 10303, "Normal:", kSequences),
    bind::popup("damaged_sequence", 10305, "Damaged:", kSequences),
    bind::number("origin_object_height_fraction", 10307, "Origin Object Height Fraction:", kShape),
    bind::number("interpolant_distance", 10308, "Interpolant Distance:", kShape),
};

} // namespace zephane::conn_bindings
