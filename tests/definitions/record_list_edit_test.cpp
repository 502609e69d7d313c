// Editing a record's list in place, on the sound list's entries: order kept, vacated slots
// emptied, the capacity respected, and a count from a hostile record never trusted.

#include <gtest/gtest.h>

#include <vector>

#include "definitions/record_list_edit.h"
#include "definitions/soli.h"

namespace zephane {
namespace {

const sound_list_entry kEmpty{kNoTag, {0, 0, 0, 0}};

sound_list_entry entry(tag_id sound, std::uint8_t extra = 0) {
    return {sound, {extra, 0, 0, extra}};
}

// A list whose entries are sounds 1, 2, ..., n, each keeping its number in its extra bytes.
sound_list_definition numbered(int n) {
    sound_list_definition list = sound_list_definition::kDefault;
    for (int k = 0; k < n; ++k)
        list.entries[k] = entry(static_cast<tag_id>(k + 1), static_cast<std::uint8_t>(k + 1));
    list.entry_count = static_cast<std::int16_t>(n);
    return list;
}

// Every slot's sound, in use or not.
std::vector<tag_id> sounds(const sound_list_definition& list) {
    std::vector<tag_id> out;
    for (const sound_list_entry& e : list.entries) out.push_back(e.sound);
    return out;
}

std::vector<tag_id> expected(std::vector<tag_id> in_use) {
    in_use.resize(kSoundListEntries, kNoTag);
    return in_use;
}

TEST(RecordListEdit, InsertFillsUpToTheCapacityAndNoFurther) {
    sound_list_definition list = numbered(0);
    RecordListEdit entries(list.entries, list.entry_count);
    for (std::size_t k = 0; k < kSoundListEntries; ++k)
        ASSERT_EQ(entries.insert(k, entry(static_cast<tag_id>(100 + k))), k);
    EXPECT_TRUE(entries.full());
    EXPECT_EQ(list.entry_count, 30);

    const sound_list_definition before = list;
    EXPECT_EQ(entries.insert(0, entry(7)), std::nullopt);
    EXPECT_EQ(entries.duplicate(5), std::nullopt); // duplicating at capacity too
    EXPECT_EQ(sounds(list), sounds(before));
    EXPECT_EQ(list.entry_count, 30);

    // In front moves the rest on; past the end is refused.
    list = numbered(3);
    EXPECT_EQ(entries.insert(0, entry(9)), 0u);
    EXPECT_EQ(sounds(list), expected({9, 1, 2, 3}));
    EXPECT_EQ(entries.insert(6, entry(8)), std::nullopt);
    EXPECT_EQ(list.entry_count, 4);
}

TEST(RecordListEdit, RemoveKeepsTheOrderAndEmptiesTheLastSlot) {
    struct Case {
        std::size_t at;
        std::vector<tag_id> left;
    };
    for (const Case& c : {Case{0, {2, 3, 4}}, Case{1, {1, 3, 4}}, Case{3, {1, 2, 3}}}) {
        SCOPED_TRACE(c.at);
        sound_list_definition list = numbered(4);
        RecordListEdit entries(list.entries, list.entry_count);
        ASSERT_TRUE(entries.remove(c.at, kEmpty));
        EXPECT_EQ(list.entry_count, 3);
        EXPECT_EQ(sounds(list), expected(c.left));
        EXPECT_EQ(list.entries[3].extra[0], 0); // the vacated slot is the empty entry
        EXPECT_EQ(list.entries[2].extra[0], c.left[2]); // extra bytes move with their entry
    }
    sound_list_definition list = numbered(2);
    RecordListEdit entries(list.entries, list.entry_count);
    EXPECT_FALSE(entries.remove(2, kEmpty));
    EXPECT_EQ(list.entry_count, 2);
}

TEST(RecordListEdit, DuplicatePutsTheCopyJustAfter) {
    sound_list_definition list = numbered(3);
    RecordListEdit entries(list.entries, list.entry_count);
    EXPECT_EQ(entries.duplicate(1), 2u);
    EXPECT_EQ(sounds(list), expected({1, 2, 2, 3}));
    EXPECT_EQ(list.entries[2].extra[3], 2); // the whole entry, unswapped bytes included
    EXPECT_EQ(entries.duplicate(3), 4u);    // the last one
    EXPECT_EQ(sounds(list), expected({1, 2, 2, 3, 3}));
    EXPECT_EQ(entries.duplicate(5), std::nullopt);
    EXPECT_EQ(list.entry_count, 5);
}

TEST(RecordListEdit, ACountOutOfRangeIsClampedBeforeUse) {
    sound_list_definition list = numbered(30);
    list.entry_count = 400;
    RecordListEdit entries(list.entries, list.entry_count);
    EXPECT_EQ(entries.size(), kSoundListEntries);
    EXPECT_TRUE(entries.full());
    EXPECT_EQ(entries.insert(30, entry(1)), std::nullopt);
    EXPECT_FALSE(entries.remove(30, kEmpty));
    ASSERT_TRUE(entries.remove(29, kEmpty));
    EXPECT_EQ(list.entry_count, 29);
    EXPECT_EQ(list.entries[29].sound, kNoTag);

    list = numbered(3);
    list.entry_count = -2;
    EXPECT_EQ(entries.size(), 0u);
    EXPECT_FALSE(entries.remove(0, kEmpty));
    EXPECT_EQ(entries.duplicate(0), std::nullopt);
    EXPECT_EQ(entries.insert(0, entry(9)), 0u);
    EXPECT_EQ(list.entry_count, 1);
    EXPECT_EQ(list.entries[1].sound, 2u); // slots past the count are left alone
}

} // namespace
} // namespace zephane
