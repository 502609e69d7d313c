#pragma once
// Sound list definitions ('soli', localized): up to thirty sounds.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct sound_list_entry {
    tag_id sound;                           // 'soun'
    std::uint8_t extra[4];                  // copied unswapped
};
static_assert(sizeof(sound_list_entry) == 8);

inline constexpr std::size_t kSoundListEntries = 30;

struct sound_list_definition {
    static constexpr tag_type kType = fourcc("soli");
    static constexpr const char* kStructName = "sound list definition";
    static constexpr const char* kModule = "soli.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const sound_list_definition kDefault;

    std::int16_t entry_count;               // 0
    std::uint8_t reserved2[14];
    sound_list_entry entries[kSoundListEntries]; // 16
};
static_assert(sizeof(sound_list_definition) == 256);
static_assert(offsetof(sound_list_definition, entries) == 16);

void sound_list_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void register_sound_list_type();

} // namespace zephane
