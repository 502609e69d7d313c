#include "definitions/glli.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using G = global_light_definition;
constexpr Encoding kColour = Encoding::colour_component;

constexpr FieldDef kFields[] = {
    field(0, 2, kColour, "ambient_colour", 3),
    u16(6, "ambient_unused"),
    field(8, 2, kColour, "sky_colour", 3),
    u16(14, "sky_unused"),
    field(16, 2, kColour, "key_colour", 3),
    u16(22, "key_unused"),
    field(24, 2, kColour, "fill_colour", 3),
    u16(30, "fill_unused"),
    field(32, 4, Encoding::fixed_16_16, "key_direction", 3),
    field(44, 4, Encoding::fixed_16_16, "fill_direction", 3),
};

// A dim grey ambient, a white key light from straight above, no sky or fill light.
constexpr G make_default() {
    G g{};
    for (std::uint16_t& c : g.ambient_colour) c = 64 * 257;
    for (std::uint16_t& c : g.key_colour) c = 255 * 257;
    g.key_direction[2] = -65536;
    return g;
}
} // namespace

const bs_code global_light_definition::kCodes[] = {
    B, 1, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, L, L, L, L, L, L, E};
const RecordLayout global_light_definition::kLayout{G::kStructName, sizeof(G), kFields, G::kCodes};
const global_light_definition global_light_definition::kDefault = make_default();

void register_global_light_type() {
    attach_definition_operations<G>(no_dependencies);
}

} // namespace zephane
