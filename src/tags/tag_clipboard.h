#pragma once
// The tag clipboard behind Copy, Cut and Paste in tag file windows.

#include <cstdint>
#include <string>
#include <vector>

#include "tags/tag_database.h"

namespace zephane {

struct ClipboardRecord {
    std::string name; // up to 127 characters
    Payload payload;
    std::int16_t version = 0;
    tag_type type = 0;
    tag_id id = 0;
    TagEntry* pasted = nullptr;     // the entry the last paste of this record created
    TagFile* pasted_into = nullptr; // its file, so forgetting a file never touches the entry
};

class TagClipboard {
public:
    // Drops every record; with a capacity above 0, makes room for that many.
    void clipboard_reset(std::size_t capacity);
    // Appends a record for a tag with a non-empty payload (others are skipped). With copy the
    // payload is duplicated (Copy); without, the record takes it over and the caller deletes
    // the tag (Cut). Returns whether a record was added.
    bool clipboard_add(TagDatabase& db, TagEntry& entry, bool copy);
    // Adds every record to the file; an id the file already has for that type is replaced by
    // one unique for the type within the file. Returns the new entries.
    std::vector<TagEntry*> paste(TagDatabase& db, TagFile& file);
    // Forgets entries that are about to disappear (or have: neither reads the entry).
    void forget(const TagEntry* entry);
    void forget_file(const TagFile& file);

    const std::vector<ClipboardRecord>& records() const { return records_; }
    std::size_t capacity() const { return records_.capacity(); }
    bool empty() const { return records_.empty(); }

private:
    std::vector<ClipboardRecord> records_;
};

} // namespace zephane
