#include "sound/wav_import.h"

#include "sound/sound_intermediate.h"
#include "sound/sound_permutations.h"
#include "sound/wav_file.h"
#include "base/byte_reader.h"
#include "base/posix_file.h"

#include <cstring>
#include <memory>

namespace zephane {

namespace {

WavImport refused(WavImportResult result, std::string message) {
    WavImport import;
    import.result = result;
    import.message = std::move(message);
    return import;
}

// The checks in the order that decides the result code.
WavImport check_format(const WavFormat& f, const std::string& label) {
    if (f.bits_per_sample != 16)
        return refused(kWavWrongSampleSize,
                       label + " has " + std::to_string(f.bits_per_sample) +
                           "-bit samples; only 16-bit sounds can be imported.");
    if (f.samples_per_second != kImportSampleRate)
        return refused(kWavWrongRate, label + " is sampled at " +
                                          std::to_string(f.samples_per_second) +
                                          " Hz; only 22050 Hz sounds can be imported.");
    if (f.channels != 1 && f.channels != 2)
        return refused(kWavWrongChannels,
                       label + " has " + std::to_string(f.channels) +
                           " channels; only mono and stereo sounds can be imported.");
    if (f.format_tag != kWaveFormatPcm)
        return refused(kWavNotPcm, label + " is not PCM (format " + std::to_string(f.format_tag) +
                                       "); only uncompressed sounds can be imported.");
    return refused(kWavImported, "");
}

} // namespace

std::string permutation_name_for_file(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    if (const auto dot = name.find_last_of('.'); dot != std::string::npos && name.size() - dot <= 4)
        name.erase(dot);
    if (name.size() > kPermutationNameLength) {
        std::size_t cut = kPermutationNameLength;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.erase(cut);
    }
    return name;
}

WavImport import_wav_bytes(std::span<const std::uint8_t> bytes, const std::string& label,
                           const std::string& name) {
    WavContents wav;
    try {
        wav = parse_wav(bytes);
    } catch (const FormatError& e) {
        return refused(kWavUnreadable, label + " is not a readable WAVE file: " + e.what());
    }
    WavImport import = check_format(wav.format, label);
    if (import.result != kWavImported) return import;

    const std::uint16_t channels = wav.format.channels;
    const std::size_t frames = wav.data.size() / 2 / channels;
    std::vector<std::uint8_t> pcm(frames * channels * sizeof(std::int16_t));
    for (std::size_t i = 0; i < frames * channels; ++i) {
        const auto sample = static_cast<std::int16_t>(wav.data[2 * i] | (wav.data[2 * i + 1] << 8));
        std::memcpy(pcm.data() + 2 * i, &sample, sizeof sample);
    }
    std::unique_ptr<sound> s = new_sound();
    set_sound_format(s.get(), _no_compression, static_cast<std::uint32_t>(frames), 16,
                     kImportSampleRate, static_cast<std::int16_t>(channels));
    attach_sound_samples(s.get(), std::move(pcm));
    convert_sound(s.get(), _ima_adpcm_compression);

    SoundPermutation& p = import.permutation;
    set_permutation_name(p.record, name);
    p.header.flags = kSampleHeaderCompressed;
    p.header.bits_per_sample = 16;
    p.header.sample_size_shift = 1;
    p.header.channels = static_cast<std::int16_t>(channels);
    p.header.sample_rate = kImportSampleRate << 16;
    p.header.sample_count = get_sound_packet_count(s.get());
    const auto blocks = get_sound_samples(s.get());
    p.data.assign(blocks.begin(), blocks.end());
    swap_block_headers(p.data);
    free_sound(s);
    return import;
}

WavImport import_wav_file(const std::string& path) {
    const auto bytes = read_whole_file(path);
    if (!bytes) return refused(kWavUnreadable, path + " cannot be read.");
    return import_wav_bytes(*bytes, path, permutation_name_for_file(path));
}

} // namespace zephane
