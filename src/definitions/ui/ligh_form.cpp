// The lightning editor: the bolt's texture stack and timing, its texture numbers, forks and
// flags. The damage record has no control here: its bytes are carried over by Apply.

#include "definitions/ui/ligh_form.h"

#include "app/definition_edit_form.h"
#include "definitions/ligh.h"
#include "definitions/ligh_bindings.h"

namespace zephane {

namespace {

using namespace ligh_bindings;

constexpr EditorGroup kGroups[] = {{kBolt, 0}, {kFlags, 0}, {kTextureNumbers, 1}, {kForks, 1}};

using TlighEditForm = TableEditForm<lightning_definition>;

} // namespace

void register_lightning_editor() {
    attach_table_editor<TlighEditForm>(1007, "Lightning Window", kBindings, kGroups);
}

} // namespace zephane
