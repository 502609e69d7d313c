#pragma once
// Field tables: one constant table per record layout naming every byte of the record, in
// order, with its width, its value encoding (the editors' value formatters), the tag type a
// reference points to (possibly chosen by a flag of the record), and the names of popup
// entries and flag bits. Editors bind controls to these fields, zephane-tool dumps and loads
// records through them, and a test checks each table against the record's byte-swap
// descriptor.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "base/byte_swap.h"
#include "tags/tag_code.h"

namespace zephane {

enum class Encoding : std::uint8_t {
    integer,             // a plain number
    decimal,             // 32-bit float
    fixed_16_16,         // signed, 65536 per unit
    fixed_8_8,           // signed, 256 per unit
    unit_fraction_16,    // unsigned, 65535 = 1.0
    unit_fraction_8,     // unsigned, 255 = 1.0
    fraction_65536,      // unsigned 16-bit, 65536 per unit
    fraction_256,        // unsigned 8-bit, 256 per unit
    world_distance_16,   // 512 per world unit, shown with the 16-bit formatter
    world_distance_32,   // 512 per world unit, shown with the 32-bit formatter (any width)
    angle,               // 65536 per full turn
    angular_rate,        // angle per tick
    colour_component,    // 16-bit, typed 0..255 and stored × 257
    ticks,               // 1/30 s, shown in seconds with decimals
    whole_seconds,       // 1/30 s, shown in whole seconds
    tag_reference,       // 32-bit tag id
    popup,               // stored = popup index + popup_base
    flags,               // one named bit per check box
    record,              // a nested record (its own layout)
    reserved,            // bytes carried as they are
};

// A test on the value of a field of the outermost record (file or native byte order is
// the caller's): (value & mask) == value_wanted.
struct Condition {
    std::uint16_t offset;
    std::uint8_t width;
    std::uint32_t mask;
    std::uint32_t value;
};

constexpr Condition flag_bit(std::uint16_t offset, std::uint8_t width, unsigned bit) {
    return {offset, width, 1u << bit, 1u << bit};
}
constexpr Condition value_is(std::uint16_t offset, std::uint8_t width, std::uint32_t value) {
    return {offset, width, width == 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1, value};
}

struct TypeChoice {
    Condition when;
    tag_type type;
};

struct RecordLayout;

struct LayoutChoice {
    Condition when;
    const RecordLayout* layout;
};

struct FieldDef {
    std::uint16_t offset = 0;
    std::uint16_t width = 0; // bytes of one element (a record's size, a reserved run's length)
    std::uint16_t count = 1; // elements, back to back
    Encoding encoding = Encoding::integer;
    bool is_signed = false;
    const char* name = "";
    // References: the type, unless one of the choices (first match wins) applies.
    tag_type ref_type = 0;
    std::span<const TypeChoice> type_choices = {};
    // Popups: entry names (stored value = index + popup_base). Flags: bit names, bit n at
    // index n; a missing or null name is a bit without a check box.
    std::span<const char* const> names = {};
    std::int8_t popup_base = 0;
    // Records: the layout, unless one of the choices applies.
    const RecordLayout* layout = nullptr;
    std::span<const LayoutChoice> layout_choices = {};
};

struct RecordLayout {
    const char* name;         // the descriptor's name, e.g. "projectile definition"
    std::size_t size;         // bytes
    std::span<const FieldDef> fields;
    const bs_code* codes;     // its own descriptor, or null when converted with its parent's
};

// ---- Building tables ----------------------------------------------------------------------

constexpr bool signed_by_default(Encoding encoding) {
    switch (encoding) {
    case Encoding::fixed_16_16:
    case Encoding::fixed_8_8:
    case Encoding::world_distance_16:
    case Encoding::world_distance_32:
    case Encoding::decimal: return true;
    default: return false;
    }
}

// A number with the encoding's usual signedness.
constexpr FieldDef field(std::uint16_t offset, std::uint16_t width, Encoding encoding,
                         const char* name, std::uint16_t count = 1) {
    return {offset, width, count, encoding, signed_by_default(encoding), name};
}
// Integers (and tick counts) whose signedness the record decides.
constexpr FieldDef int_field(std::uint16_t offset, std::uint16_t width, bool is_signed,
                             const char* name, std::uint16_t count = 1,
                             Encoding encoding = Encoding::integer) {
    return {offset, width, count, encoding, is_signed, name};
}
constexpr FieldDef i16(std::uint16_t offset, const char* name, std::uint16_t count = 1) {
    return int_field(offset, 2, true, name, count);
}
constexpr FieldDef u16(std::uint16_t offset, const char* name, std::uint16_t count = 1) {
    return int_field(offset, 2, false, name, count);
}
constexpr FieldDef i32(std::uint16_t offset, const char* name, std::uint16_t count = 1) {
    return int_field(offset, 4, true, name, count);
}
constexpr FieldDef u32(std::uint16_t offset, const char* name, std::uint16_t count = 1) {
    return int_field(offset, 4, false, name, count);
}
constexpr FieldDef reference(std::uint16_t offset, const char* name, tag_type type,
                             std::uint16_t count = 1) {
    FieldDef f{offset, 4, count, Encoding::tag_reference, false, name};
    f.ref_type = type;
    return f;
}
constexpr FieldDef reference_by(std::uint16_t offset, const char* name, tag_type otherwise,
                                std::span<const TypeChoice> choices) {
    FieldDef f = reference(offset, name, otherwise);
    f.type_choices = choices;
    return f;
}
constexpr FieldDef popup(std::uint16_t offset, std::uint16_t width, const char* name,
                         std::span<const char* const> names, std::int8_t base,
                         bool is_signed = true, std::uint16_t count = 1) {
    FieldDef f{offset, width, count, Encoding::popup, is_signed, name};
    f.names = names;
    f.popup_base = base;
    return f;
}
constexpr FieldDef flags(std::uint16_t offset, std::uint16_t width, const char* name,
                         std::span<const char* const> names) {
    FieldDef f{offset, width, 1, Encoding::flags, false, name};
    f.names = names;
    return f;
}
constexpr FieldDef reserved(std::uint16_t offset, std::uint16_t bytes, const char* name) {
    return {offset, bytes, 1, Encoding::reserved, false, name};
}
constexpr FieldDef record(std::uint16_t offset, const char* name, const RecordLayout& layout,
                          std::uint16_t count = 1) {
    FieldDef f{offset, static_cast<std::uint16_t>(layout.size), count, Encoding::record, false, name};
    f.layout = &layout;
    return f;
}
// A block whose layout a value of the outer record chooses; `otherwise` when none applies.
constexpr FieldDef record_by(std::uint16_t offset, const char* name, const RecordLayout& otherwise,
                             std::span<const LayoutChoice> choices) {
    FieldDef f = record(offset, name, otherwise);
    f.layout_choices = choices;
    return f;
}

// "None" followed by 199 entries "Sequence": the popups of collection sequences.
inline constexpr auto kNumberedSequenceNames = [] {
    std::array<const char*, 200> names{};
    names[0] = "None";
    for (std::size_t k = 1; k < names.size(); ++k) names[k] = "Sequence";
    return names;
}();

// ---- Reading values -------------------------------------------------------------------------

enum class ByteOrder { file, native };

// The bytes of an outermost record, in file (big-endian) or native order; conditions and
// field values are read through it.
struct RecordBytes {
    std::span<const std::uint8_t> bytes;
    ByteOrder order;

    // The unsigned value of a 1-, 2- or 4-byte field.
    std::uint32_t unsigned_at(std::size_t offset, std::size_t width) const;
    std::int32_t signed_at(std::size_t offset, std::size_t width) const;
    bool holds(const Condition& condition) const {
        return (unsigned_at(condition.offset, condition.width) & condition.mask) == condition.value;
    }
};

// Stores the low `width` bytes (1, 2 or 4) of a value in the given byte order.
void put_value(std::span<std::uint8_t> bytes, ByteOrder order, std::size_t offset,
               std::size_t width, std::uint32_t value);

// A field found by its path: a name, or names joined by "." into nested records
// ("vertical.positive_acceleration"). `offset` is where the field starts in the outermost
// record.
struct FieldPlace {
    const FieldDef* field = nullptr;
    std::size_t offset = 0;
};
// Nothing when no field has that path. "a.b" reaches into the record a, "a[2].b" into its
// third element.
std::optional<FieldPlace> find_field(const RecordLayout& layout, std::string_view path);

// The type a reference field points to in this record.
tag_type reference_type(const FieldDef& field, const RecordBytes& outer);
// The layout a record field has in this record.
const RecordLayout& record_layout(const FieldDef& field, const RecordBytes& outer);
// Whether a field's elements are byte-swapped (2- and 4-byte numbers), as opposed to bytes
// carried as they are.
bool is_swapped_field(const FieldDef& field);

const char* encoding_name(Encoding encoding);

} // namespace zephane
