#include "sound/waveform.h"

#include <gtest/gtest.h>

namespace zephane {
namespace {

TEST(Waveform, ColumnsHoldEachChannelsLowestAndHighestSample) {
    // Stereo, 8 frames: left rises 0..7, right falls 0..-7.
    std::vector<std::int16_t> samples;
    for (std::int16_t f = 0; f < 8; ++f) {
        samples.push_back(f);
        samples.push_back(static_cast<std::int16_t>(-f));
    }
    const auto columns = waveform_columns(samples, 2, 3);
    ASSERT_EQ(columns.size(), 2u);
    ASSERT_EQ(columns[0].size(), 3u);
    // Frames [0,2), [2,5), [5,8).
    EXPECT_EQ(columns[0][0].low, 0);
    EXPECT_EQ(columns[0][0].high, 1);
    EXPECT_EQ(columns[0][1].low, 2);
    EXPECT_EQ(columns[0][1].high, 4);
    EXPECT_EQ(columns[0][2].high, 7);
    EXPECT_EQ(columns[1][2].low, -7);
    EXPECT_EQ(columns[1][2].high, -5);

    // More columns than frames: each column shows the frame under it.
    const auto wide = waveform_columns(std::vector<std::int16_t>{5, -5}, 1, 4);
    EXPECT_EQ(wide[0][0].high, 5);
    EXPECT_EQ(wide[0][3].low, -5);
    EXPECT_TRUE(waveform_columns({}, 1, 0).empty());
    EXPECT_EQ(waveform_columns({}, 1, 2)[0][1].high, 0);
}

TEST(Waveform, SecondsAreFramesOverTheRate) {
    EXPECT_DOUBLE_EQ(sound_seconds(44100, 2, 22050), 1.0);
    EXPECT_DOUBLE_EQ(sound_seconds(1024, 1, 22050), 1024.0 / 22050);
    EXPECT_EQ(sound_seconds(100, 0, 22050), 0);
    EXPECT_EQ(sound_seconds(100, 1, 0), 0);
}

} // namespace
} // namespace zephane
