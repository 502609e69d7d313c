#include "definitions/prgr.h"

#include <algorithm>

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using G = projectile_group_definition;

constexpr const char* kPartFlagNames[] = {"Is Central", "Is On Ground"};

constexpr FieldDef kPartFields[] = {
    reference(0, "projectile", fourcc("proj")),
    flags(4, 4, "flags", kPartFlagNames),
    i16(8, "count_lower"),
    i16(10, "count_delta"),
    field(12, 2, Encoding::fixed_8_8, "position_lower"),
    i16(14, "position_delta"),
    reserved(16, 4, "reserved_16"),
    field(20, 2, Encoding::unit_fraction_16, "appearing_fraction"),
    reserved(22, 10, "reserved_22"),
};
constexpr RecordLayout kPartLayout{"projectile group part", sizeof(projectile_group_part),
                                   kPartFields, nullptr};

constexpr FieldDef kFields[] = {
    u32(0, "unknown_0"),
    i16(4, "number_of_parts"),
    reserved(6, 2, "reserved_6"),
    reference(8, "mesh_effect", fourcc("meef")),
    reference(12, "sound", fourcc("soun")),
    reference(16, "local_projectile_group", fourcc("lpgr")),
    reserved(20, 12, "reserved_20"),
    record(32, "parts", kPartLayout, kProjectileGroupParts),
};

// No parts, nothing referenced.
constexpr G make_default() {
    G g{};
    g.mesh_effect = kNoTag;
    g.sound = kNoTag;
    g.local_projectile_group = kNoTag;
    return g;
}
} // namespace

const bs_code projectile_group_definition::kCodes[] = {
    B, 1, L, S, 2, L, L, L, 12, B, 15, L, L, S, S, S, S, 4, S, 10, E, E};
const RecordLayout projectile_group_definition::kLayout{G::kStructName, sizeof(G), kFields, G::kCodes};
const projectile_group_definition projectile_group_definition::kDefault = make_default();

void projectile_group_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    G g;
    if (!read_definition(db, tag, g)) return;
    reporter.report_dependency(fourcc("meef"), g.mesh_effect);
    reporter.report_dependency(fourcc("soun"), g.sound);
    reporter.report_dependency(fourcc("lpgr"), g.local_projectile_group);
    const auto parts = static_cast<std::size_t>(
        std::clamp<int>(g.number_of_parts, 0, static_cast<int>(kProjectileGroupParts)));
    for (std::size_t k = 0; k < parts; ++k)
        reporter.report_dependency(fourcc("proj"), g.parts[k].projectile);
}

void register_projectile_group_type() {
    attach_definition_operations<G>(projectile_group_dependencies);
}

} // namespace zephane
