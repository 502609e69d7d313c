#pragma once
// Text helpers for names, extensions and fixed-width fields. Tag names are Latin-1 bytes;
// case is folded for ASCII letters only, whatever the locale.

#include <cstddef>
#include <string>
#include <string_view>

namespace zephane {

constexpr char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string ascii_lower(std::string text);

// Byte by byte after folding: the difference of the first unequal pair (as unsigned bytes),
// else the shorter text first.
int compare_ignoring_case(std::string_view a, std::string_view b);
bool equal_ignoring_case(std::string_view a, std::string_view b);
inline bool less_ignoring_case(std::string_view a, std::string_view b) {
    return compare_ignoring_case(a, b) < 0;
}
// Whether `needle`, already lower-case, occurs in `haystack` ignoring its case.
bool contains_ignoring_case(std::string_view haystack, std::string_view lower_needle);

// Fills a fixed-width field: the text cut to `width` bytes, the rest zeros.
void copy_text(char* field, std::size_t width, std::string_view text);

// Whether a space-separated extension list holds the whole token, letters compared without
// regard to case ("GL_ARB_multitexture" is not found in "GL_ARB_multitexture_ext").
bool has_extension_token(std::string_view extensions, std::string_view token);

} // namespace zephane
