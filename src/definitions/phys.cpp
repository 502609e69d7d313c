#include "definitions/phys.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using P = local_physics_definition;
constexpr Encoding kFixed = Encoding::fixed_16_16;
constexpr Encoding kDistance = Encoding::world_distance_32;

const bs_code kLinearCodes[] = {B, 1, L, L, L, L, L, L, L, L, L, L, L, L, L, 8, E};
const bs_code kCylindricalCodes[] = {B, 1, L, S, S, S, S, L, L, L, 36, E};
const bs_code kSphericalSpringCodes[] = {B, 1, L, S, S, L, 48, E};
const bs_code kPointAttractorCodes[] = {B, 1, L, L, L, L, S, 42, E};
const bs_code kConvergingCodes[] = {B, 1, L, S, S, S, S, 48, E};
const bs_code kExplosiveGasCodes[] = {B, 1, L, L, L, L, L, L, L, S, 30, E};

constexpr const char* kKindNames[] = {"Linear",          "Cylindrical", "Spherical Spring",
                                      "Point Attractor", "Converging",  "Pell's Explosive Gas"};
constexpr const char* kBlockNames[] = {"linear physics",          "cylindrical physics",
                                       "spherical sptring physics", "point attractor physics",
                                       "converging physics",      "explosive gas physics"};
constexpr const bs_code* kBlockCodes[] = {kLinearCodes,          kCylindricalCodes,
                                          kSphericalSpringCodes, kPointAttractorCodes,
                                          kConvergingCodes,      kExplosiveGasCodes};

constexpr const char* kLinearFlagNames[] = {"Projectiles Originate Within Bounds",
                                            "Projectiles Respect Group Yaw"};
constexpr const char* kSphericalFlagNames[] = {"Random Time Offsets"};
constexpr const char* kAttractorFlagNames[] = {"Maintain Minimum Height"};
constexpr const char* kConvergingFlagNames[] = {"Diverge"};

constexpr FieldDef kLinearFields[] = {
    flags(0, 4, "flags", kLinearFlagNames),
    field(4, 4, kFixed, "acceleration", 3),
    field(16, 4, kFixed, "initial_velocity_lower", 3),
    i32(28, "initial_velocity_delta", 3),
    field(40, 4, kFixed, "random_acceleration", 3),
    reserved(52, 8, "reserved_52"),
};
constexpr FieldDef kCylindricalFields[] = {
    flags(0, 4, "flags", {}),
    i16(4, "angular_acceleration"),
    i16(6, "initial_angular_velocity_lower"),
    i16(8, "initial_angular_velocity_delta"),
    field(10, 2, Encoding::world_distance_16, "initial_z_deviation"),
    field(12, 4, kFixed, "attraction_constant"),
    field(16, 4, kFixed, "radial_velocity"),
    field(20, 4, kFixed, "z_acceleration"),
    reserved(24, 36, "reserved_24"),
};
constexpr FieldDef kSphericalSpringFields[] = {
    flags(0, 4, "flags", kSphericalFlagNames),
    i16(4, "initial_angular_velocity_lower"),
    i16(6, "initial_angular_velocity_delta"),
    field(8, 4, kFixed, "attraction_constant"),
    reserved(12, 48, "reserved_12"),
};
constexpr FieldDef kPointAttractorFields[] = {
    flags(0, 4, "flags", kAttractorFlagNames),
    field(4, 4, kFixed, "maximum_velocity"),
    field(8, 4, kFixed, "radial_velocity"),
    field(12, 4, kFixed, "attraction_constant"),
    field(16, 2, Encoding::world_distance_16, "minimum_height_above_mesh"),
    reserved(18, 42, "reserved_18"),
};
constexpr FieldDef kConvergingFields[] = {
    flags(0, 4, "flags", kConvergingFlagNames),
    i16(4, "initial_angular_velocity_lower"),
    i16(6, "initial_angular_velocity_delta"),
    field(8, 2, Encoding::angle, "phi_minimum"),
    field(10, 2, Encoding::angle, "phi_delta"),
    reserved(12, 48, "reserved_12"),
};
constexpr FieldDef kExplosiveGasFields[] = {
    flags(0, 4, "flags", {}),
    field(4, 4, kDistance, "starting_radial_velocity_lower"),
    i32(8, "starting_radial_velocity_delta"),
    field(12, 4, kDistance, "radial_acceleration"),
    field(16, 4, kDistance, "linear_acceleration", 3),
    field(28, 2, Encoding::fixed_8_8, "drag_coefficient"),
    reserved(30, 30, "reserved_30"),
};
constexpr FieldDef kRawFields[] = {reserved(0, 60, "bytes")};

constexpr RecordLayout kLinearLayout{kBlockNames[0], 60, kLinearFields, kLinearCodes};
constexpr RecordLayout kCylindricalLayout{kBlockNames[1], 60, kCylindricalFields, kCylindricalCodes};
constexpr RecordLayout kSphericalSpringLayout{kBlockNames[2], 60, kSphericalSpringFields,
                                              kSphericalSpringCodes};
constexpr RecordLayout kPointAttractorLayout{kBlockNames[3], 60, kPointAttractorFields,
                                             kPointAttractorCodes};
constexpr RecordLayout kConvergingLayout{kBlockNames[4], 60, kConvergingFields, kConvergingCodes};
constexpr RecordLayout kExplosiveGasLayout{kBlockNames[5], 60, kExplosiveGasFields,
                                           kExplosiveGasCodes};
// An unknown kind: the block is carried as it is.
constexpr RecordLayout kRawBlockLayout{"physics block", 60, kRawFields, nullptr};

constexpr LayoutChoice kBlockLayouts[] = {
    {value_is(0, 2, 0), &kLinearLayout},          {value_is(0, 2, 1), &kCylindricalLayout},
    {value_is(0, 2, 2), &kSphericalSpringLayout}, {value_is(0, 2, 3), &kPointAttractorLayout},
    {value_is(0, 2, 4), &kConvergingLayout},      {value_is(0, 2, 5), &kExplosiveGasLayout},
};

constexpr FieldDef kFields[] = {
    popup(0, 2, "kind", kKindNames, 0),
    reserved(2, 2, "reserved_2"),
    record_by(4, "block", kRawBlockLayout, kBlockLayouts),
};

// Linear physics with every value zero.
constexpr P make_default() { return P{}; }

void convert_block(P& record) {
    if (const bs_code* codes = physics_block_codes(record.kind))
        byte_swap_data(physics_block_name(record.kind), record.block.bytes, sizeof record.block, 1,
                       codes);
}
} // namespace

const bs_code local_physics_definition::kCodes[] = {B, 1, S, 2, 60, E};
const RecordLayout local_physics_definition::kLayout{P::kStructName, sizeof(P), kFields, P::kCodes};
const local_physics_definition local_physics_definition::kDefault = make_default();

const RecordLayout* physics_block_layout(std::int16_t kind) {
    return kind >= 0 && kind < kPhysicsKindCount ? kBlockLayouts[kind].layout : nullptr;
}

const bs_code* physics_block_codes(std::int16_t kind) {
    return kind >= 0 && kind < kPhysicsKindCount ? kBlockCodes[kind] : nullptr;
}

const char* physics_block_name(std::int16_t kind) {
    return kind >= 0 && kind < kPhysicsKindCount ? kBlockNames[kind] : nullptr;
}

void local_physics_definition::finish_read(local_physics_definition& record) { convert_block(record); }

bool local_physics_definition::prepare_write(local_physics_definition& record) {
    convert_block(record);
    return physics_block_codes(record.kind) != nullptr;
}

void register_local_physics_type() {
    attach_definition_operations<P>(no_dependencies);
}

} // namespace zephane
