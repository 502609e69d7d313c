#pragma once
// Payloads as JSON through their field tables, and back: references as "type:id" text (null
// for none; a raw number for an id that text cannot carry, such as 0), fixed point values,
// fractions, distances and angles as numbers in their units, flags by name, popups by value
// and name, reserved bytes as hex. Loading a dump gives back the payload byte for byte.
//
// A payload is dumped as {"record": {...}} (with "extra": hex for bytes past the record), as
// {"text": "..."} for the text types, or as {"payload": hex} when no table applies (another
// type, or a payload shorter than its record, or text that is not UTF-8).

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "definitions/field_table.h"
#include "tags/tag_database.h"

namespace zephane {

using ordered_json = nlohmann::ordered_json;

// A value that does not fit its field, an unknown field name, a malformed document.
class FieldJsonError : public std::runtime_error {
public:
    explicit FieldJsonError(const std::string& message) : std::runtime_error(message) {}
};

// `record` holds at least layout.size bytes in file byte order.
ordered_json record_to_json(const RecordLayout& layout, std::span<const std::uint8_t> record);
// Sets the fields the object names; the others keep their bytes.
void record_from_json(const RecordLayout& layout, const ordered_json& object,
                      std::span<std::uint8_t> record);

ordered_json payload_to_json(tag_type type, std::span<const std::uint8_t> payload);
// The payload a document describes. A record starts from the current payload's bytes, so
// fields the document leaves out keep their values.
Payload payload_from_json(tag_type type, const ordered_json& document, const Payload& current);

std::string to_hex(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> from_hex(const std::string& text, const std::string& field);

} // namespace zephane
