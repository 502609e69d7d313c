#include "app/tag_rows.h"

#include "app/app_texts.h"
#include "app/tree_view.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace zephane {

std::string tag_row_label(const TagEntry& tag) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, text::kTagRowFormat, tag.name.c_str(),
                  tag_id_to_text(tag.id), static_cast<double>(tag.size) / 1000.0);
    return buffer;
}

std::uint16_t tag_row_icon(const TagEntry& tag) {
    if (!tag_type_editor(TagDatabase::get_tag_type(tag), false)) return kIconTagNoEditor;
    return tag.dirty ? kIconTagModified : kIconTag;
}

std::string group_row_label(tag_type type) {
    return tag_type_plural_name(type);
}

namespace {
std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
} // namespace

RowFilter::RowFilter(const QString& text) : text_(lower(text.trimmed().toLatin1().toStdString())) {}

bool RowFilter::contains(const std::string& haystack) const {
    return std::search(haystack.begin(), haystack.end(), text_.begin(), text_.end(),
                       [](char a, char b) {
                           return std::tolower(static_cast<unsigned char>(a)) == b;
                       }) != haystack.end();
}

bool RowFilter::matches_type(tag_type type) const {
    if (empty()) return true;
    return contains(tag_id_to_text(type)) || contains(tag_type_name(type)) ||
           contains(tag_type_plural_name(type));
}

bool RowFilter::matches(const TagEntry& tag) const {
    if (empty()) return true;
    return contains(tag.name) || contains(tag_id_to_text(tag.id)) ||
           matches_type(TagDatabase::get_tag_type(tag));
}

} // namespace zephane
