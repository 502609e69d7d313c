#include "tags/tag_payload_reader.h"

namespace zephane {

const Payload* TagPayloadReader::get(TagEntry& tag) {
    TagFile* file = tag.file;
    const bool single = file && file->groups.size() == 1 && file->groups.front().entries.size() == 1;
    if (tag.data || !file || !file->spec || tag.size == 0 || single) return db_.get_tag_data(tag);

    auto it = open_.find(file);
    if (it == open_.end()) {
        if (open_.size() >= kMaximumOpen) open_.clear();
        OpenFile opened;
        opened.file = PosixFile::open_read(*file->spec);
        if (opened.file) {
            const DiskIdentity identity = opened.file.identity();
            // A file another program changed no longer holds the payloads where its headers say.
            opened.usable = !file->disk.known || identity == file->disk;
            opened.size = identity.size;
        }
        it = open_.emplace(file, std::move(opened)).first;
    }
    const OpenFile& opened = it->second;
    if (!opened.usable || std::uint64_t{tag.offset} + tag.size > opened.size) return nullptr;
    Payload bytes(tag.size);
    if (!opened.file.read_at(bytes.data(), bytes.size(), tag.offset)) return nullptr;
    tag.data = std::move(bytes);
    return &*tag.data;
}

} // namespace zephane
