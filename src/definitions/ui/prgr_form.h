#pragma once
// The projectile group editor (form 1019, "Projectile Groups Window").

namespace zephane {

void register_projectile_group_editor();

} // namespace zephane
