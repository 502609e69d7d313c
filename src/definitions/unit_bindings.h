#pragma once
// The units editor's binding table: the monster, the number of skin variations, and the
// first three variation slots (groups 100, 200, 300; control ids 100 × v + n).

#include "definitions/field_binding.h"

namespace zephane::unit_bindings {

inline constexpr int kVariationCount = 3;
inline constexpr int kCountEdit = 3;
inline constexpr const char* kVariations[] = {"Variation 1", "Variation 2", "Variation 3"};

// The decal's open button: 100 × v + 8 is the variation's colour preview.
constexpr FieldBinding decal(const char* field, int v) {
    FieldBinding b = bind::reference(field, 100 * v + 7, "Decal:", kVariations[v - 1]);
    b.second = 100 * v + 9;
    return b;
}

#define ZEPHANE_UNIT_VARIATION(k, v)                                                               \
    decal("variations[" #k "].decal", v),                                                          \
    bind::number("variations[" #k "].colour_a", 100 * v + 1, "Red A:", kVariations[k], 0),         \
    bind::number("variations[" #k "].colour_a", 100 * v + 2, "Green A:", kVariations[k], 1),       \
    bind::number("variations[" #k "].colour_a", 100 * v + 3, "Blue A:", kVariations[k], 2),        \
    bind::number("variations[" #k "].colour_b", 100 * v + 4, "Red B:", kVariations[k], 0),         \
    bind::number("variations[" #k "].colour_b", 100 * v + 5, "Green B:", kVariations[k], 1),       \
    bind::number("variations[" #k "].colour_b", 100 * v + 6, "Blue B:", kVariations[k], 2)

inline constexpr FieldBinding kBindings[] = {
    bind::reference("monster", 1, "Monster:"),
    bind::number("number_of_skin_variations", kCountEdit, "Number of skin variations:"),
    ZEPHANE_UNIT_VARIATION(0, 1),
    ZEPHANE_UNIT_VARIATION(1, 2),
    ZEPHANE_UNIT_VARIATION(2, 3),
};

#undef ZEPHANE_UNIT_VARIATION

} // namespace zephane::unit_bindings
