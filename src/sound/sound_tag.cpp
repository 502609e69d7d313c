#include "sound/sound_tag.h"

#include "base/byte_reader.h"
#include "tags/dependency_reporter.h"
#include "base/errors.h"
#include "tags/tag_types.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace zephane {

// clang-format off
const bs_code sound_definition_bs_codes[] = {
    BS_GROUP_BEGIN, 1,
    BS_SWAP32,                                         // flags
    BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16,        // loudness, play fraction, frequency, pitch
    BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16,        // pitch delta, volume, delta, subtitle
    BS_SWAP32, BS_SWAP32, BS_SWAP32,                   // sound offset and size, string list
    4,                                                 // carried over
    BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32,        // permutation count, offset, size, reference
    2, 2, 4,                                           // carried over
    BS_SWAP32,                                         // sample headers reference
    BS_GROUP_END};

const bs_code sound_permutation_bs_codes[] = {
    BS_GROUP_BEGIN, 1, BS_SWAP16, BS_SWAP16, 2, static_cast<bs_code>(kPermutationNameSize),
    BS_GROUP_END};

const bs_code sampled_sound_header_bs_codes[] = {
    BS_GROUP_BEGIN, 1,
    BS_SWAP32, BS_SWAP16, BS_SWAP16, BS_SWAP16, 2,     // flags, bits, shift, channels
    BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32, // rate, count, 20, 24, reference
    BS_GROUP_END};
// clang-format on

namespace {

constexpr const char* kModule = "sound_definition";
constexpr std::int16_t kLargestSampleSizeShift = 3;

std::uint32_t records_size(std::size_t n) {
    return static_cast<std::uint32_t>((kSoundPermutationSize + kSampledSoundHeaderSize) * n);
}

std::string number(std::uint64_t value) {
    return std::to_string(value);
}

// Offsets and sizes that follow from the count alone; `payload` names the offending field.
void check_layout(const sound_definition& d, const ByteReader& payload) {
    const std::int32_t n = d.number_of_permutations;
    if (n < 0 || n > MAXIMUM_PERMUTATIONS_PER_SOUND)
        payload.fail_at(offsetof(sound_definition, number_of_permutations), "number_of_permutations",
                        "is " + std::to_string(n) + "; a sound has 0 to 5 permutations");
    const std::uint64_t count = static_cast<std::uint64_t>(n);
    if (d.permutations_offset != kSoundDefinitionSize)
        payload.fail_at(offsetof(sound_definition, permutations_offset), "permutations_offset",
                        "is " + number(d.permutations_offset) + ", not 64");
    if (d.permutations_size != kSoundPermutationSize * count)
        payload.fail_at(offsetof(sound_definition, permutations_size), "permutations_size",
                        "is " + number(d.permutations_size) + ", not " +
                            number(kSoundPermutationSize * count) + " for " + number(count) +
                            " permutations");
    const std::uint64_t sound_offset = kSoundDefinitionSize + kSoundPermutationSize * count;
    if (d.sound_offset != sound_offset)
        payload.fail_at(offsetof(sound_definition, sound_offset), "sound_offset",
                        "is " + number(d.sound_offset) + ", not " + number(sound_offset) + " for " +
                            number(count) + " permutations");
}

void store_definition(TagDatabase& db, TagEntry& entry, const sound_definition& definition) {
    SoundTag sound;
    sound.definition = definition;
    write_sound_definition(db, entry, sound);
}

void sound_defaults(TagDatabase& db, TagEntry& entry) {
    store_definition(db, entry, default_sound_definition());
}

void sound_dependencies(TagDatabase& db, TagEntry& entry, DependencyReporter& reporter) {
    sound_definition definition;
    if (!db.read_struct("soun", entry, definition, sound_definition_bs_codes)) return;
    if (!is_null_reference(definition.string_list_id))
        reporter.report_dependency(kStringListTagType, definition.string_list_id);
}

} // namespace

std::uint64_t sample_data_size(const sampled_sound_header& header) {
    if (header.flags & kSampleHeaderCompressed) return std::uint64_t{header.sample_count} * 34;
    if (header.sample_size_shift < 0 || header.sample_size_shift > kLargestSampleSizeShift)
        return std::numeric_limits<std::uint64_t>::max(); // never fits
    return std::uint64_t{header.sample_count} << header.sample_size_shift;
}

std::string permutation_name(const sound_permutation_data& record) {
    const char* end = std::find(record.name, record.name + kPermutationNameSize, '\0');
    return std::string(record.name, end);
}

void set_permutation_name(sound_permutation_data& record, const std::string& name) {
    std::memset(record.name, 0, kPermutationNameSize);
    std::memcpy(record.name, name.data(), std::min(name.size(), kPermutationNameSize - 1));
}

sound_definition default_sound_definition() {
    sound_definition d{};
    d.external_frequency_modifier = 256;
    d.pitch_lower_bound = 256;
    d.volume_lower_bound = 256;
    d.sound_offset = kSoundDefinitionSize;
    d.permutations_offset = kSoundDefinitionSize;
    d.string_list_id = kNoTag;
    d.unswapped_32[0] = 0xFF;
    d.unswapped_32[1] = 0xFF;
    return d;
}

SoundTag parse_sound_payload(std::span<const std::uint8_t> payload) {
    ByteReader r(payload);
    if (payload.size() < kSoundDefinitionSize)
        r.fail("sound definition", "needs 64 bytes but the payload has " + number(payload.size()));
    SoundTag sound;
    sound.definition = read_record<sound_definition>(r, "soun", sound_definition_bs_codes);
    const sound_definition& d = sound.definition;
    check_layout(d, r);

    const std::size_t n = static_cast<std::size_t>(d.number_of_permutations);
    const std::size_t data_start = kSoundDefinitionSize + records_size(n);
    if (payload.size() < data_start)
        r.fail_at(d.sound_offset, "sample headers",
                  "need " + number(data_start - d.sound_offset) + " bytes but the payload has " +
                      number(payload.size()));
    ByteReader permutations = r.sub(kSoundPermutationSize * n, "sound permutation");
    ByteReader headers = r.sub(kSampledSoundHeaderSize * n, "sample headers");
    std::uint64_t data_total = 0;
    sound.permutations.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        SoundPermutation& p = sound.permutations[i];
        p.record = read_record<sound_permutation_data>(permutations, "sound permutation",
                                                       sound_permutation_bs_codes);
        ByteReader header = headers.sub(kSampledSoundHeaderSize, "sample headers");
        p.header = read_record<sampled_sound_header>(header, "sample headers",
                                                     sampled_sound_header_bs_codes);
        const std::string which = "permutation " + number(i);
        if (!(p.header.flags & kSampleHeaderCompressed) &&
            (p.header.sample_size_shift < 0 ||
             p.header.sample_size_shift > kLargestSampleSizeShift))
            header.fail_at(offsetof(sampled_sound_header, sample_size_shift),
                           ("sample_size_shift of " + which).c_str(),
                           "is " + std::to_string(p.header.sample_size_shift) + "; 0 to 3 expected");
        const std::uint64_t size = sample_data_size(p.header);
        const auto data = r.bytes(static_cast<std::size_t>(size), ("sample data of " + which).c_str());
        p.data.assign(data.begin(), data.end());
        data_total += size;
    }
    const std::uint64_t expected_sound_size = kSampledSoundHeaderSize * n + data_total;
    if (d.sound_size != expected_sound_size)
        r.fail_at(offsetof(sound_definition, sound_size), "sound_size",
                  "is " + number(d.sound_size) + " but the sample headers and data take " +
                      number(expected_sound_size) + " bytes");
    if (!r.at_end())
        r.fail("payload", number(r.remaining()) + " bytes follow the last permutation's data");
    return sound;
}

Payload build_sound_payload(const SoundTag& sound) {
    const std::size_t n = sound.permutations.size();
    ZEPHANE_CHECK(n <= static_cast<std::size_t>(MAXIMUM_PERMUTATIONS_PER_SOUND),
                  "definition->number_of_permutations <= MAXIMUM_PERMUTATIONS_PER_SOUND", kModule);
    std::uint64_t data_total = 0;
    for (const SoundPermutation& p : sound.permutations) data_total += sample_data_size(p.header);
    const std::uint64_t records = kSoundDefinitionSize + records_size(n);
    ZEPHANE_CHECK(data_total <= std::numeric_limits<std::uint32_t>::max() - records,
                  "payload_size <= UINT32_MAX", kModule);
    Payload payload(static_cast<std::size_t>(records + data_total));

    sound_definition d = sound.definition;
    d.number_of_permutations = static_cast<std::int32_t>(n);
    d.permutations_offset = kSoundDefinitionSize;
    d.permutations_size = static_cast<std::uint32_t>(kSoundPermutationSize * n);
    d.sound_offset = static_cast<std::uint32_t>(kSoundDefinitionSize + kSoundPermutationSize * n);
    d.sound_size = static_cast<std::uint32_t>(data_total + kSampledSoundHeaderSize * n);
    d.permutations_reference = 0;
    d.sample_headers_reference = 0;
    byte_swap_copy("soun", payload.data(), &d, kSoundDefinitionSize, 1, sound_definition_bs_codes);

    std::size_t written = 0;
    std::uint8_t* data_out = payload.data() + records;
    for (std::size_t i = 0; i < n; ++i) {
        const SoundPermutation& p = sound.permutations[i];
        byte_swap_copy("sound permutations",
                       payload.data() + kSoundDefinitionSize + kSoundPermutationSize * i, &p.record,
                       kSoundPermutationSize, 1, sound_permutation_bs_codes);
        sampled_sound_header header = p.header;
        header.sample_data_reference = 0;
        byte_swap_copy("sample headers",
                       payload.data() + d.sound_offset + kSampledSoundHeaderSize * i, &header,
                       kSampledSoundHeaderSize, 1, sampled_sound_header_bs_codes);
        // Data that disagrees with its header would shift every later permutation.
        ZEPHANE_CHECK(p.data.size() == sample_data_size(p.header),
                      "data_written == buffer_size - records_size", kModule);
        std::copy(p.data.begin(), p.data.end(), data_out + written);
        written += p.data.size();
    }
    return payload;
}

bool read_sound_definition(TagDatabase& db, TagEntry& entry, SoundTag& sound, std::string* reason) {
    const Payload* payload = db.get_tag_data(entry);
    if (!payload) {
        if (reason) *reason = "the payload cannot be loaded";
        return false;
    }
    try {
        sound = parse_sound_payload(*payload);
    } catch (const FormatError& e) {
        if (reason) *reason = e.what();
        return false;
    }
    return true;
}

void write_sound_definition(TagDatabase& db, TagEntry& entry, const SoundTag& sound) {
    db.set_tag_data(entry, build_sound_payload(sound));
}

void register_sound_type() {
    attach_tag_defaults(kSoundTagType, sound_defaults);
    attach_tag_rewrite(kSoundTagType, [](const Payload& payload, std::int16_t) {
        return build_sound_payload(parse_sound_payload(payload));
    });
    attach_tag_dependencies(kSoundTagType, sound_dependencies);
}

} // namespace zephane
