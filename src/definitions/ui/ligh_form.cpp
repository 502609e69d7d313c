// The lightning editor: the bolt's texture stack and timing, its texture numbers, forks and
// flags, and its damage record through the shared damage dialog.

#include "definitions/ui/ligh_form.h"

#include "app/definition_edit_form.h"
#include "definitions/ligh.h"
#include "definitions/ligh_bindings.h"
#include "definitions/ui/damage_dialog.h"

#include <QPushButton>

namespace zephane {

namespace {

using namespace ligh_bindings;

constexpr EditorGroup kGroups[] = {{kBolt, 0}, {kFlags, 0}, {kTextureNumbers, 1}, {kForks, 1}};
constexpr int kEditDamage = 10710;

class TlighEditForm : public DefinitionEditForm<lightning_definition> {
public:
    TlighEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(1007, "Lightning Window", db, tag, kBindings) {
        EditorPage page(*this, kGroups);
        build_page(page);
        QPushButton* damage = page.add_button(kEditDamage, "Edit Damage", kBolt);
        connect(damage, &QPushButton::clicked, this, [this] {
            if (edit_damage(this, copy().damage)) contents_changed();
        });
        page.finish();
    }
};

} // namespace

void register_lightning_editor() { attach_editor_window<TlighEditForm>(lightning_definition::kType); }

} // namespace zephane
