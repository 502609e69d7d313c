// The ADPCM codec alone, in memory: compress and decompress a stereo 22050 Hz signal through
// the intermediate sound, against a plain copy of the same bytes as the floor. Shows how much
// of a whole import or export is the codec and how much is reading and writing files.
// Usage: sound_codec_bench [SECONDS_OF_SOUND]   (default 600)

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "sound/sound_intermediate.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::vector<std::uint8_t> signal(std::size_t frames) {
    std::mt19937 random(1);
    std::normal_distribution<double> noise(0.0, 2000.0);
    std::vector<std::int16_t> samples(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = double(i) / 22050.0;
        const double tone = 9000.0 * std::sin(2 * 3.14159265358979 * (220.0 + 40.0 * std::sin(t)) * t);
        samples[2 * i] = static_cast<std::int16_t>(std::clamp(tone + noise(random), -32768.0, 32767.0));
        samples[2 * i + 1] = static_cast<std::int16_t>(std::clamp(-tone + noise(random), -32768.0, 32767.0));
    }
    std::vector<std::uint8_t> bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    using namespace zephane;
    const double duration = argc > 1 ? std::atof(argv[1]) : 600.0;
    const auto frames = static_cast<std::size_t>(duration * 22050);
    const std::vector<std::uint8_t> pcm = signal(frames);
    constexpr int kRuns = 5;
    double copy_best = 1e9, encode_best = 1e9, decode_best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        auto start = Clock::now();
        std::vector<std::uint8_t> copy(pcm);
        copy_best = std::min(copy_best, seconds_since(start));

        auto s = new_sound();
        set_sound_format(s.get(), _no_compression, static_cast<std::uint32_t>(frames), 16, 22050, 2);
        attach_sound_samples(s.get(), std::move(copy));
        start = Clock::now();
        convert_sound(s.get(), _ima_adpcm_compression);
        encode_best = std::min(encode_best, seconds_since(start));
        start = Clock::now();
        convert_sound(s.get(), _no_compression);
        decode_best = std::min(decode_best, seconds_since(start));
        free_sound(s);
    }
    const double samples = double(frames) * 2;
    std::printf("sound_codec_bench: %.0f s of 22050 Hz stereo (%.1f MB of PCM), best of %d\n", duration,
                double(pcm.size()) / 1e6, kRuns);
    std::printf("  copy (floor)  %8.4f s\n", copy_best);
    std::printf("  compress      %8.4f s  %6.1f M samples/s  %5.1fx the copy\n", encode_best,
                samples / encode_best / 1e6, encode_best / copy_best);
    std::printf("  decompress    %8.4f s  %6.1f M samples/s  %5.1fx the copy\n", decode_best,
                samples / decode_best / 1e6, decode_best / copy_best);
    return 0;
}
