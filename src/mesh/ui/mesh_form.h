#pragma once
// TmeshEditForm: the Mesh Terrain Window, a mesh's alternate editor. The header's fog,
// edge buffer zone and prologue values, its references (each picker with a "No Tag" button),
// its collections and its flag bank; the rest of the payload is carried as it is. Its
// controls are in mesh/mesh_header_bindings.h. Also the mesh's creator for Create Tag: the
// New Mesh dialog, then this window on the new mesh.

namespace zephane {

inline constexpr int kMeshTerrainResource = 1040;

void register_mesh_editors();

} // namespace zephane
