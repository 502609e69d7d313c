#pragma once
// Reads the payloads of many tags, keeping the monolithic files they come from open between
// reads: get_tag_data opens and examines the file for every tag, which dominates when a job
// reads thousands of tags out of a few base and plugin files.

#include <unordered_map>

#include "base/posix_file.h"
#include "tags/tag_database.h"

namespace zephane {

class TagPayloadReader {
public:
    explicit TagPayloadReader(TagDatabase& db) : db_(db) {}

    // As TagDatabase::get_tag_data: the payload, loaded on demand and kept by the tag; none
    // when it cannot be read (or the file changed on disk since it was loaded).
    const Payload* get(TagEntry& tag);
    // Closes the files kept open (before the database's files change).
    void close_files() { open_.clear(); }

private:
    struct OpenFile {
        PosixFile file;
        std::uint64_t size = 0;
        bool usable = false;
    };
    static constexpr std::size_t kMaximumOpen = 16;

    static OpenFile open(const TagFile& file);
    static const Payload* read(const OpenFile& opened, TagEntry& tag);

    TagDatabase& db_;
    std::unordered_map<const TagFile*, OpenFile> open_;
};

} // namespace zephane
