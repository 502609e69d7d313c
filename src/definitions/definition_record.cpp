#include "definitions/definition_record.h"

#include <algorithm>

namespace zephane {

bool store_record_bytes(TagDatabase& db, TagEntry& tag, const std::uint8_t* bytes, std::size_t size) {
    const Payload* old = db.get_tag_data(tag);
    if (!old || old->empty()) return false;
    Payload payload(std::max(old->size(), size));
    if (old->size() > size) std::copy(old->begin(), old->end(), payload.begin());
    std::copy(bytes, bytes + size, payload.begin());
    db.set_tag_data(tag, std::move(payload));
    return true;
}

void no_dependencies(TagDatabase&, TagEntry&, DependencyReporter&) {}

} // namespace zephane
