#pragma once
// Skeletal animation payloads written byte by byte for tests, apart from the loader and saver.

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace zephane::test {

struct BeBytes {
    std::vector<std::uint8_t> b;
    BeBytes& u16(std::uint32_t v) {
        b.push_back(static_cast<std::uint8_t>(v >> 8));
        b.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    BeBytes& u32(std::uint32_t v) {
        u16(v >> 16);
        return u16(v & 0xFFFF);
    }
    BeBytes& i16(int v) { return u16(static_cast<std::uint16_t>(v)); }
    BeBytes& i32(std::int64_t v) { return u32(static_cast<std::uint32_t>(v)); }
    BeBytes& f32(float v) { return u32(std::bit_cast<std::uint32_t>(v)); }
    BeBytes& raw(std::initializer_list<std::uint8_t> bytes) {
        b.insert(b.end(), bytes);
        return *this;
    }
    BeBytes& zeros(std::size_t n) {
        b.insert(b.end(), n, 0);
        return *this;
    }
    BeBytes& name(const std::string& text) {
        std::string field = text;
        field.resize(64, '\0');
        b.insert(b.end(), field.begin(), field.end());
        return *this;
    }
    // The 24-byte header with zero runtime pointers, then zeroed pointer tables come later.
    BeBytes& header(std::uint32_t bones, std::uint32_t animations, std::uint32_t states) {
        return u32(bones).u32(animations).u32(states).zeros(12);
    }
    BeBytes& bone(const std::string& n, std::int32_t parent, const float (&q)[4], const float (&p)[3]) {
        name(n).i32(parent);
        for (float v : q) f32(v);
        for (float v : p) f32(v);
        return *this;
    }
    BeBytes& pose(std::initializer_list<int> values) {
        for (int v : values) i16(v);
        return *this;
    }
};

} // namespace zephane::test
