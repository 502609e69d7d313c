#pragma once
// The mesh effect editor's binding table, and the group titles its form shares.

#include "definitions/field_binding.h"

namespace zephane::meef_bindings {

inline constexpr const char* kShock = "Shock";
inline constexpr const char* kShockwave = "Shockwave";
inline constexpr const char* kFlags = "Flags";

inline constexpr FieldBinding kBindings[] = {
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

} // namespace zephane::meef_bindings
