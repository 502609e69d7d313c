#include "definitions/form.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, S = BS_SWAP16;
using F = formation_definition;
constexpr Encoding kDistance = Encoding::world_distance_16;

constexpr FieldDef kFields[] = {
    i16(0, "short_line_maximum_units_per_row"),
    field(2, 2, kDistance, "short_line_unit_separation"),
    i16(4, "long_line_maximum_units_per_row"),
    field(6, 2, kDistance, "long_line_unit_separation"),
    i16(8, "loose_line_maximum_units_per_row"),
    field(10, 2, kDistance, "loose_line_unit_separation"),
    i16(12, "staggered_line_maximum_units_per_row"),
    field(14, 2, kDistance, "staggered_line_unit_separation"),
    field(16, 2, kDistance, "box_unit_separation"),
    field(18, 2, kDistance, "minimum_mob_unit_separation"),
    field(20, 2, Encoding::fixed_8_8, "mob_x_bias"),
    field(22, 2, kDistance, "minimum_encirclement_radius"),
    field(24, 2, kDistance, "encirclement_unit_separation"),
    field(26, 2, Encoding::angle, "shallow_encirclement_arc_length"),
    field(28, 2, Encoding::angle, "deep_encirclement_arc_length"),
    field(30, 2, kDistance, "vanguard_front_row_separation"),
    field(32, 2, kDistance, "vanguard_unit_separation"),
    field(34, 2, kDistance, "vanguard_row_separation"),
    field(36, 2, kDistance, "circle_unit_separation"),
    reserved(38, 2, "reserved_38"),
};
} // namespace

const bs_code formation_definition::kCodes[] = {
    B, 1, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, 2, E};
const RecordLayout formation_definition::kLayout{F::kStructName, sizeof(F), kFields, F::kCodes};

void register_formation_type() {
    attach_tag_dependencies(F::kType, no_dependencies);
    attach_tag_rewrite(F::kType, rewrite_definition<F>);
}

} // namespace zephane
