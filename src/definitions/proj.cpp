#include "definitions/proj.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using P = projectile_definition;

constexpr const char* kFlagNames[] = {
    "Uses Owner Color Table Index",
    "Is Guided",
    "Is Bloody ( Do Not Draw )",
    "When Animation Loops",
    "When Transfer Loops",
    "At Rest",
    "Affected By Wind",
    "Animates At Rest",
    "Becomes Dormant At Rest",
    "Angle Follows Trajectory",
    "Frequency Resets After Bouncng",
    "Can Be Mirrored",
    "Promoted At End Of Lifespan",
    "Melee Attack",
    "Cannot Be Accelerated",
    "Bloodies Landscape",
    "Is On Fire",
    "Remains After Detonation",
    "Passes Through Target",
    "Do Not Align To Mesh At Rest",
    "Floats",
    "Is Media Surface Effect",
    "Use Sprite instead of Projectile",
    "Is Only Destroyed By Lifespan",
    "Is Lightning",
    "Chooses Nearby Target",
    "Continually Detonates",
    "Makes Owner Monster Visible",
    "Can Set Landscape On Fire",
    "Centered On Target",
    "Marks Target As Having Been Chosen",
    "Detonates Immediately",
};
constexpr const char* kSplashNames[] = {"None", "Small", "Medium", "Large"};
constexpr const char* kVolumeNames[] = {"None", "Unwieldy", "Small", "Large"};
constexpr const char* kClassNames[] = {"None",
                                       "Unknown",
                                       "Head",
                                       "Arm",
                                       "Leg",
                                       "Torso",
                                       "Bloody Chunk",
                                       "Leathal Object",
                                       "Non-leathal Object",
                                       "Explosive Object",
                                       "Potentially Explosive Object",
                                       "Item"};

constexpr TypeChoice kGraphicTypes[] = {
    {value_is(144, 2, static_cast<std::uint16_t>(kSkeletalMarker)), fourcc("skmd")}};
constexpr TypeChoice kContrailTypes[] = {
    {flag_bit(0, 4, kProjectileSpriteContrailBit), fourcc("spri")}};

// Sequences index the graphic's own name list, so their names are not fixed.
constexpr FieldDef kFields[] = {
    flags(0, 4, "flags", kFlagNames),
    reference_by(4, "graphic", fourcc(".256"), kGraphicTypes),
    popup(8, 2, "flight_sequence", {}, -1),
    popup(10, 2, "debris_sequence", {}, -1),
    popup(12, 2, "bounce_sequence", {}, -1),
    popup(14, 2, "splash_type", kSplashNames, -1),
    reference(16, "detonation_group", fourcc("prgr")),
    reference_by(20, "contrail", fourcc("proj"), kContrailTypes),
    i16(24, "ticks_between_contrails"),
    i16(26, "maximum_contrails"),
    reference(28, "object", fourcc("obje")),
    field(32, 2, Encoding::fixed_8_8, "momentum_to_velocity_lower"),
    i16(34, "momentum_to_velocity_delta"),
    field(36, 2, Encoding::world_distance_16, "random_initial_velocity"),
    popup(38, 2, "volume", kVolumeNames, -1),
    i16(40, "tracking_priority"),
    field(42, 2, Encoding::unit_fraction_16, "promotion_fraction"),
    field(44, 2, Encoding::unit_fraction_16, "normal_detonation_frequency"),
    field(46, 2, Encoding::unit_fraction_16, "media_detonation_frequency"),
    field(48, 2, Encoding::world_distance_16, "detonation_momentum"),
    popup(50, 2, "class", kClassNames, -1),
    reference(52, "lightning", fourcc("ligh")),
    reserved(56, 4, "reserved_56"),
    reference(60, "sounds", fourcc("soun"), 4),
    field(76, 2, Encoding::fixed_8_8, "animation_rate_lower"),
    i16(78, "animation_rate_delta"),
    int_field(80, 2, true, "lifespan_lower", 1, Encoding::ticks),
    int_field(82, 2, true, "lifespan_span", 1, Encoding::ticks),
    field(84, 2, Encoding::unit_fraction_16, "initial_contrail_frequency"),
    field(86, 2, Encoding::unit_fraction_16, "final_contrail_frequency"),
    field(88, 2, Encoding::unit_fraction_16, "contrail_frequency_change"),
    field(90, 2, Encoding::angular_rate, "guided_turning_speed"),
    reference(92, "promotion_projectile", fourcc("proj")),
    reference(96, "promotion_group", fourcc("prgr")),
    reference(100, "bounce_stain", fourcc("txst")),
    record(104, "damage", kDamageLayout),
    reference(120, "artifact", fourcc("arti")),
    reference(124, "target_detonation_group", fourcc("prgr")),
    reference(128, "detonation_stain", fourcc("txst")),
    i16(132, "delay_lower"),
    i16(134, "delay_span"),
    reference(136, "local_projectile_group", fourcc("lpgr")),
    i16(140, "nearby_target_radius"),
    reserved(142, 2, "reserved_142"),
    i16(144, "skeletal_marker"),
    int_field(146, 1, false, "blood_stain_colour", 4),
    reserved(150, 106, "reserved_150"),
};
} // namespace

const bs_code projectile_definition::kCodes[] = {
    B, 1,
    L, L, S, S, S, S, L, L, S, S,          // 0 .. 26
    L, S, S, S, S, S, S, S, S, S, S,       // 28 .. 50
    L, 4, L, L, L, L,                      // 52 .. 72
    S, S, S, S, S, S, S, S,                // 76 .. 90
    L, L, L,                               // 92 .. 100
    S, S, S, S, S, S, S, S,                // 104 damage
    L, L, L, S, S, L, S, 2, S, 4, 106,     // 120 .. 150
    E};

const RecordLayout projectile_definition::kLayout{P::kStructName, sizeof(P), kFields, P::kCodes};

void projectile_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    P p;
    if (!read_definition(db, tag, p)) return;
    reporter.report_dependency(p.skeletal_marker == kSkeletalMarker ? fourcc("skmd") : fourcc(".256"),
                               p.graphic);
    reporter.report_dependency(fourcc("prgr"), p.detonation_group);
    reporter.report_dependency(
        (p.flags >> kProjectileSpriteContrailBit) & 1u ? fourcc("spri") : fourcc("proj"), p.contrail);
    reporter.report_dependency(fourcc("obje"), p.object);
    reporter.report_dependency(fourcc("ligh"), p.lightning);
    for (const tag_id sound : p.sounds) reporter.report_dependency(fourcc("soun"), sound);
    reporter.report_dependency(fourcc("proj"), p.promotion_projectile);
    reporter.report_dependency(fourcc("arti"), p.artifact);
    reporter.report_dependency(fourcc("prgr"), p.promotion_group);
    reporter.report_dependency(fourcc("prgr"), p.target_detonation_group);
    reporter.report_dependency(fourcc("lpgr"), p.local_projectile_group);
    reporter.report_dependency(fourcc("txst"), p.bounce_stain);
    reporter.report_dependency(fourcc("txst"), p.detonation_stain);
}

// Version 1 had no stain textures: both become unassigned.
void update_projectile(TagDatabase& db, TagEntry& tag) {
    while (tag.version != 2) {
        ZEPHANE_CHECK(tag.version == 1, "0", P::kModule);
        P p = read_definition_for_update<P>(db, tag);
        p.bounce_stain = kNoTag;
        p.detonation_stain = kNoTag;
        write_definition_for_update(db, tag, p);
        db.set_tag_version(tag, 2);
    }
}

void register_projectile_type() {
    attach_tag_dependencies(P::kType, projectile_dependencies);
    attach_tag_updater(P::kType, update_projectile);
    attach_tag_rewrite(P::kType, rewrite_definition<P>);
}

} // namespace zephane
