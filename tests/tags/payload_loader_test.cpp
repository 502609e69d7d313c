// Payload loading says why it failed, the same through the database and the batch reader.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "support/test_support.h"
#include "tags/tag_payload_reader.h"

namespace zephane {
namespace {

using test::ScratchFolder;
using Load = std::function<const Payload*(TagDatabase&, TagEntry&, std::string*)>;

const std::vector<std::pair<const char*, Load>> kLoaders = {
    {"get_tag_data", [](TagDatabase& db, TagEntry& e, std::string* f) { return db.get_tag_data(e, f); }},
    {"TagPayloadReader",
     [](TagDatabase& db, TagEntry& e, std::string* f) { return TagPayloadReader(db).get(e, f); }},
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(PayloadLoader, FailuresSayWhyThroughEitherPath) {
    for (const auto& [name, load] : kLoaders) {
        SCOPED_TRACE(name);
        ScratchFolder folder;
        const auto bytes = test::monolithic_file(1, {{fourcc("unit"), fourcc("aaaa"), "A", {1, 2, 3}},
                                                     {fourcc("unit"), fourcc("bbbb"), "B", {7}}});
        const std::string path = folder.write("plugin.tag", bytes);
        TagDatabase db;
        ASSERT_NE(db.read_tag_file(path, false), nullptr);
        TagEntry& a = *db.find_tag(fourcc("unit"), fourcc("aaaa"));
        TagEntry& b = *db.find_tag(fourcc("unit"), fourcc("bbbb"));

        std::string failure = "untouched";
        ASSERT_NE(load(db, a, &failure), nullptr);
        EXPECT_EQ(failure, "untouched") << "a load that works leaves the reason alone";

        a.data.reset();
        a.size = 1000;
        EXPECT_EQ(load(db, a, &failure), nullptr);
        EXPECT_TRUE(contains(failure, "of 1000 bytes runs past the end of " + path + " (" +
                                          std::to_string(bytes.size()) + " bytes)"))
            << failure;
        EXPECT_FALSE(a.data.has_value());

        auto changed = bytes;
        changed.push_back(0);
        folder.write("plugin.tag", changed);
        EXPECT_EQ(load(db, b, &failure), nullptr);
        EXPECT_EQ(failure, path + " changed on disk since it was loaded");

        std::filesystem::remove(path);
        EXPECT_EQ(load(db, b, &failure), nullptr);
        EXPECT_TRUE(contains(failure, "cannot open " + path)) << failure;
        EXPECT_EQ(load(db, b, nullptr), nullptr) << "the reason is optional";
        EXPECT_FALSE(b.data.has_value());
    }
}

TEST(PayloadLoader, TagsOutsideFilesNeedNoFile) {
    for (const auto& [name, load] : kLoaders) {
        SCOPED_TRACE(name);
        TagDatabase db;
        TagFile* unsaved = db.create_tag_file();
        TagEntry& kept = *db.add_tag(unsaved, fourcc("unit"), fourcc("kept"), 1, "Kept", 0, 0, Payload{4});
        std::string failure;
        ASSERT_NE(load(db, kept, &failure), nullptr);
        EXPECT_EQ(*load(db, kept, &failure), Payload{4});
        kept.data.reset(); // as if released: nowhere to load it from
        EXPECT_EQ(load(db, kept, &failure), nullptr);
        EXPECT_EQ(failure, "the tag belongs to no file on disk");
    }
}

} // namespace
} // namespace zephane
