#include "definitions/obpc.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32;
using O = observer_constants_definition;
constexpr Encoding kFixed = Encoding::fixed_16_16;

constexpr FieldDef kAxisFields[] = {
    field(0, 4, kFixed, "negative_maximum_velocity"), field(4, 4, kFixed, "negative_acceleration"),
    field(8, 4, kFixed, "negative_deceleration"),     field(12, 4, kFixed, "positive_maximum_velocity"),
    field(16, 4, kFixed, "positive_acceleration"),    field(20, 4, kFixed, "positive_deceleration"),
};
constexpr RecordLayout kAxisLayout{"observer axis", sizeof(observer_axis), kAxisFields, nullptr};

constexpr FieldDef kFields[] = {
    record(0, "parallel", kAxisLayout),  record(24, "orthagonal", kAxisLayout),
    record(48, "yaw", kAxisLayout),      record(72, "orbit", kAxisLayout),
    record(96, "vertical", kAxisLayout), record(120, "pitch", kAxisLayout),
    record(144, "zoom", kAxisLayout),    reserved(168, 88, "reserved_168"),
};

// One unit per tick (and per tick²) in every direction of every axis.
constexpr O make_default() {
    O o{};
    for (observer_axis* axis : {&o.parallel, &o.orthagonal, &o.yaw, &o.orbit, &o.vertical,
                                &o.pitch, &o.zoom})
        *axis = {65536, 65536, 65536, 65536, 65536, 65536};
    return o;
}
} // namespace

const bs_code observer_constants_definition::kCodes[] = {
    B, 1, B, 7, L, L, L, L, L, L, E, 88, E};
const RecordLayout observer_constants_definition::kLayout{O::kStructName, sizeof(O), kFields,
                                                          O::kCodes};
const observer_constants_definition observer_constants_definition::kDefault = make_default();

void register_observer_constants_type() {
    attach_definition_operations<O>(no_dependencies);
}

} // namespace zephane
