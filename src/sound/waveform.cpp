#include "sound/waveform.h"

#include <algorithm>

namespace zephane {

std::vector<std::vector<WaveColumn>> waveform_columns(std::span<const std::int16_t> samples,
                                                      int channels, std::size_t columns) {
    if (channels <= 0 || columns == 0) return {};
    const auto count = static_cast<std::size_t>(channels);
    const std::size_t frames = samples.size() / count;
    std::vector<std::vector<WaveColumn>> out(count, std::vector<WaveColumn>(columns));
    if (frames == 0) return out;
    for (std::size_t c = 0; c < columns; ++c) {
        std::size_t first = c * frames / columns;
        std::size_t last = (c + 1) * frames / columns;
        if (last <= first) last = std::min(first + 1, frames);
        for (std::size_t channel = 0; channel < count; ++channel) {
            std::int16_t low = samples[first * count + channel], high = low;
            for (std::size_t f = first + 1; f < last; ++f) {
                const std::int16_t v = samples[f * count + channel];
                low = std::min(low, v);
                high = std::max(high, v);
            }
            out[channel][c] = {low, high};
        }
    }
    return out;
}

double sound_seconds(std::size_t samples, int channels, std::uint32_t rate) {
    if (channels <= 0 || rate == 0) return 0;
    return static_cast<double>(samples / static_cast<std::size_t>(channels)) / rate;
}

} // namespace zephane
