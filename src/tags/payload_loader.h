#pragma once
// The one way stored payloads come out of tag files, for TagDatabase::get_tag_data and
// TagPayloadReader alike. A load that fails says why, for the callers that report it.

#include <cstdint>
#include <string>

#include "base/posix_file.h"
#include "tags/tag_database.h"

namespace zephane {

// A tag file opened for its payloads. Unusable (with a reason) when it cannot be opened or
// another program changed it since its headers were read: it no longer holds the payloads
// where the headers say, and reading it would hand out someone else's bytes.
struct PayloadFile {
    PosixFile file;
    std::uint64_t size = 0;
    std::string failure; // empty when usable
};
PayloadFile open_payload_file(const TagFile& file);

struct PayloadLoad {
    const Payload* payload = nullptr; // kept by the entry; none when the load failed
    std::string failure;              // why there is none
};

// The loaded payload, or none with the reason put in `failure` (when asked for).
const Payload* take_payload(PayloadLoad load, std::string* failure);

// Reads the entry's stored payload out of `source` and keeps it in the entry.
PayloadLoad load_payload(const PayloadFile& source, TagEntry& entry);

} // namespace zephane
