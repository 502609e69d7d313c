#pragma once
// The permutation list of a sound tag: append (WAV import), duplicate and delete, keeping the
// definition's count, offsets and sizes in step; and decoding a permutation for listening or
// export.

#include "sound/sound_tag.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zephane {

enum class PermutationChange {
    kDone,
    kFull,              // five permutations already
    kNoSuchPermutation, // the index names none
    kTooLarge,          // the payload would pass 4 GB
};

// A user-facing sentence for a refusal ("" for kDone).
const char* permutation_change_message(PermutationChange change);

PermutationChange append_sound_permutation(SoundTag& sound, SoundPermutation permutation);
PermutationChange duplicate_sound_permutation(SoundTag& sound, std::size_t index);
PermutationChange delete_sound_permutation(SoundTag& sound, std::size_t index);

// 16-bit samples interleaved by frame (the padding of the last block included). Only
// ADPCM-compressed mono and stereo permutations decode; otherwise the result is empty and
// `reason` says why.
std::vector<std::int16_t> decode_sound_permutation(const SoundPermutation& permutation,
                                                   std::string* reason = nullptr);

// The packet stream of an intermediate sound (headers in host order) as a tag stores it
// (headers big-endian), and back; the same swap both ways.
void swap_block_headers(std::vector<std::uint8_t>& blocks);

} // namespace zephane
