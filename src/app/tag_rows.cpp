#include "app/tag_rows.h"
#include "framework/xg_text.h"
#include "base/text.h"

#include "app/app_texts.h"
#include "app/tag_editor_registry.h"
#include "app/tree_view.h"

#include <algorithm>
#include <cstdio>

namespace zephane {

std::string tag_row_label(const TagEntry& tag) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, text::kTagRowFormat, tag.name.c_str(),
                  tag_id_to_text(tag.id), static_cast<double>(tag.size) / 1000.0);
    return buffer;
}

std::uint16_t tag_row_icon(const TagEntry& tag) {
    if (!tag_editor_factory(TagDatabase::get_tag_type(tag), false)) return kIconTagNoEditor;
    return tag.dirty ? kIconTagModified : kIconTag;
}

std::string group_row_label(tag_type type) {
    return tag_type_plural_name(type);
}

RowFilter::RowFilter(const QString& text)
    : text_(ascii_lower(latin1(text.trimmed()))) {}

bool RowFilter::contains(const std::string& haystack) const {
    return contains_ignoring_case(haystack, text_);
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

namespace {
std::uint64_t copy_key(tag_type type, tag_id id) {
    return (static_cast<std::uint64_t>(type) << 32) | id;
}
} // namespace

CopyNotes::CopyNotes(const TagDatabase& db, PathOf path_of) : db_(db), path_of_(std::move(path_of)) {
    for (const TagFile& file : db.files())
        for (const TagGroup& group : file.groups)
            for (const TagEntry& tag : group.entries) ++counts_[copy_key(group.type, tag.id)];
}

std::optional<CopyNote> CopyNotes::note(const TagEntry& tag) const {
    const tag_type type = TagDatabase::get_tag_type(tag);
    const auto it = counts_.find(copy_key(type, tag.id));
    if (it == counts_.end() || it->second < 2) return std::nullopt;
    const std::string here = path_of_(*TagDatabase::get_tag_file(tag));
    const TagEntry* winner = db_.find_tag(type, tag.id);
    CopyNote note;
    note.suffix = "\u2014 " + here;
    note.overridden = winner != &tag;
    note.tooltip = "From " + here + "; " + std::to_string(it->second) + " files hold " +
                   tag_id_to_text(type) + ":" + tag_id_to_text(tag.id) + ". ";
    if (!note.overridden)
        note.tooltip += "This is the copy the game uses.";
    else if (winner)
        note.tooltip += "The game uses the copy in " + path_of_(*TagDatabase::get_tag_file(*winner)) + ".";
    return note;
}

} // namespace zephane
