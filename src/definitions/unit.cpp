#include "definitions/unit.h"

#include <algorithm>
#include <iterator>

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using U = units_definition;
constexpr Encoding kColour = Encoding::colour_component;

constexpr FieldDef kVariationFields[] = {
    reference(0, "decal", fourcc("txst")),
    u32(4, "unknown_4"),
    field(8, 2, kColour, "colour_a", 3),
    u16(14, "colour_a_unused"),
    field(16, 2, kColour, "colour_b", 3),
    u16(22, "colour_b_unused"),
};
constexpr RecordLayout kVariationLayout{"skin variation", sizeof(skin_variation), kVariationFields,
                                        nullptr};

constexpr FieldDef kFields[] = {
    reference(0, "monster", fourcc("mons")),
    i32(4, "number_of_skin_variations"),
    record(8, "variations", kVariationLayout, kSkinVariationSlots),
    reserved(104, 24, "reserved_104"),
};

// No monster, no variations; each slot without a decal and white in both colours.
constexpr U make_default() {
    U u{};
    u.monster = kNoTag;
    for (skin_variation& variation : u.variations) {
        variation.decal = kNoTag;
        for (std::uint16_t& c : variation.colour_a) c = 255 * 257;
        for (std::uint16_t& c : variation.colour_b) c = 255 * 257;
    }
    return u;
}
} // namespace

const bs_code units_definition::kCodes[] = {
    B, 1, L, L, B, 4, L, L, S, S, S, S, S, S, S, S, E, 24, E};
const RecordLayout units_definition::kLayout{U::kStructName, sizeof(U), kFields, U::kCodes};
const units_definition units_definition::kDefault = make_default();

void units_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    U u;
    if (!read_definition(db, tag, u)) return;
    reporter.report_dependency(fourcc("mons"), u.monster);
    for (const skin_variation& variation : u.variations)
        reporter.report_dependency(fourcc("txst"), variation.decal);
}

// Older tags held the variations in another layout: they start again from the defaults.
void update_units(TagDatabase& db, TagEntry& tag) {
    if (tag.version == 2) return;
    U u = read_definition_for_update<U>(db, tag);
    u.variation_count = 0;
    std::copy(std::begin(U::kDefault.variations), std::end(U::kDefault.variations),
              std::begin(u.variations));
    write_definition_for_update(db, tag, u);
    db.set_tag_version(tag, 2);
}

void register_units_type() {
    attach_definition_operations<U>(units_dependencies);
    attach_tag_updater(U::kType, update_units);
}

} // namespace zephane
