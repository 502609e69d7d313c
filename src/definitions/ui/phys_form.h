#pragma once
// The local physics editor (form 1008, "Local Physics Window").

namespace zephane {

void register_local_physics_editor();

} // namespace zephane
