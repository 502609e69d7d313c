// Arbitrary bytes as a WAV file: read its chunks, import it as a permutation and decode that.

#include "sound/sound_permutations.h"
#include "sound/wav_file.h"
#include "sound/wav_import.h"
#include "base/byte_reader.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    const std::span<const std::uint8_t> bytes(data, size);
    try {
        const WavContents wav = parse_wav(bytes);
        if (wav.data.data() < data || wav.data.data() + wav.data.size() > data + size) std::abort();
    } catch (const FormatError&) {
        return 0;
    }
    const WavImport import = import_wav_bytes(bytes, "fuzz.wav", "fuzz");
    if (import.result != kWavImported) return 0;
    const SoundPermutation& p = import.permutation;
    if (p.data.size() != sample_data_size(p.header)) std::abort();
    const auto samples = decode_sound_permutation(p);
    if (samples.size() != std::size_t{p.header.sample_count} * 64) std::abort();
    return 0;
}
