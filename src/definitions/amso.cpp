#include "definitions/amso.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using A = ambient_sound_definition;
constexpr Encoding kDistance = Encoding::world_distance_16;

constexpr FieldDef kFields[] = {
    u32(0, "unknown_0"),
    field(4, 2, kDistance, "inner_radius"),
    field(6, 2, kDistance, "outer_radius"),
    int_field(8, 2, true, "period_lower", 1, Encoding::ticks),
    int_field(10, 2, true, "period_span", 1, Encoding::ticks),
    reference(12, "continuous_sound", fourcc("soun")),
    reference(16, "random_sound", fourcc("soun")),
    u32(20, "unknown_20", 4),
    field(36, 2, kDistance, "random_sound_radius"),
    reserved(38, 26, "reserved_38"),
};

// A continuous sound heard fully within one world unit and fading out to ten.
constexpr A make_default() {
    A a{};
    a.inner_radius = 512;
    a.outer_radius = 10 * 512;
    a.continuous_sound = kNoTag;
    a.random_sound = kNoTag;
    return a;
}
} // namespace

const bs_code ambient_sound_definition::kCodes[] = {
    B, 1, L, S, S, S, S, L, L, L, L, L, L, S, 26, E};
const RecordLayout ambient_sound_definition::kLayout{A::kStructName, sizeof(A), kFields, A::kCodes};
const ambient_sound_definition ambient_sound_definition::kDefault = make_default();

void ambient_sound_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    A a;
    if (!read_definition(db, tag, a)) return;
    reporter.report_dependency(fourcc("soun"), a.continuous_sound);
    reporter.report_dependency(fourcc("soun"), a.random_sound);
}

void register_ambient_sound_type() {
    attach_definition_operations<A>(ambient_sound_dependencies);
}

} // namespace zephane
