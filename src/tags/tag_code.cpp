#include "tags/tag_code.h"
#include "base/text.h"

#include <array>

namespace zephane {

namespace {

bool is_printable(unsigned char c) { return c >= 0x20 && c < 0x7F; }

bool is_word_separator(char c) {
    switch (c) {
    case ' ': case '\t': case '\n': case '(': case ')': case '[': case ']': case '{': case '}':
    case '?': case '!': case ':': case ';': case '-': case '_': case '.':
        return true;
    default:
        return false;
    }
}

std::array<char, 4> unpack(std::uint32_t id) {
    return {static_cast<char>(id >> 24), static_cast<char>((id >> 16) & 0xFF),
            static_cast<char>((id >> 8) & 0xFF), static_cast<char>(id & 0xFF)};
}

std::uint32_t pack(const std::array<char, 4>& c) {
    std::uint32_t id = 0;
    for (char ch : c) id = (id << 8) | static_cast<unsigned char>(ch);
    return id;
}

} // namespace

const char* tag_id_to_text(std::uint32_t id) {
    static std::array<std::array<char, 5>, 32> buffers{};
    static std::size_t next = 0;
    auto& out = buffers[next];
    next = (next + 1) % buffers.size();
    const auto chars = unpack(id);
    bool after_nul = false;
    for (std::size_t k = 0; k < 4; ++k) {
        const auto c = static_cast<unsigned char>(chars[k]);
        if (c == 0) after_nul = true;
        out[k] = (!after_nul && is_printable(c)) ? static_cast<char>(c) : '_';
    }
    out[4] = 0;
    return out.data();
}

std::string tag_text(std::uint32_t id) { return tag_id_to_text(id); }

std::uint32_t text_to_tag_id(const std::string& text) {
    // Missing characters count as NUL, which like every character below 0x20 becomes '_'.
    std::array<char, 4> chars{};
    for (std::size_t k = 0; k < 4; ++k) {
        const auto c = k < text.size() ? static_cast<unsigned char>(text[k]) : 0;
        chars[k] = (c < 0x20 || c > 0x7F) ? '_' : static_cast<char>(c);
    }
    if (chars == std::array<char, 4>{'_', '_', '_', '_'}) return kNoTag;
    return pack(chars);
}

std::uint32_t next_tag_id(std::uint32_t id) {
    auto chars = unpack(id);
    for (int k = 3; k >= 0; --k) {
        auto& c = chars[static_cast<std::size_t>(k)];
        int value = static_cast<unsigned char>(c) + 1;
        if (value == ':') value = 'a';
        if ((value >= '0' && value <= '9') || (value >= 'a' && value <= 'z') ||
            (value >= 'A' && value <= 'Z')) {
            c = static_cast<char>(value);
            return pack(chars);
        }
        c = '0'; // carry into the character before
    }
    return pack({'0', '0', '0', '0'});
}

std::uint32_t tag_id_from_name(const std::string& name) {
    const std::string text = ascii_lower(name.substr(0, 32));
    std::array<char, 4> chars{'_', '_', '_', '_'};
    std::size_t p = 0;
    std::size_t k = 0;
    while (k < text.size() && p <= 3) {
        while (k < text.size() && is_word_separator(text[k])) ++k;
        const std::size_t start = k;
        while (k < text.size() && !is_word_separator(text[k])) ++k;
        const std::size_t length = k - start;
        if (length == 0) break;
        const std::size_t n = std::min(length, 4 - p);
        for (std::size_t j = 0; j < n; ++j) chars[p + j] = text[start + j];
        p = std::min(p + length, std::max<std::size_t>(p + 1, 2));
    }
    return pack(chars);
}

} // namespace zephane
