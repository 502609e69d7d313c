#include <gtest/gtest.h>

#include "support/test_support.h"
#include "tags/tag_payload_reader.h"

namespace zephane {
namespace {

using test::ScratchFolder;

TEST(TagPayloadReader, ReadsLikeTheDatabaseThroughOneOpenFile) {
    ScratchFolder folder;
    const std::string path = folder.write(
        "plugin.tag", test::monolithic_file(1, {{fourcc("unit"), fourcc("aaaa"), "A", {1, 2, 3}},
                                                {fourcc("unit"), fourcc("bbbb"), "B", {}},
                                                {fourcc("proj"), fourcc("cccc"), "C", {4, 5}}}));
    const std::string single =
        folder.write("one.tag", test::single_tag_file({fourcc("text"), fourcc("one "), "One", {9}}));
    TagDatabase db;
    ASSERT_NE(db.read_tag_file(path, false), nullptr);
    ASSERT_NE(db.read_tag_file(single, false), nullptr);
    TagPayloadReader reader(db);
    TagEntry& a = *db.find_tag(fourcc("unit"), fourcc("aaaa"));
    TagEntry& c = *db.find_tag(fourcc("proj"), fourcc("cccc"));
    EXPECT_EQ(*reader.get(a), (Payload{1, 2, 3}));
    EXPECT_EQ(*reader.get(c), (Payload{4, 5}));
    EXPECT_EQ(*reader.get(*db.find_tag(fourcc("unit"), fourcc("bbbb"))), Payload{});
    EXPECT_EQ(*reader.get(*db.find_tag(fourcc("text"), fourcc("one "))), Payload{9});
    EXPECT_FALSE(a.dirty);

    // A payload the headers place past the end of the file is not read.
    a.data.reset();
    a.size = 1000;
    EXPECT_EQ(reader.get(a), nullptr);
    EXPECT_FALSE(a.data.has_value());
}

TEST(TagPayloadReader, RefusesAFileChangedSinceItWasLoaded) {
    ScratchFolder folder;
    const auto bytes = test::monolithic_file(1, {{fourcc("unit"), fourcc("aaaa"), "A", {1, 2, 3}},
                                                 {fourcc("unit"), fourcc("bbbb"), "B", {7}}});
    const std::string path = folder.write("plugin.tag", bytes);
    TagDatabase db;
    ASSERT_NE(db.read_tag_file(path, false), nullptr);
    auto changed = bytes;
    changed.push_back(0);
    folder.write("plugin.tag", changed);
    TagPayloadReader reader(db);
    EXPECT_EQ(reader.get(*db.find_tag(fourcc("unit"), fourcc("aaaa"))), nullptr);
    EXPECT_EQ(db.get_tag_data(*db.find_tag(fourcc("unit"), fourcc("bbbb"))), nullptr);
}

} // namespace
} // namespace zephane
