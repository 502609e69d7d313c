#include "definitions/meli.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using M = mesh_lighting_definition;
constexpr Encoding kFixed = Encoding::fixed_16_16;

constexpr FieldDef kFields[] = {
    field(0, 4, kFixed, "incident_light", 3),
    field(12, 4, kFixed, "ambient_light_intensity"),
    field(16, 4, kFixed, "maximum_diffuse_light_intensity"),
    field(20, 4, kFixed, "model_shading_diffuse_light_intensity"),
    field(24, 4, kFixed, "maximum_total_light_intensity"),
    i16(28, "maximum_shadow_distance"),
    i16(30, "filter_width"),
    field(32, 4, Encoding::decimal, "gaussian_width"),
    reserved(36, 28, "reserved_36"),
};

// Light from straight above with a quarter ambient, no shadows, no smoothing.
constexpr M make_default() {
    M m{};
    m.incident_light[2] = -65536;
    m.ambient_intensity = 16384;
    m.maximum_diffuse_intensity = 65536;
    m.model_shading_diffuse_intensity = 65536;
    m.maximum_total_intensity = 65536;
    m.filter_width = 1;
    m.gaussian_width = 1.0f;
    return m;
}
} // namespace

const bs_code mesh_lighting_definition::kCodes[] = {B, 1, L, L, L, L, L, L, L, S, S, L, 28, E};
const RecordLayout mesh_lighting_definition::kLayout{M::kStructName, sizeof(M), kFields, M::kCodes};
const mesh_lighting_definition mesh_lighting_definition::kDefault = make_default();

void register_mesh_lighting_type() {
    attach_definition_operations<M>(no_dependencies);
}

} // namespace zephane
