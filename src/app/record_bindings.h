#pragma once
// Binding tables: which control shows which field of a record, with its label and group.
// One table per editor drives building its controls, filling them from the record and reading
// them back, so reload, apply and the modified rule are the same code for every definition
// editor. Fields are named as in the record's field table ("a.b" reaches into a nested
// record); the field's encoding chooses the formatter.

#include "definitions/field_table.h"
#include "definitions/value_format.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zephane {

class ControlAccessors;

enum class BindingKind : std::uint8_t {
    number,       // an edit box, through the field's encoding
    flag,         // a check box for one bit of a flags field
    popup,        // a popup of the field's names
    reference,    // a reference field: name button and open button (id + 1)
    range,        // lower bound and delta, range rule on stored values
    decimal_range,// lower bound and delta, decimal range rule (counts, ticks shown as seconds)
    span,         // lower bound and span (upper − lower), ticks shown as seconds
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

} // namespace bind

// A binding with its fields found in the record's layout.
struct BoundField {
    FieldBinding binding;
    const FieldDef* field = nullptr;
    std::size_t offset = 0; // of the bound element in the record
    const FieldDef* second = nullptr;
    std::size_t second_offset = 0;
    NumericFormat format;
    // How the editor shows a tick count or count of the decimal form: stored units per shown
    // unit, and decimals.
    double per_unit = 1;
};

class RecordBindings {
public:
    // Every field must exist in the layout, with an encoding the binding's kind can show: a
    // table that names something else is a fault of the program (an internal error naming
    // the module).
    RecordBindings(const RecordLayout& layout, std::span<const FieldBinding> bindings,
                   const char* module);

    // The record in native byte order.
    void fill(ControlAccessors& controls, std::span<const std::uint8_t> record) const;
    void read(const ControlAccessors& controls, std::span<std::uint8_t> record) const;

    const std::vector<BoundField>& fields() const { return fields_; }
    const char* module() const { return module_; }

private:
    std::vector<BoundField> fields_;
    const char* module_;
};

} // namespace zephane
