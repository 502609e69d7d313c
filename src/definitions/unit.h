#pragma once
// Units definitions ('unit', version 2): a monster and up to three skin variations of it.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct skin_variation {
    tag_id decal;                           // 0   'txst'
    std::uint32_t unknown4;                 // 4   no control
    std::uint16_t colour_a[3];              // 8   red, green, blue × 257
    std::uint16_t colour_a_unused;          // 14
    std::uint16_t colour_b[3];              // 16
    std::uint16_t colour_b_unused;          // 22
};
static_assert(sizeof(skin_variation) == 24);

inline constexpr std::size_t kSkinVariationSlots = 4;

struct units_definition {
    static constexpr tag_type kType = fourcc("unit");
    static constexpr const char* kStructName = "units definition";
    static constexpr const char* kModule = "unit.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const units_definition kDefault;

    tag_id monster;                         // 0   'mons'
    std::int32_t variation_count;           // 4   0 to 3
    skin_variation variations[kSkinVariationSlots]; // 8; the editor shows the first three
    std::uint8_t reserved104[24];
};
static_assert(sizeof(units_definition) == 128);
static_assert(offsetof(units_definition, reserved104) == 104);

void units_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void update_units(TagDatabase& db, TagEntry& tag);
void register_units_type();

} // namespace zephane
