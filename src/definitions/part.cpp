#include "definitions/part.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using P = particle_system_definition;

constexpr const char* kFlagNames[] = {"States Last Indefinitely", "Does Not Affect Projectiles",
                                      "Transparency Varies With Distance", "Align to velocity"};

constexpr FieldDef kStateFields[] = {
    int_field(0, 2, true, "duration_lower", 1, Encoding::whole_seconds),
    int_field(2, 2, true, "duration_span", 1, Encoding::whole_seconds),
    field(4, 2, Encoding::unit_fraction_16, "intensity_lower"),
    field(6, 2, Encoding::unit_fraction_16, "intensity_span"),
    int_field(8, 2, true, "transition_duration_lower", 1, Encoding::whole_seconds),
    int_field(10, 2, true, "transition_duration_span", 1, Encoding::whole_seconds),
};
constexpr RecordLayout kStateLayout{"particle state", sizeof(particle_state), kStateFields, nullptr};

constexpr FieldDef kFields[] = {
    flags(0, 4, "flags", kFlagNames),
    reference(4, "sprite", fourcc("spri")),
    field(8, 4, Encoding::world_distance_32, "minimum_view_distance"),
    field(12, 4, Encoding::world_distance_32, "transparency_rolloff_point"),
    field(16, 4, Encoding::world_distance_32, "transparency_cutoff_point"),
    i16(20, "unknown_20"),
    i16(22, "maximum_number_of_particles"),
    i16(24, "unknown_24"),
    field(26, 2, Encoding::fixed_8_8, "scale"),
    field(28, 4, Encoding::fixed_16_16, "velocity_lower", 3),
    field(40, 4, Encoding::fixed_16_16, "velocity_span", 3),
    field(52, 2, Encoding::fixed_8_8, "boundary_conditions", 4),
    record(60, "not_snowing", kStateLayout),
    record(72, "snowing", kStateLayout),
    reference(84, "ambient_sound", fourcc("amso")),
    reference(88, "splash_group", fourcc("lpgr")),
    i16(92, "unknown_92"),
    field(94, 2, Encoding::world_distance_16, "maximum_height"),
    field(96, 2, Encoding::world_distance_16, "minimum_height"),
    i16(98, "unknown_98", 2),
    reserved(102, 26, "reserved_102"),
};

// Unit scale, no particles, nothing referenced.
constexpr P make_default() {
    P p{};
    p.sprite = kNoTag;
    p.scale = 256;
    p.ambient_sound = kNoTag;
    p.splash_group = kNoTag;
    return p;
}
} // namespace

const bs_code particle_system_definition::kCodes[] = {
    B, 1,
    L, L, L, L, L,                          // 0 .. 16
    S, S, S, S,                             // 20 .. 26
    L, L, L, L, L, L,                       // 28 velocities
    S, S, S, S,                             // 52 boundary conditions
    S, S, S, S, S, S, S, S, S, S, S, S,     // 60 states
    L, L,                                   // 84, 88
    S, S, S, S, S, 26,                      // 92 .. 102
    E};
const RecordLayout particle_system_definition::kLayout{P::kStructName, sizeof(P), kFields, P::kCodes};
const particle_system_definition particle_system_definition::kDefault = make_default();

void particle_system_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    P p;
    if (!read_definition(db, tag, p)) return;
    reporter.report_dependency(fourcc("spri"), p.sprite);
    reporter.report_dependency(fourcc("amso"), p.ambient_sound);
    reporter.report_dependency(fourcc("lpgr"), p.splash_group);
}

void register_particle_system_type() {
    attach_definition_operations<P>(particle_system_dependencies);
}

} // namespace zephane
