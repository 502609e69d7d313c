#pragma once
// The monster editor (form 1015, "Monster Window").

namespace zephane {

void register_monster_editor();

} // namespace zephane
