#pragma once
// What tag windows put in their rows: labels, icons, and the filter that narrows them.

#include "tags/tag_database.h"

#include <QString>
#include <cstdint>
#include <string>

namespace zephane {

// "%s (%s) [%.fk]": name, id as four characters, payload size in thousands of bytes.
std::string tag_row_label(const TagEntry& tag);
// 130 for a tag whose type has an editor, 132 while such a tag is modified, 131 without one.
std::uint16_t tag_row_icon(const TagEntry& tag);
// The group row's label: the type's plural name.
std::string group_row_label(tag_type type);

// Narrows rows by a text typed above the tree: a tag stays when its name, its id or its
// type (code or name) contains the text, without regard to case.
class RowFilter {
public:
    explicit RowFilter(const QString& text);
    bool empty() const { return text_.empty(); }
    bool matches_type(tag_type type) const;
    bool matches(const TagEntry& tag) const;

private:
    bool contains(const std::string& haystack) const;
    std::string text_; // lower case
};

} // namespace zephane
