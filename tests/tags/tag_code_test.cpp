#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tags/tag_code.h"

namespace zephane {
namespace {

TEST(TagIdText, ShowsPrintableCharactersAndRotatesBuffers) {
    EXPECT_STREQ(tag_id_to_text(fourcc("mesh")), "mesh");
    EXPECT_STREQ(tag_id_to_text(kNoTag), "____");
    EXPECT_STREQ(tag_id_to_text(0x61006263), "a___"); // everything after a NUL shows '_'
    EXPECT_STREQ(tag_id_to_text(0x61620A63), "ab_c");

    std::set<const char*> buffers;
    const char* first = tag_id_to_text(fourcc("abcd"));
    for (int k = 0; k < 31; ++k) buffers.insert(tag_id_to_text(fourcc("wxyz")));
    EXPECT_STREQ(first, "abcd") << "a result was overwritten before 32 further calls";
    EXPECT_EQ(buffers.size(), 31u);
    tag_id_to_text(fourcc("zzzz"));
    EXPECT_STREQ(first, "zzzz");
}

TEST(TagIdText, ParsesText) {
    EXPECT_EQ(text_to_tag_id("ab"), fourcc("ab__"));
    EXPECT_EQ(text_to_tag_id("____"), kNoTag);
    EXPECT_EQ(text_to_tag_id("mesh:"), fourcc("mesh"));
    EXPECT_EQ(text_to_tag_id(std::string("a\x01") + "cd"), fourcc("a_cd"));
    EXPECT_EQ(text_to_tag_id(""), kNoTag);
}

TEST(TagIdFromName, WordsFillFourCharacters) {
    EXPECT_EQ(tag_id_from_name("Dwarf"), fourcc("dwar"));
    EXPECT_EQ(tag_id_from_name("Fire Bomb"), fourcc("fibo"));
    EXPECT_EQ(tag_id_from_name("Big Red Dragon"), fourcc("bird"));
    EXPECT_EQ(tag_id_from_name("a b c d"), fourcc("abcd"));
    EXPECT_EQ(tag_id_from_name("Ax"), fourcc("ax__"));
    EXPECT_EQ(tag_id_from_name("(Fire)-[Bomb]"), fourcc("fibo"));
    EXPECT_EQ(tag_id_from_name(""), fourcc("____"));
}

TEST(NextTagId, OdometerOverDigitsAndLetters) {
    EXPECT_EQ(next_tag_id(fourcc("dwar")), fourcc("dwas"));
    EXPECT_EQ(next_tag_id(fourcc("dwaz")), fourcc("dwb0"));
    EXPECT_EQ(next_tag_id(fourcc("dwa9")), fourcc("dwaa"));
    EXPECT_EQ(next_tag_id(fourcc("ax__")), fourcc("ay00"));
    EXPECT_EQ(next_tag_id(fourcc("zzzz")), fourcc("0000"));
}

} // namespace
} // namespace zephane
