#pragma once
// The sound tag ('soun'): a 64-byte definition, up to five permutation records, as many
// sample headers, then the sample data of each permutation back to back. Payloads are
// big-endian; the records are converted with the descriptors below. Sample data stays in
// file byte order in memory too (ADPCM block headers big-endian).

#include "base/byte_swap.h"
#include "tags/tag_code.h"
#include "tags/tag_database.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zephane {

inline constexpr tag_type kSoundTagType = fourcc("soun");
inline constexpr tag_type kStringListTagType = fourcc("stli");
inline constexpr std::int32_t MAXIMUM_PERMUTATIONS_PER_SOUND = 5;
inline constexpr std::size_t kSoundDefinitionSize = 64;
inline constexpr std::size_t kSoundPermutationSize = 32;
inline constexpr std::size_t kSampledSoundHeaderSize = 32;
inline constexpr std::size_t kPermutationNameSize = 26;         // 25 characters and the NUL
inline constexpr std::uint32_t kSampleRate22050 = 22050u << 16; // fixed 16.16
inline constexpr std::uint32_t kSampleHeaderCompressed = 1;     // flags bit 0: ADPCM blocks

enum sound_loudness : std::int16_t {
    _sound_quiet = 0,
    _sound_normal,
    _sound_loud,
    _sound_narration
};

struct sound_definition {
    std::uint32_t flags;
    std::int16_t loudness;
    std::uint16_t play_fraction;              // 65535 = 1
    std::int16_t external_frequency_modifier; // fixed 8.8
    std::int16_t pitch_lower_bound;           // fixed 8.8
    std::int16_t pitch_delta;
    std::int16_t volume_lower_bound; // fixed 8.8
    std::int16_t volume_delta;
    std::int16_t subtitle_string_index; // -1 = none
    std::uint32_t sound_offset;         // 64 + 32·n
    std::uint32_t sound_size;           // 32·n + the data sizes
    tag_id string_list_id;
    std::uint8_t unswapped_32[4];         // carried over unchanged
    std::int32_t number_of_permutations;  // 0 … 5
    std::uint32_t permutations_offset;    // 64
    std::uint32_t permutations_size;      // 32·n
    std::uint32_t permutations_reference; // memory only, stored as zero
    std::uint8_t unswapped_52[4];
    std::uint8_t unswapped_56[4];
    std::uint32_t sample_headers_reference; // memory only, stored as zero
};
static_assert(sizeof(sound_definition) == kSoundDefinitionSize);
static_assert(offsetof(sound_definition, sound_offset) == 20);
static_assert(offsetof(sound_definition, number_of_permutations) == 36);

struct sound_permutation_data {
    std::int16_t field_0;        // zero on import, otherwise kept
    std::uint16_t skip_fraction; // 65535 = 1
    std::uint8_t unswapped_4[2];
    char name[kPermutationNameSize]; // NUL-terminated
};
static_assert(sizeof(sound_permutation_data) == kSoundPermutationSize);

struct sampled_sound_header {
    std::uint32_t flags; // kSampleHeaderCompressed
    std::int16_t bits_per_sample;
    std::int16_t sample_size_shift; // bytes per sample − 1
    std::int16_t channels;
    std::uint8_t unswapped_10[2];
    std::uint32_t sample_rate;           // fixed 16.16
    std::uint32_t sample_count;          // compressed: 34-byte blocks of all channels; else samples
    std::uint32_t field_20;              // zero on import, kept
    std::uint32_t field_24;              // zero on import, kept
    std::uint32_t sample_data_reference; // memory only, stored as zero
};
static_assert(sizeof(sampled_sound_header) == kSampledSoundHeaderSize);
static_assert(offsetof(sampled_sound_header, sample_rate) == 12);

extern const bs_code sound_definition_bs_codes[];
extern const bs_code sound_permutation_bs_codes[];
extern const bs_code sampled_sound_header_bs_codes[];

struct SoundPermutation {
    sound_permutation_data record{};
    sampled_sound_header header{};
    std::vector<std::uint8_t> data; // file byte order
};

struct SoundTag {
    sound_definition definition{};
    std::vector<SoundPermutation> permutations; // at most MAXIMUM_PERMUTATIONS_PER_SOUND
};

// Bytes of sample data a header describes: blocks × 34 when compressed, samples << shift
// otherwise. Wide enough that no stored value overflows it.
std::uint64_t sample_data_size(const sampled_sound_header& header);
std::string permutation_name(const sound_permutation_data& record);
void set_permutation_name(sound_permutation_data& record, const std::string& name);

sound_definition default_sound_definition();

// Reads a payload, refusing (FormatError naming the field and byte) one whose counts, offsets
// or sizes do not add up or whose data runs past its end.
SoundTag parse_sound_payload(std::span<const std::uint8_t> payload);
// The payload of a sound: sizes and offsets recomputed from the permutations, memory-only
// references zeroed. Data that does not match its header's size is an internal error.
Payload build_sound_payload(const SoundTag& sound);

// Through the database: false with a reason when the payload cannot be loaded or is refused.
bool read_sound_definition(TagDatabase& db, TagEntry& entry, SoundTag& sound,
                           std::string* reason = nullptr);
void write_sound_definition(TagDatabase& db, TagEntry& entry, const SoundTag& sound);

// Attaches the defaults and dependencies operations of 'soun' to the tag type table.
void register_sound_type();

} // namespace zephane
