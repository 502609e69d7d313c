// The artifact editor: restrictions, charges, collection, projectile and special ability.

#include "definitions/ui/arti_form.h"

#include "app/definition_edit_form.h"
#include "definitions/arti.h"
#include "definitions/arti_bindings.h"

#include <QPushButton>

namespace zephane {

namespace {

using namespace arti_bindings;

using A = artifact_definition;

constexpr EditorGroup kGroups[] = {
    {kRestrictions, 0}, {kCharges, 0}, {kFlags, 0}, {kAppearance, 1}, {kAttack, 1},
};

class TartiEditForm : public DefinitionEditForm<A> {
public:
    TartiEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(1001, "Artifact Window", db, tag, kBindings) {
        EditorPage page(*this, kGroups);
        build_page(page);
        // These two edit nothing yet; they stay in the layout, disabled.
        page.add_button(10117, "Edit Bonus Effect Modifier", kAttack)->setEnabled(false);
        page.add_button(10118, "Edit Override Attack", kAttack)->setEnabled(false);
        page.finish();
    }
};

} // namespace

void register_artifact_editor() {
    attach_editor_window<TartiEditForm>(A::kType);
}

} // namespace zephane
