#pragma once
// WAV import: a 16-bit, 22050 Hz, mono or stereo PCM WAVE file becomes a new ADPCM
// permutation of a sound tag.

#include "sound/sound_tag.h"

#include <cstdint>
#include <span>
#include <string>

namespace zephane {

enum WavImportResult : int {
    kWavImported = 0,
    kWavUnreadable = 1,      // cannot be opened, or no RIFF 'WAVE' with 'fmt ' and 'data'
    kWavWrongSampleSize = 2, // not 16 bits per sample
    kWavWrongRate = 3,       // not 22050 samples per second
    kWavWrongChannels = 4,   // neither mono nor stereo
    kWavNotPcm = 5,          // a compressed or floating-point encoding
};

inline constexpr std::uint32_t kImportSampleRate = 22050;
inline constexpr std::size_t kPermutationNameLength = 25;

struct WavImport {
    WavImportResult result = kWavUnreadable;
    std::string message; // what the user is told when the import is refused
    SoundPermutation permutation;
};

// The permutation name a file gives: its name without the folder, an extension of up to three
// characters removed, cut to 25 bytes (never inside a UTF-8 character).
std::string permutation_name_for_file(const std::string& path);

// `label` names the file in messages; `name` becomes the permutation's name.
WavImport import_wav_bytes(std::span<const std::uint8_t> bytes, const std::string& label,
                           const std::string& name);
WavImport import_wav_file(const std::string& path);

} // namespace zephane
