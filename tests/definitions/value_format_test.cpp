// The value formatters: what a stored value shows as and what typed text stores.

#include <gtest/gtest.h>

#include <bit>

#include "definitions/value_format.h"
#include "tags/tag_database.h"

namespace zephane {
namespace {

NumericFormat as(Encoding encoding, int width = 4, bool is_signed = true) {
    return {encoding, width, is_signed, default_decimals(encoding)};
}

TEST(DecimalText, TrailingZerosTrimmedKeepingOneDigit) {
    EXPECT_EQ(format_decimal(2.5, 4), "2.5");
    EXPECT_EQ(format_decimal(3, 4), "3.0");
    EXPECT_EQ(format_decimal(-0.126, 2), "-0.13");
    EXPECT_EQ(format_decimal(100, 2), "100.0");
    EXPECT_EQ(format_decimal(-0.0001, 2), "0.0");
    EXPECT_EQ(parse_number(""), 0.0);
    EXPECT_EQ(parse_number("abc"), 0.0);
    EXPECT_EQ(parse_number("1.5xyz"), 1.5);
    EXPECT_EQ(parse_integer("  42"), 42);
    EXPECT_EQ(parse_integer("-"), 0);
}

TEST(ScaledEncodings, StoreRoundedHalvesAwayFromZero) {
    struct Case {
        Encoding encoding;
        int width;
        bool is_signed;
        const char* typed;
        std::int64_t stored;
        const char* shown;
    };
    const Case cases[] = {
        {Encoding::fixed_16_16, 4, true, "1.5", 98304, "1.5"},
        {Encoding::fixed_16_16, 4, true, "-2", -131072, "-2.0"},
        {Encoding::fixed_16_16, 4, true, "0.00000762939453125", 1, "0.0"}, // half a unit rounds up
        {Encoding::fixed_16_16, 4, true, "-0.00000762939453125", -1, "0.0"}, // no negative zero
        {Encoding::fixed_16_16, 4, true, "40000", 2147483647, "32768.0"},  // clamped to 32 bits
        {Encoding::fixed_8_8, 2, true, "1.25", 320, "1.25"},
        {Encoding::fixed_8_8, 2, true, "-200", -32768, "-128.0"},
        {Encoding::fraction_65536, 2, false, "0.5", 32768, "0.5"},
        {Encoding::fraction_256, 1, false, "0.75", 192, "0.75"},
        {Encoding::unit_fraction_16, 2, false, "1.5", 65535, "1.0"},
        {Encoding::unit_fraction_16, 2, false, "-0.5", 0, "0.0"},
        {Encoding::unit_fraction_8, 1, false, "0.5", 128, "0.502"},
        {Encoding::unit_fraction_8, 1, false, "7", 255, "1.0"},
        {Encoding::world_distance_16, 2, true, "1.5", 768, "1.5"},
        {Encoding::world_distance_32, 4, true, "-0.25", -128, "-0.25"},
        {Encoding::integer, 2, false, "70000", 65535, "65535"},
        {Encoding::integer, 1, true, "-5", -5, "-5"},
        {Encoding::integer, 4, true, "junk", 0, "0"},
    };
    for (const Case& c : cases) {
        const NumericFormat format = as(c.encoding, c.width, c.is_signed);
        EXPECT_EQ(parse_stored(format, c.typed), c.stored) << c.typed;
        EXPECT_EQ(format_stored(format, c.stored), c.shown) << c.typed;
    }
}

TEST(Angles, WrapToATurnAndShowDegrees) {
    const NumericFormat angle = as(Encoding::angle, 2, false);
    EXPECT_EQ(parse_stored(angle, "-90"), 49152);
    EXPECT_EQ(format_stored(angle, 49152), "270.0");
    EXPECT_EQ(parse_stored(angle, "360"), 0);
    EXPECT_EQ(parse_stored(angle, "45"), 8192);
    EXPECT_EQ(format_stored(angle, 1), "0.01");

    const NumericFormat rate = as(Encoding::angular_rate, 2, false);
    EXPECT_EQ(format_stored(rate, 1000), "164.79");
    EXPECT_EQ(parse_stored(rate, "164.79"), 1000) << "the shown rate reads back to the stored one";
    EXPECT_EQ(parse_stored(rate, "90"), 546);
    EXPECT_EQ(parse_stored(rate, "720"), 4369) << "two turns a second is 1/15 of a turn a tick";
}

TEST(DecimalsAndTimes, FloatBitsTicksAndColours) {
    const NumericFormat decimal{Encoding::decimal, 4, true, 4};
    const auto bits = parse_stored(decimal, "2.5");
    EXPECT_EQ(std::bit_cast<float>(static_cast<std::uint32_t>(bits)), 2.5f);
    EXPECT_EQ(format_stored(decimal, bits), "2.5");
    EXPECT_EQ(format_stored(decimal, std::bit_cast<std::uint32_t>(3.0f)), "3.0");

    const NumericFormat ticks = as(Encoding::ticks, 2, true);
    EXPECT_EQ(parse_stored(ticks, "1.5"), 45);
    EXPECT_EQ(format_stored(ticks, 45), "1.5");
    EXPECT_EQ(format_stored(ticks, 1), "0.033");
    EXPECT_EQ(parse_stored(ticks, "0.033"), 1);
    const NumericFormat seconds = as(Encoding::whole_seconds, 2, true);
    EXPECT_EQ(parse_stored(seconds, "4"), 120);
    EXPECT_EQ(format_stored(seconds, 120), "4");

    const NumericFormat colour = as(Encoding::colour_component, 2, false);
    EXPECT_EQ(parse_stored(colour, "255"), 65535);
    EXPECT_EQ(parse_stored(colour, "300"), 65535);
    EXPECT_EQ(parse_stored(colour, "128"), 128 * 257);
    EXPECT_EQ(format_stored(colour, 128 * 257), "128");
    // Shown as the stored value's high byte, as the swatches use it.
    EXPECT_EQ(format_stored(colour, 0x00FF), "0");
    EXPECT_EQ(format_stored(colour, 0x80FF), "128");
}

TEST(Ranges, LowerBoundAndDelta) {
    const NumericFormat s16 = as(Encoding::integer, 2, true);
    EXPECT_EQ(parse_range(s16, "5", "5").delta, 0);
    const StoredRange five_to_seven = parse_range(s16, "5", "7");
    EXPECT_EQ(five_to_seven.lower, 5);
    EXPECT_EQ(five_to_seven.delta, 3);
    EXPECT_EQ(range_upper(five_to_seven), 7);
    EXPECT_EQ(range_upper({5, 0}), 5);
    const StoredRange swapped = parse_range(s16, "7", "5");
    EXPECT_EQ(swapped.lower, 5);
    EXPECT_EQ(swapped.delta, 3);
    EXPECT_EQ(parse_range(as(Encoding::integer, 1, false), "0", "255").delta, 255) << "clamped to the width";
    EXPECT_EQ(parse_range(as(Encoding::integer, 1, true), "-128", "127").delta, 127);
    // Ranges compare stored values: two texts that store the same value are a single value.
    EXPECT_EQ(parse_range(as(Encoding::world_distance_16, 2, true), "1.0", "1.0001").delta, 0);

    const DecimalRange decimal = parse_decimal_range("0.5", "2.5");
    EXPECT_FLOAT_EQ(decimal.delta, 3.0f);
    EXPECT_FLOAT_EQ(decimal_range_upper(decimal), 2.5f);
    EXPECT_EQ(parse_decimal_range("1.5", "1.5").delta, 0.0f);

    // The same rules on bounds already read (stored values, or ticks of the decimal form).
    EXPECT_EQ(range_from_bounds(9, 4, 2, true).lower, 4);
    EXPECT_EQ(range_from_bounds(9, 4, 2, true).delta, 6);
    EXPECT_EQ(range_from_bounds(-30000, 30000, 2, true).delta, 32767);
    EXPECT_EQ(real_range(150, 300).delta, 151.0);
    EXPECT_EQ(real_range(300, 150).lower, 150.0);
    EXPECT_EQ(real_range(45, 45).delta, 0.0);
}

TEST(References, NameMissingOrUnassigned) {
    TagDatabase db;
    db.add_tag(db.create_tag_file(), fourcc("soun"), fourcc("boom"), 1, "Big Boom", 0, 0, Payload{1});
    EXPECT_EQ(format_tag_reference(db, fourcc("soun"), fourcc("boom")), "Big Boom");
    EXPECT_EQ(format_tag_reference(db, fourcc("soun"), fourcc("gone")), "(missing tag 'gone')");
    EXPECT_EQ(format_tag_reference(db, fourcc("proj"), fourcc("boom")), "(missing tag 'boom')");
    EXPECT_EQ(format_tag_reference(db, fourcc("soun"), 0), "(tag unassigned)");
    EXPECT_EQ(format_tag_reference(db, fourcc("soun"), kNoTag), "(tag unassigned)");
    EXPECT_EQ(fit_text("abcdef", 4), "abc");
    EXPECT_EQ(fit_text("ab", 4), "ab");
    EXPECT_EQ(fit_text("ab", 0), "");
}

} // namespace
} // namespace zephane

namespace zephane {
namespace {

TEST(StoredDifferently, NamesWhatATypedNumberBecomesOnlyWhenItChanges) {
    const NumericFormat colour{Encoding::colour_component, 2, false, 0};
    EXPECT_EQ(stored_differently(colour, "999"), "255");
    EXPECT_EQ(stored_differently(colour, "128"), std::nullopt);
    const NumericFormat small{Encoding::integer, 1, true, 0};
    EXPECT_EQ(stored_differently(small, "abc"), "0");
    EXPECT_EQ(stored_differently(small, ""), "0");
    EXPECT_EQ(stored_differently(small, "300"), "127");
    EXPECT_EQ(stored_differently(small, "2.5"), "2");
    EXPECT_EQ(stored_differently(small, " -12 "), std::nullopt);
    const NumericFormat real{Encoding::decimal, 4, true, 4};
    EXPECT_EQ(stored_differently(real, "0.1"), std::nullopt);
    EXPECT_EQ(stored_differently(real, "0.12345"), "0.1235"); // more digits than are kept
    EXPECT_EQ(stored_differently(real, "1e2"), std::nullopt);
    const NumericFormat angle{Encoding::angle, 2, false, 2};
    EXPECT_EQ(stored_differently(angle, "45"), std::nullopt);
    EXPECT_EQ(stored_differently(angle, "370"), "10.0");
}

} // namespace
} // namespace zephane
