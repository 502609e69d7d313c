#include "tags/tag_clipboard.h"

namespace zephane {

namespace {
constexpr std::size_t kInitialRecords = 20;
constexpr std::size_t kGrowBy = 5;
constexpr std::size_t kNameLength = 127;

ClipboardRecord forget_paste(ClipboardRecord record) {
    record.pasted = nullptr;
    record.pasted_into = nullptr;
    return record;
}
} // namespace

void TagClipboard::clipboard_reset(std::size_t capacity) {
    records_ = {};
    if (capacity > 0) records_.reserve(capacity);
}

bool TagClipboard::clipboard_add(TagDatabase& db, TagEntry& entry, bool copy) {
    const Payload* payload = db.get_tag_data(entry);
    if (!payload || payload->empty()) return false;
    if (records_.capacity() == 0) records_.reserve(kInitialRecords);
    if (records_.size() == records_.capacity()) records_.reserve(records_.capacity() + kGrowBy);
    ClipboardRecord record;
    record.name = entry.name.substr(0, kNameLength);
    record.version = entry.version;
    record.type = TagDatabase::get_tag_type(entry);
    record.id = entry.id;
    if (copy) {
        record.payload = *payload;
    } else {
        record.payload = std::move(*entry.data);
        entry.data.reset();
    }
    records_.push_back(std::move(record));
    return true;
}

std::vector<TagEntry*> TagClipboard::paste(TagDatabase& db, TagFile& file) {
    std::vector<TagEntry*> added;
    for (ClipboardRecord& record : records_) {
        tag_id id = record.id;
        if (db.find_tag_in_file(file, record.type, id)) id = db.make_tag_id(record.name, record.type, &file);
        record.pasted = db.add_tag(&file, record.type, id, record.version, record.name, 0,
                                   static_cast<std::uint32_t>(record.payload.size()), record.payload);
        record.pasted_into = &file;
        added.push_back(record.pasted);
    }
    return added;
}

void TagClipboard::forget(const TagEntry* entry) {
    for (ClipboardRecord& record : records_)
        if (record.pasted == entry) record = forget_paste(std::move(record));
}

void TagClipboard::forget_file(const TagFile& file) {
    for (ClipboardRecord& record : records_)
        if (record.pasted_into == &file) record = forget_paste(std::move(record));
}

} // namespace zephane
