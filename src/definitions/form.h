#pragma once
// Formation definitions ('form'): the spacing rules of unit formations. No references and
// no new-tag initialiser.

#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct formation_definition {
    static constexpr tag_type kType = fourcc("form");
    static constexpr const char* kStructName = "formation definition";
    static constexpr const char* kModule = "form.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;

    // Counts are integers, separations world distances.
    std::int16_t short_line_maximum_per_row;     // 0
    std::int16_t short_line_separation;          // 2
    std::int16_t long_line_maximum_per_row;      // 4
    std::int16_t long_line_separation;           // 6
    std::int16_t loose_line_maximum_per_row;     // 8
    std::int16_t loose_line_separation;          // 10
    std::int16_t staggered_line_maximum_per_row; // 12
    std::int16_t staggered_line_separation;      // 14
    std::int16_t box_separation;                 // 16
    std::int16_t minimum_mob_separation;         // 18
    std::int16_t mob_x_bias;                     // 20  fixed 8.8
    std::int16_t minimum_encirclement_radius;    // 22
    std::int16_t encirclement_separation;        // 24
    std::uint16_t shallow_encirclement_arc;      // 26  angle
    std::uint16_t deep_encirclement_arc;         // 28  angle
    std::int16_t vanguard_front_row_separation;  // 30
    std::int16_t vanguard_separation;            // 32
    std::int16_t vanguard_row_separation;        // 34
    std::int16_t circle_separation;              // 36
    std::uint8_t reserved38[2];
};
static_assert(sizeof(formation_definition) == 40);

void register_formation_type();

} // namespace zephane
