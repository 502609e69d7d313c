#include "app/control_accessors.h"
#include "framework/xg_text.h"

#include "app/value_controls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <algorithm>
#include <bit>
#include <cmath>

namespace zephane {

namespace {

NumericFormat format_of(Encoding encoding, int width, bool is_signed) {
    return {encoding, width, is_signed, default_decimals(encoding)};
}

QString real_text(double value, int decimals) {
    if (decimals <= 0) return QString::number(std::llround(value));
    return QString::fromStdString(format_decimal(value, decimals));
}

} // namespace

ControlAccessors::ControlAccessors(Finder find, const TagDatabase* db)
    : find_(std::move(find)), db_(db) {}

// ---- Texts ------------------------------------------------------------------------------------

QString ControlAccessors::text_of(int id) const {
    QWidget* control = control_at(id);
    if (const auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    if (const auto* text = qobject_cast<QPlainTextEdit*>(control)) return text->toPlainText();
    if (const auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (const auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    return {};
}

void ControlAccessors::show_text(int id, const QString& text) {
    QWidget* control = control_at(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        plain->setPlainText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    }
}

bool ControlAccessors::is_untouched(int id) const {
    const auto it = shown_.find(id);
    return it != shown_.end() && control_at(id) && text_of(id) == it->second.text;
}

std::string ControlAccessors::typed_text(int id) const {
    return control_at(id) ? latin1(text_of(id)) : std::string();
}

void ControlAccessors::mark_control(int id, const QString& note) {
    QWidget* control = control_at(id);
    if (!control) return;
    const bool marked = !note.isEmpty();
    if (control->property("unstorable").toBool() == marked && control->toolTip() == note) return;
    control->setProperty("unstorable", marked);
    control->setStyleSheet(marked ? QStringLiteral("border: 1px solid #c00000;") : QString());
    control->setToolTip(note);
}

void ControlAccessors::forget_shown_values() {
    shown_.clear();
    shown_pairs_.clear();
}

// ---- Numbers ----------------------------------------------------------------------------------

void ControlAccessors::set_number(int id, const NumericFormat& format, std::int64_t stored) {
    if (!control_at(id)) return;
    const QString text = QString::fromStdString(format_stored(format, stored));
    show_text(id, text);
    shown_[id] = {text, static_cast<double>(stored)};
}

std::int64_t ControlAccessors::get_number(int id, const NumericFormat& format) const {
    if (!control_at(id)) return 0;
    if (is_untouched(id)) return static_cast<std::int64_t>(shown_.at(id).value);
    return parse_stored(format, latin1(text_of(id)));
}

void ControlAccessors::set_real(int id, double value, double per_unit, int decimals) {
    if (!control_at(id)) return;
    const QString text = real_text(value / per_unit, decimals);
    show_text(id, text);
    shown_[id] = {text, value};
}

double ControlAccessors::get_real(int id, double per_unit) const {
    if (!control_at(id)) return 0;
    if (is_untouched(id)) return shown_.at(id).value;
    return parse_number(latin1(text_of(id))) * per_unit;
}

void ControlAccessors::set_integer(int id, long value) {
    QWidget* control = control_at(id);
    if (auto* check = qobject_cast<QCheckBox*>(control)) {
        check->setChecked(value != 0);
    } else if (auto* popup = qobject_cast<QComboBox*>(control)) {
        popup->setCurrentIndex(value >= 0 && value < popup->count() ? static_cast<int>(value) : -1);
    } else if (auto* list = qobject_cast<QListWidget*>(control)) {
        list->setCurrentRow(value >= 0 && value < list->count() ? static_cast<int>(value) : -1);
    } else {
        set_number(id, format_of(Encoding::integer, 4, true), value);
    }
}

long ControlAccessors::get_integer(int id) const {
    QWidget* control = control_at(id);
    if (const auto* check = qobject_cast<QCheckBox*>(control)) return check->isChecked() ? 1 : 0;
    if (const auto* popup = qobject_cast<QComboBox*>(control)) return popup->currentIndex();
    if (const auto* list = qobject_cast<QListWidget*>(control)) return list->currentRow();
    return static_cast<long>(get_number(id, format_of(Encoding::integer, 4, true)));
}

void ControlAccessors::set_boolean(int id, bool value) { set_integer(id, value ? 1 : 0); }
bool ControlAccessors::get_boolean(int id) const { return get_integer(id) != 0; }

void ControlAccessors::set_decimal(int id, float value, int decimals) {
    set_number(id, {Encoding::decimal, 4, true, decimals}, std::bit_cast<std::uint32_t>(value));
}
float ControlAccessors::get_decimal(int id) const {
    return std::bit_cast<float>(
        static_cast<std::uint32_t>(get_number(id, {Encoding::decimal, 4, true, 4})));
}

#define ZEPHANE_SCALED_ACCESSORS(name, type, encoding, width, is_signed)                        \
    void ControlAccessors::set_##name(int id, type value) {                                      \
        set_number(id, format_of(encoding, width, is_signed), value);                            \
    }                                                                                            \
    type ControlAccessors::get_##name(int id) const {                                            \
        return static_cast<type>(get_number(id, format_of(encoding, width, is_signed)));         \
    }

ZEPHANE_SCALED_ACCESSORS(fixed, std::int32_t, Encoding::fixed_16_16, 4, true)
ZEPHANE_SCALED_ACCESSORS(fraction_65536, std::uint16_t, Encoding::fraction_65536, 2, false)
ZEPHANE_SCALED_ACCESSORS(unit_fraction_16, std::uint16_t, Encoding::unit_fraction_16, 2, false)
ZEPHANE_SCALED_ACCESSORS(fixed_8_8, std::int16_t, Encoding::fixed_8_8, 2, true)
ZEPHANE_SCALED_ACCESSORS(fraction_256, std::uint8_t, Encoding::fraction_256, 1, false)
ZEPHANE_SCALED_ACCESSORS(unit_fraction_8, std::uint8_t, Encoding::unit_fraction_8, 1, false)
ZEPHANE_SCALED_ACCESSORS(world_distance_16, std::int16_t, Encoding::world_distance_16, 2, true)
ZEPHANE_SCALED_ACCESSORS(world_distance_32, std::int32_t, Encoding::world_distance_32, 4, true)
ZEPHANE_SCALED_ACCESSORS(angle, std::uint16_t, Encoding::angle, 2, false)
ZEPHANE_SCALED_ACCESSORS(angular_rate, std::uint16_t, Encoding::angular_rate, 2, false)
#undef ZEPHANE_SCALED_ACCESSORS

// ---- Popups -----------------------------------------------------------------------------------

void ControlAccessors::set_popup(int id, std::int64_t stored, int base) {
    auto* popup = qobject_cast<QComboBox*>(control_at(id));
    if (!popup) return;
    const std::int64_t index = stored - base;
    popup->setCurrentIndex(index >= 0 && index < popup->count() ? static_cast<int>(index) : -1);
    shown_[id] = {QString::number(popup->currentIndex()), static_cast<double>(stored)};
}

std::int64_t ControlAccessors::get_popup(int id, int base) const {
    const auto* popup = qobject_cast<QComboBox*>(control_at(id));
    if (!popup) return 0;
    const auto it = shown_.find(id);
    if (it != shown_.end() && it->second.text == QString::number(popup->currentIndex()))
        return static_cast<std::int64_t>(it->second.value);
    return popup->currentIndex() + base;
}

// ---- Texts, references, swatches --------------------------------------------------------------

void ControlAccessors::set_text(int id, const std::string& text) {
    show_text(id, QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

std::string ControlAccessors::get_text(int id, std::size_t buffer_size) const {
    if (!control_at(id)) return {};
    return fit_text(latin1(text_of(id)), buffer_size);
}

void ControlAccessors::set_tag_reference(int id, tag_type type, tag_id value) {
    auto* button = qobject_cast<TagReferenceButton*>(control_at(id));
    if (button && db_) button->show_reference(*db_, type, value);
}

tag_id ControlAccessors::get_tag_reference(int id) const {
    const auto* button = qobject_cast<TagReferenceButton*>(control_at(id));
    return button ? button->stored_id() : 0;
}

void ControlAccessors::set_colour_swatch(int id, std::uint16_t red, std::uint16_t green,
                                         std::uint16_t blue) {
    if (auto* swatch = qobject_cast<ColourSwatch*>(control_at(id)))
        swatch->set_colour(red, green, blue);
}

// ---- Enabling and showing ---------------------------------------------------------------------

void ControlAccessors::enable_control(int id, bool enable) {
    if (QWidget* control = control_at(id)) control->setEnabled(enable);
}
bool ControlAccessors::is_control_enabled(int id) const {
    const QWidget* control = control_at(id);
    return control && control->isEnabled();
}
void ControlAccessors::show_control(int id, bool show) {
    if (QWidget* control = control_at(id)) control->setVisible(show);
}
bool ControlAccessors::is_control_shown(int id) const {
    const QWidget* control = control_at(id);
    return control && !control->isHidden();
}

// ---- Ranges -----------------------------------------------------------------------------------

void ControlAccessors::remember_pair(int lower_id, int upper_id, double first, double second) {
    shown_pairs_[lower_id] = {text_of(lower_id), text_of(upper_id), first, second};
}

const ControlAccessors::ShownPair* ControlAccessors::untouched_pair(int lower_id,
                                                                    int upper_id) const {
    const auto it = shown_pairs_.find(lower_id);
    if (it == shown_pairs_.end() || !control_at(lower_id) || !control_at(upper_id)) return nullptr;
    if (text_of(lower_id) != it->second.lower_text || text_of(upper_id) != it->second.upper_text)
        return nullptr;
    return &it->second;
}

void ControlAccessors::set_range(int lower_id, int upper_id, const NumericFormat& format,
                                 StoredRange range) {
    set_number(lower_id, format, range.lower);
    set_number(upper_id, format, range_upper(range));
    remember_pair(lower_id, upper_id, static_cast<double>(range.lower),
                  static_cast<double>(range.delta));
}

StoredRange ControlAccessors::get_range(int lower_id, int upper_id,
                                        const NumericFormat& format) const {
    // Untouched, the pair gives back what it was filled with: a delta of 1 shows the same
    // bounds as a delta of 0, and a damaged delta shows bounds that would read back otherwise.
    if (const ShownPair* pair = untouched_pair(lower_id, upper_id))
        return {static_cast<std::int64_t>(pair->first), static_cast<std::int64_t>(pair->second)};
    return range_from_bounds(get_number(lower_id, format), get_number(upper_id, format),
                             format.width, format.is_signed);
}

void ControlAccessors::set_decimal_range(int lower_id, int upper_id, RealRange range,
                                         double per_unit, int decimals) {
    const double upper = range.delta == 0 ? range.lower : range.lower + range.delta - 1.0;
    set_real(lower_id, range.lower, per_unit, decimals);
    set_real(upper_id, upper, per_unit, decimals);
    remember_pair(lower_id, upper_id, range.lower, range.delta);
}

RealRange ControlAccessors::get_decimal_range(int lower_id, int upper_id, double per_unit) const {
    if (const ShownPair* pair = untouched_pair(lower_id, upper_id))
        return {pair->first, pair->second};
    return real_range(get_real(lower_id, per_unit), get_real(upper_id, per_unit));
}

void ControlAccessors::set_span(int lower_id, int upper_id, RealRange span, double per_unit,
                                int decimals) {
    set_real(lower_id, span.lower, per_unit, decimals);
    set_real(upper_id, span.lower + span.delta, per_unit, decimals);
    remember_pair(lower_id, upper_id, span.lower, span.delta);
}

RealRange ControlAccessors::get_span(int lower_id, int upper_id, double per_unit) const {
    if (const ShownPair* pair = untouched_pair(lower_id, upper_id))
        return {pair->first, pair->second};
    double lower = get_real(lower_id, per_unit);
    double upper = get_real(upper_id, per_unit);
    if (upper < lower) std::swap(lower, upper);
    return {lower, upper - lower};
}

} // namespace zephane
