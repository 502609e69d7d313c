#pragma once
// The animation state names of a skeletal model: what the editors of definitions that play a
// model's animations (scenery, projectiles, monsters, local projectile groups) list in their
// animation popups. Read through the model set's loader, then only the states of its
// skeletal animation tag ('skan', version 2), bounds-checked.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tags/tag_code.h"

namespace zephane {

class TagDatabase;

inline constexpr const char* kModelMissing = "(model missing)";
inline constexpr const char* kModelDamaged = "(model damaged)";

// The state names of a version 2 'skan' payload, in state order; FormatError when the bytes
// do not hold them.
std::vector<std::string> read_skan_state_names(std::span<const std::uint8_t> payload);

struct ModelStateNames {
    std::vector<std::string> names; // the states, when the model could give them
    const char* problem = nullptr;  // else kModelMissing or kModelDamaged
};

// The model set `model` names its animation tag; its states' names. A model that is not
// loaded is missing; one whose payload, animation tag or states cannot be read is damaged.
ModelStateNames skeletal_model_state_names(TagDatabase& db, tag_id model);

} // namespace zephane
