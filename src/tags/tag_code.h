#pragma once
// Tag type codes and tag ids: four characters packed into 32 bits, first character most
// significant, so they read in order when stored big-endian.

#include <cstdint>
#include <string>

namespace zephane {

using tag_type = std::uint32_t;
using tag_id = std::uint32_t;

inline constexpr tag_id kNoTag = 0xFFFFFFFFu; // shown as "____"

constexpr std::uint32_t fourcc(const char (&text)[5]) {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) << 24) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 8) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[3]));
}

// True for the two values that stand for "no tag" in a reference field.
constexpr bool is_null_reference(std::uint32_t id) { return id == 0 || id == kNoTag; }

// Four printable characters; unprintable ones and those after a NUL show as '_'. The
// result lives in one of 32 rotating buffers, so up to 32 results may be held at once.
const char* tag_id_to_text(std::uint32_t id);

// Same text as an owned string.
std::string tag_text(std::uint32_t id);

// The first four characters; missing ones count as NUL and, like every character below 0x20
// or above 0x7F, become '_' ("ab" is "ab__"); "____" (and so the empty text) gives kNoTag.
std::uint32_t text_to_tag_id(const std::string& text);

// The next candidate id: an odometer over digits then lower-case letters, last char first.
std::uint32_t next_tag_id(std::uint32_t id);

// The id a name suggests, before it is made unique.
std::uint32_t tag_id_from_name(const std::string& name);

} // namespace zephane
