#pragma once
// The game parameter editor's binding table, and the group titles its form shares.

#include "definitions/field_binding.h"

namespace zephane::game_bindings {

inline constexpr const char* kMaps = "Maps";

inline constexpr FieldBinding kBindings[] = {
    bind::reference("meshes", 100, "Map 1:", kMaps, 0),
    bind::reference("meshes", 102, "Map 2:", kMaps, 1),
    bind::reference("meshes", 104, "Map 3:", kMaps, 2),
};

} // namespace zephane::game_bindings
