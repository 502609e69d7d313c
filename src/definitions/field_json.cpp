#include "definitions/field_json.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>

#include "definitions/definition_types.h"
#include "base/byte_reader.h"

namespace zephane {

namespace {

// Stored units per shown unit, for the encodings shown as numbers with a scale.
double scale_of(Encoding encoding) {
    switch (encoding) {
    case Encoding::fixed_16_16: return 65536.0;
    case Encoding::fixed_8_8: return 256.0;
    case Encoding::unit_fraction_16: return 65535.0;
    case Encoding::unit_fraction_8: return 255.0;
    case Encoding::fraction_65536: return 65536.0;
    case Encoding::fraction_256: return 256.0;
    case Encoding::world_distance_16:
    case Encoding::world_distance_32: return 512.0;
    case Encoding::angle: return 65536.0 / 360.0;         // degrees
    case Encoding::angular_rate: return 65536.0 / 10800.0; // degrees per second
    default: return 1.0;
    }
}

struct Place {
    const RecordBytes& outer; // the outermost record, for conditions
    std::size_t base;         // where the current record starts in it
};

std::int64_t raw_value(const FieldDef& field, const RecordBytes& bytes, std::size_t at) {
    return field.is_signed ? std::int64_t{bytes.signed_at(at, field.width)}
                           : std::int64_t{bytes.unsigned_at(at, field.width)};
}

std::string bit_name(const FieldDef& field, unsigned bit) {
    if (bit < field.names.size() && field.names[bit]) return field.names[bit];
    return "bit " + std::to_string(bit);
}

ordered_json dump_layout(const RecordLayout& layout, const Place& place);

ordered_json dump_element(const FieldDef& field, const Place& place, std::size_t at) {
    const RecordBytes& bytes = place.outer;
    switch (field.encoding) {
    case Encoding::record: return dump_layout(record_layout(field, bytes), {bytes, at});
    case Encoding::reserved: return to_hex(bytes.bytes.subspan(at, field.width));
    case Encoding::decimal: {
        const float value = std::bit_cast<float>(bytes.unsigned_at(at, 4));
        if (std::isfinite(value)) return static_cast<double>(value);
        char text[16];
        std::snprintf(text, sizeof text, "0x%08x", bytes.unsigned_at(at, 4));
        return std::string(text);
    }
    case Encoding::tag_reference: {
        const std::uint32_t id = bytes.unsigned_at(at, 4);
        if (id == kNoTag) return nullptr;
        const std::string text = tag_text(id);
        if (text_to_tag_id(text) != id) return id;
        return tag_text(reference_type(field, bytes)) + ":" + text;
    }
    case Encoding::popup: {
        const std::int64_t value = raw_value(field, bytes, at);
        const std::int64_t index = value - field.popup_base;
        ordered_json popup = {{"value", value}, {"name", nullptr}};
        if (index >= 0 && static_cast<std::size_t>(index) < field.names.size())
            popup["name"] = field.names[static_cast<std::size_t>(index)];
        return popup;
    }
    case Encoding::flags: {
        const std::uint32_t value = bytes.unsigned_at(at, field.width);
        ordered_json names = ordered_json::array();
        for (unsigned bit = 0; bit < 8u * field.width; ++bit)
            if ((value >> bit) & 1u) names.push_back(bit_name(field, bit));
        return names;
    }
    case Encoding::integer:
    case Encoding::colour_component:
    case Encoding::ticks:
    case Encoding::whole_seconds: return raw_value(field, bytes, at);
    default: return static_cast<double>(raw_value(field, bytes, at)) / scale_of(field.encoding);
    }
}

ordered_json dump_layout(const RecordLayout& layout, const Place& place) {
    ordered_json object = ordered_json::object();
    for (const FieldDef& field : layout.fields) {
        const std::size_t at = place.base + field.offset;
        if (field.count == 1) {
            object[field.name] = dump_element(field, place, at);
            continue;
        }
        ordered_json elements = ordered_json::array();
        for (std::size_t k = 0; k < field.count; ++k)
            elements.push_back(dump_element(field, place, at + k * field.width));
        object[field.name] = std::move(elements);
    }
    return object;
}

// ---- Loading ------------------------------------------------------------------------------

[[noreturn]] void fail(const std::string& field, const std::string& problem) {
    throw FieldJsonError(field + ": " + problem);
}

void store(std::span<std::uint8_t> record, std::size_t at, std::size_t width, std::uint32_t value) {
    put_value(record, ByteOrder::file, at, width, value);
}

// A whole number that fits a width and signedness.
std::uint32_t fitted(std::size_t width, bool is_signed, std::int64_t value, const std::string& name) {
    const unsigned bits = 8u * static_cast<unsigned>(width);
    const std::int64_t low = is_signed ? -(std::int64_t{1} << (bits - 1)) : 0;
    const std::int64_t high = is_signed ? (std::int64_t{1} << (bits - 1)) - 1 : (std::int64_t{1} << bits) - 1;
    if (value < low || value > high)
        fail(name, std::to_string(value) + " does not fit in " + std::to_string(bits) +
                       (is_signed ? " signed bits" : " unsigned bits"));
    return static_cast<std::uint32_t>(value);
}

std::uint32_t fitted(const FieldDef& field, std::int64_t value, const std::string& name) {
    return fitted(field.width, field.is_signed, value, name);
}

std::int64_t whole_number(const ordered_json& value, const std::string& name) {
    if (value.is_number_integer()) return value.get<std::int64_t>();
    if (value.is_number_unsigned()) return static_cast<std::int64_t>(value.get<std::uint64_t>());
    if (value.is_number_float()) {
        const double d = value.get<double>();
        if (std::trunc(d) == d && std::fabs(d) < 1e15) return static_cast<std::int64_t>(d);
    }
    fail(name, "expected a whole number, not " + value.dump());
}

std::uint32_t reference_from(const FieldDef& field, const ordered_json& value,
                             const RecordBytes& outer, const std::string& name) {
    if (value.is_null()) return kNoTag;
    if (value.is_number()) return fitted(4, false, whole_number(value, name), name);
    if (!value.is_string()) fail(name, "expected \"type:id\", null or a number");
    const std::string text = value.get<std::string>();
    if (text.size() == 4) return text_to_tag_id(text);
    if (text.size() != 9 || text[4] != ':') fail(name, "'" + text + "' is not type:id");
    const tag_type type = text_to_tag_id(text.substr(0, 4));
    bool allowed = type == field.ref_type || type == reference_type(field, outer);
    for (const TypeChoice& choice : field.type_choices) allowed = allowed || type == choice.type;
    if (!allowed) fail(name, "a reference to " + text.substr(0, 4) + " does not belong here");
    return text_to_tag_id(text.substr(5));
}

std::uint32_t popup_from(const FieldDef& field, const ordered_json& value, const std::string& name) {
    if (value.is_number()) return fitted(field, whole_number(value, name), name);
    if (!value.is_object()) fail(name, "expected {\"value\": n} or a number");
    if (value.contains("value")) return fitted(field, whole_number(value["value"], name), name);
    if (value.contains("name") && value["name"].is_string()) {
        const std::string wanted = value["name"].get<std::string>();
        for (std::size_t k = 0; k < field.names.size(); ++k)
            if (wanted == field.names[k])
                return fitted(field, static_cast<std::int64_t>(k) + field.popup_base, name);
        fail(name, "no entry named '" + wanted + "'");
    }
    fail(name, "expected a value or a name");
}

std::uint32_t flags_from(const FieldDef& field, const ordered_json& value, const std::string& name) {
    if (value.is_number()) return fitted(field, whole_number(value, name), name);
    if (!value.is_array()) fail(name, "expected a list of flag names");
    std::uint32_t bits = 0;
    for (const ordered_json& item : value) {
        if (!item.is_string()) fail(name, "flag names are texts");
        const std::string wanted = item.get<std::string>();
        unsigned bit = 0;
        while (bit < 8u * field.width && bit_name(field, bit) != wanted) ++bit;
        if (bit == 8u * field.width) fail(name, "no flag named '" + wanted + "'");
        bits |= 1u << bit;
    }
    return bits;
}

void load_layout(const RecordLayout& layout, const ordered_json& object, const RecordBytes& outer,
                 std::span<std::uint8_t> record, std::size_t base, const std::string& path);

void load_element(const FieldDef& field, const ordered_json& value, const RecordBytes& outer,
                  std::span<std::uint8_t> record, std::size_t at, const std::string& name) {
    switch (field.encoding) {
    case Encoding::record:
        load_layout(record_layout(field, outer), value, outer, record, at, name);
        return;
    case Encoding::reserved: {
        const auto bytes = value.is_string() ? from_hex(value.get<std::string>(), name)
                                             : std::vector<std::uint8_t>{};
        if (bytes.size() != field.width)
            fail(name, "expected " + std::to_string(field.width) + " bytes as hex");
        std::copy(bytes.begin(), bytes.end(), record.begin() + static_cast<std::ptrdiff_t>(at));
        return;
    }
    case Encoding::decimal: {
        if (value.is_string()) {
            const std::string text = value.get<std::string>();
            if (text.size() != 10 || text.compare(0, 2, "0x") != 0)
                fail(name, "expected a number, or 0x and eight hex digits");
            const auto bytes = from_hex(text.substr(2), name);
            store(record, at, 4, load_u32(bytes.data()));
        } else if (value.is_number()) {
            store(record, at, 4, std::bit_cast<std::uint32_t>(value.get<float>()));
        } else {
            fail(name, "expected a number");
        }
        return;
    }
    case Encoding::tag_reference:
        store(record, at, 4, reference_from(field, value, outer, name));
        return;
    case Encoding::popup: store(record, at, field.width, popup_from(field, value, name)); return;
    case Encoding::flags: store(record, at, field.width, flags_from(field, value, name)); return;
    case Encoding::integer:
    case Encoding::colour_component:
    case Encoding::ticks:
    case Encoding::whole_seconds:
        store(record, at, field.width, fitted(field, whole_number(value, name), name));
        return;
    default: {
        if (!value.is_number()) fail(name, "expected a number");
        auto stored = std::llround(value.get<double>() * scale_of(field.encoding));
        // Angles wrap as the editor's angle fields do (a full turn is 0).
        if (field.encoding == Encoding::angle || field.encoding == Encoding::angular_rate)
            stored = ((stored % 65536) + 65536) % 65536;
        store(record, at, field.width, fitted(field, stored, name));
        return;
    }
    }
}

void load_layout(const RecordLayout& layout, const ordered_json& object, const RecordBytes& outer,
                 std::span<std::uint8_t> record, std::size_t base, const std::string& path) {
    if (!object.is_object()) fail(path.empty() ? layout.name : path, "expected an object");
    for (const auto& [key, value] : object.items()) {
        const FieldDef* field = nullptr;
        for (const FieldDef& candidate : layout.fields)
            if (key == candidate.name) field = &candidate;
        const std::string name = path.empty() ? key : path + "." + key;
        if (!field) fail(name, "no such field in " + std::string(layout.name));
        const std::size_t at = base + field->offset;
        if (field->count == 1) {
            load_element(*field, value, outer, record, at, name);
            continue;
        }
        if (!value.is_array() || value.size() != field->count)
            fail(name, "expected a list of " + std::to_string(field->count));
        for (std::size_t k = 0; k < field->count; ++k)
            load_element(*field, value[k], outer, record, at + k * field->width,
                         name + "[" + std::to_string(k) + "]");
    }
}

bool is_utf8_text(std::span<const std::uint8_t> bytes) {
    try {
        const std::string text(bytes.begin(), bytes.end());
        if (text.find('\0') != std::string::npos) return false;
        (void)ordered_json(text).dump();
        return true;
    } catch (const nlohmann::json::exception&) {
        return false;
    }
}

} // namespace

std::string to_hex(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const std::uint8_t b : bytes) {
        text.push_back(kDigits[b >> 4]);
        text.push_back(kDigits[b & 15]);
    }
    return text;
}

std::vector<std::uint8_t> from_hex(const std::string& text, const std::string& field) {
    const auto digit = [&](char c) -> std::uint8_t {
        if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
        if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
        if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
        fail(field, "'" + std::string(1, c) + "' is not a hex digit");
    };
    if (text.size() % 2 != 0) fail(field, "hex text has an odd number of digits");
    std::vector<std::uint8_t> bytes(text.size() / 2);
    for (std::size_t k = 0; k < bytes.size(); ++k)
        bytes[k] = static_cast<std::uint8_t>((digit(text[2 * k]) << 4) | digit(text[2 * k + 1]));
    return bytes;
}

ordered_json record_to_json(const RecordLayout& layout, std::span<const std::uint8_t> record) {
    const RecordBytes outer{record, ByteOrder::file};
    return dump_layout(layout, {outer, 0});
}

void record_from_json(const RecordLayout& layout, const ordered_json& object,
                      std::span<std::uint8_t> record) {
    // Conditions read the record as it is being filled, in table order: the fields that
    // choose a type or a layout come before the fields they choose for.
    const RecordBytes outer{record, ByteOrder::file};
    load_layout(layout, object, outer, record, 0, "");
}

ordered_json payload_to_json(tag_type type, std::span<const std::uint8_t> payload) {
    const DefinitionType* definition = find_definition_type(type);
    ordered_json document = ordered_json::object();
    if (definition && definition->layout && payload.size() >= definition->layout->size) {
        const std::size_t size = definition->layout->size;
        document["record"] = record_to_json(*definition->layout, payload.first(size));
        if (payload.size() > size) document["extra"] = to_hex(payload.subspan(size));
    } else if (definition && !definition->layout && is_utf8_text(payload)) {
        document["text"] = std::string(payload.begin(), payload.end());
    } else {
        document["payload"] = to_hex(payload);
    }
    return document;
}

Payload payload_from_json(tag_type type, const ordered_json& document, const Payload& current) {
    if (!document.is_object()) throw FieldJsonError("expected a JSON object");
    if (document.contains("payload")) {
        if (!document["payload"].is_string()) throw FieldJsonError("payload: expected hex text");
        return from_hex(document["payload"].get<std::string>(), "payload");
    }
    const DefinitionType* definition = find_definition_type(type);
    if (document.contains("text")) {
        if (!definition || definition->layout) throw FieldJsonError("text: this type holds no text");
        if (!document["text"].is_string()) throw FieldJsonError("text: expected a string");
        const std::string text = document["text"].get<std::string>();
        return Payload(text.begin(), text.end());
    }
    if (!document.contains("record")) throw FieldJsonError("expected \"record\", \"text\" or \"payload\"");
    if (!definition || !definition->layout)
        throw FieldJsonError("record: tags of type " + tag_text(type) + " hold no record");
    const RecordLayout& layout = *definition->layout;
    Payload payload(layout.size, 0);
    std::copy_n(current.begin(), std::min(current.size(), layout.size), payload.begin());
    record_from_json(layout, document["record"], payload);
    if (document.contains("extra")) {
        if (!document["extra"].is_string()) throw FieldJsonError("extra: expected hex text");
        const auto extra = from_hex(document["extra"].get<std::string>(), "extra");
        payload.insert(payload.end(), extra.begin(), extra.end());
    } else if (current.size() > layout.size) {
        payload.insert(payload.end(), current.begin() + static_cast<std::ptrdiff_t>(layout.size),
                       current.end());
    }
    return payload;
}

} // namespace zephane
