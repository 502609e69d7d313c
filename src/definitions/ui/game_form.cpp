// The game parameter editor: three mesh references.

#include "definitions/ui/game_form.h"

#include "app/definition_edit_form.h"
#include "definitions/game.h"

namespace zephane {

namespace {

using G = game_parameter_definition;

constexpr const char* kMaps = "Maps";
constexpr EditorGroup kGroups[] = {{kMaps, 0}};

constexpr FieldBinding kBindings[] = {
    bind::reference("meshes", 100, "Map 1:", kMaps, 0),
    bind::reference("meshes", 102, "Map 2:", kMaps, 1),
    bind::reference("meshes", 104, "Map 3:", kMaps, 2),
};

using TgameEditForm = TableEditForm<G>;

} // namespace

void register_game_parameter_editor() {
    attach_table_editor<TgameEditForm>(161, "Game Parameter Window", kBindings, kGroups);
}

} // namespace zephane
