#include "base/text.h"

#include <algorithm>
#include <cstring>

namespace zephane {

std::string ascii_lower(std::string text) {
    for (char& c : text) c = ascii_lower(c);
    return text;
}

int compare_ignoring_case(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t k = 0; k < n; ++k) {
        const int x = static_cast<unsigned char>(ascii_lower(a[k]));
        const int y = static_cast<unsigned char>(ascii_lower(b[k]));
        if (x != y) return x - y;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compare_ignoring_case(a, b) == 0;
}

bool contains_ignoring_case(std::string_view haystack, std::string_view lower_needle) {
    return std::search(haystack.begin(), haystack.end(), lower_needle.begin(), lower_needle.end(),
                       [](char a, char b) { return ascii_lower(a) == b; }) != haystack.end();
}

void copy_text(char* field, std::size_t width, std::string_view text) {
    std::memset(field, 0, width);
    std::memcpy(field, text.data(), std::min(width, text.size()));
}

bool has_extension_token(std::string_view extensions, std::string_view token) {
    if (token.empty()) return false;
    std::size_t at = 0;
    while (at < extensions.size()) {
        while (at < extensions.size() && extensions[at] == ' ') ++at;
        std::size_t end = extensions.find(' ', at);
        if (end == std::string_view::npos) end = extensions.size();
        if (end > at && equal_ignoring_case(extensions.substr(at, end - at), token)) return true;
        at = end;
    }
    return false;
}

} // namespace zephane
