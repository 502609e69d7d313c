#include "tags/tag_payload_reader.h"

namespace zephane {

namespace {

bool holds_one_tag(const TagFile& file) {
    return file.groups.size() == 1 && file.groups.front().entries.size() == 1;
}

} // namespace

const Payload* TagPayloadReader::get(TagEntry& tag, std::string* failure) {
    TagFile* file = tag.file;
    if (tag.data || !file || !file->spec || tag.size == 0) return db_.get_tag_data(tag, failure);
    // A file of one tag is read once: nothing to keep open.
    if (holds_one_tag(*file)) return take_payload(load_payload(open_payload_file(*file), tag), failure);
    auto it = open_.find(file);
    if (it == open_.end()) {
        if (open_.size() >= kMaximumOpen) open_.clear();
        it = open_.emplace(file, open_payload_file(*file)).first;
    }
    return take_payload(load_payload(it->second, tag), failure);
}

} // namespace zephane
