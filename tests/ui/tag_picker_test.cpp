// The tag picker: its list, the current-file and all-files modes with the remembered choice,
// the selected tag's details, and what each button returns.

#include "app/tag_picker_dialog.h"
#include "ui_support.h"

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

namespace zephane {
namespace {

using uitest::DialogScript;
using uitest::press;

constexpr tag_type kSoun = fourcc("soun");
constexpr int kSelect = 100;
constexpr int kCancel = 101;
constexpr int kNone = 102;

QStringList rows(XGDialog& picker) {
    QStringList out;
    auto* list = picker.control<QListWidget>(2);
    for (int k = 0; k < list->count(); ++k) out << list->item(k)->text();
    return out;
}
bool chosen(XGDialog& picker, int radio) {
    return picker.control<QRadioButton>(radio)->isChecked();
}

class TagPicker : public ::testing::Test {
protected:
    void SetUp() override {
        set_pick_tag_shows_all_files(false);
        other = db.create_tag_file();
        db.add_tag(other, kSoun, fourcc("gggg"), 1, "gamma", 0, 0, Payload(7, 0));
        db.add_tag(other, kSoun, fourcc("alpn"), 1, "alpine", 0, 0, Payload(2, 0));
        own = db.create_tag_file();
        db.add_tag(own, kSoun, fourcc("bbbb"), 1, "beta", 0, 0, Payload(3, 0));
        db.add_tag(own, kSoun, fourcc("aaaa"), 1, "Alpha", 0, 0, Payload(5, 0));
        db.add_tag(own, fourcc("stli"), fourcc("text"), 1, "Text", 0, 0, Payload(1, 0));
    }
    tag_id pick(tag_id current, const TagFile* file = nullptr, tag_type type = kSoun) {
        TagPickRequest request;
        request.type = type;
        request.current = current;
        request.file = file ? file : own;
        request.path_of = [this](const TagFile& f) { return &f == own ? "local/own.tag" : "tags/other.tag"; };
        return pickTag(nullptr, db, request);
    }
    TagDatabase db;
    TagFile* own = nullptr;
    TagFile* other = nullptr;
};

TEST_F(TagPicker, ListsTheCurrentFileSortedAndShowsTheChosenTag) {
    DialogScript dialogs({[](XGDialog& picker) {
        EXPECT_EQ(picker.windowTitle(), "Pick Sound (soun)");
        EXPECT_TRUE(chosen(picker, 6));
        EXPECT_EQ(rows(picker), (QStringList{"Alpha (aaaa)", "beta (bbbb)"}));
        EXPECT_EQ(picker.control<QListWidget>(2)->currentRow(), 1) << "the current id";
        EXPECT_EQ(picker.text_of(3), "bbbb");
        EXPECT_EQ(picker.text_of(4), "3");
        EXPECT_EQ(picker.text_of(5), "local/own.tag");
        // Every file's tags, sorted by name without regard to case.
        picker.click(7);
        EXPECT_EQ(rows(picker), (QStringList{"Alpha (aaaa)", "alpine (alpn)", "beta (bbbb)", "gamma (gggg)"}));
        EXPECT_EQ(picker.text_of(3), "bbbb") << "the chosen tag stays chosen";
        picker.choose_row(2, 3);
        EXPECT_EQ(picker.text_of(4), "7");
        EXPECT_EQ(picker.text_of(5), "tags/other.tag");
        picker.click(kSelect);
    }});
    EXPECT_EQ(pick(fourcc("bbbb")), fourcc("gggg"));
}

TEST_F(TagPicker, OpensOnAllFilesWhenRememberedOrWhenTheCurrentTagIsElsewhere) {
    {
        // The current id names a tag only in another file.
        DialogScript dialogs({[](XGDialog& picker) {
            EXPECT_TRUE(chosen(picker, 7));
            EXPECT_EQ(picker.text_of(3), "alpn");
        }});
        EXPECT_EQ(pick(fourcc("alpn")), 0u) << "left open: cancelled";
    }
    {
        // An id that names no tag anywhere: the current file, its first tag chosen.
        DialogScript dialogs({[](XGDialog& picker) {
            EXPECT_TRUE(chosen(picker, 6));
            EXPECT_EQ(picker.text_of(3), "aaaa");
            picker.click(7); // remembered from now on
            picker.click(kCancel);
        }});
        EXPECT_EQ(pick(fourcc("gone")), 0u);
    }
    EXPECT_TRUE(pick_tag_shows_all_files());
    {
        DialogScript dialogs({[](XGDialog& picker) {
            EXPECT_TRUE(chosen(picker, 7));
            EXPECT_EQ(rows(picker).size(), 4);
            picker.click(kNone);
        }});
        EXPECT_EQ(pick(fourcc("aaaa")), kNoTag);
    }
    {
        // A file without a tag of the type counts as none: both choices disabled, all shown.
        set_pick_tag_shows_all_files(false);
        DialogScript dialogs({[](XGDialog& picker) {
            EXPECT_FALSE(picker.is_enabled(6));
            EXPECT_FALSE(picker.is_enabled(7));
            EXPECT_TRUE(chosen(picker, 7));
            EXPECT_EQ(rows(picker), QStringList{"Text (text)"});
            picker.click(kSelect);
        }});
        EXPECT_EQ(pick(kNoTag, other, fourcc("stli")), fourcc("text")) << "first row chosen";
    }
}

TEST_F(TagPicker, AllFilesNameTheFileOfEachCopyAndGreyTheOnesALookupSkips) {
    db.add_tag(other, kSoun, fourcc("aaaa"), 1, "Alpha", 0, 0, Payload(9, 0));
    const TagEntry* winner = db.find_tag(kSoun, fourcc("aaaa"));
    set_pick_tag_shows_all_files(true);
    DialogScript dialogs({[&](XGDialog& picker) {
        auto* list = picker.control<QListWidget>(2);
        int copies = 0;
        for (int k = 0; k < list->count(); ++k) {
            const QString label = list->item(k)->text();
            if (!label.startsWith("Alpha (aaaa)")) {
                EXPECT_TRUE(list->item(k)->toolTip().isEmpty()) << label.toStdString();
                continue;
            }
            ++copies;
            const bool in_own = label.endsWith(QString::fromUtf8("\u2014 local/own.tag"));
            EXPECT_TRUE(in_own || label.endsWith(QString::fromUtf8("\u2014 tags/other.tag")));
            const bool wins = (winner->file == own) == in_own;
            EXPECT_EQ(list->item(k)->toolTip().contains("This is the copy the game uses."), wins);
            EXPECT_EQ(list->item(k)->foreground().color() ==
                          list->palette().color(QPalette::Disabled, QPalette::Text),
                      !wins);
        }
        EXPECT_EQ(copies, 2);
        picker.click(kCancel);
    }});
    pick(fourcc("aaaa"));
}

TEST_F(TagPicker, NothingToChooseLeavesOnlyNoneAndCancel) {
    DialogScript dialogs({[](XGDialog& picker) {
                              EXPECT_TRUE(rows(picker).isEmpty());
                              EXPECT_FALSE(picker.is_enabled(kSelect));
                              EXPECT_EQ(picker.text_of(3), "");
                              picker.click(kCancel);
                          },
                          press(kNone)});
    EXPECT_EQ(pick(kNoTag, own, fourcc("proj")), 0u);
    EXPECT_EQ(pick(kNoTag, own, fourcc("proj")), kNoTag);
}

} // namespace
} // namespace zephane
