// The object editor: physics, vitality, scale and flags, and the effect modifiers dialog.

#include "definitions/ui/obje_form.h"

#include "app/definition_edit_form.h"
#include "definitions/obje.h"
#include "definitions/obje_bindings.h"
#include "framework/xg_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace zephane {

namespace {

using namespace obje_bindings;

using O = object_definition;

constexpr const char* kModifierLabels[kEditedEffectModifiers] = {
    "Slashing Damage:", "Kinetic Damage:", "Explosive Damage:", "Electircal Damage:", "Fire Damage:",
    "Paralysis:",       "Stone:",          "Gas Damage:",       "Confusion:",
};

constexpr EditorGroup kGroups[] = {{kPhysics, 0}, {kScale, 0}, {kVitality, 1}, {kFlags, 1}};

class TobjeEditForm : public DefinitionEditForm<O> {
public:
    TobjeEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(1016, "Object Window", db, tag, kBindings) {
        EditorPage page(*this, kGroups);
        build_page(page);
        QPushButton* modifiers = page.add_button(11613, "Edit Effect Modifiers", kVitality);
        connect(modifiers, &QPushButton::clicked, this, [this] {
            if (edit_effect_modifiers(this, copy().effect_modifiers)) contents_changed();
        });
        page.finish();
    }
};

} // namespace

bool edit_effect_modifiers(QWidget* parent, std::int16_t (&modifiers)[16]) {
    XGDialog dialog(kEffectModifiersResource, QStringLiteral("Effect Modifiers"), parent);
    dialog.set_cancel_id(kEffectModifiersCancel);
    auto* layout = new QVBoxLayout(&dialog);
    auto* rows = new QFormLayout;
    rows->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int k = 0; k < kEditedEffectModifiers; ++k) {
        auto* edit = new QLineEdit(&dialog);
        edit->setFixedWidth(EditorPage::edit_width(*edit, 10));
        edit->setAlignment(Qt::AlignRight);
        dialog.register_control(101 + k, edit);
        rows->addRow(QString::fromLatin1(kModifierLabels[k]), edit);
    }
    layout->addLayout(rows);
    dialog.add_end_buttons(*layout, kEffectModifiersCancel, QStringLiteral("Cancel"), kEffectModifiersOk,
                           QStringLiteral("OK"));

    ControlAccessors values([&dialog](int id) { return dialog.find_control(id); }, nullptr);
    for (int k = 0; k < kEditedEffectModifiers; ++k)
        values.set_fixed_8_8(101 + k, modifiers[k]);
    if (dialog.run() != kEffectModifiersOk) return false;
    for (int k = 0; k < kEditedEffectModifiers; ++k)
        modifiers[k] = values.get_fixed_8_8(101 + k);
    return true;
}

void register_object_editor() {
    attach_editor_window<TobjeEditForm>(O::kType);
}

} // namespace zephane
