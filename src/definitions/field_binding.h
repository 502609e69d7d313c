#pragma once
// Binding tables: which control shows which field of a record, with its label and group.
// Fields are named as in the record's field table ("a.b" reaches into a nested record); the
// field's encoding chooses the formatter. Plain data, so the tables live beside the records
// and a core test checks them against the field tables.

#include "definitions/field_table.h"

#include <cstddef>
#include <cstdint>

namespace zephane {

enum class BindingKind : std::uint8_t {
    number,       // an edit box, through the field's encoding
    flag,         // a check box for one bit of a flags field
    popup,        // a popup of the field's names
    reference,    // a reference field: name button and open button (id + 1)
    range,        // lower bound and delta, range rule on stored values
    decimal_range,// lower bound and delta, decimal range rule (counts, ticks shown as seconds)
    span,         // lower bound and span (upper − lower), ticks shown as seconds
    stored_span,  // lower bound and span (upper − lower), both in the field's own encoding
};

struct FieldBinding {
    BindingKind kind = BindingKind::number;
    const char* field = "";
    std::uint16_t index = 0;     // the element of an array field; the bit of a flag
    int control = 0;
    int second = 0;              // the upper bound's edit box; a reference's open button
    const char* label = nullptr; // null: a flag's bit name, or no label
    const char* group = nullptr; // the group box; null: the untitled top group
    int decimals = -1;           // -1: the encoding's own
    const char* second_field = nullptr; // a range's delta or span
};

namespace bind {

constexpr FieldBinding number(const char* field, int control, const char* label,
                              const char* group = nullptr, std::uint16_t index = 0,
                              int decimals = -1) {
    return {BindingKind::number, field, index, control, 0, label, group, decimals, nullptr};
}
constexpr FieldBinding flag(const char* field, unsigned bit, int control,
                            const char* group = nullptr) {
    return {BindingKind::flag, field, static_cast<std::uint16_t>(bit), control, 0, nullptr, group,
            -1, nullptr};
}
constexpr FieldBinding popup(const char* field, int control, const char* label,
                             const char* group = nullptr) {
    return {BindingKind::popup, field, 0, control, 0, label, group, -1, nullptr};
}
constexpr FieldBinding reference(const char* field, int control, const char* label,
                                 const char* group = nullptr, std::uint16_t index = 0) {
    return {BindingKind::reference, field, index, control, control + 1, label, group, -1, nullptr};
}
constexpr FieldBinding range(const char* lower, const char* delta, int lower_control,
                             int upper_control, const char* label, const char* group = nullptr,
                             std::uint16_t index = 0) {
    return {BindingKind::range, lower, index, lower_control, upper_control, label, group, -1, delta};
}
constexpr FieldBinding decimal_range(const char* lower, const char* delta, int lower_control,
                                     int upper_control, const char* label,
                                     const char* group = nullptr) {
    return {BindingKind::decimal_range, lower, 0, lower_control, upper_control, label, group, -1,
            delta};
}
constexpr FieldBinding span(const char* lower, const char* span_field, int lower_control,
                            int upper_control, const char* label, const char* group = nullptr) {
    return {BindingKind::span, lower, 0, lower_control, upper_control, label, group, -1, span_field};
}

// Both bounds through the lower bound's formatter (fixed values, fractions, whole seconds).
constexpr FieldBinding stored_span(const char* lower, const char* span_field, int lower_control,
                                   int upper_control, const char* label, const char* group = nullptr,
                                   std::uint16_t index = 0) {
    return {BindingKind::stored_span, lower, index, lower_control, upper_control, label, group, -1,
            span_field};
}

} // namespace bind

// Whether an edit box can show a field of the encoding.
bool is_number_encoding(Encoding encoding);

// A binding's fields found in the record's layout: the bound element's offsets.
struct BindingPlace {
    const FieldDef* field = nullptr;
    std::size_t offset = 0;
    const FieldDef* second = nullptr;
    std::size_t second_offset = 0;
    // The path of the field that is missing, that the kind cannot show or whose element or
    // bit does not exist; null when the binding is sound.
    const char* problem = nullptr;
};
BindingPlace resolve_binding(const RecordLayout& layout, const FieldBinding& binding);

} // namespace zephane
