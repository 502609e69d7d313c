#include "skeletal/ui/skmd_dialog.h"

#include "app/control_accessors.h"
#include "framework/xg_dialog.h"
#include "skeletal/skmd_edit.h"
#include "tags/tag_database.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cstdio>

namespace zephane {

using namespace skmd_dialog_control;

namespace {

constexpr int kDecimals = 4;

QString latin(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The dialog's bone list, with one row per bone.
QListWidget* bone_list(XGDialog& dialog, const std::vector<skmd_bone>& bones,
                       const std::function<std::string(const skmd_bone&)>& row_text) {
    auto* list = new QListWidget(&dialog);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumSize(340, 220);
    for (const skmd_bone& bone : bones) list->addItem(latin(row_text(bone)));
    dialog.register_control(kBones, list);
    return list;
}

QLineEdit* number_edit(XGDialog& dialog, int id) {
    auto* edit = new QLineEdit(&dialog);
    edit->setFixedWidth(90);
    edit->setAlignment(Qt::AlignRight);
    dialog.register_control(id, edit);
    return edit;
}

void add_ok_cancel(XGDialog& dialog, QBoxLayout& layout) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    dialog.add_end_buttons(*row, kCancel, QStringLiteral("Cancel"), kOk, QStringLiteral("OK"));
    layout.addLayout(row);
    dialog.set_cancel_id(kCancel);
}

// The selected bone of a list, or null.
skmd_bone* selected_bone(QListWidget& list, std::vector<skmd_bone>& bones) {
    const int row = list.currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= bones.size()) return nullptr;
    return &bones[static_cast<std::size_t>(row)];
}

// Puts the columns above OK and Cancel, shows each bone as it is selected (the first one to
// begin with), and runs the dialog: on OK the edited copy becomes the bones.
bool finish_and_run(XGDialog& dialog, QVBoxLayout& layout, QHBoxLayout* columns, QListWidget& list,
                    const std::function<void()>& show, std::vector<skmd_bone>& copy,
                    std::vector<skmd_bone>& bones) {
    layout.addLayout(columns);
    add_ok_cancel(dialog, layout);
    QObject::connect(&list, &QListWidget::currentRowChanged, &dialog, show);
    list.setCurrentRow(copy.empty() ? -1 : 0);
    show();
    if (dialog.run() != kOk) return false;
    bones = std::move(copy);
    return true;
}

QString box_text(float minimum, float maximum) {
    return QString::asprintf("%.2f .. %.2f", static_cast<double>(minimum), static_cast<double>(maximum));
}

} // namespace

std::string attachment_row_text(const TagDatabase& db, const skmd_bone& bone) {
    std::string text = bone_name(bone);
    const std::uint32_t kind = attachment_kind(bone);
    if (kind == kNoAttachmentKind || is_null_reference(bone.attached)) return text;
    text += " -> ";
    if (kind == 1) text += "LIGHT ";
    if (kind == 2) text += "PROJECTILES ";
    const tag_type type = attachment_type(kind);
    if (const TagEntry* tag = db.find_tag(type, bone.attached))
        return text + tag_id_to_text(type) + " '" + tag->name + "'";
    return text + "(missing tag '" + tag_id_to_text(bone.attached) + "')";
}

bool run_shadow_dialog(QWidget* parent, std::vector<skmd_bone>& bones) {
    XGDialog dialog(kShadowDialogResource, QStringLiteral("Edit Shadows"), parent);
    std::vector<skmd_bone> copy = bones;
    ControlAccessors values([&dialog](int id) { return dialog.find_control(id); }, nullptr);

    auto* layout = new QVBoxLayout(&dialog);
    auto* columns = new QHBoxLayout;
    QListWidget* list = bone_list(dialog, copy, shadow_row_text);
    list->setMinimumWidth(460); // the longest rows name the axis and three measures
    columns->addWidget(list, 1);

    auto* right = new QVBoxLayout;
    auto* align = new QGroupBox(QStringLiteral("Align Cylinder To:"), &dialog);
    auto* align_layout = new QVBoxLayout(align);
    auto* axes = new QButtonGroup(&dialog);
    int axis = 0;
    for (auto [id, text] : {std::pair{kXAxis, "X-Axis"}, std::pair{kYAxis, "Y-Axis"},
                            std::pair{kZAxis, "Z-Axis"}, std::pair{kNoShadow, "No Shadow"}}) {
        auto* radio = new QRadioButton(QString::fromLatin1(text), align);
        dialog.register_control(id, radio);
        axes->addButton(radio, axis++);
        align_layout->addWidget(radio);
    }
    right->addWidget(align);
    auto* cylinder = new QFormLayout;
    cylinder->addRow(QStringLiteral("Near:"), number_edit(dialog, kNear));
    cylinder->addRow(QStringLiteral("Far:"), number_edit(dialog, kFar));
    cylinder->addRow(QStringLiteral("Radius:"), number_edit(dialog, kRadius));
    right->addLayout(cylinder);
    auto* box = new QGroupBox(QStringLiteral("Attached Vertex Bounding Box"), &dialog);
    auto* box_layout = new QFormLayout(box);
    for (auto [id, text] : {std::pair{kBoxX, "X:"}, std::pair{kBoxY, "Y:"}, std::pair{kBoxZ, "Z:"}}) {
        auto* label = new QLabel(box);
        label->setMinimumWidth(150);
        dialog.register_control(id, label);
        box_layout->addRow(QString::fromLatin1(text), label);
    }
    right->addWidget(box);
    right->addStretch(1);
    columns->addLayout(right);

    bool showing = false;
    const auto show = [&] {
        showing = true;
        const skmd_bone* bone = selected_bone(*list, copy);
        for (int id : {kXAxis, kYAxis, kZAxis, kNoShadow, kNear, kFar, kRadius}) values.enable_control(id, bone);
        if (bone) {
            axes->button(static_cast<int>(shadow_axis(*bone)))->setChecked(true);
            values.set_decimal(kNear, bone->shadow_near, kDecimals);
            values.set_decimal(kFar, bone->shadow_far, kDecimals);
            values.set_decimal(kRadius, bone->shadow_radius, kDecimals);
            for (int a = 0; a < 3; ++a)
                dialog.control<QLabel>(kBoxX + a)->setText(box_text(bone->attached_box[2 * a], bone->attached_box[2 * a + 1]));
        }
        showing = false;
    };
    const auto store = [&] {
        skmd_bone* bone = selected_bone(*list, copy);
        if (showing || !bone) return;
        set_shadow_axis(*bone, static_cast<std::uint32_t>(std::max(axes->checkedId(), 0)));
        bone->shadow_near = values.get_decimal(kNear);
        bone->shadow_far = values.get_decimal(kFar);
        bone->shadow_radius = values.get_decimal(kRadius);
        list->currentItem()->setText(latin(shadow_row_text(*bone)));
    };
    QObject::connect(axes, &QButtonGroup::idToggled, &dialog, [&](int, bool on) {
        if (on) store();
    });
    for (int id : {kNear, kFar, kRadius})
        QObject::connect(dialog.control<QLineEdit>(id), &QLineEdit::textEdited, &dialog, store);
    return finish_and_run(dialog, *layout, columns, *list, show, copy, bones);
}

bool run_attachment_dialog(QWidget* parent, const TagDatabase& db, const TagPick& pick,
                           std::vector<skmd_bone>& bones) {
    XGDialog dialog(kAttachmentDialogResource, QStringLiteral("Attachments"), parent);
    std::vector<skmd_bone> copy = bones;
    auto* layout = new QVBoxLayout(&dialog);
    auto* columns = new QHBoxLayout;
    QListWidget* list = bone_list(dialog, copy, [&db](const skmd_bone& b) { return attachment_row_text(db, b); });
    list->setMinimumWidth(420);
    columns->addWidget(list, 1);
    auto* buttons = new QVBoxLayout;
    const std::pair<int, const char*> actions[] = {{kAttachModel, "Attach Model..."},
                                                    {kAttachLight, "Attach Light..."},
                                                    {kAttachProjectiles, "Attach Projectiles..."},
                                                    {kClearAttachment, "Clear"}};
    for (auto [id, text] : actions) {
        auto* button = new QPushButton(QString::fromLatin1(text), &dialog);
        button->setAutoDefault(false);
        dialog.register_control(id, button);
        buttons->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, &dialog, [&, id = id] {
            skmd_bone* bone = selected_bone(*list, copy);
            if (!bone) return;
            if (id == kClearAttachment) {
                bone->attached = kNoTag;
            } else {
                const std::uint32_t kind = static_cast<std::uint32_t>(id - kAttachModel);
                const tag_type type = attachment_type(kind);
                const tag_id current = attachment_kind(*bone) == kind ? bone->attached : kNoTag;
                const tag_id chosen = pick(type, current);
                if (chosen == 0) return; // cancelled
                bone->attached = chosen;
                if (!is_null_reference(chosen)) set_attachment_kind(*bone, kind);
            }
            list->currentItem()->setText(latin(attachment_row_text(db, *bone)));
        });
    }
    buttons->addStretch(1);
    columns->addLayout(buttons);
    const auto enable = [&] {
        for (auto [id, text] : actions) dialog.control<QPushButton>(id)->setEnabled(list->currentRow() >= 0);
    };
    return finish_and_run(dialog, *layout, columns, *list, enable, copy, bones);
}

bool run_wind_dialog(QWidget* parent, std::vector<skmd_bone>& bones) {
    XGDialog dialog(kWindDialogResource, QStringLiteral("Wind Physics"), parent);
    std::vector<skmd_bone> copy = bones;
    ControlAccessors values([&dialog](int id) { return dialog.find_control(id); }, nullptr);
    auto* layout = new QVBoxLayout(&dialog);
    auto* columns = new QHBoxLayout;
    QListWidget* list = bone_list(dialog, copy, bone_name);
    list->setMinimumSize(240, 200);
    columns->addWidget(list, 1);
    auto* right = new QVBoxLayout;
    auto* group = new QGroupBox(QStringLiteral("Response to Wind"), &dialog);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("X:"), number_edit(dialog, kWindX));
    form->addRow(QStringLiteral("Y:"), number_edit(dialog, kWindY));
    form->addRow(QStringLiteral("Z:"), number_edit(dialog, kWindZ));
    right->addWidget(group);
    auto* note = new QLabel(QStringLiteral("1.0 moves the bone fully with the wind; 0.0 holds it still."), &dialog);
    note->setWordWrap(true);
    note->setMaximumWidth(200);
    right->addWidget(note);
    right->addStretch(1);
    columns->addLayout(right);

    bool showing = false;
    const auto show = [&] {
        showing = true;
        const skmd_bone* bone = selected_bone(*list, copy);
        for (int a = 0; a < 3; ++a) {
            values.enable_control(kWindX + a, bone);
            if (bone) values.set_decimal(kWindX + a, bone->value164[a], kDecimals);
        }
        showing = false;
    };
    const auto store = [&] {
        skmd_bone* bone = selected_bone(*list, copy);
        if (showing || !bone) return;
        for (int a = 0; a < 3; ++a) bone->value164[a] = values.get_decimal(kWindX + a);
    };
    for (int id : {kWindX, kWindY, kWindZ})
        QObject::connect(dialog.control<QLineEdit>(id), &QLineEdit::textEdited, &dialog, store);
    return finish_and_run(dialog, *layout, columns, *list, show, copy, bones);
}

} // namespace zephane
