#pragma once
// Builds interface description files for tests: windows with controls, byte by byte.

#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_reader.h"

namespace zephane::test {

inline std::uint32_t fourcc_of(const char* text) {
    return load_u32(reinterpret_cast<const std::uint8_t*>(text));
}

struct CinControl {
    CinControl(std::string kind_, std::int32_t id_, std::int32_t left_ = 0, std::int32_t top_ = 0,
               std::int32_t right_ = 0, std::int32_t bottom_ = 0, std::string title_ = {}, bool last_ = false)
        : kind(std::move(kind_)), id(id_), left(left_), top(top_), right(right_), bottom(bottom_),
          title(std::move(title_)), last(last_) {}
    std::string kind; // view kind, four characters
    std::int32_t id;
    std::int32_t left, top, right, bottom;
    std::string title; // for the kinds with a string
    bool last;         // next-sibling offset 0
};

// Kind-specific bytes around the string, as the framework writes them.
inline void append_control(ByteWriter& w, const CinControl& c) {
    const std::size_t start = w.size();
    w.u32(c.last ? 0u : 1u);
    w.zeros(8);
    w.u32(fourcc_of(c.kind.c_str()));
    w.u32(static_cast<std::uint32_t>(c.id));
    w.zeros(12);
    w.u32(static_cast<std::uint32_t>(c.left));
    w.u32(static_cast<std::uint32_t>(c.top));
    w.u32(static_cast<std::uint32_t>(c.right));
    w.u32(static_cast<std::uint32_t>(c.bottom));
    w.zeros(54 - (w.size() - start));
    auto string = [&] {
        w.u8(static_cast<std::uint8_t>(c.title.size()));
        for (char ch : c.title) w.u8(static_cast<std::uint8_t>(ch));
        if ((1 + c.title.size()) % 2) w.u8(0xEE); // padding, never read
    };
    if (c.kind == "pbtn" || c.kind == "chkb") { w.zeros(8); string(); }
    else if (c.kind == "text") { string(); w.zeros(4); }
    else if (c.kind == "edit") { string(); w.zeros(26); }
    else if (c.kind == "list" || c.kind == "head") w.zeros(14);
    else if (c.kind == "scrb") w.zeros(20);
    else if (c.kind == "popm") w.zeros(4);
    else w.zeros(12); // stsb, pict, stat and unknown kinds in tests
}

inline std::vector<std::uint8_t> view_resource(std::int32_t left, std::int32_t top, std::int32_t width,
                                               std::int32_t height, const std::string& title,
                                               const std::vector<CinControl>& controls,
                                               const char* view_kind = "wind") {
    ByteWriter w;
    w.zeros(12);
    w.u32(fourcc_of(view_kind));
    w.zeros(10);
    w.u32(static_cast<std::uint32_t>(left));
    w.u32(static_cast<std::uint32_t>(top));
    w.zeros(16);
    w.u32(static_cast<std::uint32_t>(width));
    w.u32(static_cast<std::uint32_t>(height));
    w.zeros(16);
    w.u8(static_cast<std::uint8_t>(title.size()));
    w.zeros(5);
    for (char ch : title) w.u8(static_cast<std::uint8_t>(ch));
    for (const CinControl& c : controls) append_control(w, c);
    return w.take();
}

inline std::vector<std::uint8_t> resource_entry(const char* kind, const std::string& name,
                                                const std::vector<std::uint8_t>& body) {
    ByteWriter w;
    w.u32(static_cast<std::uint32_t>(11 + name.size() + body.size()));
    w.u32(fourcc_of(kind));
    w.u16(0x1234);
    w.u8(static_cast<std::uint8_t>(name.size()));
    for (char ch : name) w.u8(static_cast<std::uint8_t>(ch));
    w.bytes(body);
    return w.take();
}

inline std::vector<std::uint8_t> cin_file(const std::vector<std::vector<std::uint8_t>>& entries,
                                          std::uint32_t version = 2) {
    ByteWriter w;
    w.u32(fourcc_of("@!YC"));
    w.u32(version);
    w.zeros(8);
    for (const auto& e : entries) w.bytes(e);
    return w.take();
}

} // namespace zephane::test
