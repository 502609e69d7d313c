// The local physics editor: the physics kind, and "Edit Physics", which opens the dialog of
// the kind the popup shows on a copy of the 60-byte block. Changing the kind leaves the block
// as it is: the next dialog reads the same bytes under the new kind's layout.

#include "definitions/ui/phys_form.h"

#include "app/definition_edit_form.h"
#include "app/record_dialog.h"
#include "definitions/phys.h"
#include "definitions/phys_bindings.h"
#include "framework/xg_alert.h"

#include <QPushButton>

namespace zephane {

namespace {

using namespace phys_bindings;

constexpr EditorGroup kGroups[] = {{nullptr, 0}};
constexpr EditorGroup kLinearGroups[] = {
    {kAcceleration, 0}, {kInitialVelocity, 0}, {kRandomAcceleration, 1}, {kFlags, 1}};
constexpr EditorGroup kPlainGroups[] = {{nullptr, 0}};

class TphysEditForm : public DefinitionEditForm<local_physics_definition> {
public:
    TphysEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(1008, "Local Physics Window", db, tag, kBindings) {
        EditorPage page(*this, kGroups);
        build_page(page);
        QPushButton* edit = page.add_button(kEditPhysics, "Edit Physics", nullptr);
        connect(edit, &QPushButton::clicked, this, [this] { run_reporting_errors(this, [this] { edit_physics(); }); });
        page.finish();
    }

private:
    void edit_physics() {
        read_controls(); // the kind the popup shows
        const std::int16_t kind = copy().kind;
        const RecordLayout* layout = physics_block_layout(kind);
        if (!layout)
            throw UserError(tag().name + " - The physics type " + std::to_string(kind) +
                            " is unknown: choose a type first.");
        const KindDialog& dialog = kKindDialogs[kind];
        const RecordDialogForm form{dialog.resource, dialog.title, layout, dialog.bindings,
                                    kind == 0 ? std::span<const EditorGroup>(kLinearGroups)
                                              : std::span<const EditorGroup>(kPlainGroups),
                                    local_physics_definition::kModule};
        if (run_record_dialog(this, form, copy().block.bytes)) contents_changed();
    }
};

} // namespace

void register_local_physics_editor() { attach_editor_window<TphysEditForm>(local_physics_definition::kType); }

} // namespace zephane
