#include "sound/ima_adpcm.h"
#include "sound/sound_intermediate.h"
#include "sound/sound_test_files.h"
#include "base/errors.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace zephane {
namespace {

std::unique_ptr<sound> pcm_sound(const std::vector<std::int16_t>& samples, std::int16_t channels) {
    auto s = new_sound();
    set_sound_format(
        s.get(), _no_compression,
        static_cast<std::uint32_t>(samples.size() / static_cast<std::size_t>(channels)), 16, 22050,
        channels);
    attach_sound_samples(s.get(), test::host_bytes(samples));
    return s;
}

std::vector<std::uint8_t> compressed(const std::vector<std::int16_t>& samples,
                                     std::int16_t channels) {
    auto s = pcm_sound(samples, channels);
    convert_sound(s.get(), _ima_adpcm_compression);
    const auto bytes = get_sound_samples(s.get());
    return {bytes.begin(), bytes.end()};
}

std::uint16_t header_at(const std::vector<std::uint8_t>& packets, std::size_t packet) {
    std::uint16_t header;
    std::memcpy(&header, packets.data() + packet * kImaPacketSize, 2);
    return header;
}

std::vector<std::int16_t> decoded(const std::vector<std::uint8_t>& packets, std::size_t packet) {
    std::vector<std::int16_t> out(64);
    decode_ima_packet(header_at(packets, packet), packets.data() + packet * kImaPacketSize + 2,
                      out.data(), 64);
    return out;
}

TEST(ImaAdpcm, CodesAndReconstructionFollowTheStepTable) {
    // Worked by hand from predictor 0, index 0: 100 → code 7 (11), 100 → 7 (41),
    // 100 → 7 (104), 100 → 8 (95).
    const std::vector<std::int16_t> samples(64, 100);
    const auto packets = compressed(samples, 1);
    ASSERT_EQ(packets.size(), 34u);
    EXPECT_EQ(header_at(packets, 0), 0x0000);
    EXPECT_EQ(packets[2], 0x77);
    EXPECT_EQ(packets[3], 0x87) << "sample 2k in the low nibble, 2k + 1 in the high";
    const auto out = decoded(packets, 0);
    EXPECT_EQ(std::vector<std::int16_t>(out.begin(), out.begin() + 4),
              (std::vector<std::int16_t>{11, 41, 104, 95}));
    for (std::size_t i = 16; i < 64; ++i) EXPECT_NEAR(out[i], 100, 12) << i;
}

TEST(ImaAdpcm, PacketsOfAMonoSoundArePaddedWithSilence) {
    auto samples = test::test_signal(100);
    const auto packets = compressed(samples, 1);
    EXPECT_EQ(packets.size(), 68u) << "100 frames make 2 packets";
    samples.resize(128, 0);
    EXPECT_EQ(packets, compressed(samples, 1)) << "frames 100 to 127 code silence";
}

TEST(ImaAdpcm, EncoderCarriesItsFullPredictorAcrossPackets) {
    const auto samples = test::test_signal(128, 7, 1234.0);
    ima_channel_state state;
    std::uint8_t first[32], carried[32], rounded[32];
    encode_ima_packet_body(samples.data(), first, state);
    ASSERT_NE(state.predictor & 0x7F, 0) << "the signal must leave low predictor bits";
    ima_channel_state from_header{static_cast<std::int16_t>(ima_packet_header(state) & 0xFF80),
                                  state.step_index};
    const std::uint16_t expected_header = ima_packet_header(state);
    encode_ima_packet_body(samples.data() + 64, carried, state);
    encode_ima_packet_body(samples.data() + 64, rounded, from_header);
    ASSERT_NE(std::memcmp(carried, rounded, 32), 0);

    const auto packets = compressed(samples, 1);
    EXPECT_EQ(std::memcmp(packets.data() + 2, first, 32), 0);
    EXPECT_EQ(header_at(packets, 1), expected_header);
    EXPECT_EQ(std::memcmp(packets.data() + 36, carried, 32), 0);
}

TEST(ImaAdpcm, PairedChannelsCodeAsTheyWouldAlone) {
    const auto left = test::test_signal(128, 11, 3000.0), right = test::test_signal(128, 12, 50.0);
    ima_channel_state l, r, l2, r2;
    std::uint8_t alone[4][32], paired[4][32];
    for (int p = 0; p < 2; ++p) {
        encode_ima_packet_body(left.data() + 64 * p, alone[2 * p], l);
        encode_ima_packet_body(right.data() + 64 * p, alone[2 * p + 1], r);
        encode_ima_packet_body_pair(left.data() + 64 * p, right.data() + 64 * p, paired[2 * p],
                                    paired[2 * p + 1], l2, r2);
    }
    EXPECT_EQ(std::memcmp(alone, paired, sizeof alone), 0);
    EXPECT_EQ(ima_packet_header(l), ima_packet_header(l2));
    EXPECT_EQ(ima_packet_header(r), ima_packet_header(r2));
}

TEST(ImaAdpcm, FullScaleStepsSaturateWithoutWrapping) {
    std::vector<std::int16_t> samples(32, 32767);
    samples.resize(64, -32768);
    const auto out = decoded(compressed(samples, 1), 0);
    EXPECT_TRUE(std::is_sorted(out.begin(), out.begin() + 32)) << "a rising run never wraps";
    EXPECT_EQ(out[31], 32767);
    const auto lowest = std::min_element(out.begin() + 32, out.end());
    EXPECT_EQ(*lowest, -32768);
    EXPECT_TRUE(std::is_sorted(out.begin() + 31, lowest + 1, std::greater<>()))
        << "the full-scale step falls straight to -32768";
}

TEST(ImaAdpcm, DecodeCountsAndBuffersAreChecked) {
    const std::uint8_t codes[32] = {0x77, 0x87};
    std::int16_t out[65];
    std::fill(std::begin(out), std::end(out), std::int16_t{-1});
    decode_ima_packet(0, codes, out, 0);
    EXPECT_TRUE(
        std::all_of(std::begin(out), std::end(out), [](std::int16_t v) { return v == -1; }));
    decode_ima_packet(0, codes, out, 3);
    EXPECT_EQ(out[2], 104);
    EXPECT_EQ(out[3], -1) << "only the samples asked for are written";

    try {
        decode_ima_packet(0, codes, out, 65);
        FAIL() << "65 samples accepted";
    } catch (const AssertionFailure& e) {
        EXPECT_EQ(e.info().expression, "samples_to_decompress >= 0 && samples_to_decompress <= "
                                       "NUMBER_OF_IMA_SAMPLES_PER_PACKET");
    }
    EXPECT_THROW(decode_ima_packet(0, codes, out, -1), AssertionFailure);
    try {
        decode_ima_packet(0, nullptr, out, 4);
        FAIL() << "no source accepted";
    } catch (const AssertionFailure& e) {
        EXPECT_EQ(e.info().expression, "state && state->source_samples && state->destination");
    }
    // A header from a damaged file may name a step index past the table.
    decode_ima_packet(0x007F, codes, out, 64);
}

TEST(ImaAdpcm, StereoPacketsAlternateLeftThenRight) {
    std::vector<std::int16_t> frames;
    for (int i = 0; i < 64; ++i) {
        frames.push_back(static_cast<std::int16_t>(i * 300));  // left rises
        frames.push_back(static_cast<std::int16_t>(-i * 300)); // right falls
    }
    const auto packets = compressed(frames, 2);
    ASSERT_EQ(packets.size(), 68u);
    EXPECT_EQ(header_at(packets, 0), 0);
    EXPECT_EQ(header_at(packets, 1), 0) << "each channel starts from predictor 0, index 0";
    EXPECT_GT(decoded(packets, 0)[63], 15000);
    EXPECT_LT(decoded(packets, 1)[63], -15000);
}

TEST(SoundIntermediate, DecompressingGivesFramesInterleavedAgain) {
    const auto left = test::test_signal(150, 3, 300.0), right = test::test_signal(150, 4, 700.0);
    const auto frames = test::interleave(left, right);
    auto s = pcm_sound(frames, 2);
    convert_sound(s.get(), _ima_adpcm_compression);
    EXPECT_EQ(s->count, 3u);
    EXPECT_EQ(get_sound_packet_count(s.get()), 6u);
    EXPECT_EQ(get_sound_data_size(s.get()), 204u);
    convert_sound(s.get(), _ima_adpcm_compression); // already there: nothing changes
    EXPECT_EQ(get_sound_data_size(s.get()), 204u);

    convert_sound(s.get(), _no_compression);
    EXPECT_EQ(s->compression_type, _no_compression);
    EXPECT_EQ(s->count, 192u) << "whole packets come back, padding included";
    ASSERT_EQ(get_sound_data_size(s.get()), 192u * 2 * 2);
    const auto bytes = get_sound_samples(s.get());
    std::vector<std::int16_t> out(bytes.size() / 2);
    std::memcpy(out.data(), bytes.data(), bytes.size());
    double worst = 0;
    for (std::size_t i = 20; i < 150; ++i) {
        worst = std::max({worst, std::abs(double(out[2 * i]) - left[i]),
                          std::abs(double(out[2 * i + 1]) - right[i])});
    }
    EXPECT_LT(worst, 2500.0) << "left and right were swapped or mixed";
}

TEST(SoundIntermediate, MisuseIsReportedWithItsInvariant) {
    const auto expect_assertion = [](const std::string& text, auto&& call) {
        try {
            call();
            ADD_FAILURE() << "no assertion for " << text;
        } catch (const AssertionFailure& e) {
            EXPECT_EQ(e.info().expression, text);
            EXPECT_EQ(e.info().module, "sound_intermediate");
        }
    };
    const std::string ready =
        "sound && sound->magic_cookie == SOUND_MAGIC_COOKIE && sound->initialized";
    expect_assertion(ready, [] { convert_sound(nullptr, _ima_adpcm_compression); });
    auto fresh = new_sound();
    EXPECT_EQ(fresh->magic_cookie, SOUND_MAGIC_COOKIE);
    expect_assertion(ready, [&] { attach_sound_samples(fresh.get(), {}); });
    set_sound_format(fresh.get(), _no_compression, 2, 16, 22050, 1);
    expect_assertion("sound && sound->magic_cookie == SOUND_MAGIC_COOKIE && !sound->initialized",
                     [&] { set_sound_format(fresh.get(), _no_compression, 2, 16, 22050, 1); });
    attach_sound_samples(fresh.get(), std::vector<std::uint8_t>(4));
    expect_assertion("sound->samples == NULL",
                     [&] { attach_sound_samples(fresh.get(), std::vector<std::uint8_t>(4)); });
    expect_assertion(
        "compression_type == _no_compression || compression_type == _ima_adpcm_compression",
        [&] { convert_sound(fresh.get(), _reserved_compression_3); });
    fresh->magic_cookie = 0;
    expect_assertion(ready, [&] { (void)get_sound_data_size(fresh.get()); });

    auto eight_bit = new_sound();
    set_sound_format(eight_bit.get(), _no_compression, 4, 8, 22050, 1);
    attach_sound_samples(eight_bit.get(), std::vector<std::uint8_t>(4, 128));
    expect_assertion("sound->uncompressed_sample_size_in_bits == 16",
                     [&] { convert_sound(eight_bit.get(), _ima_adpcm_compression); });
    auto three = new_sound();
    set_sound_format(three.get(), _no_compression, 1, 16, 22050, 3);
    attach_sound_samples(three.get(), std::vector<std::uint8_t>(6));
    expect_assertion("sound->number_of_channels == 2",
                     [&] { convert_sound(three.get(), _ima_adpcm_compression); });
    auto short_buffer = new_sound();
    set_sound_format(short_buffer.get(), _no_compression, 100, 16, 22050, 2);
    expect_assertion("sample_buffer_size == sound_data_size(sound)", [&] {
        attach_sound_samples(short_buffer.get(), std::vector<std::uint8_t>(10));
    });
}

TEST(SoundIntermediate, AHandlerThatContinuesLeavesTheRecordAsItWas) {
    std::vector<std::string> reports;
    const auto previous = set_assertion_handler(
        [&](const AssertionInfo& info) { reports.push_back(info.expression); });
    auto s = pcm_sound(std::vector<std::int16_t>(10, 5), 1);
    attach_sound_samples(s.get(), std::vector<std::uint8_t>(99));
    convert_sound(s.get(), _reserved_compression_1);
    set_sound_format(s.get(), _ima_adpcm_compression, 1, 16, 22050, 2);
    set_assertion_handler(previous);
    EXPECT_EQ(reports.size(), 3u);
    EXPECT_EQ(get_sound_data_size(s.get()), 20u);
    EXPECT_EQ(s->compression_type, _no_compression);
    free_sound(s);
    EXPECT_FALSE(s);
}

} // namespace
} // namespace zephane
