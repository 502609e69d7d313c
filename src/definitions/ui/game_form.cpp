// The game parameter editor: three mesh references.

#include "definitions/ui/game_form.h"

#include "app/definition_edit_form.h"
#include "definitions/game.h"
#include "definitions/game_bindings.h"

namespace zephane {

namespace {

using namespace game_bindings;

using G = game_parameter_definition;

constexpr EditorGroup kGroups[] = {{kMaps, 0}};

using TgameEditForm = TableEditForm<G>;

} // namespace

void register_game_parameter_editor() {
    attach_table_editor<TgameEditForm>(161, "Game Parameter Window", kBindings, kGroups);
}

} // namespace zephane
