// The tree on its own: row labels and icons, sorting, keys, and the layout rules.

#include "app/command_ids.h"
#include "app/tag_rows.h"
#include "base/errors.h"
#include "ui_support.h"

#include <QTest>

namespace zephane {
namespace {

TEST(TagRows, LabelsRoundSizesToThousandsAndShowUnprintableIdBytes) {
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    const auto label = [&](std::size_t size, tag_id id = fourcc("dwar")) {
        TagEntry* tag = db.add_tag(file, fourcc("unit"), id, 1, "Dwarf", 0, 0, Payload(size, 7));
        return tag_row_label(*tag);
    };
    EXPECT_EQ(label(999), "Dwarf (dwar) [1k]");
    EXPECT_EQ(label(0), "Dwarf (dwar) [0k]");
    EXPECT_EQ(label(1499), "Dwarf (dwar) [1k]");
    EXPECT_EQ(label(1500), "Dwarf (dwar) [2k]");
    EXPECT_EQ(label(123456), "Dwarf (dwar) [123k]");
    EXPECT_EQ(label(10, 0x64770A72u), "Dwarf (dw_r) [0k]");
}

TEST(TagRows, IconsFollowTheEditorAndTheModifiedFlag) {
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    TagEntry* unit = db.add_tag(file, fourcc("unit"), fourcc("dwar"), 1, "Dwarf", 0, 0, Payload{1});
    TagEntry* raw = db.add_tag(file, fourcc("rawd"), fourcc("read"), 1, "readme", 0, 0, Payload{1});
    EXPECT_EQ(tag_row_icon(*unit), kIconTagNoEditor);
    uitest::attach_test_editor(fourcc("unit"));
    EXPECT_EQ(tag_row_icon(*unit), kIconTagModified); // new tags are dirty until saved
    unit->dirty = false;
    EXPECT_EQ(tag_row_icon(*unit), kIconTag);
    EXPECT_EQ(tag_row_icon(*raw), kIconTagNoEditor);
    EXPECT_EQ(group_row_label(fourcc("unit")), "Units");
    EXPECT_EQ(group_row_label(fourcc("xxxx")), "UNKNOWN TYPES");
    detach_all_tag_editors();
}

TEST(TagRows, FilterMatchesNameIdAndTypeWithoutCase) {
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    TagEntry* tag =
        db.add_tag(file, fourcc("proj"), fourcc("arrw"), 1, "Flaming Arrow", 0, 0, Payload{1});
    EXPECT_TRUE(RowFilter(QStringLiteral("flam")).matches(*tag));
    EXPECT_TRUE(RowFilter(QStringLiteral("ARRW")).matches(*tag));
    EXPECT_TRUE(RowFilter(QStringLiteral("projectile")).matches(*tag));
    EXPECT_TRUE(RowFilter(QStringLiteral("proj")).matches(*tag));
    EXPECT_TRUE(RowFilter(QStringLiteral("  ")).matches(*tag));
    EXPECT_FALSE(RowFilter(QStringLiteral("dwarf")).matches(*tag));
}

class TreeViewTest : public ::testing::Test {
protected:
    class Client : public TreeClient {
    public:
        void tree_clicked() override { ++clicks; }
        void tree_command(int command) override { commands.push_back(command); }
        void tree_open(TreeRow& row, bool alt) override {
            opened = &row;
            alternate = alt;
        }
        int clicks = 0;
        std::vector<int> commands;
        TreeRow* opened = nullptr;
        bool alternate = false;
    };

    void SetUp() override {
        view.set_client(&client);
        view.resize(300, 400);
        view.show();
        units = &view.add_row(nullptr, "Units", kIconGroup, {fourcc("unit"), nullptr, 0, nullptr});
        for (const char* label : {"beta", "Alpha", "gamma"})
            view.add_row(units, label, kIconTag, {fourcc("unit"), nullptr, 1, dummy()});
        projs = &view.add_row(nullptr, "Projectiles", kIconGroup,
                              {fourcc("proj"), nullptr, 0, nullptr});
        view.add_row(projs, "arrow", kIconTag, {fourcc("proj"), nullptr, 1, dummy()});
        view.sort_children(units);
        view.sort_children(projs);
        view.sort_children(nullptr);
        view.update_layout();
    }
    TagEntry* dummy() { return &entries.emplace_back(); }

    std::deque<TagEntry> entries;
    Client client;
    TTreeView view;
    TreeRow* units = nullptr;
    TreeRow* projs = nullptr;
};

TEST_F(TreeViewTest, SortingIgnoresCaseAndPutsPrefixesFirst) {
    EXPECT_EQ(uitest::all_labels(view), (std::vector<std::string>{"Projectiles", "arrow", "Units",
                                                                  "Alpha", "beta", "gamma"}));
    TreeRow& a = view.add_row(nullptr, "abc", 0, {});
    TreeRow& b = view.add_row(nullptr, "ABCD", 0, {});
    EXPECT_LT(TTreeView::compare_rows(&a, &b), 0);
    EXPECT_GT(TTreeView::compare_rows(&b, &a), 0);
    TreeRow& c = view.add_row(nullptr, "aBc", 0, {});
    EXPECT_EQ(TTreeView::compare_rows(&a, &c), 0);
    EXPECT_EQ(TTreeView::compare_rows(units, projs), 'u' - 'p');
}

TEST_F(TreeViewTest, ComparingRowsOfDifferentParentsOrTreesIsAnAssertion) {
    try {
        TTreeView::compare_rows(units, units->first_child);
        FAIL() << "no assertion";
    } catch (const AssertionFailure& failure) {
        EXPECT_EQ(failure.info().expression, "ta->parent == tb->parent");
        EXPECT_EQ(failure.info().module, "TTreeView");
    }
    TTreeView other;
    TreeRow& stranger = other.add_row(nullptr, "x", 0, {});
    EXPECT_THROW(TTreeView::compare_rows(units, &stranger), AssertionFailure);
}

TEST_F(TreeViewTest, ExpandingShowsChildrenAndWidensTheContent) {
    EXPECT_EQ(uitest::visible_labels(view), (std::vector<std::string>{"Projectiles", "Units"}));
    const int collapsed_width = view.content_width();
    view.set_expanded(*units, true);
    EXPECT_EQ(uitest::visible_labels(view),
              (std::vector<std::string>{"Projectiles", "Units", "Alpha", "beta", "gamma"}));
    // Label width (to a pixel or two: kerning is not measured) + 22 per level + 27.
    EXPECT_NEAR(view.row_width(*units->first_child),
                view.fontMetrics().horizontalAdvance(QStringLiteral("Alpha")) + 22 + 27, 2);
    EXPECT_GE(view.content_width(), collapsed_width);
    const int line = view.fontMetrics().lineSpacing();
    EXPECT_EQ(view.row_height(), line >= 16 ? line + 1 : 17);
}

TEST_F(TreeViewTest, ArrowKeysMoveExtendCollapseAndExpand) {
    view.set_expanded(*units, true);
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Down); // nothing selected: the first row
    EXPECT_EQ(view.current()->label, "Projectiles");
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.current()->label, "Alpha");
    EXPECT_EQ(view.selection_count(), 1u);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(view.selection_count(), 2u);
    for (int k = 0; k < 5; ++k) QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.current()->label, "gamma"); // clamped at the last row
    QTest::keyClick(&view, Qt::Key_Left);      // not expanded: collapses the parent and selects it
    EXPECT_EQ(view.current(), units);
    EXPECT_FALSE(units->expanded);
    EXPECT_EQ(view.selection_count(), 1u);
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_TRUE(units->expanded);
    EXPECT_EQ(view.current()->label, "Alpha");
    QTest::keyClick(&view, Qt::Key_Up);
    QTest::keyClick(&view, Qt::Key_Left); // expanded: collapses itself
    EXPECT_FALSE(units->expanded);
    EXPECT_EQ(view.current(), units);
    for (int k = 0; k < 4; ++k) QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(view.current(), projs); // clamped at the first row
    EXPECT_EQ(client.clicks, 17);     // every key sent a tree click
    QTest::keyClick(&view, Qt::Key_Backspace);
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(client.commands, (std::vector<int>{command::kClear, command::kClear}));
}

TEST_F(TreeViewTest, DoubleClickOpensTagsWithTheAlternateModifierAndTogglesGroups) {
    view.set_expanded(*units, true);
    const auto centre = [&](const TreeRow& row) {
        return view.row_rect(row).adjusted(60, 0, 0, 0).topLeft() + QPoint(0, 5);
    };
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier,
                       centre(*units->first_child));
    EXPECT_EQ(client.opened, units->first_child);
    EXPECT_FALSE(client.alternate);
    for (const Qt::KeyboardModifier modifier : {Qt::ShiftModifier, Qt::ControlModifier}) {
        client.alternate = false;
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, modifier, centre(*units->first_child));
        EXPECT_TRUE(client.alternate) << modifier;
    }
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, centre(*units));
    EXPECT_FALSE(units->expanded);
}

TEST_F(TreeViewTest, ClicksSelectToggleAndExtend) {
    view.set_expanded(*units, true);
    const auto at = [&](const TreeRow& row) {
        return view.row_rect(row).adjusted(60, 0, 0, 0).topLeft() + QPoint(0, 5);
    };
    TreeRow* alpha = units->first_child;
    TreeRow* gamma = alpha->next_sibling->next_sibling;
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, at(*alpha));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, at(*gamma));
    EXPECT_EQ(view.selection_count(), 3u);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier, at(*alpha));
    EXPECT_EQ(view.selection_count(), 2u);
    EXPECT_FALSE(alpha->selected);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, at(*gamma));
    EXPECT_EQ(view.selection_count(), 1u);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 390));
    EXPECT_EQ(view.selection_count(), 0u);
}

} // namespace
} // namespace zephane
