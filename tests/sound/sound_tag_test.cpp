#include "sound/sound_permutations.h"
#include "sound/sound_tag.h"
#include "sound/sound_test_files.h"
#include "sound/wav_import.h"
#include "support/test_support.h"
#include "base/byte_reader.h"
#include "tags/dependency_reporter.h"
#include "base/errors.h"
#include "tags/tag_types.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zephane {
namespace {

// A payload written field by field: one mono permutation of `blocks` ADPCM blocks whose
// bytes count up, with every carried-over field holding something.
struct PayloadBuilder {
    std::uint32_t blocks = 2;
    std::int32_t count = 1;
    std::uint32_t permutations_offset = 64;
    std::int64_t permutations_size = -1; // -1: 32·count
    std::int64_t sound_offset = -1;      // -1: 64 + 32·count
    std::int64_t sound_size = -1;        // -1: what the data takes
    std::int16_t shift = 1;
    std::uint32_t flags = 1;
    std::size_t trailing = 0;
    std::int64_t data_written = -1; // -1: all the headers say

    std::vector<std::uint8_t> build() const {
        const std::uint32_t n = static_cast<std::uint32_t>(std::max(count, 0));
        const std::uint32_t data = flags & 1                 ? blocks * 34
                                   : shift >= 0 && shift < 8 ? blocks << shift
                                                             : 0;
        ByteWriter w;
        w.u32(0x41);
        for (std::uint16_t v : {1, 0x8000, 0x0180, 0x0100, 0x0020, 0x0100, 0xFFF0, 0xFFFF})
            w.u16(v);
        w.u32(static_cast<std::uint32_t>(sound_offset >= 0 ? sound_offset : 64 + 32 * n));
        w.u32(static_cast<std::uint32_t>(sound_size >= 0 ? sound_size : n * (32 + data)));
        w.u32(fourcc("subt"));
        w.bytes(std::vector<std::uint8_t>{0xAB, 0xCD, 0xEF, 0x01});
        w.u32(static_cast<std::uint32_t>(count));
        w.u32(permutations_offset);
        w.u32(static_cast<std::uint32_t>(permutations_size >= 0 ? permutations_size : 32 * n));
        w.u32(0x12345678); // a reference left by a memory image
        w.bytes(std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8});
        w.u32(0x9ABCDEF0);
        for (std::uint32_t i = 0; i < n; ++i) {
            w.u16(0x0102);
            w.u16(0x8000);
            w.bytes(std::vector<std::uint8_t>{0x77, 0x66});
            std::vector<std::uint8_t> name(26, 0);
            name[0] = 'p';
            name[1] = static_cast<std::uint8_t>('0' + i);
            w.bytes(name);
        }
        for (std::uint32_t i = 0; i < n; ++i) {
            w.u32(flags);
            w.u16(16);
            w.u16(static_cast<std::uint16_t>(shift));
            w.u16(1);
            w.bytes(std::vector<std::uint8_t>{0x55, 0x44});
            w.u32(kSampleRate22050);
            w.u32(blocks);
            w.u32(0x20202020);
            w.u32(0x24242424);
            w.u32(0xDEADBEEF);
        }
        const std::int64_t written = data_written >= 0 ? data_written : std::int64_t{n} * data;
        for (std::int64_t i = 0; i < written; ++i) w.u8(static_cast<std::uint8_t>(i));
        w.zeros(trailing);
        return w.take();
    }
};

std::vector<std::uint8_t> wav_of(std::size_t frames, std::uint16_t channels, unsigned seed = 1) {
    return test::pcm_wav(test::test_signal(frames * channels, seed), channels);
}

SoundPermutation imported(std::size_t frames, std::uint16_t channels,
                          const std::string& name = "perm") {
    WavImport import = import_wav_bytes(wav_of(frames, channels), "test.wav", name);
    EXPECT_EQ(import.result, kWavImported) << import.message;
    return std::move(import.permutation);
}

SoundTag new_sound_tag() {
    SoundTag sound;
    sound.definition = default_sound_definition();
    return sound;
}

TEST(SoundPayload, NewTagIsTheDefaultDefinition) {
    detach_all_tag_operations();
    register_sound_type();
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    TagEntry* entry =
        db.add_tag(file, kSoundTagType, fourcc("boom"), 1, "Boom", 0, 0, std::nullopt);
    ASSERT_NE(tag_type_defaults(kSoundTagType), nullptr);
    tag_type_defaults(kSoundTagType)(db, *entry);
    const std::vector<std::uint8_t> expected = {
        0, 0,  0, 0, 0, 0, 0,    0,    1,    0,    1,    0,    0, 0, 1, 0, 0, 0, 0, 0, 0, 0,
        0, 64, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 64,
        0, 0,  0, 0, 0, 0, 0,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(*db.get_tag_data(*entry), expected);
    SoundTag sound;
    ASSERT_TRUE(read_sound_definition(db, *entry, sound));
    EXPECT_TRUE(sound.permutations.empty());
    EXPECT_EQ(sound.definition.string_list_id, kNoTag);
    detach_all_tag_operations();
}

TEST(SoundPayload, ImportedPermutationsGiveTheDocumentedSizes) {
    SoundTag sound = new_sound_tag();
    ASSERT_EQ(append_sound_permutation(sound, imported(1000, 1, "mono")), PermutationChange::kDone);
    Payload payload = build_sound_payload(sound);
    EXPECT_EQ(payload.size(), 672u);
    EXPECT_EQ(load_u32(&payload[20]), 96u) << "sound_offset";
    EXPECT_EQ(load_u32(&payload[24]), 576u) << "sound_size";
    EXPECT_EQ(load_u32(&payload[36]), 1u);
    EXPECT_EQ(load_u32(&payload[44]), 32u);
    const std::uint8_t* header = &payload[96];
    EXPECT_EQ(load_u32(header), 1u) << "compressed";
    EXPECT_EQ(load_u16(header + 4), 16u);
    EXPECT_EQ(load_u16(header + 6), 1u) << "shift";
    EXPECT_EQ(load_u16(header + 8), 1u) << "mono";
    EXPECT_EQ(load_u32(header + 12), 0x56220000u);
    EXPECT_EQ(load_u32(header + 16), 16u) << "1000 frames / 64, rounded up";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&payload[70])), "mono");
    // Block headers are big-endian in the tag: block 1 starts from a moving predictor.
    const SoundPermutation& p = sound.permutations[0];
    const std::vector<std::int16_t> decoded = decode_sound_permutation(p);
    ASSERT_EQ(decoded.size(), 1024u);
    EXPECT_EQ(load_u16(&payload[128]), 0u);
    EXPECT_EQ(static_cast<std::int16_t>(load_u16(&payload[128 + 34]) & 0xFF80),
              static_cast<std::int16_t>(decoded[63] & 0xFF80));

    ASSERT_EQ(append_sound_permutation(sound, imported(1000, 2, "stereo")),
              PermutationChange::kDone);
    payload = build_sound_payload(sound);
    EXPECT_EQ(payload.size(), 64u + 128 + 544 + 1088);
    EXPECT_EQ(load_u32(&payload[128 + 32 + 16]), 32u) << "stereo block count";
    EXPECT_EQ(load_u32(&payload[24]), 64u + 544 + 1088);
    EXPECT_EQ(load_u32(&payload[20]), 128u);
}

TEST(SoundPayload, RoundTripKeepsCarriedFieldsAndZeroesReferences) {
    const auto original = PayloadBuilder{}.build();
    const SoundTag sound = parse_sound_payload(original);
    ASSERT_EQ(sound.permutations.size(), 1u);
    EXPECT_EQ(permutation_name(sound.permutations[0].record), "p0");
    EXPECT_EQ(sound.definition.string_list_id, fourcc("subt"));
    EXPECT_EQ(sound.definition.external_frequency_modifier, 0x0180);
    EXPECT_EQ(sound.definition.play_fraction, 0x8000);
    EXPECT_EQ(sound.permutations[0].data.size(), 68u);

    auto expected = original;
    std::fill(expected.begin() + 48, expected.begin() + 52, 0); // permutations reference
    std::fill(expected.begin() + 60, expected.begin() + 64, 0); // sample headers reference
    std::fill(expected.begin() + 96 + 28, expected.begin() + 96 + 32, 0); // sample data reference
    EXPECT_EQ(build_sound_payload(sound), expected);
}

TEST(SoundPayload, PayloadsThatDoNotAddUpAreRefused) {
    const auto refusal = [](const PayloadBuilder& builder) -> std::string {
        try {
            (void)parse_sound_payload(builder.build());
        } catch (const FormatError& e) {
            return e.field();
        }
        return "accepted";
    };
    PayloadBuilder b;
    b.count = 6;
    EXPECT_EQ(refusal(b), "number_of_permutations");
    b.count = -1;
    EXPECT_EQ(refusal(b), "number_of_permutations");
    b = {};
    b.permutations_offset = 96;
    EXPECT_EQ(refusal(b), "permutations_offset");
    b = {};
    b.permutations_size = 64;
    EXPECT_EQ(refusal(b), "permutations_size");
    b = {};
    b.sound_offset = 64;
    EXPECT_EQ(refusal(b), "sound_offset");
    b = {};
    b.sound_size = 32;
    EXPECT_EQ(refusal(b), "sound_size");
    b = {};
    b.trailing = 3;
    EXPECT_EQ(refusal(b), "payload");
    b = {};
    b.flags = 0;
    b.shift = 40;
    EXPECT_EQ(refusal(b), "sample_size_shift of permutation 0");
    b = {};
    b.flags = 0;
    b.blocks = 10;
    EXPECT_EQ(refusal(b), "accepted") << "uncompressed: samples << shift bytes";

    // Data running past the end, and records cut short.
    auto bytes = PayloadBuilder{}.build();
    bytes.pop_back();
    try {
        (void)parse_sound_payload(bytes);
        FAIL();
    } catch (const FormatError& e) {
        EXPECT_EQ(e.field(), "sample data of permutation 0");
        EXPECT_EQ(e.offset(), 128u);
        EXPECT_NE(std::string(e.what()).find("needs 68 bytes but only 67 remain"),
                  std::string::npos);
    }
    bytes.resize(100);
    EXPECT_THROW((void)parse_sound_payload(bytes), FormatError);
    bytes.resize(63);
    EXPECT_THROW((void)parse_sound_payload(bytes), FormatError);
    b = {};
    b.blocks = 0x7FFFFFFF; // a block count whose data cannot be there
    b.data_written = 100;
    EXPECT_EQ(refusal(b), "sample data of permutation 0");
}

TEST(SoundPermutationList, AddDuplicateAndDeleteKeepTheDefinitionInStep) {
    SoundTag sound = new_sound_tag();
    EXPECT_EQ(duplicate_sound_permutation(sound, 0), PermutationChange::kNoSuchPermutation);
    ASSERT_EQ(append_sound_permutation(sound, imported(1000, 1, "a")), PermutationChange::kDone);
    ASSERT_EQ(append_sound_permutation(sound, imported(100, 2, "b")), PermutationChange::kDone);
    ASSERT_EQ(append_sound_permutation(sound, imported(64, 1, "c")), PermutationChange::kDone);
    ASSERT_EQ(duplicate_sound_permutation(sound, 1), PermutationChange::kDone);
    EXPECT_EQ(sound.permutations[3].data, sound.permutations[1].data);
    ASSERT_EQ(duplicate_sound_permutation(sound, 0), PermutationChange::kDone);
    EXPECT_EQ(duplicate_sound_permutation(sound, 0), PermutationChange::kFull);
    EXPECT_EQ(append_sound_permutation(sound, imported(10, 1)), PermutationChange::kFull);
    EXPECT_EQ(sound.definition.number_of_permutations, 5);

    ASSERT_EQ(delete_sound_permutation(sound, 1), PermutationChange::kDone);
    EXPECT_EQ(delete_sound_permutation(sound, 4), PermutationChange::kNoSuchPermutation);
    std::vector<std::string> names;
    for (const auto& p : sound.permutations) names.push_back(permutation_name(p.record));
    EXPECT_EQ(names, (std::vector<std::string>{"a", "c", "b", "a"}));
    // The counts kept by the operations are the ones a rebuilt payload has.
    const sound_definition kept = sound.definition;
    const SoundTag rebuilt = parse_sound_payload(build_sound_payload(sound));
    EXPECT_EQ(kept.sound_size, rebuilt.definition.sound_size);
    EXPECT_EQ(kept.sound_offset, rebuilt.definition.sound_offset);
    EXPECT_EQ(kept.permutations_size, rebuilt.definition.permutations_size);
    EXPECT_EQ(kept.number_of_permutations, 4);

    SoundTag one = new_sound_tag();
    ASSERT_EQ(append_sound_permutation(one, imported(1000, 1)), PermutationChange::kDone);
    ASSERT_EQ(delete_sound_permutation(one, 0), PermutationChange::kDone);
    EXPECT_EQ(one.definition.sound_size, 0u);
    EXPECT_EQ(one.definition.sound_offset, 64u);
    const Payload empty = build_sound_payload(one);
    EXPECT_EQ(empty.size(), 64u);
    EXPECT_EQ(empty, build_sound_payload(new_sound_tag()));
}

TEST(SoundPermutationList, DataThatDisagreesWithItsHeaderIsNeverWritten) {
    SoundTag sound = new_sound_tag();
    SoundPermutation p = imported(200, 1);
    p.data.pop_back();
    EXPECT_EQ(append_sound_permutation(sound, p), PermutationChange::kTooLarge);
    sound.permutations.push_back(p);
    EXPECT_THROW((void)build_sound_payload(sound), InternalError);

    std::string reason;
    p.header.channels = 2;
    p.header.sample_count = 3;
    EXPECT_TRUE(decode_sound_permutation(p, &reason).empty());
    EXPECT_NE(reason.find("do not divide"), std::string::npos) << reason;
    p.header.flags = 0;
    EXPECT_TRUE(decode_sound_permutation(p, &reason).empty());
    EXPECT_NE(reason.find("not ADPCM"), std::string::npos) << reason;
}

TEST(SoundPayload, DependsOnItsStringList) {
    detach_all_tag_operations();
    register_sound_type();
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    SoundTag sound = new_sound_tag();
    TagEntry* none =
        db.add_tag(file, kSoundTagType, fourcc("none"), 1, "", 0, 0, build_sound_payload(sound));
    sound.definition.string_list_id = fourcc("subs");
    TagEntry* some =
        db.add_tag(file, kSoundTagType, fourcc("some"), 1, "", 0, 0, build_sound_payload(sound));
    test::RecordingReporter recorder;
    tag_type_dependencies(kSoundTagType)(db, *none, recorder);
    EXPECT_TRUE(recorder.reported.empty());
    tag_type_dependencies(kSoundTagType)(db, *some, recorder);
    EXPECT_EQ(recorder.reported,
              (std::vector<std::pair<tag_type, tag_id>>{{kStringListTagType, fourcc("subs")}}));
    detach_all_tag_operations();
}

} // namespace
} // namespace zephane
