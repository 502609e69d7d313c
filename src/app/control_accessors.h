#pragma once
// The value accessors of editor windows and their dialogs: each looks a control up by its id
// and shows a stored value in it, or reads the value its text stands for, through the value
// formatters. A missing control is ignored when setting and reads as 0.
//
// A control remembers the stored value it was filled with and the text it showed: while its
// text is unchanged, reading gives back that stored value. Several encodings show fewer
// digits than they store (fixed 16.16 with four decimals, angles with two), so re-reading the
// shown text would give other bits, and an untouched editor would look modified.

#include "definitions/value_format.h"
#include "tags/tag_code.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

class QWidget;

namespace zephane {

class TagDatabase;

class ControlAccessors {
public:
    using Finder = std::function<QWidget*(int)>;
    ControlAccessors(Finder find, const TagDatabase* db);
    virtual ~ControlAccessors() = default;
    ControlAccessors(const ControlAccessors&) = delete;
    ControlAccessors& operator=(const ControlAccessors&) = delete;

    // ---- Setting --------------------------------------------------------------------------
    // A check box shows an integer as its state, a list or popup as its selected item, an
    // edit box as "%ld".
    void set_integer(int id, long value);
    void set_boolean(int id, bool value);
    void set_decimal(int id, float value, int decimals);
    void set_fixed(int id, std::int32_t value); // 16.16
    void set_fraction_65536(int id, std::uint16_t value);
    void set_unit_fraction_16(int id, std::uint16_t value);
    void set_fixed_8_8(int id, std::int16_t value);
    void set_fraction_256(int id, std::uint8_t value);
    void set_unit_fraction_8(int id, std::uint8_t value);
    void set_text(int id, const std::string& text);
    void set_tag_reference(int id, tag_type type, tag_id value);
    void set_world_distance_16(int id, std::int16_t value);
    void set_world_distance_32(int id, std::int32_t value);
    void set_angle(int id, std::uint16_t value);
    void set_angular_rate(int id, std::uint16_t value);
    void set_colour_swatch(int id, std::uint16_t red, std::uint16_t green, std::uint16_t blue);

    // ---- Reading --------------------------------------------------------------------------
    long get_integer(int id) const;
    bool get_boolean(int id) const;
    float get_decimal(int id) const;
    std::int32_t get_fixed(int id) const;
    std::uint16_t get_fraction_65536(int id) const;
    std::uint16_t get_unit_fraction_16(int id) const;
    std::int16_t get_fixed_8_8(int id) const;
    std::uint8_t get_fraction_256(int id) const;
    std::uint8_t get_unit_fraction_8(int id) const;
    // Cut to the buffer size minus one.
    std::string get_text(int id, std::size_t buffer_size) const;
    // The stored identifier; a reference the user set to none reads as −1.
    tag_id get_tag_reference(int id) const;
    std::int16_t get_world_distance_16(int id) const;
    std::int32_t get_world_distance_32(int id) const;
    std::uint16_t get_angle(int id) const;
    std::uint16_t get_angular_rate(int id) const;

    void enable_control(int id, bool enable);
    bool is_control_enabled(int id) const;
    void show_control(int id, bool show);
    bool is_control_shown(int id) const;

    // ---- Any numeric field ----------------------------------------------------------------
    void set_number(int id, const NumericFormat& format, std::int64_t stored);
    std::int64_t get_number(int id, const NumericFormat& format) const;
    // A popup storing its index plus `base`; an index beyond the list selects nothing.
    void set_popup(int id, std::int64_t stored, int base);
    std::int64_t get_popup(int id, int base) const;

    // ---- Ranges ---------------------------------------------------------------------------
    // Stored as lower bound and delta (range rule), for every width: the format's width and
    // signedness are the delta's.
    void set_range(int lower_id, int upper_id, const NumericFormat& format, StoredRange range);
    StoredRange get_range(int lower_id, int upper_id, const NumericFormat& format) const;
    // The decimal form, in stored units shown divided by `per_unit` (ticks shown as seconds
    // use 30; counts and decimal fields 1). Decimals 0 show whole numbers.
    void set_decimal_range(int lower_id, int upper_id, RealRange range, double per_unit,
                           int decimals);
    RealRange get_decimal_range(int lower_id, int upper_id, double per_unit) const;
    // A lower bound and a span (upper − lower), in stored units; bounds typed the wrong way
    // round are swapped.
    void set_span(int lower_id, int upper_id, RealRange span, double per_unit, int decimals);
    RealRange get_span(int lower_id, int upper_id, double per_unit) const;

    // Whether the control still shows the text it was last filled with.
    bool is_untouched(int id) const;
    // Forgets what the controls were filled with (reading parses their texts).
    void forget_shown_values();
    // The text a control holds as typed ("" for none).
    std::string typed_text(int id) const;
    // Marks a control whose value cannot be stored as typed: a red frame and the note as its
    // tooltip. An empty note takes the mark away.
    void mark_control(int id, const QString& note);

    QWidget* control_at(int id) const { return find_ ? find_(id) : nullptr; }

private:
    struct Shown {
        QString text;
        double value = 0;
    };
    struct ShownPair {
        QString lower_text;
        QString upper_text;
        double first = 0;
        double second = 0;
    };
    QString text_of(int id) const;
    void show_text(int id, const QString& text);
    void set_real(int id, double value, double per_unit, int decimals);
    double get_real(int id, double per_unit) const;
    void remember_pair(int lower_id, int upper_id, double first, double second);
    const ShownPair* untouched_pair(int lower_id, int upper_id) const;

    Finder find_;
    const TagDatabase* db_;
    std::unordered_map<int, Shown> shown_;
    std::unordered_map<int, ShownPair> shown_pairs_;
};

} // namespace zephane
