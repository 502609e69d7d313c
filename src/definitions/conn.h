#pragma once
// Connector definitions ('conn'): drawn links between map objects.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct connector_definition {
    static constexpr tag_type kType = fourcc("conn");
    static constexpr const char* kStructName = "connector definition";
    static constexpr const char* kModule = "conn.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const connector_definition kDefault;

    std::uint32_t unknown0;                 // 0   no control
    tag_id collection;                      // 4   'core'
    std::int16_t normal_sequence;           // 8   popup index
    std::int16_t origin_height_fraction;    // 10  fixed 8.8
    std::int16_t interpolant_distance;      // 12  world distance
    std::int16_t damaged_sequence;          // 14  popup index
    std::uint8_t reserved16[16];
};
static_assert(sizeof(connector_definition) == 32);

void connector_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void register_connector_type();

} // namespace zephane
