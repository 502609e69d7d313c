#include "definitions/game.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32;
using G = game_parameter_definition;

constexpr FieldDef kFields[] = {
    reference(0, "meshes", fourcc("mesh"), 3),
    reserved(12, 20, "reserved_12"),
};

constexpr G make_default() {
    G g{};
    for (tag_id& mesh : g.meshes) mesh = kNoTag;
    return g;
}
} // namespace

const bs_code game_parameter_definition::kCodes[] = {B, 1, L, L, L, 20, E};
const RecordLayout game_parameter_definition::kLayout{G::kStructName, sizeof(G), kFields, G::kCodes};
const game_parameter_definition game_parameter_definition::kDefault = make_default();

void game_parameter_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    G g;
    if (!read_definition(db, tag, g)) return;
    for (const tag_id mesh : g.meshes) reporter.report_dependency(fourcc("mesh"), mesh);
}

void register_game_parameter_type() {
    attach_definition_operations<G>(game_parameter_dependencies);
}

} // namespace zephane
