#pragma once
// The formation editor's binding table, and the group titles its form shares.

#include "definitions/field_binding.h"

namespace zephane::form_bindings {

inline constexpr const char* kShortLine = "Short Line";
inline constexpr const char* kLongLine = "Long Line";
inline constexpr const char* kLooseLine = "Loose Line";
inline constexpr const char* kStaggeredLine = "Staggered Line";
inline constexpr const char* kBoxAndMob = "Box and Mob";
inline constexpr const char* kEncirclement = "Encirclement";
inline constexpr const char* kVanguard = "Vanguard";
inline constexpr const char* kCircle = "Circle";
inline constexpr const char* kUnitsPerRow = "Maximum Units per Row:";
inline constexpr const char* kSeparation = "Unit Separation:";

inline constexpr FieldBinding kBindings[] = {
    bind::number("short_line_maximum_units_per_row", 10501, kUnitsPerRow, kShortLine),
    bind::number("short_line_unit_separation", 10502, kSeparation, kShortLine),
    bind::number("long_line_maximum_units_per_row", 10503, kUnitsPerRow, kLongLine),
    bind::number("long_line_unit_separation", 10504, kSeparation, kLongLine),
    bind::number("loose_line_maximum_units_per_row", 10505, kUnitsPerRow, kLooseLine),
    bind::number("loose_line_unit_separation", 10506, kSeparation, kLooseLine),
    bind::number("staggered_line_maximum_units_per_row", 10507, kUnitsPerRow, kStaggeredLine),
    bind::number("staggered_line_unit_separation", 10508, kSeparation, kStaggeredLine),
    bind::number("box_unit_separation", 10509, "Box Unit Separation:", kBoxAndMob),
    bind::number("minimum_mob_unit_separation", 10510, "Minimum Mob Unit Separation:", kBoxAndMob),
    bind::number("mob_x_bias", 10511, "Mob X Bias:", kBoxAndMob),
    bind::number("minimum_encirclement_radius", 10512, "Minimum Radius:", kEncirclement),
    bind::number("encirclement_unit_separation", 10513, kSeparation, kEncirclement),
    bind::number("shallow_encirclement_arc_length", 10514, "Shallow Arc Length:", kEncirclement),
    bind::number("deep_encirclement_arc_length", 10515, "Deep Arc Length:", kEncirclement),
    bind::number("vanguard_front_row_separation", 10516, "Front Row Separation:", kVanguard),
    bind::number("vanguard_unit_separation", 10517, kSeparation, kVanguard),
    bind::number("vanguard_row_separation", 10518, "Row Separation:", kVanguard),
    bind::number("circle_unit_separation", 10519, kSeparation, kCircle),
};

} // namespace zephane::form_bindings
