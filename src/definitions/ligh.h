#pragma once
// Lightning definitions ('ligh'): lightning bolt effects.

#include <cstddef>
#include <cstdint>

#include "definitions/damage.h"
#include "definitions/definition_record.h"

namespace zephane {

struct lightning_definition {
    static constexpr tag_type kType = fourcc("ligh");
    static constexpr const char* kStructName = "lightning definition";
    static constexpr const char* kModule = "ligh.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const lightning_definition kDefault;

    std::uint32_t flags;                    // 0
    tag_id texture_stack;                   // 4   'txst'
    std::int32_t shock_duration;            // 8   ticks
    std::int32_t fade_duration;             // 12  typed as a decimal, stored rounded
    std::int32_t bolt_length;               // 16  world distance
    std::int16_t fork_texture;              // 20
    std::int16_t main_bolt_texture;         // 22
    std::int16_t mesh_stain_texture;        // 24
    std::int16_t velocity;                  // 26  world distance
    std::int16_t scale;                     // 28  fixed 8.8
    std::int16_t fork_segments_lower;       // 30
    std::int16_t fork_segments_span;        // 32  upper − lower
    std::int16_t fork_overlap;              // 34
    std::int16_t main_bolt_overlap;         // 36
    std::uint16_t fork_angle;               // 38  angle
    damage_definition damage;               // 40  no control in the editor
    std::int16_t apparent_bolts;            // 56
    std::uint8_t reserved58[6];
};
static_assert(sizeof(lightning_definition) == 64);
static_assert(offsetof(lightning_definition, damage) == 40);

void lightning_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void register_lightning_type();

} // namespace zephane
