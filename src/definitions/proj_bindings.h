#pragma once
// The projectile editor's binding table, the group titles its form shares, and the binding
// table of "Edit Flags" (dialog 146, "Projectile Flags"). The sequence popups, "Use Skel
// Model" and the lifespan box are the form's own.

#include "definitions/field_binding.h"

namespace zephane::proj_bindings {

inline constexpr const char* kSequences = "Sequences";
inline constexpr const char* kDetonation = "Detonation";
inline constexpr const char* kContrail = "Contrail";
inline constexpr const char* kPromotion = "Promotion";
inline constexpr const char* kSounds = "Sounds";
inline constexpr const char* kStains = "Stain Textures";
inline constexpr const char* kMotion = "Motion";
inline constexpr const char* kTiming = "Timing";
inline constexpr const char* kBlood = "Blood Stain Colour";

inline constexpr int kGraphic = 12001;
inline constexpr int kFlightSequence = 12011;
inline constexpr int kDebrisSequence = 12013;
inline constexpr int kBounceSequence = 12015;
inline constexpr int kContrailTag = 12029;
inline constexpr int kLifespanBox = 12058;
inline constexpr int kLifespanLower = 12059;
inline constexpr int kLifespanUpper = 12060;
inline constexpr int kEditDamage = 12066;
inline constexpr int kEditFlags = 12067;
inline constexpr int kUseSkelModel = 12500;
inline constexpr int kUseSprite = 12501;
// The window's own flag boxes have no ids of their own in the form: 12100 + the bit.
constexpr int window_flag(unsigned bit) { return 12100 + static_cast<int>(bit); }

inline constexpr FieldBinding kBindings[] = {
    bind::reference("graphic", kGraphic, "Collection:"),
    bind::reference("object", 12003, "Object Tag:"),
    bind::reference("lightning", 12005, "Lightning Tag:"),
    bind::reference("artifact", 12007, "Artifact Tag:"),
    bind::reference("local_projectile_group", 12009, "Loc. Proj. Group:"),
    bind::popup("class", 12051, "Class:"),
    bind::popup("volume", 12038, "Volume:"),
    bind::popup("splash_type", 12021, "Splash/Rebound Type:"),
    bind::number("tracking_priority", 12064, "Tracking Priority:"),
    bind::number("nearby_target_radius", 12063, "Nearby Target Radius:"),
    bind::flag("flags", 6, window_flag(6)),
    bind::flag("flags", 13, window_flag(13)),
    bind::flag("flags", 14, window_flag(14)),

    bind::reference("detonation_group", 12017, "Tag:", kDetonation),
    bind::reference("target_detonation_group", 12019, "Target:", kDetonation),
    bind::number("normal_detonation_frequency", 12022, "Normal Frequency:", kDetonation),
    bind::number("media_detonation_frequency", 12023, "Media Frequency:", kDetonation),
    bind::number("detonation_momentum", 12024, "Momentum:", kDetonation),
    bind::flag("flags", 3, window_flag(3), kDetonation),
    bind::flag("flags", 4, window_flag(4), kDetonation),
    bind::flag("flags", 5, window_flag(5), kDetonation),
    bind::flag("flags", 17, window_flag(17), kDetonation),

    bind::reference("contrail", kContrailTag, "Tag:", kContrail),
    bind::flag("flags", 22, kUseSprite, kContrail),
    bind::number("ticks_between_contrails", 12031, "Ticks Between:", kContrail),
    bind::number("maximum_contrails", 12033, "Maximum Number:", kContrail),
    bind::number("initial_contrail_frequency", 12034, "Initial Frequency:", kContrail),
    bind::number("final_contrail_frequency", 12035, "Final Frequency:", kContrail),
    bind::number("contrail_frequency_change", 12036, "Change Per Tick:", kContrail),
    bind::flag("flags", 10, window_flag(10), kContrail),

    bind::range("momentum_to_velocity_lower", "momentum_to_velocity_delta", 12039, 12040,
                "Momentum -> Velocity:", kMotion),
    bind::number("random_initial_velocity", 12041, "Random Initial Velocity:", kMotion),
    bind::number("guided_turning_speed", 12065, "Guided Turning Speed:", kMotion),
    bind::range("animation_rate_lower", "animation_rate_delta", 12056, 12057, "Animation Rate:", kMotion),

    bind::span("lifespan_lower", "lifespan_span", kLifespanLower, kLifespanUpper, "Seconds:", kTiming),
    // One rule for the delay: shown as lower to lower + span, stored as span = upper − lower.
    bind::span("delay_lower", "delay_span", 12061, 12062, "Delay:", kTiming),

    bind::reference("promotion_projectile", 12045, "Projectile:", kPromotion),
    bind::reference("promotion_group", 12047, "Group Tag:", kPromotion),
    bind::number("promotion_fraction", 12049, "Fraction:", kPromotion),
    bind::flag("flags", 12, window_flag(12), kPromotion),

    bind::reference("sounds", 12052, "Flight:", kSounds, 0),
    bind::reference("sounds", 12054, "Rebound:", kSounds, 1),

    bind::reference("bounce_stain", 12072, "Bounce:", kStains),
    bind::reference("detonation_stain", 12074, "Detonation:", kStains),
    bind::number("blood_stain_colour", 12068, "Red:", kBlood, 0),
    bind::number("blood_stain_colour", 12069, "Green:", kBlood, 1),
    bind::number("blood_stain_colour", 12070, "Blue:", kBlood, 2),
    bind::number("blood_stain_colour", 12071, "Alpha:", kBlood, 3),
};

inline constexpr int kFlagsResource = 146;
inline constexpr const char* kFlagsTitle = "Projectile Flags";
inline constexpr int kFlagsOk = 21523;
inline constexpr int kFlagsCancel = 21524;

// The Edit Flags boxes, ids in table order.
inline constexpr FieldBinding kFlagBindings[] = {
    bind::flag("flags", 0, 21501),  bind::flag("flags", 9, 21502),  bind::flag("flags", 11, 21503),
    bind::flag("flags", 8, 21504),  bind::flag("flags", 7, 21505),  bind::flag("flags", 15, 21506),
    bind::flag("flags", 16, 21507), bind::flag("flags", 18, 21508), bind::flag("flags", 19, 21509),
    bind::flag("flags", 20, 21510), bind::flag("flags", 21, 21511), bind::flag("flags", 26, 21512),
    bind::flag("flags", 24, 21513), bind::flag("flags", 25, 21514), bind::flag("flags", 23, 21515),
    bind::flag("flags", 27, 21516), bind::flag("flags", 28, 21517), bind::flag("flags", 29, 21518),
    bind::flag("flags", 30, 21519), bind::flag("flags", 2, 21520),  bind::flag("flags", 1, 21521),
    bind::flag("flags", 31, 21522),
};

} // namespace zephane::proj_bindings
