#pragma once
// Classic collection references ('core'): a classic collection with its colour tables.
// No editor; the foundation build follows the collection.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

// Only the collection at offset 0 has a known meaning. The rest is read as 60 bytes carried
// as they are, then five tables of eight entries of four 16-bit values.
struct collection_reference_definition {
    static constexpr tag_type kType = fourcc("core");
    static constexpr const char* kStructName = "collection reference definition";
    static constexpr const char* kModule = "core.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;

    tag_id collection;                      // 0   '.256'
    std::uint8_t reserved4[60];
    std::int16_t colour_tables[5][8][4];    // 64
};
static_assert(sizeof(collection_reference_definition) == 384);
static_assert(offsetof(collection_reference_definition, colour_tables) == 64);

void collection_reference_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void register_collection_reference_type();

} // namespace zephane
