#pragma once
// The particle system editor (form 1018, "Particle Systems Window").

namespace zephane {

void register_particle_system_editor();

} // namespace zephane
