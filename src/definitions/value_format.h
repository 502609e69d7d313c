#pragma once
// Value formatters: text in an editor's edit box <-> the value stored in a payload field,
// for every encoding of the field tables. Pure functions, so they are tested without a
// window; the editors' accessors by control id sit on top of them.
//
// Numbers are read with the C library's decimal conversion; an empty or non-numeric text
// reads as 0. Rounding is to the nearest integer, halves away from zero. A result that does
// not fit the stored width is clamped to it (angles wrap instead, a full turn being 0).

#include <cstdint>
#include <optional>
#include <string>

#include "definitions/field_table.h"
#include "tags/tag_code.h"

namespace zephane {

class TagDatabase;

// "%.*f", then trailing zeros after the decimal point removed, keeping at least one digit.
std::string format_decimal(double value, int decimals);
double parse_number(const std::string& text);
std::int64_t parse_integer(const std::string& text);

// Stored <-> shown for one numeric field. `width` is the stored width in bytes (1, 2 or 4),
// `is_signed` its signedness; the encodings that fix their own width ignore both.
struct NumericFormat {
    Encoding encoding = Encoding::integer;
    int width = 4;
    bool is_signed = true;
    int decimals = 4; // for Encoding::decimal and ticks
};

// The text a stored value shows as.
std::string format_stored(const NumericFormat& format, std::int64_t stored);
// The stored value a text converts to (an integer of the field's width; for decimal fields,
// the float's bits are not produced here: use parse_number).
std::int64_t parse_stored(const NumericFormat& format, const std::string& text);

// The text a typed number shows as once stored, when that is not what was typed (a text that
// is no number, a value past the field's range, more digits than the field keeps); none when
// it is stored as typed.
std::optional<std::string> stored_differently(const NumericFormat& format, const std::string& typed);
// Whether a typed text is a number that the shown text stands for (to the digits shown).
bool typed_as_shown(const std::string& typed, const std::string& shown);

// Decimals each encoding is shown with.
int default_decimals(Encoding encoding);

// The label of a tag reference field: the referenced tag's name, "(missing tag '%s')" when
// no loaded tag has that type and id, "(tag unassigned)" for 0 and -1.
std::string format_tag_reference(const TagDatabase& db, tag_type type, tag_id id);

// Text fields: the text cut to the buffer size minus one (the buffer is always terminated).
std::string fit_text(const std::string& text, std::size_t buffer_size);

// Ranges stored as a lower bound and a delta: delta 0 is the single value `lower`, otherwise
// upper = lower + delta - 1.
struct StoredRange {
    std::int64_t lower = 0;
    std::int64_t delta = 0;
};
std::int64_t range_upper(const StoredRange& range);
// Reads a pair of bounds as typed: delta 0 when both give the same stored value. Bounds typed
// the wrong way round are swapped; a delta too large for the field is clamped to it.
StoredRange parse_range(const NumericFormat& format, const std::string& lower_text,
                        const std::string& upper_text);
// The same rule on two stored bounds already read.
StoredRange range_from_bounds(std::int64_t lower, std::int64_t upper, int width, bool is_signed);
// Decimal ranges follow the same rule with 1.0 in place of 1.
struct DecimalRange {
    float lower = 0;
    float delta = 0;
};
float decimal_range_upper(const DecimalRange& range);
DecimalRange parse_decimal_range(const std::string& lower_text, const std::string& upper_text);
// The decimal rule on two bounds already read, in any unit (ticks, counts): bounds typed the
// wrong way round are swapped.
struct RealRange {
    double lower = 0;
    double delta = 0;
};
RealRange real_range(double lower, double upper);

// The smallest and largest stored value of a field.
std::int64_t stored_minimum(int width, bool is_signed);
std::int64_t stored_maximum(int width, bool is_signed);

} // namespace zephane
