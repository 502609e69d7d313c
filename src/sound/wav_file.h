#pragma once
// RIFF 'WAVE' files: a reader that finds the 'fmt ' and 'data' chunks (in any order, unknown
// chunks skipped, odd sizes padded, every size checked against the file) and a writer of
// 16-bit PCM files.

#include <cstdint>
#include <span>
#include <vector>

namespace zephane {

inline constexpr std::uint16_t kWaveFormatPcm = 1;
inline constexpr std::uint16_t kWaveFormatExtensible = 0xFFFE;

struct WavFormat {
    std::uint16_t format_tag = 0; // for an extensible format, the tag of its sub-format
    std::uint16_t channels = 0;
    std::uint32_t samples_per_second = 0;
    std::uint32_t average_bytes_per_second = 0;
    std::uint16_t block_align = 0;
    std::uint16_t bits_per_sample = 0;
};

struct WavContents {
    WavFormat format;
    std::span<const std::uint8_t> data; // the 'data' chunk's body, inside the bytes given
};

// Throws FormatError naming the chunk and byte offset when the bytes are not a WAVE file.
WavContents parse_wav(std::span<const std::uint8_t> bytes);

// A canonical 44-byte header followed by the samples (interleaved by frame), little-endian.
std::vector<std::uint8_t> make_wav(std::span<const std::int16_t> samples, std::uint16_t channels,
                                   std::uint32_t samples_per_second);

} // namespace zephane
