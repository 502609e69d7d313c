// Arbitrary bytes as a sound tag payload: read it, and when it is accepted, write it again
// (which must give the same bytes but for the memory-only references) and decode every
// permutation.

#include "sound/sound_permutations.h"
#include "sound/sound_tag.h"
#include "base/byte_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    SoundTag sound;
    try {
        sound = parse_sound_payload(std::span<const std::uint8_t>(data, size));
    } catch (const FormatError&) {
        return 0;
    }
    std::vector<std::uint8_t> expected(data, data + size);
    const auto zero = [&](std::size_t at) {
        std::fill_n(expected.begin() + static_cast<std::ptrdiff_t>(at), 4, 0);
    };
    zero(48);
    zero(60);
    for (std::size_t i = 0; i < sound.permutations.size(); ++i)
        zero(sound.definition.sound_offset + 32 * i + 28);
    if (build_sound_payload(sound) != expected) std::abort();

    for (SoundPermutation& p : sound.permutations) (void)decode_sound_permutation(p);
    if (!sound.permutations.empty()) {
        if (duplicate_sound_permutation(sound, 0) == PermutationChange::kDone)
            (void)parse_sound_payload(build_sound_payload(sound));
        while (!sound.permutations.empty()) delete_sound_permutation(sound, 0);
        if (build_sound_payload(sound).size() != kSoundDefinitionSize) std::abort();
    }
    return 0;
}
