#pragma once
// Reads the payloads of many tags, keeping the monolithic files they come from open between
// reads: get_tag_data opens and examines the file for every tag, which dominates when a job
// reads thousands of tags out of a few base and plugin files.

#include <string>
#include <unordered_map>

#include "tags/payload_loader.h"
#include "tags/tag_database.h"

namespace zephane {

class TagPayloadReader {
public:
    explicit TagPayloadReader(TagDatabase& db) : db_(db) {}

    // As TagDatabase::get_tag_data: the payload, loaded on demand and kept by the tag; none
    // when it cannot be read (or the file changed on disk since it was loaded), and then
    // the reason in `failure` when one is asked for.
    const Payload* get(TagEntry& tag, std::string* failure = nullptr);
    // Closes the files kept open (before the database's files change).
    void close_files() { open_.clear(); }

private:
    static constexpr std::size_t kMaximumOpen = 16;

    TagDatabase& db_;
    std::unordered_map<const TagFile*, PayloadFile> open_;
};

} // namespace zephane
