#pragma once
// Artifact definitions ('arti'): items a unit carries, with charges and projectiles.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct artifact_definition {
    static constexpr tag_type kType = fourcc("arti");
    static constexpr const char* kStructName = "artifact definition";
    static constexpr const char* kModule = "arti.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const artifact_definition kDefault;

    std::uint32_t flags;                        // 0
    tag_id monster_restriction;                 // 4   'mons' (not a dependency)
    std::int16_t specialization_restriction;    // 8   popup index
    std::int16_t initial_charges_lower;         // 10
    std::int16_t initial_charges_delta;         // 12  decimal range rule
    std::uint8_t reserved14[2];
    tag_id collection;                          // 16  '.256'
    std::int16_t inventory_sequence;            // 20  popup index
    std::int16_t reserved_words[3];             // 22  swapped, no meaning known
    tag_id projectiles[4];                      // 28  'proj'; the editor shows the first
    std::int32_t reserved_longs[2];             // 44  swapped, no meaning known
    std::int16_t bonus_effect_modifiers[16];    // 52
    std::uint8_t unswapped84[64];
    tag_id special_ability;                     // 148 'stli'
    std::uint8_t unswapped152[16];
};
static_assert(sizeof(artifact_definition) == 168);
static_assert(offsetof(artifact_definition, projectiles) == 28);
static_assert(offsetof(artifact_definition, unswapped84) == 84);
static_assert(offsetof(artifact_definition, special_ability) == 148);

void artifact_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void register_artifact_type();

} // namespace zephane
