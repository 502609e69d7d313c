#pragma once
// The local projectile group editor's binding table, and the group titles its form shares.
// The two sequence popups list the graphic's names and are the form's own.

#include "definitions/field_binding.h"

namespace zephane::lpgr_bindings {

inline constexpr const char* kGraphic = "Graphic";
inline constexpr const char* kParticles = "Particles";
inline constexpr const char* kMotion = "Motion";
inline constexpr const char* kStartup = "Startup Transition";
inline constexpr const char* kEnding = "Ending Transition";
inline constexpr const char* kTiming = "Duration and Delay";
inline constexpr const char* kFlags = "Flags";

inline constexpr int kGraphicButton = 10901;
inline constexpr int kFlightSequence = 10905;
inline constexpr int kStainSequence = 10906;
inline constexpr int kUseSkelModel = 11000; // bit 28
inline constexpr int kUseSprite = 11001;    // bit 30

// A flag box whose text leaves out what its group already says.
constexpr FieldBinding flag_as(unsigned bit, int control, const char* label, const char* group) {
    FieldBinding b = bind::flag("flags", bit, control, group);
    b.label = label;
    return b;
}

inline constexpr FieldBinding kBindings[] = {
    bind::reference("graphic", kGraphicButton, "Graphic:", kGraphic),
    bind::reference("physics", 10903, "Physics:", kGraphic),
    bind::reference("chained_group", 10970, "Chained LPGR:", kGraphic),
    bind::reference("local_light", 12000, "Local Light:", kGraphic),
    bind::popup("transfer_mode", 10918, "Transfer Mode:", kGraphic),
    bind::flag("flags", 28, kUseSkelModel, kGraphic),
    bind::flag("flags", 30, kUseSprite, kGraphic),
    bind::flag("flags", 29, 10961, kGraphic),
    bind::flag("flags", 27, 10960, kGraphic),

    bind::range("scale_lower", "scale_delta", 10907, 10908, "Scale Fraction:", kParticles),
    bind::range("animation_rate_lower", "animation_rate_delta", 10909, 10910, "Animation Rate:", kParticles),
    bind::range("target_number_lower", "target_number_delta", 10911, 10912, "Target Number:", kParticles),
    bind::range("radius_lower", "radius_delta", 10913, 10914, "Radius:", kParticles),
    bind::range("expiration_time_lower", "expiration_time_delta", 10915, 10916, "Expiration Time:", kParticles),

    bind::number("z_offset", 10917, "Z Offset:", kMotion),
    bind::number("z_velocity", 10963, "Z Velocity:", kMotion),
    bind::number("z_acceleration", 10964, "Z Acceleration:", kMotion),

    bind::flag("flags", 6, 10919, kStartup),
    bind::range("startup_transition_time_lower", "startup_transition_time_delta", 10930, 10931, "Time:", kStartup),
    flag_as(9, 10922, "Affects Transparency", kStartup),
    flag_as(10, 10923, "Affects Target Number", kStartup),
    flag_as(18, 10927, "Affects Scale", kStartup),

    bind::flag("flags", 8, 10921, kEnding),
    bind::range("ending_transition_time_lower", "ending_transition_time_delta", 10943, 10944, "Time:", kEnding),
    flag_as(13, 10934, "Affects Transparency", kEnding),
    flag_as(14, 10935, "Affects Target Number", kEnding),
    flag_as(19, 10936, "Affects Scale", kEnding),

    bind::flag("flags", 7, 10920, kTiming),
    bind::range("duration_time_lower", "duration_time_delta", 10932, 10933, "Duration Time:", kTiming),
    bind::flag("flags", 17, 10924, kTiming),
    bind::range("initial_delay_lower", "initial_delay_delta", 10925, 10926, "Initial Delay:", kTiming),

    bind::flag("flags", 0, 10950, kFlags),  bind::flag("flags", 1, 10945, kFlags),
    bind::flag("flags", 2, 10946, kFlags),  bind::flag("flags", 3, 10947, kFlags),
    bind::flag("flags", 4, 10948, kFlags),  bind::flag("flags", 5, 10949, kFlags),
    bind::flag("flags", 11, 10955, kFlags), bind::flag("flags", 12, 10951, kFlags),
    bind::flag("flags", 15, 10942, kFlags), bind::flag("flags", 16, 10956, kFlags),
    bind::flag("flags", 20, 10937, kFlags), bind::flag("flags", 21, 10952, kFlags),
    bind::flag("flags", 22, 10953, kFlags), bind::flag("flags", 23, 10954, kFlags),
    bind::flag("flags", 24, 10957, kFlags), bind::flag("flags", 25, 10958, kFlags),
    bind::flag("flags", 26, 10959, kFlags), bind::flag("flags", 31, 10962, kFlags),
};

} // namespace zephane::lpgr_bindings
