#include "skeletal/canm_payload.h"

#include <gtest/gtest.h>

#include "base/byte_reader.h"
#include "skeletal/skan_bytes.h"
#include "support/test_support.h"

namespace zephane {
namespace {

using test::BeBytes;
using test::bytes_of;

AseCameraRead read(const std::string& text) { return read_ase_camera(bytes_of(text)); }

TEST(AseCamera, ReadsBothTracksInFileOrderIntoThePayload) {
    const std::string text =
        "*3DSMAX_ASCIIEXPORT 200\n*CAMERAOBJECT {\n *NODE_NAME \"Camera01\"\n"
        " *CONTROL_POS_TRACK {\n"
        "  *CONTROL_POS_SAMPLE 160 1.5 -2.0 3.25\n"
        "\t*CONTROL_POS_SAMPLE\t0\t4\t5\t6\r\n"
        " }\n"
        " *CONTROL_ROT_TRACK {\n"
        "  *CONTROL_ROT_SAMPLE 320 0.0 0.0 1.0 0.5\x01*CONTROL_ROT_SAMPLE 480 1 0 0 -0.25\n"
        " }\n}\n";
    const AseCameraRead r = read(text);
    ASSERT_TRUE(r.animation) << r.refusal;
    BeBytes e;
    e.u32(2).u32(2);
    e.u32(160).f32(1.5f).f32(-2.0f).f32(3.25f).f32(0).u32(0);
    e.u32(0).f32(4).f32(5).f32(6).f32(0).u32(0); // kept after 160: file order, not time order
    e.u32(320).f32(0).f32(0).f32(1).f32(0.5f).u32(0);
    e.u32(480).f32(1).f32(0).f32(0).f32(-0.25f).u32(0);
    const auto payload = save_canm_payload(*r.animation);
    EXPECT_EQ(payload, e.b);
    EXPECT_EQ(rewrite_canm_payload(payload, 1), payload);
}

TEST(AseCamera, EmptyTracksGiveEightBytes) {
    const AseCameraRead r = read("*CONTROL_POS_TRACK {}\n*CONTROL_POS_TRACK { } *CONTROL_ROT_TRACK {\n}");
    // "{}" is one token, not an opening brace: the first track does not open.
    EXPECT_FALSE(r.animation);
    const AseCameraRead empty = read("*CONTROL_POS_TRACK {\n}\n*CONTROL_ROT_TRACK { }");
    ASSERT_TRUE(empty.animation) << empty.refusal;
    EXPECT_EQ(save_canm_payload(*empty.animation), std::vector<std::uint8_t>(8, 0));
}

TEST(AseCamera, CommentsRunFromATokenStartingWithSlashesToTheLineEnd) {
    const std::string text =
        "// *CONTROL_POS_TRACK { } a comment naming a track\n"
        "*CONTROL_POS_TRACK { // opening\n"
        "  // *CONTROL_POS_SAMPLE 1 1 1 1\n"
        "  *CONTROL_POS_SAMPLE 2 7 8 9 //trailing } *CONTROL_POS_SAMPLE 3 0 0 0\r"
        "  //no space before it\r\n"
        "  a/b //\n"
        "}\n*CONTROL_ROT_TRACK {\n *CONTROL_ROT_SAMPLE 5 0 1 0 2 }";
    const AseCameraRead r = read(text);
    ASSERT_TRUE(r.animation) << r.refusal;
    ASSERT_EQ(r.animation->positions.size(), 1u);
    EXPECT_EQ(r.animation->positions[0].time, 2u);
    EXPECT_EQ(r.animation->positions[0].z, 9.0f);
    ASSERT_EQ(r.animation->rotations.size(), 1u);
    EXPECT_EQ(r.animation->rotations[0].w, 2.0f);
}

TEST(AseCamera, RefusesFilesWithoutBothTracksOrWithUnreadableSamples) {
    EXPECT_EQ(read("").refusal, "no *CONTROL_POS_TRACK");
    EXPECT_EQ(read("*CONTROL_POS_TRACK { }").refusal, "no *CONTROL_ROT_TRACK");
    // The rotation track is searched after the position track.
    EXPECT_FALSE(read("*CONTROL_ROT_TRACK { } *CONTROL_POS_TRACK { }").animation);
    EXPECT_EQ(read("*CONTROL_POS_TRACK *CONTROL_POS_SAMPLE { }").refusal, "*CONTROL_POS_TRACK does not open with {");
    EXPECT_EQ(read("*CONTROL_POS_TRACK { *CONTROL_POS_SAMPLE 1 2 3 4").refusal, "*CONTROL_POS_TRACK is not closed by }");
    EXPECT_FALSE(read("*CONTROL_POS_TRACK { *CONTROL_POS_SAMPLE 1.5 2 3 4 } *CONTROL_ROT_TRACK { }").animation);
    EXPECT_FALSE(read("*CONTROL_POS_TRACK { *CONTROL_POS_SAMPLE 1 2 x 4 } *CONTROL_ROT_TRACK { }").animation);
    EXPECT_FALSE(read("*CONTROL_POS_TRACK { } *CONTROL_ROT_TRACK { *CONTROL_ROT_SAMPLE 1 2 3 4 }").animation);
    // Other tokens inside a track are passed over.
    const AseCameraRead r = read("*CONTROL_POS_TRACK { *NOISE 9 *CONTROL_POS_SAMPLE 1 2 3 4 } *CONTROL_ROT_TRACK { }");
    ASSERT_TRUE(r.animation) << r.refusal;
    EXPECT_EQ(r.animation->positions.size(), 1u);
}

TEST(CanmPayload, RefusesCountsTheBytesCannotHold) {
    BeBytes e;
    e.u32(0x80000000u).u32(0x80000000u); // (P + R) × 24 wraps in 32 bits
    EXPECT_THROW(load_canm_payload(e.b), FormatError);
    BeBytes one;
    one.u32(1).u32(0).zeros(23);
    EXPECT_THROW(load_canm_payload(one.b), FormatError);
    one.zeros(2);
    EXPECT_THROW(rewrite_canm_payload(one.b, 1), FormatError); // a byte after the last sample
    EXPECT_THROW(load_canm_payload(std::vector<std::uint8_t>(7, 0)), FormatError);
}

} // namespace
} // namespace zephane
