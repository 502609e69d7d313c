#include "definitions/core.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using C = collection_reference_definition;

constexpr FieldDef kFields[] = {
    reference(0, "collection", fourcc(".256")),
    reserved(4, 60, "reserved_4"),
    i16(64, "colour_tables", 5 * 8 * 4),
};
} // namespace

const bs_code collection_reference_definition::kCodes[] = {
    B, 1, L, 60, B, 5, B, 8, S, S, S, S, E, E, E};
const RecordLayout collection_reference_definition::kLayout{C::kStructName, sizeof(C), kFields,
                                                            C::kCodes};

void collection_reference_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    C c;
    if (read_definition(db, tag, c)) reporter.report_dependency(fourcc(".256"), c.collection);
}

void register_collection_reference_type() {
    attach_tag_dependencies(C::kType, collection_reference_dependencies);
    attach_tag_rewrite(C::kType, rewrite_definition<C>);
}

} // namespace zephane
