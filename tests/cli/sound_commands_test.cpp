#include "cli/tool_run.h"
#include "sound/sound_tag.h"
#include "sound/sound_test_files.h"
#include "sound/wav_file.h"
#include "support/test_support.h"
#include "base/byte_reader.h"

#include <gtest/gtest.h>

namespace zephane::cli {
namespace {

using test::run;
using test::ToolRun;
using zephane::test::ScratchFolder;
namespace data = zephane::test;

std::vector<std::int16_t> stereo_frames(std::size_t frames) {
    return data::interleave(data::test_signal(frames, 5, 250.0),
                            data::test_signal(frames, 6, 800.0));
}

TEST(ToolSound, ImportCreatesTheTagAndInfoShowsIt) {
    ScratchFolder folder;
    const auto mono = folder.write("Boom.wav", data::pcm_wav(data::test_signal(1000)));
    const auto stereo = folder.write("wide.wav", data::pcm_wav(stereo_frames(1000), 2));
    const auto tags = folder / "sounds.tag";
    const ToolRun import =
        run({"import-wav", tags, "soun:boom", mono, stereo, "--name", "Big Boom"});
    ASSERT_EQ(import.status, 0) << import.err;
    EXPECT_EQ(import.out, "soun:boom: 2 permutations\n");
    EXPECT_EQ(run({"verify", tags}).out, "OK\n");
    EXPECT_NE(run({"list", tags}).out.find("soun\tboom\t1\t1824\tBig Boom\tSound"),
              std::string::npos);

    const ToolRun info = run({"sound-info", tags, "soun:boom"});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("name: Big Boom\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("external frequency modifier: 1.000\n"), std::string::npos);
    EXPECT_NE(info.out.find("string list: ____\n"), std::string::npos);
    EXPECT_NE(info.out.find("permutations: 2\n"
                            "0\tBoom\tmono\t22050 Hz\t16 blocks\t544 bytes\n"
                            "1\twide\tstereo\t22050 Hz\t32 blocks\t1088 bytes\n"),
              std::string::npos)
        << info.out;

    // Adding to the tag that now exists.
    ASSERT_EQ(run({"import-wav", tags, "soun:boom", mono}).status, 0);
    EXPECT_NE(run({"sound-info", tags, "soun:boom"}).out.find("permutations: 3\n"),
              std::string::npos);
}

TEST(ToolSound, ExportWritesTheDecodedFramesAndTheStoredBlocks) {
    ScratchFolder folder;
    const auto frames = stereo_frames(700);
    const auto wav = folder.write("s.wav", data::pcm_wav(frames, 2));
    const auto tags = folder / "s.tag";
    const ToolRun import = run({"import-wav", tags, "soun:ster", wav});
    ASSERT_EQ(import.status, 0) << import.err;
    EXPECT_EQ(import.out, "soun:ster: 1 permutation\n");

    ASSERT_EQ(run({"export-wav", tags, "soun:ster", "0", folder / "out.wav"}).status, 0);
    const auto bytes = data::read_bytes(folder / "out.wav");
    const WavContents out = parse_wav(bytes);
    EXPECT_EQ(out.format.channels, 2);
    EXPECT_EQ(out.format.samples_per_second, 22050u);
    ASSERT_EQ(out.data.size(), 704u * 2 * 2) << "11 blocks per channel";
    double error = 0;
    for (std::size_t i = 0; i < 1400; ++i) {
        const auto sample = static_cast<std::int16_t>(out.data[2 * i] | out.data[2 * i + 1] << 8);
        error += std::abs(sample - frames[i]);
    }
    EXPECT_LT(error / 1400, 600.0) << "left and right re-interleaved by frame";

    ASSERT_EQ(run({"export-sample-data", tags, "soun:ster", "0", folder / "blocks"}).status, 0);
    const auto blocks = data::read_bytes(folder / "blocks");
    ASSERT_EQ(blocks.size(), 22u * 34);
    EXPECT_EQ(load_u16(&blocks[0]), 0);
    EXPECT_EQ(load_u16(&blocks[34]), 0) << "the right channel's first block";

    const ToolRun missing = run({"export-wav", tags, "soun:ster", "1", folder / "x.wav"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("there is no permutation 1"), std::string::npos) << missing.err;
}

TEST(ToolSound, RefusalsLeaveTheFileAsItWas) {
    ScratchFolder folder;
    const auto good = folder.write("good.wav", data::pcm_wav(data::test_signal(200)));
    data::WavSpec fast;
    fast.rate = 44100;
    const auto bad = folder.write(
        "fast.wav",
        data::riff_wave({data::fmt_chunk(fast), data::data_chunk(data::test_signal(10))}));
    const auto tags = folder / "s.tag";

    ToolRun result = run({"import-wav", tags, "soun:new1", good, bad});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(bad + " is sampled at 44100 Hz"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(tags)) << "nothing is saved when one file is refused";

    ASSERT_EQ(run({"import-wav", tags, "soun:full", good, good, good, good}).status, 0);
    const auto before = data::read_bytes(tags);
    result = run({"import-wav", tags, "soun:full", good, good});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("has 4 permutations; 2 more would pass the 5"), std::string::npos)
        << result.err;
    EXPECT_EQ(data::read_bytes(tags), before);
    EXPECT_EQ(run({"import-wav", tags, "soun:full", good}).status, 0);
    const auto full = data::read_bytes(tags);
    EXPECT_EQ(run({"import-wav", tags, "soun:full", good}).status, 1);

    result = run({"import-wav", tags, "proj:arro", good});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("is not a sound tag"), std::string::npos);
    EXPECT_EQ(data::read_bytes(tags), full);
}

TEST(ToolSound, DamagedPayloadIsReportedNotTrusted) {
    ScratchFolder folder;
    SoundTag sound;
    sound.definition = default_sound_definition();
    auto payload = build_sound_payload(sound);
    payload[39] = 2; // two permutations that are not there
    const auto tags = folder.write(
        "d.tag", data::single_tag_file({fourcc("soun"), fourcc("dmgd"), "Damaged", payload}));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"sound-info", tags, "soun:dmgd"},
          std::vector<std::string>{"export-wav", tags, "soun:dmgd", "0", folder / "o.wav"},
          std::vector<std::string>{"import-wav", tags, "soun:dmgd", folder / "none.wav"}}) {
        const ToolRun result = run(args);
        EXPECT_EQ(result.status, 1) << args[0];
        EXPECT_NE(result.err.find("soun:dmgd: permutations_size at byte 44: is 0, not 64"),
                  std::string::npos)
            << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "o.wav"));
}

} // namespace
} // namespace zephane::cli
