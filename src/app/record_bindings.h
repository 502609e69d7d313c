#pragma once
// Binding tables at work: one table per editor (definitions/field_binding.h) drives building
// its controls, filling them from the record and reading them back, so reload, apply and the
// modified rule are the same code for every definition editor.

#include "definitions/field_binding.h"
#include "definitions/value_format.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zephane {

class ControlAccessors;

// A binding with its fields found in the record's layout, and how its controls show them.
struct BoundField : BindingPlace {
    FieldBinding binding;
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
    // Marks each numeric control whose typed text would not be stored as typed, with what it
    // would be stored as; takes the mark from the others.
    void mark_unstorable(ControlAccessors& controls) const;

    const std::vector<BoundField>& fields() const { return fields_; }
    const char* module() const { return module_; }

private:
    std::vector<BoundField> fields_;
    const char* module_;
};

} // namespace zephane
