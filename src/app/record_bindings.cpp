#include "app/record_bindings.h"

#include "app/control_accessors.h"
#include "base/errors.h"

#include <QComboBox>
#include <algorithm>
#include <cmath>
#include <string>

namespace zephane {

namespace {

std::int64_t value_at(std::span<const std::uint8_t> record, const FieldDef& field,
                      std::size_t offset) {
    const RecordBytes bytes{record, ByteOrder::native};
    if (field.is_signed) return bytes.signed_at(offset, field.width);
    return bytes.unsigned_at(offset, field.width);
}

void store(std::span<std::uint8_t> record, const FieldDef& field, std::size_t offset,
           std::int64_t value) {
    if (field.encoding == Encoding::decimal) { // the float's bits
        put_value(record, ByteOrder::native, offset, field.width, static_cast<std::uint32_t>(value));
        return;
    }
    value = std::clamp(value, stored_minimum(field.width, field.is_signed),
                       stored_maximum(field.width, field.is_signed));
    put_value(record, ByteOrder::native, offset, field.width, static_cast<std::uint32_t>(value));
}

std::int64_t rounded(double value) {
    return std::llround(std::clamp(value, -9.0e18, 9.0e18));
}

QString stored_as(const std::string& shown) {
    return QStringLiteral("Will be stored as %1").arg(QString::fromStdString(shown));
}

QString stored_as(const std::string& lower, const std::string& upper) {
    return QStringLiteral("Will be stored as %1 to %2")
        .arg(QString::fromStdString(lower), QString::fromStdString(upper));
}

} // namespace

RecordBindings::RecordBindings(const RecordLayout& layout, std::span<const FieldBinding> bindings,
                               const char* module)
    : module_(module) {
    for (const FieldBinding& binding : bindings) {
        BoundField bound;
        static_cast<BindingPlace&>(bound) = resolve_binding(layout, binding);
        ZEPHANE_CHECK(!bound.problem, bound.problem ? bound.problem : "", module);
        bound.binding = binding;
        const Encoding encoding = bound.field->encoding;
        int decimals = binding.decimals >= 0 ? binding.decimals : default_decimals(encoding);
        if (binding.kind == BindingKind::decimal_range || binding.kind == BindingKind::span) {
            bound.per_unit = encoding == Encoding::ticks ? 30.0 : 1.0;
            if (binding.decimals < 0) decimals = encoding == Encoding::ticks ? 3 : 0;
        }
        // A range's delta decides the width its rule clamps to.
        const FieldDef& width_of = bound.second ? *bound.second : *bound.field;
        bound.format = {encoding, width_of.width, width_of.is_signed, decimals};
        if (binding.kind == BindingKind::number)
            bound.format = {encoding, bound.field->width, bound.field->is_signed, decimals};
        fields_.push_back(bound);
    }
}

void RecordBindings::fill(ControlAccessors& controls, std::span<const std::uint8_t> record) const {
    const RecordBytes outer{record, ByteOrder::native};
    for (const BoundField& bound : fields_) {
        const FieldBinding& b = bound.binding;
        const FieldDef& field = *bound.field;
        const std::int64_t value = value_at(record, field, bound.offset);
        switch (b.kind) {
        case BindingKind::number: controls.set_number(b.control, bound.format, value); break;
        case BindingKind::flag: controls.set_boolean(b.control, (value >> b.index) & 1); break;
        case BindingKind::popup:
            ZEPHANE_CHECK(qobject_cast<QComboBox*>(controls.control_at(b.control)), "pList", module_);
            controls.set_popup(b.control, value, field.popup_base);
            break;
        case BindingKind::reference:
            controls.set_tag_reference(b.control, reference_type(field, outer),
                                       static_cast<tag_id>(value));
            break;
        case BindingKind::range:
            controls.set_range(b.control, b.second, bound.format,
                               {value, value_at(record, *bound.second, bound.second_offset)});
            break;
        case BindingKind::decimal_range:
            controls.set_decimal_range(
                b.control, b.second,
                {static_cast<double>(value),
                 static_cast<double>(value_at(record, *bound.second, bound.second_offset))},
                bound.per_unit, bound.format.decimals);
            break;
        case BindingKind::span:
            controls.set_span(
                b.control, b.second,
                {static_cast<double>(value),
                 static_cast<double>(value_at(record, *bound.second, bound.second_offset))},
                bound.per_unit, bound.format.decimals);
            break;
        }
    }
}

void RecordBindings::read(const ControlAccessors& controls, std::span<std::uint8_t> record) const {
    for (const BoundField& bound : fields_) {
        const FieldBinding& b = bound.binding;
        const FieldDef& field = *bound.field;
        // A control the layout lacks leaves its field as it is.
        if (b.kind != BindingKind::popup && !controls.control_at(b.control)) continue;
        if (bound.second && !controls.control_at(b.second)) continue;
        switch (b.kind) {
        case BindingKind::number:
            store(record, field, bound.offset, controls.get_number(b.control, bound.format));
            break;
        case BindingKind::flag: {
            const auto word = static_cast<std::uint32_t>(value_at(record, field, bound.offset));
            const std::uint32_t bit = 1u << b.index;
            const std::uint32_t next = controls.get_boolean(b.control) ? word | bit : word & ~bit;
            put_value(record, ByteOrder::native, bound.offset, field.width, next);
            break;
        }
        case BindingKind::popup:
            ZEPHANE_CHECK(qobject_cast<QComboBox*>(controls.control_at(b.control)), "pList", module_);
            store(record, field, bound.offset, controls.get_popup(b.control, field.popup_base));
            break;
        case BindingKind::reference:
            put_value(record, ByteOrder::native, bound.offset, 4,
                      controls.get_tag_reference(b.control));
            break;
        case BindingKind::range: {
            const StoredRange range = controls.get_range(b.control, b.second, bound.format);
            store(record, field, bound.offset, range.lower);
            store(record, *bound.second, bound.second_offset, range.delta);
            break;
        }
        case BindingKind::decimal_range:
        case BindingKind::span: {
            const RealRange range =
                b.kind == BindingKind::span
                    ? controls.get_span(b.control, b.second, bound.per_unit)
                    : controls.get_decimal_range(b.control, b.second, bound.per_unit);
            store(record, field, bound.offset, rounded(range.lower));
            store(record, *bound.second, bound.second_offset, rounded(range.delta));
            break;
        }
        }
    }
}

void RecordBindings::mark_unstorable(ControlAccessors& controls) const {
    for (const BoundField& bound : fields_) {
        const FieldBinding& b = bound.binding;
        if (!controls.control_at(b.control)) continue;
        switch (b.kind) {
        case BindingKind::number: {
            const auto shown = controls.is_untouched(b.control)
                                   ? std::nullopt
                                   : stored_differently(bound.format, controls.typed_text(b.control));
            controls.mark_control(b.control, shown ? stored_as(*shown) : QString());
            break;
        }
        case BindingKind::range:
        case BindingKind::decimal_range:
        case BindingKind::span: {
            if (!controls.control_at(b.second)) break;
            const std::string lower = controls.typed_text(b.control);
            const std::string upper = controls.typed_text(b.second);
            std::string shown_lower, shown_upper;
            if (b.kind == BindingKind::range) {
                const StoredRange range = parse_range(bound.format, lower, upper);
                shown_lower = format_stored(bound.format, range.lower);
                shown_upper = format_stored(bound.format, range_upper(range));
            } else {
                // Shown as typed, in order; what is no number counts as 0.
                double low = parse_number(lower), high = parse_number(upper);
                if (low > high) std::swap(low, high);
                shown_lower = format_decimal(low, std::max(bound.format.decimals, 1));
                shown_upper = format_decimal(high, std::max(bound.format.decimals, 1));
            }
            const bool as_typed = (controls.is_untouched(b.control) && controls.is_untouched(b.second)) ||
                                  (typed_as_shown(lower, shown_lower) && typed_as_shown(upper, shown_upper));
            const QString note = as_typed ? QString() : stored_as(shown_lower, shown_upper);
            controls.mark_control(b.control, note);
            controls.mark_control(b.second, note);
            break;
        }
        default: break;
        }
    }
}

} // namespace zephane
