#include "tags/tag_payload_reader.h"

namespace zephane {

namespace {

bool holds_one_tag(const TagFile& file) {
    return file.groups.size() == 1 && file.groups.front().entries.size() == 1;
}

} // namespace

TagPayloadReader::OpenFile TagPayloadReader::open(const TagFile& file) {
    OpenFile opened;
    opened.file = PosixFile::open_read(*file.spec);
    if (opened.file) {
        const DiskIdentity identity = opened.file.identity();
        // A file another program changed no longer holds the payloads where its headers say.
        opened.usable = !file.disk.known || identity == file.disk;
        opened.size = identity.size;
    }
    return opened;
}

const Payload* TagPayloadReader::read(const OpenFile& opened, TagEntry& tag) {
    if (!opened.usable || std::uint64_t{tag.offset} + tag.size > opened.size) return nullptr;
    Payload bytes(tag.size);
    if (!opened.file.read_at(bytes.data(), bytes.size(), tag.offset)) return nullptr;
    tag.data = std::move(bytes);
    return &*tag.data;
}

const Payload* TagPayloadReader::get(TagEntry& tag) {
    TagFile* file = tag.file;
    if (tag.data || !file || !file->spec || tag.size == 0) return db_.get_tag_data(tag);
    // A file of one tag is read once: nothing to keep open.
    if (holds_one_tag(*file)) return read(open(*file), tag);
    auto it = open_.find(file);
    if (it == open_.end()) {
        if (open_.size() >= kMaximumOpen) open_.clear();
        it = open_.emplace(file, open(*file)).first;
    }
    return read(it->second, tag);
}

} // namespace zephane
