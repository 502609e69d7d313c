#include "definitions/meef.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using M = mesh_effect_definition;
constexpr Encoding kDistance = Encoding::world_distance_16;

constexpr const char* kFlagNames[] = {"Is Inverted", "Has Shockwave"};
constexpr const char* kShakingNames[] = {"None", "Earthquake", "Explosion"};

constexpr FieldDef kFields[] = {
    flags(0, 4, "flags", kFlagNames),
    field(4, 2, kDistance, "amplitude"),
    field(6, 2, kDistance, "cutoff_radius"),
    field(8, 2, Encoding::fixed_8_8, "dissipation"),
    field(10, 2, kDistance, "velocity"),
    field(12, 2, kDistance, "epicenter_offset"),
    popup(14, 2, "camera_shaking", kShakingNames, -1),
    reference(16, "collection", fourcc("core")),
    popup(20, 2, "sequence", kNumberedSequenceNames, 0),
    i16(22, "radial_points"),
    field(24, 2, kDistance, "thickness"),
    field(26, 2, kDistance, "height_offset"),
    reserved(28, 8, "reserved_28"),
};

constexpr M make_default() {
    M m{};
    m.camera_shaking = -1;
    m.collection = kNoTag;
    return m;
}
} // namespace

const bs_code mesh_effect_definition::kCodes[] = {
    B, 1, L, S, S, S, S, S, S, L, S, S, S, S, 8, E};
const RecordLayout mesh_effect_definition::kLayout{M::kStructName, sizeof(M), kFields, M::kCodes};
const mesh_effect_definition mesh_effect_definition::kDefault = make_default();

void mesh_effect_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    M m;
    if (read_definition(db, tag, m)) reporter.report_dependency(fourcc("core"), m.collection);
}

void register_mesh_effect_type() {
    attach_definition_operations<M>(mesh_effect_dependencies);
}

} // namespace zephane
