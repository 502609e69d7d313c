#pragma once
// Helpers for the definition tests: tags made from native records, and a reporter that
// remembers what it was told.

#include <utility>
#include <vector>

#include "definitions/definition_record.h"
#include "support/test_support.h"

namespace zephane::test {

using Reference = std::pair<tag_type, tag_id>;

// A tag holding the record in file byte order, in a new file of `db`.
template <typename R>
TagEntry& add_record(TagDatabase& db, const R& record, tag_id id = fourcc("test"),
                     std::int16_t version = 1) {
    std::vector<std::uint8_t> bytes;
    definition_file_bytes(record, bytes);
    return *db.add_tag(db.create_tag_file(), R::kType, id, version, "test", 0, 0, std::move(bytes));
}

template <typename R>
std::vector<Reference> dependencies_of(void (*op)(TagDatabase&, TagEntry&, DependencyReporter&),
                                       const R& record) {
    TagDatabase db;
    RecordingReporter reporter;
    op(db, add_record(db, record), reporter);
    return reporter.reported;
}

inline Reference ref(const char (&type)[5], const char (&id)[5]) { return {fourcc(type), fourcc(id)}; }
inline Reference none(const char (&type)[5]) { return {fourcc(type), kNoTag}; }

} // namespace zephane::test
