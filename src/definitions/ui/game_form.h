#pragma once
// The game parameter editor (form 161): three maps.

namespace zephane {

void register_game_parameter_editor();

} // namespace zephane
