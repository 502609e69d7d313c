#include "definitions/arti.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using A = artifact_definition;

constexpr const char* kFlagNames[] = {"Overrides Owner Attack", "Vanishes After Last Charge"};
constexpr const char* kSpecializationNames[] = {"None", "Bow", "Sword"};

constexpr FieldDef kFields[] = {
    flags(0, 4, "flags", kFlagNames),
    reference(4, "monster_restriction", fourcc("mons")),
    popup(8, 2, "specialization_restriction", kSpecializationNames, 0),
    i16(10, "initial_charges_lower"),
    i16(12, "initial_charges_delta"),
    reserved(14, 2, "reserved_14"),
    reference(16, "collection", fourcc(".256")),
    popup(20, 2, "inventory_sequence", kNumberedSequenceNames, 0),
    i16(22, "reserved_words", 3),
    reference(28, "projectiles", fourcc("proj"), 4),
    i32(44, "reserved_longs", 2),
    i16(52, "bonus_effect_modifiers", 16),
    reserved(84, 64, "unswapped_84"),
    reference(148, "special_ability", fourcc("stli")),
    reserved(152, 16, "unswapped_152"),
};

// No restriction, no charges, nothing referenced.
constexpr A make_default() {
    A a{};
    a.monster_restriction = kNoTag;
    a.collection = kNoTag;
    for (tag_id& projectile : a.projectiles) projectile = kNoTag;
    a.special_ability = kNoTag;
    return a;
}
} // namespace

const bs_code artifact_definition::kCodes[] = {
    B, 1,
    L, L, S, S, S, 2,                                // 0 .. 14
    L, S, S, S, S,                                   // 16 .. 26
    L, L, L, L, L, L,                                // 28 .. 48
    S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S,  // 52 bonus effect modifiers
    64, L, 16,                                       // 84 .. 152
    E};
const RecordLayout artifact_definition::kLayout{A::kStructName, sizeof(A), kFields, A::kCodes};
const artifact_definition artifact_definition::kDefault = make_default();

// The monster restriction is not a dependency.
void artifact_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    A a;
    if (!read_definition(db, tag, a)) return;
    reporter.report_dependency(fourcc(".256"), a.collection);
    for (const tag_id projectile : a.projectiles) reporter.report_dependency(fourcc("proj"), projectile);
    reporter.report_dependency(fourcc("stli"), a.special_ability);
}

void register_artifact_type() {
    attach_definition_operations<A>(artifact_dependencies);
}

} // namespace zephane
