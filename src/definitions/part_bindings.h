#pragma once
// The particle system editor's binding table, and the group titles its form shares.

#include "definitions/field_binding.h"

namespace zephane::part_bindings {

inline constexpr const char* kView = "View";
inline constexpr const char* kFlags = "Flags";
inline constexpr const char* kVelocities = "Velocity Ranges";
inline constexpr const char* kBoundaries = "Boundary Conditions";
inline constexpr const char* kNotSnowing = "Not Snowing State";
inline constexpr const char* kSnowing = "Snowing State";

// A state's durations (whole seconds), intensity and transition: controls base to base + 5.
#define ZEPHANE_PART_STATE(state, base, group)                                                        \
    bind::stored_span(state ".duration_lower", state ".duration_span", base, base + 1, "Duration:", group), \
    bind::stored_span(state ".intensity_lower", state ".intensity_span", base + 2, base + 3, "Intensity:",  \
                      group),                                                                          \
    bind::stored_span(state ".transition_duration_lower", state ".transition_duration_span", base + 4,    \
                      base + 5, "Transition Duration:", group)

inline constexpr FieldBinding kBindings[] = {
    bind::reference("sprite", 11801, "Collection:"),
    bind::reference("ambient_sound", 11805, "Ambient Sound:"),
    bind::reference("splash_group", 11807, "Splash Group:"),
    bind::number("minimum_view_distance", 11809, "Minimum View Distance:", kView),
    bind::number("transparency_rolloff_point", 11810, "Transparency Rolloff Point:", kView),
    bind::number("transparency_cutoff_point", 11811, "Transparency Cutoff Point:", kView),
    bind::number("maximum_number_of_particles", 11812, "Maximum # Of Particles:", kView),
    bind::number("scale", 11813, "Scale:", kView),
    bind::number("minimum_height", 11901, "Minimum Height:", kView),
    bind::number("maximum_height", 11902, "Maximum Height:", kView),
    bind::flag("flags", 0, 11814, kFlags),
    bind::flag("flags", 1, 11815, kFlags),
    bind::flag("flags", 2, 11816, kFlags),
    bind::flag("flags", 3, 11900, kFlags),
    bind::stored_span("velocity_lower", "velocity_span", 11821, 11822, "X:", kVelocities, 0),
    bind::stored_span("velocity_lower", "velocity_span", 11823, 11824, "Y:", kVelocities, 1),
    bind::stored_span("velocity_lower", "velocity_span", 11825, 11826, "Z:", kVelocities, 2),
    // In the order of the record; the controls' ids are not.
    bind::number("boundary_conditions", 11819, "First:", kBoundaries, 0),
    bind::number("boundary_conditions", 11818, "Second:", kBoundaries, 1),
    bind::number("boundary_conditions", 11820, "Third:", kBoundaries, 2),
    bind::number("boundary_conditions", 11817, "Fourth:", kBoundaries, 3),
    ZEPHANE_PART_STATE("not_snowing", 11827, kNotSnowing),
    ZEPHANE_PART_STATE("snowing", 11833, kSnowing),
};

#undef ZEPHANE_PART_STATE

} // namespace zephane::part_bindings
