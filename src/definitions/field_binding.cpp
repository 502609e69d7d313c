#include "definitions/field_binding.h"

namespace zephane {

namespace {

bool fits(BindingKind kind, Encoding encoding) {
    switch (kind) {
    case BindingKind::flag: return encoding == Encoding::flags;
    case BindingKind::popup: return encoding == Encoding::popup;
    case BindingKind::reference: return encoding == Encoding::tag_reference;
    case BindingKind::decimal_range:
    case BindingKind::span:
        return encoding == Encoding::integer || encoding == Encoding::ticks;
    default: return is_number_encoding(encoding);
    }
}

} // namespace

bool is_number_encoding(Encoding encoding) {
    switch (encoding) {
    case Encoding::tag_reference:
    case Encoding::popup:
    case Encoding::flags:
    case Encoding::record:
    case Encoding::reserved: return false;
    default: return true;
    }
}

BindingPlace resolve_binding(const RecordLayout& layout, const FieldBinding& binding) {
    BindingPlace bound;
    const std::optional<FieldPlace> place = find_field(layout, binding.field);
    if (!place || !fits(binding.kind, place->field->encoding)) return {.problem = binding.field};
    bound.field = place->field;
    const bool is_flag = binding.kind == BindingKind::flag;
    if (is_flag ? binding.index >= 8u * bound.field->width : binding.index >= bound.field->count)
        return {.problem = binding.field};
    bound.offset = place->offset + (is_flag ? 0u : binding.index * std::size_t{bound.field->width});
    if (binding.second_field) {
        const std::optional<FieldPlace> second = find_field(layout, binding.second_field);
        if (!second || !is_number_encoding(second->field->encoding))
            return {.problem = binding.second_field};
        bound.second = second->field;
        bound.second_offset = second->offset + binding.index * std::size_t{second->field->width};
    }
    return bound;
}

} // namespace zephane
