#include "definitions/scen.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using G = scenery_definition;

// Bits 16 to 31 have no check box.
constexpr const char* kFlagNames[] = {
    "Is Solid",           "Has Random Facing",
    "Is Large Object",    "Is Netgame Flag",
    "Respects Monster Visibility", "Adjusts Monster Permutation",
    "Animates",           "Marks Terrain Impassable",
    "Affects Model Animation Rate", "Destruction Starts Model Animation",
    "Use 3D Model",       "Apply Tree Physics When Undamaged",
    "Apply Tree Physics When Ruined", "Can Be Activated",
    "Can Be Deactivated", "Initially Activated"};
constexpr const char* kScoringNames[] = {
    "None",          "Body Count",   "Steal the Bacon", "Last Man on the Hill", "Scavenger Hunt",
    "Flag Rally",    "Capture the Flag", "Balls on Parade", "Territories", "Captures",
    "King of the Hill", "Rugby",     "Assassination",   "Hunting",             "None"};

// Animations index their model's own name list.
constexpr FieldDef kFields[] = {
    flags(0, 4, "flags", kFlagNames),
    reference(4, "recoloring", fourcc("core")),
    reference(8, "object", fourcc("obje")),
    reference(12, "projectile", fourcc("proj")),
    popup(16, 2, "netgame_scoring_type", kScoringNames, 0),
    i16(18, "netgame_flag_number"),
    reserved(20, 4, "reserved_20"),
    reference(24, "impact_group", fourcc("prgr")),
    reference(28, "detonation_group", fourcc("prgr")),
    u32(32, "unknown_32", 2),
    popup(40, 2, "undamaged_animation", {}, -1),
    popup(42, 2, "ruined_animation", {}, -1),
    i16(44, "unknown_44"),
    reserved(46, 6, "reserved_46"),
    i16(52, "model_permutation_delta"),
    reserved(54, 2, "reserved_54"),
    reference(56, "undamaged_model", fourcc("skmd")),
    reference(60, "ruined_model", fourcc("skmd")),
    u32(64, "unknown_64"),
    reserved(68, 60, "reserved_68"),
};

// No model animations chosen, nothing referenced.
constexpr G make_default() {
    G g{};
    g.recoloring = kNoTag;
    g.object = kNoTag;
    g.projectile = kNoTag;
    g.impact_group = kNoTag;
    g.detonation_group = kNoTag;
    g.undamaged_animation = -1;
    g.ruined_animation = -1;
    g.undamaged_model = kNoTag;
    g.ruined_model = kNoTag;
    return g;
}
} // namespace

const bs_code scenery_definition::kCodes[] = {
    B, 1, L, L, L, L, S, S, 4, L, L, L, L, S, S, S, 6, S, 2, L, L, L, 60, E};
const RecordLayout scenery_definition::kLayout{G::kStructName, sizeof(G), kFields, G::kCodes};
const scenery_definition scenery_definition::kDefault = make_default();

// With "Use 3D Model" the two skeletal models, otherwise the recoloring.
void scenery_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    G g;
    if (!read_definition(db, tag, g)) return;
    reporter.report_dependency(fourcc("obje"), g.object);
    reporter.report_dependency(fourcc("proj"), g.projectile);
    reporter.report_dependency(fourcc("prgr"), g.impact_group);
    reporter.report_dependency(fourcc("prgr"), g.detonation_group);
    if ((g.flags >> kScenerySkeletalBit) & 1u) {
        reporter.report_dependency(fourcc("skmd"), g.undamaged_model);
        reporter.report_dependency(fourcc("skmd"), g.ruined_model);
    } else {
        reporter.report_dependency(fourcc("core"), g.recoloring);
    }
}

// Version 2 changed nothing in the record's bytes.
void update_scenery(TagDatabase& db, TagEntry& tag) {
    while (tag.version != 2) {
        ZEPHANE_CHECK(tag.version == 1, "0", G::kModule);
        db.set_tag_version(tag, 2);
    }
}

void register_scenery_type() {
    attach_definition_operations<G>(scenery_dependencies);
    attach_tag_updater(G::kType, update_scenery);
}

} // namespace zephane
