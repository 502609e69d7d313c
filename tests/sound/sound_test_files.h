#pragma once
// WAVE files and signals built byte by byte for the sound tests.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace zephane::test {

inline void append_le(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A chunk with its 8-byte header, padded to an even size unless told not to.
inline std::vector<std::uint8_t> riff_chunk(const char* id, const std::vector<std::uint8_t>& body,
                                            bool pad = true) {
    std::vector<std::uint8_t> out(id, id + 4);
    append_le(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    if (pad && (body.size() & 1)) out.push_back(0);
    return out;
}

struct WavSpec {
    std::uint16_t format_tag = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 16;
};

inline std::vector<std::uint8_t> fmt_chunk(const WavSpec& spec) {
    std::vector<std::uint8_t> body;
    const std::uint32_t align = spec.channels * ((spec.bits + 7u) / 8u);
    append_le(body, spec.format_tag, 2);
    append_le(body, spec.channels, 2);
    append_le(body, spec.rate, 4);
    append_le(body, spec.rate * align, 4);
    append_le(body, align, 2);
    append_le(body, spec.bits, 2);
    return riff_chunk("fmt ", body);
}

inline std::vector<std::uint8_t> data_chunk(std::span<const std::int16_t> samples) {
    std::vector<std::uint8_t> body;
    for (std::int16_t s : samples) append_le(body, static_cast<std::uint16_t>(s), 2);
    return riff_chunk("data", body);
}

inline std::vector<std::uint8_t> riff_wave(const std::vector<std::vector<std::uint8_t>>& chunks) {
    std::vector<std::uint8_t> form = {'W', 'A', 'V', 'E'};
    for (const auto& chunk : chunks) form.insert(form.end(), chunk.begin(), chunk.end());
    return riff_chunk("RIFF", form, false);
}

inline std::vector<std::uint8_t> pcm_wav(std::span<const std::int16_t> samples,
                                         std::uint16_t channels = 1, std::uint32_t rate = 22050) {
    WavSpec spec;
    spec.channels = channels;
    spec.rate = rate;
    return riff_wave({fmt_chunk(spec), data_chunk(samples)});
}

// A tone with some noise on it, repeatable from the seed.
inline std::vector<std::int16_t> test_signal(std::size_t count, unsigned seed = 1,
                                             double frequency = 440.0) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> noise(-800, 800);
    std::vector<std::int16_t> out(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double tone =
            12000.0 * std::sin(2 * 3.14159265358979 * frequency * double(i) / 22050.0);
        out[i] = static_cast<std::int16_t>(tone + noise(random));
    }
    return out;
}

// Two channels interleaved by frame.
inline std::vector<std::int16_t> interleave(const std::vector<std::int16_t>& left,
                                            const std::vector<std::int16_t>& right) {
    std::vector<std::int16_t> out;
    for (std::size_t i = 0; i < left.size() && i < right.size(); ++i) {
        out.push_back(left[i]);
        out.push_back(right[i]);
    }
    return out;
}

// Host-order 16-bit samples as the intermediate sound holds them.
inline std::vector<std::uint8_t> host_bytes(std::span<const std::int16_t> samples) {
    std::vector<std::uint8_t> out(samples.size() * 2);
    std::memcpy(out.data(), samples.data(), out.size());
    return out;
}

} // namespace zephane::test
