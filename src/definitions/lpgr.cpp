#include "definitions/lpgr.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using G = local_projectile_group_definition;

constexpr const char* kFlagNames[] = {
    "Never Get Recreated",
    "Affected By Wind",
    "Deleted When Striking Ground",
    "Deleted When Time Expires",
    "Deleted When Animation Completes",
    "Do Not Animate",
    "Has Startup Transition",
    "Has Finite Duration",
    "Has Ending Transition",
    "Affects Transparency (startup)",
    "Affects Target Number (startup)",
    "Always Update Physics",
    "Stay Relative to the Center",
    "Affects Transparency (ending)",
    "Affects Target Number (ending)",
    "Stop Creating Particles",
    "Delete After Particles Are Gone",
    "Has Initial Delay",
    "Affects Scale (startup)",
    "Affects Scale (ending)",
    "Base Physics on Spawn Center",
    "Created Symmetrically",
    "Don't Respect Height Above Ground",
    "Always Start at First Frame",
    "Cast Reflections",
    "Is Media Surface Effect",
    "Update Per Tick",
    "Uses Owner Color Table",
    "Use Skel Model",
    "Chain additional LPGR",
    "Use Sprite",
    "Align to direction from center",
};
constexpr const char* kTransferModeNames[] = {"Normal", "Fade In Over Time", "Fade In Over Animation",
                                              "Fade Out Over Time", "Fade Out Over Animation"};

constexpr TypeChoice kGraphicTypes[] = {
    {flag_bit(0, 4, kLocalGroupSkeletalBit), fourcc("skmd")},
    {flag_bit(0, 4, kLocalGroupSpriteBit), fourcc("spri")},
};

constexpr FieldDef kFields[] = {
    flags(0, 4, "flags", kFlagNames),
    reference_by(4, "graphic", fourcc("core"), kGraphicTypes),
    reference(8, "physics", fourcc("phys")),
    popup(12, 2, "flight_sequence", {}, -1),
    popup(14, 2, "stain_sequence", {}, -1),
    field(16, 2, Encoding::fixed_8_8, "scale_lower"),
    i16(18, "scale_delta"),
    field(20, 2, Encoding::fixed_8_8, "animation_rate_lower"),
    i16(22, "animation_rate_delta"),
    i16(24, "target_number_lower"),
    i16(26, "target_number_delta"),
    field(28, 4, Encoding::world_distance_32, "radius_lower"),
    i32(32, "radius_delta"),
    i32(36, "expiration_time_lower"),
    i32(40, "expiration_time_delta"),
    popup(44, 2, "transfer_mode", kTransferModeNames, 0),
    field(46, 2, Encoding::world_distance_16, "z_offset"),
    i16(48, "startup_transition_time_lower"),
    i16(50, "startup_transition_time_delta"),
    i16(52, "ending_transition_time_lower"),
    i16(54, "ending_transition_time_delta"),
    i32(56, "duration_time_lower"),
    i32(60, "duration_time_delta"),
    field(64, 2, Encoding::world_distance_32, "z_velocity"),
    field(66, 2, Encoding::world_distance_32, "z_acceleration"),
    i16(68, "initial_delay_lower"),
    i16(70, "initial_delay_delta"),
    reserved(72, 8, "reserved_72"),
    reference(80, "chained_group", fourcc("lpgr")),
    reference(84, "local_light", fourcc("loli")),
    reserved(88, 40, "reserved_88"),
};

// Static sequences at unit scale and animation rate, one target, nothing referenced.
constexpr G make_default() {
    G g{};
    g.graphic = kNoTag;
    g.physics = kNoTag;
    g.flight_sequence = -1;
    g.stain_sequence = -1;
    g.scale_lower = 256;
    g.animation_rate_lower = 256;
    g.target_number_lower = 1;
    g.chained_group = kNoTag;
    g.local_light = kNoTag;
    return g;
}
} // namespace

const bs_code local_projectile_group_definition::kCodes[] = {
    B, 1,
    L, L, L,                                // 0 .. 8
    S, S, S, S, S, S, S, S,                 // 12 .. 26
    L, L, L, L,                             // 28 .. 40
    S, S, S, S, S, S,                       // 44 .. 54
    L, L,                                   // 56, 60
    S, S, S, S, 8,                          // 64 .. 72
    L, L, 40,                               // 80 .. 88
    E};
const RecordLayout local_projectile_group_definition::kLayout{G::kStructName, sizeof(G), kFields,
                                                              G::kCodes};
const local_projectile_group_definition local_projectile_group_definition::kDefault = make_default();

tag_type local_projectile_group_graphic_type(std::uint32_t flags) {
    if ((flags >> kLocalGroupSkeletalBit) & 1u) return fourcc("skmd");
    if ((flags >> kLocalGroupSpriteBit) & 1u) return fourcc("spri");
    return fourcc("core");
}

void local_projectile_group_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    G g;
    if (!read_definition(db, tag, g)) return;
    reporter.report_dependency(local_projectile_group_graphic_type(g.flags), g.graphic);
    reporter.report_dependency(fourcc("phys"), g.physics);
    reporter.report_dependency(fourcc("lpgr"), g.chained_group);
    reporter.report_dependency(fourcc("loli"), g.local_light);
}

void register_local_projectile_group_type() {
    attach_definition_operations<G>(local_projectile_group_dependencies);
}

} // namespace zephane
