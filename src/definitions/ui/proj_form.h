#pragma once
// The projectile editor (form 1020, "Projectile Window").

namespace zephane {

void register_projectile_editor();

} // namespace zephane
