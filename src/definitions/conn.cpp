#include "definitions/conn.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using C = connector_definition;

constexpr FieldDef kFields[] = {
    u32(0, "unknown_0"),
    reference(4, "collection", fourcc("core")),
    popup(8, 2, "normal_sequence", kNumberedSequenceNames, 0),
    field(10, 2, Encoding::fixed_8_8, "origin_object_height_fraction"),
    field(12, 2, Encoding::world_distance_16, "interpolant_distance"),
    popup(14, 2, "damaged_sequence", kNumberedSequenceNames, 0),
    reserved(16, 16, "reserved_16"),
};

constexpr C make_default() {
    C c{};
    c.collection = kNoTag;
    return c;
}
} // namespace

const bs_code connector_definition::kCodes[] = {B, 1, L, L, S, S, S, S, 16, E};
const RecordLayout connector_definition::kLayout{C::kStructName, sizeof(C), kFields, C::kCodes};
const connector_definition connector_definition::kDefault = make_default();

void connector_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    C c;
    if (read_definition(db, tag, c)) reporter.report_dependency(fourcc("core"), c.collection);
}

void register_connector_type() {
    attach_definition_operations<C>(connector_dependencies);
}

} // namespace zephane
