// spri-info, grsp-info and grsp-edit, and new-tag and rewrite for both types, run in-process.

#include "base/byte_reader.h"
#include "cli/tool_run.h"
#include "support/test_support.h"
#include "tags/tag_database.h"
#include "textures/grsp_payload.h"
#include "textures/sprite_definition.h"
#include "textures/sprite_edit.h"

#include <gtest/gtest.h>

namespace zephane::cli {
namespace {

using test::run;
using test::ToolRun;
using zephane::test::ScratchFolder;
namespace data = zephane::test;
using Bytes = std::vector<std::uint8_t>;
using zephane::test::stored_payload;

TEST(ToolSprites, NewTagsAndRewriteGoThroughTheTypesReaders) {
    ScratchFolder folder;
    const auto tags = folder / "s.tag";
    const ToolRun sprite = run({"new-tag", tags, "spri:fire"});
    ASSERT_EQ(sprite.status, 0) << sprite.err;
    EXPECT_EQ(sprite.out, "spri:fire\t28 bytes\n");
    const ToolRun ground = run({"new-tag", tags, "grsp:moss"});
    ASSERT_EQ(ground.status, 0) << ground.err;
    EXPECT_EQ(ground.out, "grsp:moss\t400 bytes\n");
    EXPECT_EQ(stored_payload(tags, kGroundSpritesTagType, fourcc("moss")), new_ground_sprites_payload());

    // A sprite whose memory-only references hold something comes back with them zero.
    SpriteDefinition d;
    add_sprite_frame(d, new_sprite_frame());
    Bytes odd = build_sprite_payload(d);
    odd[20] = 1;
    odd[28 + 108] = 2;
    const auto odd_file = folder.write("odd.tag", data::single_tag_file({kSpriteTagType, fourcc("odd_"), "odd", odd}));
    const ToolRun rewritten = run({"rewrite", odd_file, "spri:odd_"});
    ASSERT_EQ(rewritten.status, 0) << rewritten.err;
    EXPECT_EQ(stored_payload(odd_file, kSpriteTagType, fourcc("odd_")), build_sprite_payload(d));

    // A refused payload leaves the file as it was.
    Bytes damaged = odd;
    store_u32(damaged.data(), 257);
    const auto bad = folder.write("bad.tag", data::single_tag_file({kSpriteTagType, fourcc("bad_"), "bad", damaged}));
    const Bytes before = data::read_bytes(bad);
    const ToolRun refused = run({"rewrite", bad, "spri:bad_"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("num_frames"), std::string::npos) << refused.err;
    EXPECT_EQ(data::read_bytes(bad), before);
}

TEST(ToolSprites, SpriteInfoListsFramesSequencesAndEntries) {
    ScratchFolder folder;
    SpriteDefinition d;
    d.header.type_flags = kSpriteDiesAtEndOfSequence;
    sprite_frame f = new_sprite_frame();
    f.texture_stack = fourcc("fire");
    f.stack_index = 1;
    f.texture_index = 2;
    add_sprite_frame(d, f);
    append_sprite_sequence(d);
    append_sequence_entry(d, 0, 0);
    d.sequences[0].entries[0].sound = fourcc("boom");
    const auto tags = folder.write("s.tag", data::single_tag_file({kSpriteTagType, fourcc("fire"), "Fire", build_sprite_payload(d)}));
    const ToolRun info = run({"spri-info", tags, "spri:fire"});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out,
              "name: Fire\n"
              "type flags: 0x00000001 (Dies at end of sequence)\n"
              "frames: 1\n"
              "frame 0: texture stack fire, stack 1, texture 2; corners (-0.150, -0.150) (0.150, -0.150) "
              "(0.150, 0.150) (-0.150, 0.150); texture coordinates (0.000, 0.000) (1.000, 0.000) (1.000, 1.000) "
              "(0.000, 1.000)\n"
              "sequences: 1\n"
              "sequence 0: 1 entry, Loops Finite, time 1, probability 100\n"
              "  0\tframe 0\tticks 250\tcolor 1.000 1.000 1.000 1.000\trotation 0.000\tscale 1.000\tsound boom\n");

    const ToolRun wrong = run({"spri-info", tags, "grsp:fire"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err, "zephane-tool: grsp:fire is not a sprite definition tag (spri)\n");
}

class ToolGroundSprites : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(run({"new-tag", tags, "grsp:moss", "--name", "Moss"}).status, 0); }
    Bytes payload() { return stored_payload(tags, kGroundSpritesTagType, fourcc("moss")); }
    ToolRun edit(std::vector<std::string> args) {
        args.insert(args.begin(), {"grsp-edit", tags, "grsp:moss"});
        return run(args);
    }
    ScratchFolder folder;
    std::string tags = folder / "g.tag";
};

TEST_F(ToolGroundSprites, EditCommitsAsTheEditorDoes) {
    const Bytes first = data::counting_bytes(1000);
    const Bytes second(2000, 0x5A); // no JPEG at all: taken over as it is
    const auto a = folder.write("masks/first.jpg", first);
    const auto b = folder.write("second.bin", second);
    ToolRun ran = edit({"3", "--mask", b, "--density", "-40"});
    ASSERT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.out, "grsp:moss\t2400 bytes\n");
    ran = edit({"1", "--mask", a, "--sprite", "fern", "--density", "7"});
    ASSERT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.out, "grsp:moss\t3400 bytes\n");

    const Bytes p = payload();
    ASSERT_EQ(p.size(), 3400u);
    EXPECT_EQ(load_u32(p.data() + 104), 400u);
    EXPECT_EQ(load_u32(p.data() + 304), 1400u);
    EXPECT_EQ(load_u32(p.data() + 4), 0u);
    EXPECT_EQ(Bytes(p.begin() + 400, p.begin() + 1400), first);
    EXPECT_EQ(Bytes(p.begin() + 1400, p.end()), second);

    const ToolRun info = run({"grsp-info", tags, "grsp:moss"});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out,
              "name: Moss\n"
              "set 0: sprite none, density 0, mask (none)\n"
              "set 1: sprite fern, density 7, mask first.jpg, 1000 bytes at 400\n"
              "set 2: sprite none, density 0, mask (none)\n"
              "set 3: sprite none, density -40, mask second.bin, 2000 bytes at 1400\n");

    ran = edit({"1", "--clear-mask", "--sprite", "none"});
    ASSERT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.out, "grsp:moss\t2400 bytes\n");
    EXPECT_EQ(load_u32(payload().data() + 304), 400u) << "the later mask moves up";
    EXPECT_EQ(load_u32(payload().data() + 100), kNoTag);
    EXPECT_NE(run({"grsp-info", tags, "grsp:moss"}).out.find("set 1: sprite none, density 7, mask (none)\n"),
              std::string::npos);
}

TEST_F(ToolGroundSprites, RefusalsSayWhyAndLeaveTheFileAlone) {
    const auto mask = folder.write("m.jpg", Bytes(10, 1));
    const auto empty = folder.write("empty.jpg", {});
    const Bytes before = data::read_bytes(tags);
    const auto refused = [&](std::vector<std::string> args, const std::string& message) {
        const ToolRun ran = edit(std::move(args));
        EXPECT_EQ(ran.status, 1) << message;
        EXPECT_EQ(ran.err, "zephane-tool: " + message + "\n");
        EXPECT_EQ(data::read_bytes(tags), before) << message;
    };
    refused({"4", "--density", "1"}, "there is no sprite set '4' (sets are 0 to 3)");
    refused({"-1"}, "there is no sprite set '-1' (sets are 0 to 3)");
    refused({"x"}, "there is no sprite set 'x' (sets are 0 to 3)");
    refused({"0", "--density", "32768"}, "--density '32768' is not a whole number from -32768 to 32767");
    refused({"0", "--density", "2.5"}, "--density '2.5' is not a whole number from -32768 to 32767");
    refused({"0", "--mask", mask, "--clear-mask"}, "--mask and --clear-mask exclude each other");
    refused({"0", "--mask", folder / "missing.jpg"}, "cannot read " + folder / "missing.jpg");
    refused({"0", "--mask", empty}, empty + " is empty; a mask needs at least one byte");
    refused({"0", "--sprite", "toolong"}, "--sprite takes a four-character id or none, not 'toolong'");
    const ToolRun other = run({"grsp-edit", tags, "spri:moss", "0"});
    EXPECT_EQ(other.status, 1);
    EXPECT_EQ(other.err, "zephane-tool: spri:moss is not a ground sprites tag (grsp)\n");
    // The lowest density is taken.
    EXPECT_EQ(edit({"2", "--density", "-32768"}).status, 0);
    EXPECT_EQ(load_u16(payload().data() + 216), 0x8000);
}

} // namespace
} // namespace zephane::cli
