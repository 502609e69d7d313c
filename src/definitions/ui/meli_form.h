#pragma once
// The mesh lighting editor (form 1012, "Mesh Lighting Dialog").

namespace zephane {

void register_mesh_lighting_editor();

} // namespace zephane
