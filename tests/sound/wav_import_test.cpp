#include "sound/sound_permutations.h"
#include "sound/sound_test_files.h"
#include "sound/wav_file.h"
#include "sound/wav_import.h"
#include "support/test_support.h"
#include "base/byte_reader.h"

#include <gtest/gtest.h>

namespace zephane {
namespace {

using test::data_chunk;
using test::fmt_chunk;
using test::riff_chunk;
using test::riff_wave;
using test::WavSpec;

const std::vector<std::int16_t> kSamples = test::test_signal(300);

TEST(WavReader, FindsItsChunksWhereverTheyAre) {
    const auto odd = riff_chunk("LIST", std::vector<std::uint8_t>(7, 'x')); // padded to 8
    WavSpec stereo;
    stereo.channels = 2;
    const auto bytes =
        riff_wave({odd, data_chunk(kSamples), riff_chunk("junk", {1, 2, 3}), fmt_chunk(stereo)});
    const WavContents wav = parse_wav(bytes);
    EXPECT_EQ(wav.format.channels, 2);
    EXPECT_EQ(wav.format.samples_per_second, 22050u);
    EXPECT_EQ(wav.format.bits_per_sample, 16);
    ASSERT_EQ(wav.data.size(), 600u);
    EXPECT_EQ(wav.data.data(), bytes.data() + 12 + 16 + 8)
        << "the body of 'data', after the padded LIST";

    // A missing pad byte after the last chunk, and bytes after the RIFF chunk, are harmless.
    auto unpadded = riff_wave({fmt_chunk({}), riff_chunk("data", {1, 2, 3}, false)});
    unpadded.push_back(0xEE);
    EXPECT_EQ(parse_wav(unpadded).data.size(), 3u);

    // An extensible format names its PCM sub-format.
    std::vector<std::uint8_t> body;
    test::append_le(body, kWaveFormatExtensible, 2);
    test::append_le(body, 1, 2);
    test::append_le(body, 22050, 4);
    test::append_le(body, 44100, 4);
    test::append_le(body, 2, 2);
    test::append_le(body, 16, 2);
    test::append_le(body, 22, 2);
    test::append_le(body, 16, 2);
    test::append_le(body, 4, 4);
    const std::uint8_t guid[16] = {1,    0, 0, 0,    0, 0,    0x10, 0,
                                   0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    body.insert(body.end(), std::begin(guid), std::end(guid));
    EXPECT_EQ(
        parse_wav(riff_wave({riff_chunk("fmt ", body), data_chunk(kSamples)})).format.format_tag,
        kWaveFormatPcm);
}

TEST(WavReader, DamagedFilesAreRefusedWithTheirReason) {
    const auto good = test::pcm_wav(kSamples);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* field;
    };
    auto not_riff = good;
    not_riff[0] = 'X';
    auto not_wave = good;
    std::copy_n("AVI ", 4, not_wave.begin() + 8);
    auto riff_too_long = good;
    riff_too_long[6] += 1; // 64 KB more than there is
    auto data_too_long = good;
    data_too_long[40] = 0xFF;
    data_too_long[41] = 0xFF; // 'data' claims 65535 bytes
    WavSpec spec;
    std::vector<std::uint8_t> short_fmt(riff_chunk("fmt ", std::vector<std::uint8_t>(14, 1)));
    const std::vector<Case> cases = {
        {"empty", {}, "RIFF header"},
        {"not RIFF", not_riff, "RIFF header"},
        {"not WAVE", not_wave, "RIFF form type"},
        {"RIFF larger than the file", riff_too_long, "RIFF chunk size"},
        {"data larger than the file", data_too_long, "'data' chunk"},
        {"no fmt", riff_wave({data_chunk(kSamples)}), "'fmt ' chunk"},
        {"no data", riff_wave({fmt_chunk(spec)}), "'data' chunk"},
        {"short fmt", riff_wave({short_fmt, data_chunk(kSamples)}), "'fmt ' chunk"},
        {"cut short", std::vector<std::uint8_t>(good.begin(), good.begin() + 20),
         "RIFF chunk size"},
    };
    for (const Case& c : cases) {
        try {
            (void)parse_wav(c.bytes);
            ADD_FAILURE() << c.what << " accepted";
        } catch (const FormatError& e) {
            EXPECT_EQ(e.field(), c.field) << c.what << ": " << e.what();
        }
    }
}

TEST(WavImport, RefusalsHaveTheirResultAndMessage) {
    test::ScratchFolder folder;
    const auto file_with = [&](const char* name, WavSpec spec) {
        return folder.write(name, riff_wave({fmt_chunk(spec), data_chunk(kSamples)}));
    };
    WavSpec eight;
    eight.bits = 8;
    WavSpec fast;
    fast.rate = 44100;
    WavSpec surround;
    surround.channels = 6;
    WavSpec fl;
    fl.format_tag = 3;
    struct Case {
        std::string path;
        WavImportResult result;
        const char* message;
    };
    const std::vector<Case> cases = {
        {folder / "missing.wav", kWavUnreadable, "cannot be read"},
        {folder.write("text.wav", test::bytes_of("hello")), kWavUnreadable,
         "is not a readable WAVE file"},
        {file_with("eight.wav", eight), kWavWrongSampleSize, "has 8-bit samples; only 16-bit"},
        {file_with("fast.wav", fast), kWavWrongRate, "sampled at 44100 Hz; only 22050 Hz"},
        {file_with("surround.wav", surround), kWavWrongChannels,
         "has 6 channels; only mono and stereo"},
        {file_with("float.wav", fl), kWavNotPcm, "is not PCM (format 3)"},
    };
    for (const Case& c : cases) {
        const WavImport import = import_wav_file(c.path);
        EXPECT_EQ(import.result, c.result) << c.path;
        EXPECT_NE(import.message.find(c.message), std::string::npos) << import.message;
        EXPECT_EQ(import.message.find(c.path), 0u)
            << "the message names the file: " << import.message;
        EXPECT_TRUE(import.permutation.data.empty());
    }
}

TEST(WavImport, PermutationNameComesFromTheFileName) {
    EXPECT_EQ(permutation_name_for_file("/sounds/boom.wav"), "boom");
    EXPECT_EQ(permutation_name_for_file("boom.wave"), "boom.wave")
        << "only extensions of up to three";
    EXPECT_EQ(permutation_name_for_file("dir.x/a.b.c"), "a.b");
    EXPECT_EQ(permutation_name_for_file("explosion_large_distant_echo_2.wav"),
              "explosion_large_distant_e");
    // 24 ASCII bytes then a two-byte character: cut before it rather than through it.
    EXPECT_EQ(permutation_name_for_file("abcdefghijklmnopqrstuvwx\xC3\xA9z.wav"),
              "abcdefghijklmnopqrstuvwx");

    test::ScratchFolder folder;
    const auto path = folder.write("sub/Thunder Roll.WAV", test::pcm_wav(kSamples, 2));
    const WavImport import = import_wav_file(path);
    ASSERT_EQ(import.result, kWavImported) << import.message;
    EXPECT_EQ(permutation_name(import.permutation.record), "Thunder Roll");
    EXPECT_EQ(import.permutation.header.channels, 2);
    EXPECT_EQ(import.permutation.header.sample_count, 6u) << "150 frames: 3 blocks per channel";
    EXPECT_EQ(import.permutation.header.field_20, 0u);
}

TEST(WavImport, ExportedSamplesFollowTheImportedOnes) {
    const auto left = test::test_signal(500, 1, 200.0), right = test::test_signal(500, 2, 900.0);
    const auto frames = test::interleave(left, right);
    auto bytes = test::pcm_wav(frames, 2);
    bytes.back() = 0x12; // a trailing odd byte: half a frame is dropped
    const WavImport import = import_wav_bytes(bytes, "t.wav", "t");
    ASSERT_EQ(import.result, kWavImported);
    const auto decoded = decode_sound_permutation(import.permutation);
    ASSERT_EQ(decoded.size(), 512u * 2);
    double error = 0;
    for (std::size_t i = 0; i < 499; ++i)
        error += std::abs(decoded[2 * i] - left[i]) + std::abs(decoded[2 * i + 1] - right[i]);
    EXPECT_LT(error / 998, 600.0);
    const auto written = make_wav(decoded, 2, 22050);
    const auto wav = parse_wav(written);
    EXPECT_EQ(wav.format.channels, 2);
    EXPECT_EQ(wav.format.block_align, 4);
    EXPECT_EQ(wav.format.average_bytes_per_second, 88200u);
    EXPECT_EQ(wav.data.size(), decoded.size() * 2);
    EXPECT_EQ(static_cast<std::int16_t>(wav.data[2] | wav.data[3] << 8), decoded[1]);
}

} // namespace
} // namespace zephane
