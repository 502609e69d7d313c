#pragma once
// The operations every definition record shares: read, write and compare through the
// record's byte-swap descriptor, lookup by identifier, and the new-tag initialiser.
//
// A record type R declares:
//   static constexpr tag_type kType;          the tag type
//   static constexpr const char* kStructName; the descriptor's name
//   static constexpr const char* kModule;     the module named by internal errors
//   static const bs_code kCodes[];            its descriptor
//   static const RecordLayout kLayout;        its field table
// and, for a type with a new-tag initialiser, `static const R kDefault;`.
// Records with blocks converted by descriptors of their own (monsters, local physics) also
// declare `static void finish_read(R&)`, converting those blocks after the main descriptor,
// and `static bool prepare_write(R&)`, converting them back before it (false: the record
// cannot be written).

#include <algorithm>
#include <concepts>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/byte_swap.h"
#include "definitions/field_table.h"
#include "tags/dependency_reporter.h"
#include "base/errors.h"
#include "tags/tag_database.h"

namespace zephane {

template <typename R>
concept HasOwnBlocks = requires(R& record) {
    R::finish_read(record);
    { R::prepare_write(record) } -> std::same_as<bool>;
};

// Stores a converted record as a tag's payload the way the structure write does: the payload
// keeps its length when longer than the record (its tail survives) and grows to the record
// otherwise. False when the tag has no payload.
bool store_record_bytes(TagDatabase& db, TagEntry& tag, const std::uint8_t* bytes, std::size_t size);

// The record converted to file byte order. False when it cannot be written.
template <typename R>
bool definition_file_bytes(const R& record, std::vector<std::uint8_t>& bytes) {
    R copy = record;
    bool writable = true;
    if constexpr (HasOwnBlocks<R>) writable = R::prepare_write(copy);
    bytes.resize(sizeof(R));
    byte_swap_copy(R::kStructName, bytes.data(), &copy, sizeof(R), 1, R::kCodes);
    return writable;
}

// Read definition: fails, leaving the record untouched, when the payload is missing or
// shorter than the record.
template <typename R>
bool read_definition(TagDatabase& db, TagEntry& tag, R& record) {
    if constexpr (HasOwnBlocks<R>) {
        R copy;
        if (!db.read_struct(R::kStructName, tag, copy, R::kCodes)) return false;
        R::finish_read(copy);
        record = copy;
        return true;
    } else {
        return db.read_struct(R::kStructName, tag, record, R::kCodes);
    }
}

// Write definition: the tag takes the converted record and is marked modified.
template <typename R>
bool write_definition(TagDatabase& db, TagEntry& tag, const R& record) {
    if constexpr (HasOwnBlocks<R>) {
        std::vector<std::uint8_t> bytes;
        if (!definition_file_bytes(record, bytes)) return false;
        return store_record_bytes(db, tag, bytes.data(), bytes.size());
    } else {
        return db.write_struct(R::kStructName, tag, record, R::kCodes);
    }
}

// Compare: true when the tag has no payload, a payload of another length than the record,
// or other bytes than the converted record.
template <typename R>
bool definition_differs(TagDatabase& db, TagEntry& tag, const R& record) {
    if constexpr (HasOwnBlocks<R>) {
        const Payload* payload = db.get_tag_data(tag);
        if (!payload || payload->size() != sizeof(R)) return true;
        std::vector<std::uint8_t> bytes;
        definition_file_bytes(record, bytes);
        return std::memcmp(bytes.data(), payload->data(), sizeof(R)) != 0;
    } else {
        return db.tag_struct_differs(R::kStructName, &tag, &record, sizeof(R), 1, R::kCodes, true);
    }
}

// Whether writing the record would change the tag's payload: true when the tag has no payload
// or one shorter than the record, else whether the record's bytes differ. Bytes past the
// record are carried over by a write, so they never count as a change.
template <typename R>
bool definition_changes_payload(TagDatabase& db, TagEntry& tag, const R& record) {
    const Payload* payload = db.get_tag_data(tag);
    if (!payload || payload->size() < sizeof(R)) return true;
    std::vector<std::uint8_t> bytes;
    definition_file_bytes(record, bytes);
    return std::memcmp(bytes.data(), payload->data(), sizeof(R)) != 0;
}

// Write definition, also for a tag that has no payload yet: the record becomes its payload.
template <typename R>
bool store_definition(TagDatabase& db, TagEntry& tag, const R& record) {
    const Payload* payload = db.get_tag_data(tag);
    if (payload && !payload->empty()) return write_definition(db, tag, record);
    std::vector<std::uint8_t> bytes;
    if (!definition_file_bytes(record, bytes)) return false;
    db.set_tag_data(tag, std::move(bytes));
    return true;
}

// Definition by identifier: the first tag of the type with the id, read into `def`.
template <typename R>
bool get_definition(TagDatabase& db, tag_id id, R* def) {
    ZEPHANE_CHECK(def != nullptr, "def", R::kModule);
    TagEntry* tag = db.find_tag(R::kType, id);
    return tag && read_definition(db, *tag, *def);
}

// New-tag initialiser: the default record in file byte order becomes the payload.
template <typename R>
void set_default_definition(TagDatabase& db, TagEntry& tag) {
    std::vector<std::uint8_t> bytes;
    definition_file_bytes(R::kDefault, bytes);
    db.set_tag_data(tag, std::move(bytes));
}

// Version updaters read a record even from a payload shorter than it (the missing bytes read
// as zeros) and write it back whatever the payload's length, so that converting an old tag
// never works on bytes that are not there.
template <typename R>
R read_definition_for_update(TagDatabase& db, TagEntry& tag) {
    const Payload* payload = db.get_tag_data(tag);
    ZEPHANE_CHECK(payload != nullptr, "payload", R::kModule);
    std::vector<std::uint8_t> bytes(sizeof(R), 0);
    if (!payload->empty())
        std::memcpy(bytes.data(), payload->data(), std::min(payload->size(), sizeof(R)));
    R record;
    byte_swap_copy(R::kStructName, &record, bytes.data(), sizeof(R), 1, R::kCodes);
    return record;
}

template <typename R>
void write_definition_for_update(TagDatabase& db, TagEntry& tag, const R& record) {
    const Payload* payload = db.get_tag_data(tag);
    ZEPHANE_CHECK(payload != nullptr, "payload", R::kModule);
    Payload bytes(std::max(payload->size(), sizeof(R)), 0);
    if (!payload->empty()) std::memcpy(bytes.data(), payload->data(), payload->size());
    byte_swap_copy(R::kStructName, bytes.data(), &record, sizeof(R), 1, R::kCodes);
    db.set_tag_data(tag, std::move(bytes));
}

// Rewrite: the record read from the payload and converted back over it, so bytes past the
// record survive. A payload shorter than the record, or a record that cannot be written, is
// refused.
template <typename R>
std::vector<std::uint8_t> rewrite_definition(const std::vector<std::uint8_t>& payload, std::int16_t) {
    if (payload.size() < sizeof(R))
        throw FormatError(R::kStructName, payload.size(),
                          "the payload is shorter than the " + std::to_string(sizeof(R)) +
                              "-byte record");
    R record;
    byte_swap_copy(R::kStructName, &record, payload.data(), sizeof(R), 1, R::kCodes);
    if constexpr (HasOwnBlocks<R>) R::finish_read(record);
    std::vector<std::uint8_t> bytes;
    if (!definition_file_bytes(record, bytes))
        throw FormatError(R::kStructName, 0, "the record cannot be written back");
    std::vector<std::uint8_t> rewritten = payload;
    std::copy(bytes.begin(), bytes.end(), rewritten.begin());
    return rewritten;
}

// Attaches the new-tag initialiser, the dependencies and the rewrite operations of a record type.
template <typename R>
void attach_definition_operations(TagDependenciesOp dependencies) {
    attach_tag_defaults(R::kType, set_default_definition<R>);
    attach_tag_dependencies(R::kType, dependencies);
    attach_tag_rewrite(R::kType, rewrite_definition<R>);
}

// The dependencies operation of the types whose records hold no reference.
void no_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);

} // namespace zephane
