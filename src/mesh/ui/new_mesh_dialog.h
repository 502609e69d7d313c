#pragma once
// The New Mesh dialog: the mesh's size in cells, checked after every change; OK only while
// both sizes are multiples of 32 between 32 and 512.

#include <optional>

class QWidget;

namespace zephane {

inline constexpr int kNewMeshResource = 162;

namespace new_mesh_control {
inline constexpr int kCellWidth = 1;
inline constexpr int kCellHeight = 2;
inline constexpr int kMessage = 3; // the colormap the size needs, or why it cannot be made
inline constexpr int kOk = 100;
inline constexpr int kCancel = 101;
} // namespace new_mesh_control

struct MeshSize {
    int width = 0;
    int height = 0;
};

// The size chosen; nothing when cancelled.
std::optional<MeshSize> run_new_mesh_dialog(QWidget* parent);

} // namespace zephane
