#include "definitions/wind.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32;
using W = wind_definition;

constexpr FieldDef kFields[] = {
    u32(0, "unknown_0"),
    int_field(4, 4, true, "time_between_adjustments_lower", 1, Encoding::ticks),
    int_field(8, 4, true, "time_between_adjustments_delta", 1, Encoding::ticks),
    field(12, 4, Encoding::fixed_16_16, "maximum_adjustment_per_tick"),
    field(16, 4, Encoding::fixed_16_16, "velocity_lower", 3),
    i32(28, "velocity_delta", 3),
    reserved(40, 88, "reserved_40"),
};

// Still air, adjusted once a second.
constexpr W make_default() {
    W w{};
    w.adjustment_time_lower = 30;
    return w;
}
} // namespace

const bs_code wind_definition::kCodes[] = {B, 1, L, L, L, L, L, L, L, L, L, L, 88, E};
const RecordLayout wind_definition::kLayout{W::kStructName, sizeof(W), kFields, W::kCodes};
const wind_definition wind_definition::kDefault = make_default();

void register_wind_type() {
    attach_definition_operations<W>(no_dependencies);
}

} // namespace zephane
