#include "sound/sound_permutations.h"

#include "sound/ima_adpcm.h"
#include "sound/sound_intermediate.h"

#include <bit>
#include <cstring>
#include <limits>
#include <utility>

namespace zephane {

namespace {

std::uint64_t payload_size(const SoundTag& sound) {
    std::uint64_t size = kSoundDefinitionSize;
    for (const SoundPermutation& p : sound.permutations)
        size += kSoundPermutationSize + kSampledSoundHeaderSize + sample_data_size(p.header);
    return size;
}

// Grows the definition's counts by one permutation of `data_size` bytes (negative: shrinks).
void account(sound_definition& d, std::int32_t direction, std::uint64_t data_size) {
    const auto records = static_cast<std::uint32_t>(kSampledSoundHeaderSize);
    const auto size = static_cast<std::uint32_t>(data_size);
    d.number_of_permutations += direction;
    if (direction > 0) {
        d.sound_offset += records;
        d.permutations_size += records;
        d.sound_size += size + records;
    } else {
        d.sound_offset -= records;
        d.permutations_size -= records;
        d.sound_size -= size + records;
    }
}

PermutationChange append(SoundTag& sound, SoundPermutation permutation) {
    if (sound.permutations.size() >= static_cast<std::size_t>(MAXIMUM_PERMUTATIONS_PER_SOUND))
        return PermutationChange::kFull;
    const std::uint64_t size = sample_data_size(permutation.header);
    const std::uint64_t grown =
        payload_size(sound) + kSoundPermutationSize + kSampledSoundHeaderSize + size;
    if (size != permutation.data.size() || grown > std::numeric_limits<std::uint32_t>::max())
        return PermutationChange::kTooLarge;
    account(sound.definition, 1, size);
    sound.permutations.push_back(std::move(permutation));
    return PermutationChange::kDone;
}

} // namespace

const char* permutation_change_message(PermutationChange change) {
    switch (change) {
    case PermutationChange::kDone:
        return "";
    case PermutationChange::kFull:
        return "A sound holds at most 5 permutations.";
    case PermutationChange::kNoSuchPermutation:
        return "There is no such permutation.";
    case PermutationChange::kTooLarge:
        return "The sound would pass 4 GB.";
    }
    return "";
}

PermutationChange append_sound_permutation(SoundTag& sound, SoundPermutation permutation) {
    return append(sound, std::move(permutation));
}

PermutationChange duplicate_sound_permutation(SoundTag& sound, std::size_t index) {
    if (index >= sound.permutations.size()) return PermutationChange::kNoSuchPermutation;
    return append(sound, sound.permutations[index]);
}

PermutationChange delete_sound_permutation(SoundTag& sound, std::size_t index) {
    if (index >= sound.permutations.size()) return PermutationChange::kNoSuchPermutation;
    account(sound.definition, -1, sample_data_size(sound.permutations[index].header));
    sound.permutations.erase(sound.permutations.begin() + static_cast<std::ptrdiff_t>(index));
    return PermutationChange::kDone;
}

void swap_block_headers(std::vector<std::uint8_t>& blocks) {
    if constexpr (std::endian::native == std::endian::big) return;
    for (std::size_t at = 0; at + kImaPacketSize <= blocks.size(); at += kImaPacketSize)
        std::swap(blocks[at], blocks[at + 1]);
}

std::vector<std::int16_t> decode_sound_permutation(const SoundPermutation& permutation,
                                                   std::string* reason) {
    const sampled_sound_header& h = permutation.header;
    const auto fail = [reason](const std::string& why) {
        if (reason) *reason = why;
        return std::vector<std::int16_t>{};
    };
    if (!(h.flags & kSampleHeaderCompressed)) return fail("its samples are not ADPCM-compressed");
    if (h.channels != 1 && h.channels != 2)
        return fail("it has " + std::to_string(h.channels) +
                    " channels; only mono and stereo decode");
    const auto channels = static_cast<std::uint32_t>(h.channels);
    if (h.sample_count % channels != 0)
        return fail("its " + std::to_string(h.sample_count) + " blocks do not divide among " +
                    std::to_string(channels) + " channels");
    if (permutation.data.size() != sample_data_size(h))
        return fail("its data does not match its header");

    std::unique_ptr<sound> s = new_sound();
    set_sound_format(s.get(), _ima_adpcm_compression, h.sample_count / channels, 16,
                     h.sample_rate >> 16, h.channels);
    std::vector<std::uint8_t> blocks = permutation.data;
    swap_block_headers(blocks);
    attach_sound_samples(s.get(), std::move(blocks));
    convert_sound(s.get(), _no_compression);
    const auto pcm = get_sound_samples(s.get());
    std::vector<std::int16_t> samples(pcm.size() / sizeof(std::int16_t));
    std::memcpy(samples.data(), pcm.data(), samples.size() * sizeof(std::int16_t));
    free_sound(s);
    return samples;
}

} // namespace zephane
