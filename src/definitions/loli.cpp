#include "definitions/loli.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using G = local_light_definition;
constexpr Encoding kColour = Encoding::colour_component;

constexpr FieldDef kFields[] = {
    u16(0, "unknown_0"),
    i16(2, "fade_in_ticks"),
    i16(4, "sustain_ticks"),
    i16(6, "fade_out_ticks"),
    field(8, 4, Encoding::world_distance_32, "radius"),
    field(12, 2, kColour, "colour_a", 3),
    u16(18, "colour_a_unused"),
    field(20, 2, kColour, "colour_b", 3),
    u16(26, "colour_b_unused"),
    field(28, 2, Encoding::angle, "colour_flicker_rate_w0"),
    field(30, 2, Encoding::angle, "colour_flicker_rate_w1"),
    i16(32, "colour_flicker_amplitude_w0"),
    i16(34, "colour_flicker_amplitude_w1"),
    field(36, 2, Encoding::angle, "position_jitter_rate_x"),
    field(38, 2, Encoding::world_distance_16, "position_jitter_amplitude_x"),
    field(40, 2, Encoding::angle, "position_jitter_rate_y"),
    field(42, 2, Encoding::world_distance_16, "position_jitter_amplitude_y"),
    field(44, 2, Encoding::angle, "position_jitter_rate_z"),
    field(46, 2, Encoding::world_distance_16, "position_jitter_amplitude_z"),
};

// A steady white light of one world unit.
constexpr G make_default() {
    G g{};
    g.radius = 512;
    for (std::uint16_t& c : g.colour_a) c = 255 * 257;
    for (std::uint16_t& c : g.colour_b) c = 255 * 257;
    return g;
}
} // namespace

const bs_code local_light_definition::kCodes[] = {
    B, 1, S, S, S, S, L, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, E};
const RecordLayout local_light_definition::kLayout{G::kStructName, sizeof(G), kFields, G::kCodes};
const local_light_definition local_light_definition::kDefault = make_default();

void register_local_light_type() {
    attach_definition_operations<G>(no_dependencies);
}

} // namespace zephane
