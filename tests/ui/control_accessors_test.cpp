// The value accessors by control id: every encoding shown and read back through real
// controls, the memory that keeps untouched controls exact, ranges of every width, and
// missing controls.

#include "app/control_accessors.h"
#include "app/value_controls.h"
#include "framework/xg_form.h"
#include "tags/tag_database.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace zephane {
namespace {

class Accessors : public ::testing::Test {
protected:
    Accessors() : values([this](int id) { return form.find_control(id); }, &db) {
        for (int id = 1; id <= 8; ++id) form.register_control(id, new QLineEdit(&form));
        form.register_control(20, new QCheckBox(&form));
        auto* popup = new QComboBox(&form);
        popup->addItems({"None", "Bow", "Sword"});
        form.register_control(21, popup);
        auto* list = new QListWidget(&form);
        list->addItems({"a", "b"});
        form.register_control(22, list);
        form.register_control(30, new TagReferenceButton(&form));
        form.register_control(31, new ColourSwatch(&form));
    }
    QLineEdit& edit(int id) { return *form.control<QLineEdit>(id); }
    // Types as a user does: the old text selected and replaced.
    void type(int id, const QString& text) {
        edit(id).selectAll();
        QTest::keyClick(&edit(id), Qt::Key_Backspace);
        QTest::keyClicks(&edit(id), text);
    }

    TagDatabase db;
    XGForm form{1000};
    ControlAccessors values;
};

TEST_F(Accessors, EveryEncodingShowsAndReadsThroughItsControl) {
    values.set_angle(1, 49152);
    EXPECT_EQ(edit(1).text(), "270.0");
    type(1, "-90");
    EXPECT_EQ(values.get_angle(1), 49152);
    values.set_unit_fraction_16(2, 0);
    type(2, "1.5");
    EXPECT_EQ(values.get_unit_fraction_16(2), 65535);
    values.set_unit_fraction_16(2, 65535);
    EXPECT_EQ(edit(2).text(), "1.0");
    type(2, "-3");
    EXPECT_EQ(values.get_unit_fraction_16(2), 0);
    values.set_unit_fraction_8(3, 0);
    type(3, "1.5");
    EXPECT_EQ(values.get_unit_fraction_8(3), 255);
    values.set_decimal(4, 2.5f, 4);
    EXPECT_EQ(edit(4).text(), "2.5");
    values.set_decimal(4, 3.0f, 4);
    EXPECT_EQ(edit(4).text(), "3.0");
    type(4, "0.125");
    EXPECT_EQ(values.get_decimal(4), 0.125f);
    values.set_fixed_8_8(5, 384);
    EXPECT_EQ(edit(5).text(), "1.5");
    type(5, "-0.5");
    EXPECT_EQ(values.get_fixed_8_8(5), -128);
    values.set_fraction_256(5, 64);
    EXPECT_EQ(edit(5).text(), "0.25");
    values.set_fraction_65536(5, 16384);
    EXPECT_EQ(edit(5).text(), "0.25");
    values.set_world_distance_16(6, -768);
    EXPECT_EQ(edit(6).text(), "-1.5");
    values.set_world_distance_32(6, 512 * 100000);
    EXPECT_EQ(edit(6).text(), "100000.0");
    type(6, "2.25");
    EXPECT_EQ(values.get_world_distance_32(6), 1152);
    values.set_angular_rate(7, 1000);
    EXPECT_EQ(edit(7).text(), "164.79");
    type(7, "90");
    EXPECT_EQ(values.get_angular_rate(7), 546);
    values.set_integer(8, -12);
    EXPECT_EQ(edit(8).text(), "-12");
    // An empty or non-numeric text reads as 0.
    type(8, "");
    EXPECT_EQ(values.get_integer(8), 0);
    type(8, "many");
    EXPECT_EQ(values.get_fixed(8), 0);

    values.set_text(1, "Grey Dawn over the river");
    EXPECT_EQ(values.get_text(1, 9), "Grey Daw");
    // Check boxes, popups and lists show integers as their state.
    values.set_integer(20, 7);
    EXPECT_TRUE(form.control<QCheckBox>(20)->isChecked());
    EXPECT_EQ(values.get_integer(20), 1);
    values.set_boolean(20, false);
    EXPECT_FALSE(values.get_boolean(20));
    values.set_integer(21, 2);
    EXPECT_EQ(form.control<QComboBox>(21)->currentText(), "Sword");
    EXPECT_EQ(values.get_integer(21), 2);
    values.set_integer(22, 1);
    EXPECT_EQ(values.get_integer(22), 1);
    values.set_colour_swatch(31, 0xFF00, 0x8000, 0x00FF);
    EXPECT_EQ(form.control<ColourSwatch>(31)->colour(), QColor(255, 128, 0));
}

// Fewer decimals are shown than stored: an untouched control reads back the stored value,
// and so does one whose old text was typed again.
TEST_F(Accessors, UntouchedControlsGiveBackWhatTheyWereFilledWith) {
    values.set_fixed(1, 1);
    EXPECT_EQ(edit(1).text(), "0.0");
    EXPECT_EQ(values.get_fixed(1), 1);
    values.set_angle(2, 1);
    EXPECT_EQ(edit(2).text(), "0.01");
    EXPECT_EQ(values.get_angle(2), 1);
    type(1, "0.5");
    EXPECT_EQ(values.get_fixed(1), 32768);
    type(1, "0.0");
    EXPECT_EQ(values.get_fixed(1), 1) << "the old text again is no change";
    type(1, "0");
    EXPECT_EQ(values.get_fixed(1), 0) << "another text for the same number is read";
    // A popup filled with a value it has no entry for keeps that value until chosen.
    values.set_popup(21, 9, 0);
    EXPECT_EQ(form.control<QComboBox>(21)->currentIndex(), -1);
    EXPECT_EQ(values.get_popup(21, 0), 9);
    form.control<QComboBox>(21)->setCurrentIndex(1);
    EXPECT_EQ(values.get_popup(21, -1), 0) << "index minus one";
    values.forget_shown_values();
    EXPECT_EQ(values.get_angle(2), 2) << "without the memory, \"0.01\" reads as another angle";
}

TEST_F(Accessors, RangesOfEveryWidthStoreLowerAndDelta) {
    struct Case {
        NumericFormat format;
        const char* lower;
        const char* upper;
        std::int64_t stored_lower;
        std::int64_t delta;
    };
    const Case cases[] = {
        {{Encoding::integer, 1, true, 0}, "5", "5", 5, 0},
        {{Encoding::integer, 1, true, 0}, "-128", "127", -128, 127}, // delta clamped to 8 bits
        {{Encoding::integer, 1, false, 0}, "0", "255", 0, 255},
        {{Encoding::integer, 2, true, 0}, "5", "7", 5, 3},
        {{Encoding::integer, 2, true, 0}, "7", "5", 5, 3}, // typed upside down
        {{Encoding::integer, 2, false, 0}, "100", "65535", 100, 65436},
        {{Encoding::integer, 4, true, 0}, "-10", "10", -10, 21},
        {{Encoding::fixed_16_16, 4, true, 4}, "1", "2", 65536, 65537},
        {{Encoding::fixed_8_8, 2, true, 3}, "1.5", "1.5", 384, 0},
    };
    for (const Case& c : cases) {
        values.set_range(1, 2, c.format, {0, 0});
        type(1, c.lower);
        type(2, c.upper);
        const StoredRange range = values.get_range(1, 2, c.format);
        EXPECT_EQ(range.lower, c.stored_lower) << c.lower << " to " << c.upper;
        EXPECT_EQ(range.delta, c.delta) << c.lower << " to " << c.upper;
    }
    // Filling shows lower and lower + delta − 1; a delta of 1 shows the same bounds as 0 and
    // is kept while the pair is untouched.
    const NumericFormat s16{Encoding::integer, 2, true, 0};
    values.set_range(1, 2, s16, {5, 3});
    EXPECT_EQ(edit(2).text(), "7");
    values.set_range(1, 2, s16, {5, 1});
    EXPECT_EQ(edit(2).text(), "5");
    EXPECT_EQ(values.get_range(1, 2, s16).delta, 1);
    type(2, "6");
    type(2, "5");
    EXPECT_EQ(values.get_range(1, 2, s16).delta, 1);
    type(1, "4");
    EXPECT_EQ(values.get_range(1, 2, s16).delta, 2);

    // The decimal form, in ticks shown as seconds.
    values.set_decimal_range(3, 4, {45, 0}, 30, 3);
    EXPECT_EQ(edit(3).text(), "1.5");
    EXPECT_EQ(edit(4).text(), "1.5");
    type(4, "2.5");
    const RealRange ticks = values.get_decimal_range(3, 4, 30);
    EXPECT_EQ(ticks.lower, 45);
    EXPECT_EQ(ticks.delta, 31);
    values.set_decimal_range(3, 4, {2, 4}, 1, 0);
    EXPECT_EQ(edit(4).text(), "5");
    // A lower bound and a span: 5 to 10 seconds.
    values.set_span(5, 6, {0, 0}, 30, 3);
    type(5, "10");
    type(6, "5");
    const RealRange span = values.get_span(5, 6, 30);
    EXPECT_EQ(span.lower, 150);
    EXPECT_EQ(span.delta, 150);
}

TEST_F(Accessors, ReferencesAndMissingControls) {
    db.add_tag(db.create_tag_file(), fourcc("soun"), fourcc("boom"), 1, "Big Boom", 0, 0, Payload{1});
    auto& button = *form.control<TagReferenceButton>(30);
    values.set_tag_reference(30, fourcc("soun"), fourcc("boom"));
    EXPECT_EQ(button.text(), "Big Boom");
    values.set_tag_reference(30, fourcc("soun"), fourcc("gone"));
    EXPECT_EQ(button.text(), "(missing tag 'gone')");
    values.set_tag_reference(30, fourcc("soun"), 0);
    EXPECT_EQ(button.text(), "(tag unassigned)");
    EXPECT_EQ(values.get_tag_reference(30), 0u) << "an untouched reference keeps its bytes";
    button.choose(db, text_to_tag_id("____"));
    EXPECT_EQ(values.get_tag_reference(30), kNoTag);

    // Setting a missing control does nothing; reading one gives 0.
    values.set_fixed(99, 5);
    values.set_text(99, "x");
    values.enable_control(99, false);
    EXPECT_EQ(values.get_fixed(99), 0);
    EXPECT_EQ(values.get_text(99, 10), "");
    EXPECT_EQ(values.get_tag_reference(99), 0u);
    EXPECT_EQ(values.get_range(99, 98, {Encoding::integer, 2, true, 0}).delta, 0);
    EXPECT_FALSE(values.is_control_enabled(99));
    EXPECT_FALSE(values.is_control_shown(99));
    values.show_control(1, false);
    EXPECT_FALSE(values.is_control_shown(1));
    values.enable_control(1, false);
    EXPECT_FALSE(values.is_control_enabled(1));
}

} // namespace
} // namespace zephane
