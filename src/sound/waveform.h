#pragma once
// The picture of a sound's samples: for each pixel column and channel, the lowest and highest
// sample of the frames the column covers, and the sound's length in seconds.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zephane {

struct WaveColumn {
    std::int16_t low = 0;
    std::int16_t high = 0;
};

// Samples interleaved by frame. Column c covers frames [c·F/C, (c+1)·F/C); with more
// columns than frames a column covers the frame under it. Result: [channel][column].
std::vector<std::vector<WaveColumn>> waveform_columns(std::span<const std::int16_t> samples,
                                                      int channels, std::size_t columns);

// Frames divided by the rate; 0 for a rate of 0 or no channel.
double sound_seconds(std::size_t samples, int channels, std::uint32_t rate);

} // namespace zephane
