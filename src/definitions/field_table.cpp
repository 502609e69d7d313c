#include "definitions/field_table.h"

#include <cstring>

#include "base/errors.h"

namespace zephane {

std::uint32_t RecordBytes::unsigned_at(std::size_t offset, std::size_t width) const {
    ZEPHANE_CHECK(offset + width <= bytes.size() && (width == 1 || width == 2 || width == 4),
                  "offset + width <= size", "field_table");
    const std::uint8_t* p = bytes.data() + offset;
    if (width == 1) return p[0];
    if (order == ByteOrder::file) {
        return width == 2 ? static_cast<std::uint32_t>((p[0] << 8) | p[1])
                          : (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
                                (std::uint32_t{p[2]} << 8) | std::uint32_t{p[3]};
    }
    if (width == 2) {
        std::uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    }
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

std::int32_t RecordBytes::signed_at(std::size_t offset, std::size_t width) const {
    const std::uint32_t v = unsigned_at(offset, width);
    if (width == 1) return static_cast<std::int8_t>(v);
    if (width == 2) return static_cast<std::int16_t>(v);
    return static_cast<std::int32_t>(v);
}

void put_value(std::span<std::uint8_t> bytes, ByteOrder order, std::size_t offset,
               std::size_t width, std::uint32_t value) {
    ZEPHANE_CHECK(offset + width <= bytes.size() && (width == 1 || width == 2 || width == 4),
                  "offset + width <= size", "field_table");
    std::uint8_t* p = bytes.data() + offset;
    if (order == ByteOrder::file) {
        for (std::size_t k = 0; k < width; ++k)
            p[k] = static_cast<std::uint8_t>(value >> (8 * (width - 1 - k)));
    } else if (width == 1) {
        p[0] = static_cast<std::uint8_t>(value);
    } else if (width == 2) {
        const auto v = static_cast<std::uint16_t>(value);
        std::memcpy(p, &v, 2);
    } else {
        std::memcpy(p, &value, 4);
    }
}

std::optional<FieldPlace> find_field(const RecordLayout& layout, std::string_view path) {
    const std::size_t dot = path.find('.');
    std::string_view name = path.substr(0, dot);
    // "sets[2].x": the element of a record array.
    std::size_t element = 0;
    if (const std::size_t open = name.find('['); open != std::string_view::npos) {
        if (name.back() != ']' || dot == std::string_view::npos) return std::nullopt;
        const std::string_view digits = name.substr(open + 1, name.size() - open - 2);
        if (digits.empty()) return std::nullopt;
        for (const char c : digits) {
            if (c < '0' || c > '9') return std::nullopt;
            element = element * 10 + static_cast<std::size_t>(c - '0');
        }
        name = name.substr(0, open);
    }
    for (const FieldDef& field : layout.fields) {
        if (name != field.name) continue;
        if (dot == std::string_view::npos) return FieldPlace{&field, field.offset};
        if (field.encoding != Encoding::record || !field.layout || element >= field.count)
            return std::nullopt;
        std::optional<FieldPlace> inner = find_field(*field.layout, path.substr(dot + 1));
        if (inner) inner->offset += field.offset + element * std::size_t{field.width};
        return inner;
    }
    return std::nullopt;
}

tag_type reference_type(const FieldDef& field, const RecordBytes& outer) {
    for (const TypeChoice& choice : field.type_choices)
        if (outer.holds(choice.when)) return choice.type;
    return field.ref_type;
}

const RecordLayout& record_layout(const FieldDef& field, const RecordBytes& outer) {
    for (const LayoutChoice& choice : field.layout_choices)
        if (outer.holds(choice.when)) return *choice.layout;
    return *field.layout;
}

bool is_swapped_field(const FieldDef& field) {
    if (field.encoding == Encoding::reserved || field.encoding == Encoding::record) return false;
    return field.width == 2 || field.width == 4;
}

const char* encoding_name(Encoding encoding) {
    switch (encoding) {
    case Encoding::integer: return "integer";
    case Encoding::decimal: return "decimal";
    case Encoding::fixed_16_16: return "fixed 16.16";
    case Encoding::fixed_8_8: return "fixed 8.8";
    case Encoding::unit_fraction_16: return "unit fraction 16-bit";
    case Encoding::unit_fraction_8: return "unit fraction 8-bit";
    case Encoding::fraction_65536: return "fraction of 65536";
    case Encoding::fraction_256: return "fraction of 256";
    case Encoding::world_distance_16: return "world distance 16-bit";
    case Encoding::world_distance_32: return "world distance 32-bit";
    case Encoding::angle: return "angle";
    case Encoding::angular_rate: return "angular rate";
    case Encoding::colour_component: return "colour component";
    case Encoding::ticks: return "ticks";
    case Encoding::whole_seconds: return "whole seconds";
    case Encoding::tag_reference: return "tag reference";
    case Encoding::popup: return "popup";
    case Encoding::flags: return "flags";
    case Encoding::record: return "record";
    case Encoding::reserved: return "reserved";
    }
    return "?";
}

} // namespace zephane
