#pragma once
// The mesh effect editor (form 1011, "Mesh Effect Window").

namespace zephane {

void register_mesh_effect_editor();

} // namespace zephane
