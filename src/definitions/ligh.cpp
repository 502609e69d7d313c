#include "definitions/ligh.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using G = lightning_definition;

constexpr const char* kFlagNames[] = {"Duration Based on Length", "Scars Ground", "Moves Objects",
                                      "Ignores Collisions With Models"};

constexpr FieldDef kFields[] = {
    flags(0, 4, "flags", kFlagNames),
    reference(4, "texture_stack", fourcc("txst")),
    int_field(8, 4, true, "shock_duration", 1, Encoding::ticks),
    i32(12, "fade_duration"),
    field(16, 4, Encoding::world_distance_32, "bolt_length"),
    i16(20, "fork_texture_number"),
    i16(22, "main_bolt_texture_number"),
    i16(24, "mesh_stain_texture_number"),
    field(26, 2, Encoding::world_distance_16, "velocity"),
    field(28, 2, Encoding::fixed_8_8, "scale"),
    i16(30, "fork_segments_lower"),
    i16(32, "fork_segments_span"),
    i16(34, "fork_overlap"),
    i16(36, "main_bolt_overlap"),
    field(38, 2, Encoding::angle, "fork_angle"),
    record(40, "damage", kDamageLayout),
    i16(56, "apparent_number_of_bolts"),
    reserved(58, 6, "reserved_58"),
};

// One bolt at unit scale, no texture, no damage.
constexpr G make_default() {
    G g{};
    g.texture_stack = kNoTag;
    g.scale = 256;
    g.apparent_bolts = 1;
    g.damage.type = -1;
    return g;
}
} // namespace

const bs_code lightning_definition::kCodes[] = {
    B, 1,
    L, L, L, L, L,                          // 0 .. 16
    S, S, S, S, S, S, S, S, S, S,           // 20 .. 38
    S, S, S, S, S, S, S, S,                 // 40 damage
    S, 6,                                   // 56, 58
    E};
const RecordLayout lightning_definition::kLayout{G::kStructName, sizeof(G), kFields, G::kCodes};
const lightning_definition lightning_definition::kDefault = make_default();

void lightning_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    G g;
    if (read_definition(db, tag, g)) reporter.report_dependency(fourcc("txst"), g.texture_stack);
}

void register_lightning_type() {
    attach_definition_operations<G>(lightning_dependencies);
}

} // namespace zephane
