#pragma once
// The local physics editor: its binding table (the kind popup) and the binding tables of the
// six kinds' dialogs over the 60-byte block.

#include "definitions/field_binding.h"

#include <span>

namespace zephane::phys_bindings {

inline constexpr int kKindPopup = 20801;
inline constexpr int kEditPhysics = 20802;

inline constexpr FieldBinding kBindings[] = {bind::popup("kind", kKindPopup, "Type:")};

inline constexpr const char* kFlags = "Flags";
inline constexpr const char* kAcceleration = "Linear Acceleration";
inline constexpr const char* kInitialVelocity = "Initial Linear Velocity";
inline constexpr const char* kRandomAcceleration = "Random Acceleration";

inline constexpr FieldBinding kLinear[] = {
    bind::flag("flags", 0, 201, kFlags),
    bind::flag("flags", 1, 202, kFlags),
    bind::number("acceleration", 101, "I:", kAcceleration, 0),
    bind::number("acceleration", 102, "J:", kAcceleration, 1),
    bind::number("acceleration", 103, "K:", kAcceleration, 2),
    bind::range("initial_velocity_lower", "initial_velocity_delta", 107, 108, "I:", kInitialVelocity, 0),
    bind::range("initial_velocity_lower", "initial_velocity_delta", 109, 110, "J:", kInitialVelocity, 1),
    bind::range("initial_velocity_lower", "initial_velocity_delta", 111, 112, "K:", kInitialVelocity, 2),
    bind::number("random_acceleration", 104, "I:", kRandomAcceleration, 0),
    bind::number("random_acceleration", 105, "J:", kRandomAcceleration, 1),
    bind::number("random_acceleration", 106, "K:", kRandomAcceleration, 2),
};
// The flags word has no check boxes.
inline constexpr FieldBinding kCylindrical[] = {
    bind::number("angular_acceleration", 101, "Angular Acceleration:"),
    bind::range("initial_angular_velocity_lower", "initial_angular_velocity_delta", 102, 103,
                "Initial Angular Velocity:"),
    bind::number("initial_z_deviation", 104, "Initial Z Deviation:"),
    bind::number("attraction_constant", 105, "Attraction Constant:"),
    bind::number("radial_velocity", 106, "Radial Velocity:"),
    bind::number("z_acceleration", 107, "Z Acceleration:"),
};
inline constexpr FieldBinding kSphericalSpring[] = {
    bind::flag("flags", 0, 201),
    bind::range("initial_angular_velocity_lower", "initial_angular_velocity_delta", 101, 102,
                "Initial Angular Velocity:"),
    bind::number("attraction_constant", 103, "Attraction Constant:"),
};
inline constexpr FieldBinding kPointAttractor[] = {
    bind::flag("flags", 0, 201),
    bind::number("maximum_velocity", 101, "Maximum Velocity:"),
    bind::number("radial_velocity", 102, "Radial Velocity:"),
    bind::number("attraction_constant", 103, "Attraction Constant:"),
    bind::number("minimum_height_above_mesh", 104, "Minimum Height Above Mesh:"),
};
inline constexpr FieldBinding kConverging[] = {
    bind::flag("flags", 0, 201),
    bind::range("initial_angular_velocity_lower", "initial_angular_velocity_delta", 101, 102,
                "Initial Angular Velocity:"),
    bind::number("phi_minimum", 103, "Phy Minimum:"),
    bind::number("phi_delta", 104, "Phy Delta:"),
};
// The flags word has no check boxes.
inline constexpr FieldBinding kExplosiveGas[] = {
    bind::range("starting_radial_velocity_lower", "starting_radial_velocity_delta", 101, 102,
                "Starting Radial Velocity:"),
    bind::number("radial_acceleration", 106, "Radial Accel.:"),
    bind::number("linear_acceleration", 103, "Linear Acceleration I:", nullptr, 0),
    bind::number("linear_acceleration", 104, "J:", nullptr, 1),
    bind::number("linear_acceleration", 105, "K:", nullptr, 2),
    bind::number("drag_coefficient", 107, "Drag Coeff.:"),
};

struct KindDialog {
    int resource;
    const char* title;
    std::span<const FieldBinding> bindings;
};

// By kind, 0 to 5.
inline constexpr KindDialog kKindDialogs[] = {
    {156, "Linear Physics", kLinear},
    {157, "Cylindrical Physics", kCylindrical},
    {158, "Spherical Spring Physics", kSphericalSpring},
    {159, "Point Attractor Physics", kPointAttractor},
    {160, "Converging Physics", kConverging},
    {163, "Pell's Explosive Gas", kExplosiveGas},
};

} // namespace zephane::phys_bindings
