// The mesh effect editor: the shock's shape, its camera shaking and its drawing.

#include "definitions/ui/meef_form.h"

#include "app/definition_edit_form.h"
#include "definitions/meef.h"

namespace zephane {

namespace {

using M = mesh_effect_definition;

constexpr const char* kShock = "Shock";
constexpr const char* kShockwave = "Shockwave";
constexpr const char* kFlags = "Flags";
constexpr EditorGroup kGroups[] = {{kShock, 0}, {kFlags, 0}, {kShockwave, 1}};

constexpr FieldBinding kBindings[] = {
    bind::number("amplitude", 11101, "Amplitude:", kShock),
    bind::number("velocity", 11102, "Velocity:", kShock),
    bind::number("cutoff_radius", 11103, "Cutoff Radius:", kShock),
    bind::number("dissipation", 11104, "Dissipation:", kShock),
    bind::number("epicenter_offset", 11105, "Epicenter Offset:", kShock),
    bind::popup("camera_shaking", 11106, "Camera Shaking:", kShock),
    bind::flag("flags", 0, 11107, kFlags),
    bind::flag("flags", 1, 11108, kFlags),
    bind::reference("collection", 11109, "Collection:", kShockwave),
    bind::popup("sequence", 11111, "Sequence:", kShockwave),
    bind::number("radial_points", 11112, "Radial Points:", kShockwave),
    bind::number("thickness", 11113, "Thickness:", kShockwave),
    bind::number("height_offset", 11114, "Height Offset:", kShockwave),
};

using TmeefEditForm = TableEditForm<M>;

} // namespace

void register_mesh_effect_editor() {
    attach_table_editor<TmeefEditForm>(1011, "Mesh Effect Window", kBindings, kGroups);
}

} // namespace zephane
