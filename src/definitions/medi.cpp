#include "definitions/medi.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using M = media_type_definition;
constexpr Encoding kFixed = Encoding::fixed_8_8;

constexpr FieldDef kAnimationFields[] = {
    field(0, 2, kFixed, "wobble_scale"), field(2, 2, kFixed, "wobble_speed"),
    field(4, 2, kFixed, "x_scale"),      field(6, 2, kFixed, "y_scale"),
    field(8, 2, kFixed, "x_speed"),      field(10, 2, kFixed, "y_speed"),
};
constexpr RecordLayout kAnimationLayout{"media surface animation", sizeof(media_surface_animation),
                                        kAnimationFields, nullptr};

constexpr FieldDef kFields[] = {
    u32(0, "unknown_0"),
    reference(4, "textures", fourcc("txst")),
    reserved(8, 16, "reserved_8"),
    reference(24, "splash_groups", fourcc("prgr"), 7),
    u32(52, "unknown_52", 9),
    u16(88, "unknown_88", 5),
    field(98, 2, kFixed, "surface_effect_density"),
    reference(100, "surface_effect", fourcc("lpgr")),
    u16(104, "unknown_104", 6),
    i16(116, "maximum_effects_per_cell"),
    int_field(118, 2, true, "time_between_effects", 1, Encoding::ticks),
    u16(120, "unknown_120"),
    field(122, 2, kFixed, "minimum_opacity"),
    field(124, 2, kFixed, "maximum_opacity"),
    field(126, 2, kFixed, "maximum_opacity_at_depth"),
    field(128, 2, Encoding::unit_fraction_16, "minimum_specular"),
    field(130, 2, Encoding::unit_fraction_16, "maximum_specular"),
    field(132, 2, kFixed, "embossing_fraction"),
    record(134, "surface_animations", kAnimationLayout, 4),
    reserved(182, 74, "reserved_182"),
};

// Opaque, unanimated at unit scale, nothing referenced.
constexpr M make_default() {
    M m{};
    m.textures = kNoTag;
    for (tag_id& group : m.splash_groups) group = kNoTag;
    m.surface_effect = kNoTag;
    m.maximum_opacity = 256;
    m.maximum_opacity_at_depth = 256;
    for (media_surface_animation& set : m.surface_animations) {
        set.x_scale = 256;
        set.y_scale = 256;
    }
    return m;
}
} // namespace

const bs_code media_type_definition::kCodes[] = {
    B, 1,
    L, L, 16,                               // 0 .. 8
    L, L, L, L, L, L, L,                    // 24 splash groups
    L, L, L, L, L, L, L, L, L,              // 52
    S, S, S, S, S, S,                       // 88 .. 98
    L,                                      // 100
    S, S, S, S, S, S,                       // 104
    S, S, S, S, S, S, S, S, S,              // 116 .. 132
    B, 4, S, S, S, S, S, S, E,              // 134 surface animations
    74,
    E};
const RecordLayout media_type_definition::kLayout{M::kStructName, sizeof(M), kFields, M::kCodes};
const media_type_definition media_type_definition::kDefault = make_default();

void media_type_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    M m;
    if (!read_definition(db, tag, m)) return;
    reporter.report_dependency(fourcc("txst"), m.textures);
    reporter.report_dependency(fourcc("lpgr"), m.surface_effect);
    for (const tag_id group : m.splash_groups) reporter.report_dependency(fourcc("prgr"), group);
}

void register_media_type_type() {
    attach_definition_operations<M>(media_type_dependencies);
}

} // namespace zephane
