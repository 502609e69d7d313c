#pragma once
// Object definitions ('obje'): physical properties shared by projectiles and units.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct object_definition {
    static constexpr tag_type kType = fourcc("obje");
    static constexpr const char* kStructName = "object definition";
    static constexpr const char* kModule = "obje.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const object_definition kDefault;

    std::uint16_t flags;                    // 0
    std::int16_t gravity;                   // 2   world distance per tick²
    std::int16_t elastic_coefficient;       // 4   fixed 8.8
    std::int16_t terminal_velocity;         // 6   world distance
    std::int16_t maximum_vitality_lower;    // 8   fixed 8.8
    std::int16_t maximum_vitality_delta;    // 10
    std::int16_t scale_lower;               // 12  fixed 8.8
    std::int16_t scale_delta;               // 14
    std::int16_t effect_modifiers[16];      // 16  fixed 8.8; the first nine are edited
    std::int16_t minimum_damage;            // 48  fixed 8.8
    std::uint8_t reserved50[14];
};
static_assert(sizeof(object_definition) == 64);
static_assert(offsetof(object_definition, minimum_damage) == 48);

void register_object_type();

} // namespace zephane
