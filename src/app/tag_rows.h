#pragma once
// What tag windows put in their rows: labels, icons, and the filter that narrows them.

#include "tags/tag_database.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <string>

namespace zephane {

// "%s (%s) [%.fk]": name, id as four characters, payload size in thousands of bytes.
std::string tag_row_label(const TagEntry& tag);
// 130 for a tag whose type has an editor, 132 while such a tag is modified, 131 without one.
std::uint16_t tag_row_icon(const TagEntry& tag);
// The group row's label: the type's plural name.
std::string group_row_label(tag_type type);

// Tags held by more than one file (the same type and id): which file a row comes from, and
// whether a lookup returns that copy (plugins override local, local overrides base).
struct CopyNote {
    std::string suffix;  // "— plugins/over.tag"
    std::string tooltip; // where it comes from, and which copy the game uses
    bool overridden = false;
};
class CopyNotes {
public:
    using PathOf = std::function<std::string(const TagFile&)>;
    // Counts every type and id over the database's files once.
    CopyNotes(const TagDatabase& db, PathOf path_of);
    // None for a tag no other file holds.
    std::optional<CopyNote> note(const TagEntry& tag) const;

private:
    const TagDatabase& db_;
    PathOf path_of_;
    std::unordered_map<std::uint64_t, int> counts_;
};

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
