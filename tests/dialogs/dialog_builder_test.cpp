#include "dialogs/dialog_builder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "dialogs/cin_writer.h"
#include "dialogs/dialog_payload.h"
#include "tags/tag_database.h"

namespace zephane {
namespace {

using test::CinControl;
using test::cin_file;
using test::fourcc_of;
using test::resource_entry;
using test::view_resource;

std::vector<std::uint8_t> window_entry(const std::string& name, const std::vector<CinControl>& controls) {
    return resource_entry("VRes", name, view_resource(10, 20, 300, 200, "Title", controls));
}

std::string refusal_of(const std::vector<std::uint8_t>& data) {
    try {
        read_interface_description(data);
    } catch (const DialogCheckFailure& failure) {
        return failure.expression();
    }
    return "accepted";
}

TEST(DialogBuilder, WindowBecomesHeaderControlsAndTextBlock) {
    const auto dialogs = read_interface_description(cin_file({window_entry(
        "Main", {{"pbtn", 1, 5, 6, 50, 26, "OK"}, {"scrb", 2, 1, 2, 3, 4}, {"list", 4444, 7, 8, 9, 10, "", true}})}));
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].name, "Main");
    const std::vector<std::uint8_t> expected = {
        0, 1, 0, 3, 0, 20, 0, 10, 0, 220, 1, 54,                              // header
        'b', 'u', 't', 't', 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 0, 5, 0, 26, 0, 50,
        's', 'l', 'i', 'd', 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 4, 0, 3,
        'g', 'a', 'm', 'e', 0, 0, 0x11, 0x5C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 7, 0, 10, 0, 9,
        'O', 'K', 0, 0, 0};
    EXPECT_EQ(dialogs[0].payload, expected);
}

TEST(DialogBuilder, EveryKindItsDataSizeAndDialogKind) {
    // A wrong data size for any kind throws the reading out of step: the next record's
    // kind is then garbage and the window gives no tag.
    const std::vector<CinControl> controls = {
        {"pbtn", 1, 0, 0, 0, 0, "OK"},   {"chkb", 2, 0, 0, 0, 0, "Yes"},  {"text", 3, 0, 0, 0, 0, ""},
        {"edit", 4, 0, 0, 0, 0, "abcd"}, {"list", 666},                    {"scrb", 6},
        {"stsb", 7},                     {"popm", 8},                      {"head", 1042},
        {"pict", 10},                    {"stat", 11},                     {"text", 2222, 0, 0, 0, 0, "x"},
        {"head", 2000},                  {"list", 1099},                   {"list", 5, 0, 0, 0, 0, "", true}};
    const auto dialogs = read_interface_description(cin_file({window_entry("All", controls)}));
    ASSERT_EQ(dialogs.size(), 1u);
    const DialogPayload dialog = read_dialog_payload(dialogs[0].payload);
    std::vector<std::string> kinds;
    for (const dlog_control& c : dialog.controls) {
        std::uint8_t be[4];
        store_u32(be, c.kind);
        kinds.emplace_back(be, be + 4);
    }
    EXPECT_THAT(kinds, testing::ElementsAre("butt", "chek", "stat", "edit", "lstm", "slid", "numb", "popu",
                                            "ched", "bitm", "prog", "prol", "colr", "slst", "list"));
    EXPECT_THAT(dialog.texts, testing::ElementsAre("OK", "Yes", "", "abcd", "", "", "", "", "", "", "", "x",
                                                   "", "", ""));
}

TEST(DialogBuilder, TitleEndsAtAnEmbeddedNul) {
    // Otherwise the text block would give the next control this title's tail.
    const std::string title("A\0B", 3);
    const auto payload = read_interface_description(
        cin_file({window_entry("W", {{"pbtn", 1, 0, 0, 0, 0, title}, {"text", 2, 0, 0, 0, 0, "C", true}})}))[0]
                             .payload;
    EXPECT_THAT(read_dialog_payload(payload).texts, testing::ElementsAre("A", "C"));
}

TEST(DialogBuilder, UnknownKindDropsOnlyItsWindow) {
    const auto dialogs = read_interface_description(cin_file({
        window_entry("Bad", {{"pbtn", 1, 0, 0, 0, 0, "OK"}, {"zzzz", 2, 0, 0, 0, 0, "", true}}),
        resource_entry("MENU", "skipped", std::vector<std::uint8_t>(30, 0xAB)),
        window_entry("Good", {{"pbtn", 1, 0, 0, 0, 0, "OK", true}}),
    }));
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].name, "Good");
}

TEST(DialogBuilder, StopsAfterLastSiblingAndAtEntryEnd) {
    // Bytes after the control marked last are not controls.
    auto body = view_resource(0, 0, 10, 10, "", {{"pbtn", 1, 0, 0, 0, 0, "A", true}});
    body.insert(body.end(), 60, 0xFF);
    EXPECT_EQ(read_dialog_payload(read_interface_description(cin_file({resource_entry("VRes", "W", body)}))[0].payload)
                  .controls.size(),
              1u);
    // A window without controls is still a dialog.
    const auto empty = read_interface_description(cin_file({window_entry("Empty", {})}));
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].payload.size(), 12u);
}

TEST(DialogBuilder, RefusesMalformedFiles) {
    const auto good = window_entry("W", {{"pbtn", 1, 0, 0, 0, 0, "OK", true}});
    auto bad_signature = cin_file({good});
    bad_signature[0] = 'X';
    EXPECT_EQ(refusal_of(bad_signature), "id == NSwapLong('@!YC')");
    EXPECT_EQ(refusal_of({'@', '!'}), "id == NSwapLong('@!YC')");
    EXPECT_EQ(refusal_of(cin_file({good}, 3)), "id == 2");
    EXPECT_EQ(refusal_of(cin_file({})), "data.GetSize() > 16");

    auto short_entry = cin_file({good});
    short_entry.insert(short_entry.end(), {0, 0, 0, 9, 'A', 'B', 'C', 'D', 0, 0});
    EXPECT_EQ(refusal_of(short_entry), "len >= 10");
    auto past_end = cin_file({good});
    past_end[19] = static_cast<std::uint8_t>(past_end[19] + 1);
    EXPECT_EQ(refusal_of(past_end), "len >= 10");
    auto stray_bytes = cin_file({good});
    stray_bytes.insert(stray_bytes.end(), {0, 0});
    EXPECT_EQ(refusal_of(stray_bytes), "len >= 10");

    EXPECT_EQ(refusal_of(cin_file({resource_entry("VRes", "M", view_resource(0, 0, 1, 1, "", {}, "menu"))})),
              "id =='wind'");
    // A control cut off by the end of its entry (another entry follows, so not the file's end).
    auto cut = view_resource(0, 0, 1, 1, "", {{"edit", 1, 0, 0, 0, 0, "text", true}});
    cut.resize(cut.size() - 10);
    EXPECT_EQ(refusal_of(cin_file({resource_entry("VRes", "C", cut), good})), "len >= 10");
    auto short_view = view_resource(0, 0, 1, 1, "", {});
    short_view.resize(40); // a window cut off before its size and title
    EXPECT_EQ(refusal_of(cin_file({resource_entry("VRes", "V", short_view)})), "len >= 10");

    std::vector<CinControl> many(256, CinControl{"pbtn", 1, 0, 0, 0, 0, "OK"});
    EXPECT_EQ(refusal_of(cin_file({window_entry("Many", many)})), "dlog->control_count < MAX_CONTROLS");
    many.pop_back();
    many.back().last = true;
    EXPECT_EQ(refusal_of(cin_file({window_entry("Most", many)})), "accepted");
}

TEST(DialogBuilder, TagsGetUniqueIdsAndTheUntitledName) {
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    const auto dialogs = read_interface_description(cin_file({
        window_entry("Options", {{"pbtn", 1, 0, 0, 0, 0, "OK", true}}),
        window_entry("Options", {{"pbtn", 1, 0, 0, 0, 0, "OK", true}}),
        window_entry("", {{"pbtn", 1, 0, 0, 0, 0, "OK", true}}),
    }));
    const std::vector<TagEntry*> made = add_dialog_tags(db, *file, dialogs);
    ASSERT_EQ(made.size(), 3u);
    EXPECT_EQ(made[0]->name, "Options");
    EXPECT_EQ(made[1]->name, "Options");
    EXPECT_NE(made[0]->id, made[1]->id);
    EXPECT_EQ(made[2]->name, kUntitledDialogName);
    EXPECT_NE(made[2]->id, 0xFFFFFFFFu);
    EXPECT_EQ(made[0]->version, 1);
    EXPECT_EQ(*made[0]->data, dialogs[0].payload);
}

TEST(DialogPayload, RewriteKeepsBytesAndRefusesDamage) {
    const auto payload = read_interface_description(
        cin_file({window_entry("W", {{"text", 888, 1, 2, 3, 4, "Hello"}, {"pbtn", 5, 0, 0, 0, 0, "OK", true}})}))[0]
                             .payload;
    EXPECT_EQ(rewrite_dialog_payload(payload, 1), payload);
    auto with_tail = payload;
    with_tail.push_back(7);
    EXPECT_EQ(rewrite_dialog_payload(with_tail, 1), with_tail);
    auto unterminated = payload;
    unterminated.pop_back();
    EXPECT_THROW(rewrite_dialog_payload(unterminated, 1), FormatError);
    auto too_many = payload;
    too_many[3] = 40;
    EXPECT_THROW(rewrite_dialog_payload(too_many, 1), FormatError);
    EXPECT_THROW(rewrite_dialog_payload({0, 1, 0}, 1), FormatError);
}

} // namespace
} // namespace zephane
