// Ground sprites payloads: the new tag, the commit's layout of masks and names, reading masks
// back with their bounds checked, carried bytes and dependencies.

#include "base/byte_reader.h"
#include "definitions/register_tag_types.h"
#include "support/test_support.h"
#include "tags/tag_types.h"
#include "textures/grsp_payload.h"

#include <cstring>
#include <gtest/gtest.h>

namespace zephane {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t word_at(const Bytes& bytes, std::size_t at) {
    return load_u32(bytes.data() + at);
}

Bytes mask_of(std::size_t size, std::uint8_t seed) {
    Bytes mask(size);
    for (std::size_t k = 0; k < size; ++k) mask[k] = static_cast<std::uint8_t>(seed + k * 7);
    return mask;
}

TEST(GroundSprites, ANewTagIs400BytesWithNoSprites) {
    register_tag_types();
    TagDatabase db;
    TagEntry* tag = db.add_tag(db.create_tag_file(), kGroundSpritesTagType, fourcc("moss"), 1, "moss", 0, 0,
                               std::nullopt);
    tag_type_defaults(kGroundSpritesTagType)(db, *tag);
    ASSERT_TRUE(tag->data);
    Bytes expected(400, 0);
    for (std::size_t s = 0; s < 4; ++s) store_u32(expected.data() + 100 * s, kNoTag);
    EXPECT_EQ(*tag->data, expected);
    const GroundSprites read = parse_ground_sprites(*tag->data);
    for (const GroundSpriteSet& set : read.sets) {
        EXPECT_EQ(set.record.sprite, kNoTag);
        EXPECT_FALSE(set.has_mask());
    }
}

TEST(GroundSprites, CommitLaysTheMasksOutBehindTheHeaderInSetOrder) {
    GroundSprites sprites = parse_ground_sprites(new_ground_sprites_payload());
    set_ground_sprite_mask(sprites.sets[3], "late.jpg", mask_of(2000, 3));
    set_ground_sprite_mask(sprites.sets[1], "early.jpg", mask_of(1000, 1));
    sprites.sets[1].record.sprite = fourcc("fern");
    sprites.sets[1].record.density = -12;
    sprites.sets[1].record.mask_reference = 0xDEADBEEF;
    sprites.sets[1].record.mask_offset = 77; // stale: commit assigns offsets
    // Junk after the name's terminator is cleaned.
    std::strcpy(sprites.sets[3].record.mask_name + 20, "junk");
    const Bytes p = commit_ground_sprites(sprites);

    ASSERT_EQ(p.size(), 3400u);
    for (std::size_t s : {0u, 2u}) {
        EXPECT_EQ(word_at(p, 100 * s + 4), 0u) << s;
        EXPECT_EQ(word_at(p, 100 * s + 8), 0u) << s;
    }
    EXPECT_EQ(word_at(p, 104), 400u);
    EXPECT_EQ(word_at(p, 108), 1000u);
    EXPECT_EQ(word_at(p, 112), 0u) << "the reference is memory only";
    EXPECT_EQ(word_at(p, 100), fourcc("fern"));
    EXPECT_EQ(load_u16(p.data() + 116), 0xFFF4); // −12
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p.data() + 136)), "early.jpg");
    EXPECT_EQ(word_at(p, 304), 1400u);
    EXPECT_EQ(word_at(p, 308), 2000u);
    EXPECT_EQ(Bytes(p.begin() + 336, p.begin() + 400), [] {
        Bytes name(64, 0);
        std::memcpy(name.data(), "late.jpg", 8);
        return name;
    }());
    EXPECT_EQ(Bytes(p.begin() + 400, p.begin() + 1400), mask_of(1000, 1));
    EXPECT_EQ(Bytes(p.begin() + 1400, p.end()), mask_of(2000, 3));

    // Read back, the masks and the rest come out as they went in; a second commit is the same.
    GroundSprites again = parse_ground_sprites(p);
    EXPECT_EQ(again.sets[3].mask, mask_of(2000, 3));
    EXPECT_EQ(mask_name(again.sets[1].record), "early.jpg");
    EXPECT_EQ(commit_ground_sprites(again), p);

    // Clearing a mask moves the later one up.
    clear_ground_sprite_mask(again.sets[1]);
    const Bytes cleared = commit_ground_sprites(again);
    EXPECT_EQ(cleared.size(), 2400u);
    EXPECT_EQ(word_at(cleared, 104), 0u);
    EXPECT_EQ(cleared[136], 0) << "the name went with the mask";
    EXPECT_EQ(word_at(cleared, 304), 400u);
}

TEST(GroundSprites, ReadingKeepsCarriedBytesAndChecksEveryMasksBounds) {
    // Every header byte counts up; masks wherever the offsets say, even out of set order.
    Bytes p = test::counting_bytes(400 + 30);
    for (std::size_t s = 0; s < 4; ++s) {
        store_u32(p.data() + 100 * s + 4, 0);
        store_u32(p.data() + 100 * s + 8, 0);
    }
    store_u32(p.data() + 204, 420); // set 2: 10 bytes at 420
    store_u32(p.data() + 208, 10);
    store_u32(p.data() + 4, 400);   // set 0: 20 bytes at 400
    store_u32(p.data() + 8, 20);
    GroundSprites read = parse_ground_sprites(p);
    EXPECT_EQ(read.sets[2].mask, Bytes(p.begin() + 420, p.end()));
    EXPECT_EQ(read.sets[0].mask, Bytes(p.begin() + 400, p.begin() + 420));
    EXPECT_EQ(read.sets[0].record.mask_reference, 0u);
    EXPECT_EQ(std::memcmp(read.sets[3].record.unswapped_18, p.data() + 318, 18), 0);
    const Bytes committed = commit_ground_sprites(read);
    EXPECT_EQ(committed.size(), 430u);
    EXPECT_EQ(Bytes(committed.begin() + 318, committed.begin() + 336), Bytes(p.begin() + 318, p.begin() + 336));
    EXPECT_EQ(word_at(committed, 12), 0u) << "the reference is written as zero";

    const auto refused = [](const Bytes& bytes, const std::string& field) {
        EXPECT_EQ(test::refused_field([&] { (void)parse_ground_sprites(bytes); }), field);
    };
    refused(Bytes(399), "ground sprites");
    Bytes past = p;
    store_u32(past.data() + 208, 11); // one byte past the end
    refused(past, "mask of sprite set 2");
    Bytes wrapped = p;
    store_u32(wrapped.data() + 304, 0xFFFFFFF0); // offset + size wraps around
    store_u32(wrapped.data() + 308, 0x20);
    refused(wrapped, "mask of sprite set 3");
    // A set whose size is 0 has no mask, whatever its offset says.
    Bytes no_mask = p;
    store_u32(no_mask.data() + 104, 0xFFFFFFFF);
    EXPECT_FALSE(parse_ground_sprites(no_mask).sets[1].has_mask());
}

TEST(GroundSprites, LongNamesAreCutToTheField) {
    GroundSpriteSet set;
    set_ground_sprite_mask(set, std::string(80, 'n') + ".jpg", {1, 2, 3});
    EXPECT_EQ(mask_name(set.record), std::string(63, 'n'));
    EXPECT_EQ(set.record.mask_size, 3u);
    // An unterminated stored name reads as its first 63 characters and is terminated on commit.
    GroundSprites sprites;
    std::memset(sprites.sets[0].record.mask_name, 'x', kMaskNameSize);
    sprites.sets[0].mask = {9};
    const Bytes p = commit_ground_sprites(sprites);
    EXPECT_EQ(p[36 + 63], 0);
    EXPECT_EQ(mask_name(parse_ground_sprites(p).sets[0].record), std::string(63, 'x'));
}

TEST(GroundSprites, DependenciesAreTheSetsSprites) {
    register_tag_types();
    TagDatabase db;
    GroundSprites sprites = parse_ground_sprites(new_ground_sprites_payload());
    sprites.sets[0].record.sprite = fourcc("fern");
    sprites.sets[2].record.sprite = 0;
    sprites.sets[3].record.sprite = fourcc("moss");
    TagEntry* tag = db.add_tag(db.create_tag_file(), kGroundSpritesTagType, fourcc("grnd"), 1, "g", 0, 0,
                               commit_ground_sprites(sprites));
    test::RecordingReporter reporter;
    tag_type_dependencies(kGroundSpritesTagType)(db, *tag, reporter);
    const std::vector<std::pair<tag_type, tag_id>> expected = {{fourcc("spri"), fourcc("fern")},
                                                               {fourcc("spri"), fourcc("moss")}};
    EXPECT_EQ(reporter.reported, expected);
}

} // namespace
} // namespace zephane
