#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tags/tag_types.h"

namespace zephane {
namespace {

TEST(TagTypeTable, RowOrderAndEnds) {
    EXPECT_EQ(tag_type_at(0), fourcc("amso"));
    EXPECT_EQ(tag_type_at(4), fourcc(".256"));
    EXPECT_EQ(tag_type_at(23), fourcc("mesh"));
    EXPECT_EQ(tag_type_at(49), fourcc("wind"));
    EXPECT_EQ(tag_type_at(50), 0u);
    std::set<tag_type> codes;
    for (std::size_t k = 0; k < kTagTypeCount; ++k) codes.insert(tag_type_at(k));
    EXPECT_EQ(codes.size(), 50u) << "a type code appears twice";
}

TEST(TagTypeTable, KnownAndUnknownCodes) {
    EXPECT_EQ(tag_type_version(fourcc("mesh")), 11);
    EXPECT_EQ(tag_type_version(fourcc(".256")), 4);
    EXPECT_EQ(tag_type_version(fourcc("proj")), 2);
    EXPECT_STREQ(tag_type_name(fourcc("unit")), "Units");
    EXPECT_STREQ(tag_type_plural_name(fourcc("core")), "Classic Collection References");
    EXPECT_STREQ(tag_type_name(fourcc("jpeg")), "JPEG File Data");
    EXPECT_STREQ(tag_type_plural_name(fourcc("jpeg")), "JPEG Files");

    EXPECT_EQ(find_tag_type(fourcc("xxxx")), nullptr);
    EXPECT_STREQ(tag_type_name(fourcc("xxxx")), "UNKNOWN TYPE");
    EXPECT_STREQ(tag_type_plural_name(fourcc("xxxx")), "UNKNOWN TYPES");
    EXPECT_EQ(tag_type_version(fourcc("xxxx")), 1);
    EXPECT_EQ(tag_type_version(0), 1);
}

TEST(TagTypeTable, LocalizedMarks) {
    const std::set<std::string> localized = {"ditl", "bina", "font", "game", "pref", "quik",
                                             "reco", "save", "soli", "stli", "temp", "text"};
    for (std::size_t k = 0; k < kTagTypeCount; ++k) {
        const tag_type code = tag_type_at(k);
        const char text[5] = {static_cast<char>(code >> 24), static_cast<char>(code >> 16),
                              static_cast<char>(code >> 8), static_cast<char>(code), 0};
        EXPECT_EQ(tag_type_is_localized(code), localized.count(text) == 1) << text;
    }
}

TEST(TagTypeTable, AttachedOperations) {
    detach_all_tag_operations();
    const TagDefaultsOp defaults = [](TagDatabase&, TagEntry&) {};
    const TagUpdaterOp updater = [](TagDatabase&, TagEntry&) {};
    attach_tag_defaults(fourcc("proj"), defaults);
    attach_tag_updater(fourcc("mesh"), updater);
    EXPECT_EQ(tag_type_defaults(fourcc("proj")), defaults);
    EXPECT_EQ(tag_type_updater(fourcc("mesh")), updater);
    EXPECT_EQ(tag_type_updater(fourcc("proj")), nullptr);
    EXPECT_EQ(tag_type_defaults(fourcc("xxxx")), nullptr);
    attach_tag_defaults(fourcc("xxxx"), defaults); // ignored
    EXPECT_EQ(tag_type_defaults(fourcc("xxxx")), nullptr);
    detach_all_tag_operations();
    EXPECT_EQ(tag_type_defaults(fourcc("proj")), nullptr);
}

} // namespace
} // namespace zephane
