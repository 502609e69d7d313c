// The object editor: physics, vitality, scale and flags, and the effect modifiers dialog.

#include "definitions/ui/obje_form.h"

#include "app/definition_edit_form.h"
#include "definitions/obje.h"
#include "framework/xg_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace zephane {

namespace {

using O = object_definition;

constexpr const char* kModifierLabels[kEditedEffectModifiers] = {
    "Slashing Damage:", "Kinetic Damage:", "Explosive Damage:", "Electircal Damage:", "Fire Damage:",
    "Paralysis:",       "Stone:",          "Gas Damage:",       "Confusion:",
};

constexpr const char* kPhysics = "Physics";
constexpr const char* kVitality = "Vitality";
constexpr const char* kScale = "Scale";
constexpr const char* kFlags = "Flags";
constexpr EditorGroup kGroups[] = {{kPhysics, 0}, {kScale, 0}, {kVitality, 1}, {kFlags, 1}};

constexpr FieldBinding kBindings[] = {
    bind::number("gravity", 11601, "Gravity (WU / ticks ^ 2):", kPhysics),
    bind::number("terminal_velocity", 11602, "Terminal Velocity:", kPhysics),
    bind::number("elastic_coefficient", 11603, "Elastic Coefficient:", kPhysics),
    bind::range("scale_lower", "scale_delta", 11606, 11607, "Scale Fraction:", kScale),
    bind::range("maximum_vitality_lower", "maximum_vitality_delta", 11604, 11605,
                "Maximum Vitality:", kVitality),
    bind::number("minimum_damage", 11608, "Minimum Damage:", kVitality),
    bind::flag("flags", 0, 11609, kFlags),
    bind::flag("flags", 1, 11610, kFlags),
    bind::flag("flags", 2, 11611, kFlags),
    bind::flag("flags", 3, 11612, kFlags),
};

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
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(dialog.make_end_button(kEffectModifiersCancel, QStringLiteral("Cancel")));
    buttons->addWidget(dialog.make_end_button(kEffectModifiersOk, QStringLiteral("OK"), true));
    layout->addLayout(buttons);

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
