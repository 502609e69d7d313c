// Sprite definition payloads: the layout against worked examples, carried bytes, refusals,
// the modified test, the editor's commands with their limits, dependencies and new tags.

#include "base/byte_reader.h"
#include "definitions/register_tag_types.h"
#include "support/test_support.h"
#include "tags/tag_types.h"
#include "textures/sprite_definition.h"
#include "textures/sprite_edit.h"

#include <bit>
#include <gtest/gtest.h>

namespace zephane {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t word_at(const Bytes& bytes, std::size_t at) {
    return load_u32(bytes.data() + at);
}
float float_at(const Bytes& bytes, std::size_t at) {
    return std::bit_cast<float>(word_at(bytes, at));
}

// Two frames and one sequence of three entries, every field holding something of its own.
SpriteDefinition worked_example() {
    SpriteDefinition d;
    d.header.field_8 = 77;
    d.header.type_flags = kSpriteDiesAtEndOfSequence;
    for (int k = 0; k < 2; ++k) {
        sprite_frame f = new_sprite_frame();
        f.texture_stack = fourcc("tex0") + static_cast<tag_id>(k);
        f.stack_index = 3 + k;
        f.texture_index = 5 + k;
        d.frames.push_back(f);
    }
    SpriteSequence s = new_sprite_sequence();
    for (int k = 0; k < 3; ++k) {
        SpriteEntry e = new_sprite_entry(k % 2);
        e.ticks = 100 + k;
        e.color = {0.25f, 0.5f, 0.75f, 1.0f};
        e.rotation = static_cast<float>(k) * 0.5f;
        e.sound = k == 1 ? fourcc("boom") : kNoTag;
        e.scale = 2.0f;
        s.entries.push_back(e);
    }
    d.sequences.push_back(s);
    return d;
}

TEST(SpriteDefinition, PayloadLayoutMatchesTheWorkedExample) {
    const Bytes p = build_sprite_payload(worked_example());
    ASSERT_EQ(p.size(), 28u + 2 * 128 + 40 + 3 * 36);
    EXPECT_EQ(word_at(p, 0), 2u);
    EXPECT_EQ(word_at(p, 4), 1u);
    EXPECT_EQ(word_at(p, 8), 77u);
    EXPECT_EQ(word_at(p, 12), 1u);
    // Frame 1: corner 1 at +8, texture coordinate 2 at +48, stack tag, indices.
    const std::size_t f1 = 28 + 128;
    EXPECT_EQ(float_at(p, f1 + 8), 0.15f);
    EXPECT_EQ(float_at(p, f1 + 12), -0.15f);
    EXPECT_EQ(float_at(p, f1 + 48), 1.0f);
    EXPECT_EQ(float_at(p, f1 + 52), 1.0f);
    EXPECT_EQ(word_at(p, f1 + 96), fourcc("tex1"));
    EXPECT_EQ(word_at(p, f1 + 100), 4u);
    EXPECT_EQ(word_at(p, f1 + 104), 6u);
    // The sequence record, then its six arrays one after another.
    const std::size_t s = 28 + 256;
    EXPECT_EQ(word_at(p, s), 3u);
    EXPECT_EQ(word_at(p, s + 4), 100u);
    EXPECT_EQ(word_at(p, s + 8), 1u);
    EXPECT_EQ(word_at(p, s + 12), 2u); // "Loops Finite"
    const std::size_t a = s + 40;
    EXPECT_EQ(word_at(p, a + 4), 1u);                 // frames[1]
    EXPECT_EQ(word_at(p, a + 12 + 8), 102u);          // ticks[2]
    EXPECT_EQ(float_at(p, a + 24 + 16 + 4), 0.5f);    // colors[1].green
    EXPECT_EQ(float_at(p, a + 72 + 8), 1.0f);         // rots[2]
    EXPECT_EQ(word_at(p, a + 84), kNoTag);            // sound_tags[0]
    EXPECT_EQ(word_at(p, a + 88), fourcc("boom"));    // sound_tags[1]
    EXPECT_EQ(float_at(p, a + 96 + 8), 2.0f);         // scales[2]

    EXPECT_EQ(parse_sprite_payload(p).sequences[0].entries, worked_example().sequences[0].entries);
}

TEST(SpriteDefinition, ASequenceOfThreeEntriesAdds148Bytes) {
    SpriteDefinition d = worked_example();
    const std::size_t with = build_sprite_payload(d).size();
    d.sequences.clear();
    EXPECT_EQ(with - build_sprite_payload(d).size(), 40u + 108u);
    d.frames.clear();
    EXPECT_EQ(build_sprite_payload(d).size(), 28u);
}

// A payload of F frames and sequences of the given entry counts whose every byte counts up,
// but for the counts.
Bytes counted_payload(std::int32_t frames, std::vector<std::int32_t> entries) {
    std::size_t size = 28 + 128 * static_cast<std::size_t>(std::max(frames, 0)) + 40 * entries.size();
    for (std::int32_t n : entries) size += 36 * static_cast<std::size_t>(std::max(n, 0));
    Bytes p = test::counting_bytes(size);
    store_u32(p.data(), static_cast<std::uint32_t>(frames));
    store_u32(p.data() + 4, static_cast<std::uint32_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i)
        store_u32(p.data() + 28 + 128 * static_cast<std::size_t>(std::max(frames, 0)) + 40 * i,
                  static_cast<std::uint32_t>(entries[i]));
    return p;
}

TEST(SpriteDefinition, RewriteKeepsEveryByteButTheMemoryOnlyReferences) {
    const Bytes in = counted_payload(2, {3, 0, 1});
    Bytes expected = in;
    const auto zero = [&](std::size_t at, std::size_t n) { std::fill_n(expected.begin() + static_cast<long>(at), n, 0); };
    zero(20, 8);
    zero(28 + 108, 4);
    zero(28 + 128 + 108, 4);
    for (std::size_t i = 0; i < 3; ++i) zero(28 + 256 + 40 * i + 16, 24);
    EXPECT_EQ(build_sprite_payload(parse_sprite_payload(in)), expected);

    // The type's rewrite goes through the same reader and writer.
    register_tag_types();
    EXPECT_EQ(tag_type_rewrite(kSpriteTagType)(in, 1), expected);
}

TEST(SpriteDefinition, CountsOutsideTheLimitsAndSizesThatDisagreeAreRefused) {
    const auto refused = [](const Bytes& p, const std::string& field) {
        EXPECT_EQ(test::refused_field([&] { (void)parse_sprite_payload(p); }), field);
    };
    EXPECT_NO_THROW((void)parse_sprite_payload(counted_payload(256, {256})));
    refused(counted_payload(257, {}), "num_frames");
    refused(counted_payload(-1, {}), "num_frames");
    Bytes nine = counted_payload(0, {0, 0, 0, 0, 0, 0, 0, 0});
    store_u32(nine.data() + 4, 9);
    refused(nine, "num_sequences");
    refused(counted_payload(0, {257}), "num_entries of a sequence");
    refused(counted_payload(1, {-1}), "num_entries of a sequence");
    refused(Bytes(27), "sprite definition");

    Bytes short_arrays = counted_payload(1, {2});
    short_arrays.pop_back();
    EXPECT_THROW((void)parse_sprite_payload(short_arrays), FormatError);
    Bytes trailing = counted_payload(1, {2});
    trailing.push_back(0);
    refused(trailing, "payload");
    // A count far beyond the bytes is refused before anything is allocated for it.
    Bytes huge = counted_payload(0, {});
    store_u32(huge.data(), 200);
    refused(huge, "sprite frames");
}

TEST(SpriteDefinition, TheModifiedTestLooksOnlyAtTheUsersFields) {
    const SpriteDefinition a = worked_example();
    SpriteDefinition b = a;
    b.header.field_8 = 1;
    b.header.unswapped_16[0] = 9;
    b.frames[1].unswapped_112[8] = 42; // where the preview's size is kept
    b.frames[1].preview_reference = 0x1234;
    b.sequences[0].record.array_references[2] = 7;
    EXPECT_FALSE(sprite_definitions_differ(a, b));

    const auto differs = [&](auto change) {
        SpriteDefinition c = a;
        change(c);
        return sprite_definitions_differ(a, c);
    };
    EXPECT_TRUE(differs([](SpriteDefinition& c) { c.header.type_flags = 0; }));
    EXPECT_TRUE(differs([](SpriteDefinition& c) { c.frames[0].field_88[1] = 1; }));
    EXPECT_TRUE(differs([](SpriteDefinition& c) { c.frames[1].texture_index = 0; }));
    EXPECT_TRUE(differs([](SpriteDefinition& c) { c.frames.pop_back(); }));
    EXPECT_TRUE(differs([](SpriteDefinition& c) { c.sequences[0].record.probability = 5; }));
    EXPECT_TRUE(differs([](SpriteDefinition& c) { c.sequences[0].record.mode = kSpriteLoopsForever; }));
    EXPECT_TRUE(differs([](SpriteDefinition& c) { c.sequences[0].entries[2].scale = -0.0f; }));
    EXPECT_TRUE(differs([](SpriteDefinition& c) { c.sequences[0].entries[1].sound = kNoTag; }));
    EXPECT_TRUE(differs([](SpriteDefinition& c) { c.sequences[0].entries.pop_back(); }));
}

TEST(SpriteEdit, CommandsStopAtTheirLimits) {
    SpriteDefinition d;
    for (int k = 0; k < 255; ++k) ASSERT_EQ(add_sprite_frame(d, new_sprite_frame()), SpriteChange::kDone);
    EXPECT_EQ(duplicate_sprite_frame(d, 3), SpriteChange::kDone);
    EXPECT_EQ(add_sprite_frame(d, new_sprite_frame()), SpriteChange::kFramesFull);
    EXPECT_EQ(duplicate_sprite_frame(d, 0), SpriteChange::kFramesFull);
    EXPECT_EQ(d.frames.size(), 256u);

    for (int k = 0; k < 8; ++k) ASSERT_EQ(append_sprite_sequence(d), SpriteChange::kDone);
    EXPECT_EQ(append_sprite_sequence(d), SpriteChange::kSequencesFull);
    EXPECT_EQ(d.sequences.size(), 8u);

    for (int k = 0; k < 256; ++k) ASSERT_EQ(append_sequence_entry(d, 7, 255), SpriteChange::kDone);
    EXPECT_EQ(append_sequence_entry(d, 7, 0), SpriteChange::kEntriesFull);
    EXPECT_EQ(append_sequence_entry(d, 8, 0), SpriteChange::kNoSuchSequence);
    EXPECT_EQ(append_sequence_entry(d, 0, 256), SpriteChange::kNoSuchFrame);
    // The fullest definition still writes and reads back.
    EXPECT_EQ(parse_sprite_payload(build_sprite_payload(d)).sequences[7].entries.size(), 256u);

    EXPECT_EQ(delete_last_sprite_sequence(d), SpriteChange::kDone);
    EXPECT_EQ(d.sequences.size(), 7u);
    while (!d.sequences.empty()) delete_last_sprite_sequence(d);
    EXPECT_EQ(delete_last_sprite_sequence(d), SpriteChange::kNoSuchSequence);
}

TEST(SpriteEdit, NewThingsGetTheirDefaults) {
    const sprite_frame f = new_sprite_frame();
    EXPECT_EQ(f.corners[0].x, -0.15f);
    EXPECT_EQ(f.corners[2].y, 0.15f);
    EXPECT_EQ(f.corners[3].x, -0.15f);
    EXPECT_EQ(f.tex_coords[1].x, 1.0f);
    EXPECT_EQ(f.tex_coords[1].y, 0.0f);
    EXPECT_EQ(f.tex_coords[3].y, 1.0f);
    const SpriteSequence s = new_sprite_sequence();
    EXPECT_EQ(s.record.probability, 100);
    EXPECT_EQ(s.record.time, 1);
    EXPECT_EQ(s.record.mode, kSpriteLoopsFinite);
    const SpriteEntry e = new_sprite_entry(4);
    EXPECT_EQ(e.frame, 4);
    EXPECT_EQ(e.ticks, 250);
    EXPECT_EQ(e.color, (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(e.sound, kNoTag);
    EXPECT_EQ(e.scale, 1.0f);
}

TEST(SpriteEdit, RemovingAFrameKeepsEveryEntryOnItsFrame) {
    SpriteDefinition d;
    for (int k = 0; k < 4; ++k) {
        sprite_frame f = new_sprite_frame();
        f.texture_index = k;
        add_sprite_frame(d, f);
    }
    append_sprite_sequence(d);
    append_sequence_entry(d, 0, 3);
    append_sequence_entry(d, 0, 0);
    append_sequence_entry(d, 0, 2);
    EXPECT_EQ(remove_sprite_frame(d, 2), SpriteChange::kFrameInUse);
    EXPECT_EQ(d.frames.size(), 4u);
    EXPECT_EQ(remove_sprite_frame(d, 1), SpriteChange::kDone);
    ASSERT_EQ(d.frames.size(), 3u);
    EXPECT_EQ(d.frames[1].texture_index, 2);
    const auto& entries = d.sequences[0].entries;
    EXPECT_EQ(entries[0].frame, 2); // was 3
    EXPECT_EQ(entries[1].frame, 0);
    EXPECT_EQ(entries[2].frame, 1); // was 2
    // Each entry still shows the frame it was given (told apart by their texture indices).
    const int shown[3] = {3, 0, 2};
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_EQ(d.frames[static_cast<std::size_t>(entries[k].frame)].texture_index, shown[k]);

    EXPECT_EQ(remove_sequence_entry(d, 0, 0), SpriteChange::kDone);
    EXPECT_EQ(remove_sequence_entry(d, 0, 2), SpriteChange::kNoSuchEntry);
    EXPECT_EQ(remove_sprite_frame(d, 2), SpriteChange::kDone);
    EXPECT_EQ(remove_sprite_frame(d, 5), SpriteChange::kNoSuchFrame);
}

TEST(SpriteType, NewTagsAndDependencies) {
    register_tag_types();
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    TagEntry* fresh = db.add_tag(file, kSpriteTagType, fourcc("new_"), 1, "new", 0, 0, std::nullopt);
    tag_type_defaults(kSpriteTagType)(db, *fresh);
    ASSERT_TRUE(fresh->data);
    EXPECT_EQ(*fresh->data, Bytes(28, 0));

    SpriteDefinition d = worked_example();
    d.frames[0].texture_stack = 0; // no tag either
    TagEntry* tag = db.add_tag(file, kSpriteTagType, fourcc("fire"), 1, "fire", 0, 0, build_sprite_payload(d));
    test::RecordingReporter reporter;
    tag_type_dependencies(kSpriteTagType)(db, *tag, reporter);
    const std::vector<std::pair<tag_type, tag_id>> expected = {{fourcc("txst"), fourcc("tex1")},
                                                               {fourcc("soun"), fourcc("boom")}};
    EXPECT_EQ(reporter.reported, expected);

    // A payload the reader refuses lists nothing.
    db.set_tag_data(*tag, counted_payload(257, {}));
    test::RecordingReporter none;
    tag_type_dependencies(kSpriteTagType)(db, *tag, none);
    EXPECT_TRUE(none.reported.empty());
}

} // namespace
} // namespace zephane
