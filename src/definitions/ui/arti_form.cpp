// The artifact editor: restrictions, charges, collection, projectile and special ability.

#include "definitions/ui/arti_form.h"

#include "app/definition_edit_form.h"
#include "definitions/arti.h"

#include <QPushButton>

namespace zephane {

namespace {

using A = artifact_definition;

constexpr const char* kRestrictions = "Restrictions";
constexpr const char* kCharges = "Charges";
constexpr const char* kFlags = "Flags";
constexpr const char* kAppearance = "Appearance";
constexpr const char* kAttack = "Attack";

constexpr EditorGroup kGroups[] = {
    {kRestrictions, 0}, {kCharges, 0}, {kFlags, 0}, {kAppearance, 1}, {kAttack, 1},
};

constexpr FieldBinding kBindings[] = {
    bind::reference("monster_restriction", 10103, "Monster Restriction:", kRestrictions),
    bind::popup("specialization_restriction", 10105, "Specialization:", kRestrictions),
    bind::decimal_range("initial_charges_lower", "initial_charges_delta", 10113, 10114,
                        "Initial Charges:", kCharges),
    bind::flag("flags", 0, 10115, kFlags),
    bind::flag("flags", 1, 10116, kFlags),
    bind::reference("collection", 10101, "Collection:", kAppearance),
    bind::popup("inventory_sequence", 10109, "Inventory Sequence:", kAppearance),
    bind::reference("projectiles", 10111, "Projectile:", kAttack),
    bind::reference("special_ability", 10107, "Special Ability:", kAttack),
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
