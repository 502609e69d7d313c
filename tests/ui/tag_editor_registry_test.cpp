#include "app/tag_editor_registry.h"

#include <gtest/gtest.h>

namespace zephane {
namespace {

TEST(TagEditorRegistry, EditorsAndAlternatesByType) {
    detach_all_tag_editors();
    int opened = 0, alternate = 0;
    const auto count = [](int& counter) {
        return [&counter](TagDatabase&, TagEntry&) -> std::unique_ptr<TagEditorWindow> {
            ++counter;
            return nullptr;
        };
    };
    attach_tag_editor(fourcc("mesh"), count(opened), count(alternate));
    attach_tag_editor(fourcc("proj"), count(opened));
    ASSERT_NE(tag_editor_factory(fourcc("mesh"), true), nullptr);
    EXPECT_EQ(tag_editor_factory(fourcc("proj"), true), nullptr);
    EXPECT_NE(tag_editor_factory(fourcc("proj"), false), nullptr);
    EXPECT_EQ(tag_editor_factory(fourcc("xxxx"), false), nullptr);
    attach_tag_editor(fourcc("xxxx"), count(opened)); // ignored
    EXPECT_EQ(tag_editor_factory(fourcc("xxxx"), false), nullptr);

    TagDatabase db;
    TagEntry* mesh = db.add_tag(db.create_tag_file(), fourcc("mesh"), fourcc("map1"), 1, "Map", 0, 0, Payload{});
    (*tag_editor_factory(fourcc("mesh"), true))(db, *mesh);
    (*tag_editor_factory(fourcc("mesh"), false))(db, *mesh);
    (*tag_editor_factory(fourcc("mesh"), false))(db, *mesh);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(alternate, 1);

    detach_all_tag_editors();
    EXPECT_EQ(tag_editor_factory(fourcc("mesh"), false), nullptr);
}

} // namespace
} // namespace zephane
