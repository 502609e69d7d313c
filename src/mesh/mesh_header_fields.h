#pragma once
// The mesh header as a record the editors' binding tables work on: its field table, and the
// names the definition editor base asks of a record type. The header is the first 1024 bytes
// of the payload; writing it back keeps every byte after it.

#include "definitions/field_table.h"
#include "mesh/mesh_header.h"
#include "tags/tag_code.h"

namespace zephane {

struct mesh_header_record : mesh_header {
    static constexpr tag_type kType = fourcc("mesh");
    static constexpr const char* kStructName = "mesh header";
    static constexpr const char* kModule = "mesh_header_fields.cpp";
    static constexpr const bs_code* kCodes = kMeshHeaderCodes;
    static const RecordLayout kLayout;
};
static_assert(sizeof(mesh_header_record) == kMeshHeaderSize);

} // namespace zephane
