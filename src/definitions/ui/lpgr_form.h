#pragma once
// The local projectile group editor (form 1009, "Local Projectile Group").

namespace zephane {

void register_local_projectile_group_editor();

} // namespace zephane
