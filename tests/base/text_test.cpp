// Case folding is ASCII only: Latin-1 letters above 127 and every locale leave bytes alone.

#include <gtest/gtest.h>

#include "base/text.h"

#include <cstring>

namespace zephane {
namespace {

TEST(Text, FoldsAsciiLettersOnly) {
    EXPECT_EQ(ascii_lower("Map_Z@[`{"), "map_z@[`{");
    EXPECT_EQ(ascii_lower("\xC0\xC9"), "\xC0\xC9"); // Latin-1 capitals stay as they are
    EXPECT_TRUE(equal_ignoring_case("Local/TAGS", "local/tags"));
    EXPECT_FALSE(equal_ignoring_case("tags", "tags/"));
    EXPECT_TRUE(contains_ignoring_case("Great HALL", "hall"));
    EXPECT_FALSE(contains_ignoring_case("Great HALL", "HALL")) << "the needle is lower-case";
}

TEST(Text, ComparisonOrdersLikeTheTreeRows) {
    EXPECT_EQ(compare_ignoring_case("abc", "ABC"), 0);
    EXPECT_LT(compare_ignoring_case("ab", "ABC"), 0) << "a prefix comes first";
    EXPECT_GT(compare_ignoring_case("b", "A"), 0);
    EXPECT_GT(compare_ignoring_case("\xE9", "z"), 0) << "bytes compare unsigned";
    EXPECT_TRUE(less_ignoring_case("Apple", "banana"));
    EXPECT_FALSE(less_ignoring_case("banana", "Apple"));
}

TEST(Text, FixedWidthFieldsAreCutAndZeroFilled) {
    char field[6];
    std::memset(field, 'x', sizeof field);
    copy_text(field, 4, "ab");
    EXPECT_EQ(std::string(field, 6), std::string("ab\0\0xx", 6));
    copy_text(field, 4, "abcdefg");
    EXPECT_EQ(std::string(field, 4), "abcd");
}

TEST(Text, ExtensionTokensMatchWhole) {
    const char* list = "GL_EXT_bgra GL_arb_MULTITEXTURE  GL_ARB_multitexture_ext";
    EXPECT_TRUE(has_extension_token(list, "GL_ARB_multitexture"));
    EXPECT_TRUE(has_extension_token(list, "GL_EXT_bgra"));
    EXPECT_FALSE(has_extension_token("GL_ARB_multitexture_ext GL_EXT_bgra", "GL_ARB_multitexture"));
    EXPECT_FALSE(has_extension_token("XGL_ARB_multitexture", "GL_ARB_multitexture"));
    EXPECT_FALSE(has_extension_token("", "GL_ARB_multitexture"));
    EXPECT_FALSE(has_extension_token(list, ""));
}

} // namespace
} // namespace zephane
