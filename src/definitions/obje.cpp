#include "definitions/obje.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, S = BS_SWAP16;
using O = object_definition;

constexpr const char* kFlagNames[] = {"Draw Selection Box", "Draw Vitality Box",
                                      "Maintains Constant Height Above Mesh",
                                      "Ignore Model and Object Collisions"};

constexpr FieldDef kFields[] = {
    flags(0, 2, "flags", kFlagNames),
    field(2, 2, Encoding::world_distance_16, "gravity"),
    field(4, 2, Encoding::fixed_8_8, "elastic_coefficient"),
    field(6, 2, Encoding::world_distance_16, "terminal_velocity"),
    field(8, 2, Encoding::fixed_8_8, "maximum_vitality_lower"),
    i16(10, "maximum_vitality_delta"),
    field(12, 2, Encoding::fixed_8_8, "scale_lower"),
    i16(14, "scale_delta"),
    field(16, 2, Encoding::fixed_8_8, "effect_modifiers", 16),
    field(48, 2, Encoding::fixed_8_8, "minimum_damage"),
    reserved(50, 14, "reserved_50"),
};

// Unit scale, vitality and effect modifiers; everything else zero.
constexpr O make_default() {
    O o{};
    o.maximum_vitality_lower = 256;
    o.scale_lower = 256;
    for (std::int16_t& modifier : o.effect_modifiers) modifier = 256;
    return o;
}
} // namespace

const bs_code object_definition::kCodes[] = {
    B, 1,
    S, S, S, S, S, S, S, S,                          // 0 .. 14
    S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S,  // 16 effect modifiers
    S, 14,                                           // 48, 50
    E};
const RecordLayout object_definition::kLayout{O::kStructName, sizeof(O), kFields, O::kCodes};
const object_definition object_definition::kDefault = make_default();

void register_object_type() {
    attach_definition_operations<O>(no_dependencies);
}

} // namespace zephane
