#include "skeletal/ui/skan_dialogs.h"

#include "app/tag_edit_form.h"
#include "framework/xg_dialog.h"
#include "framework/xg_text.h"
#include "skeletal/skan_actions.h"
#include "tags/tag_database.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace zephane {

// ---- Select Origin Bone ---------------------------------------------------------------------

std::optional<AnimationImportOptions> run_origin_bone_dialog(QWidget* parent, const SklFile& file,
                                                             bool for_hierarchy) {
    using namespace origin_bone_control;
    XGDialog dialog(kResource, QStringLiteral("Select Origin Bone"), parent);
    dialog.set_cancel_id(kCancel);
    auto* layout = new QVBoxLayout(&dialog);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns, 1);

    auto* bone_group = new QGroupBox(QStringLiteral("Origin Bone"), &dialog);
    auto* bone_layout = new QVBoxLayout(bone_group);
    auto* bones = new QListWidget(bone_group);
    bones->setSelectionMode(QAbstractItemView::SingleSelection);
    bones->setMinimumSize(220, 220);
    for (const std::string& name : origin_bone_choices(file)) bones->addItem(QString::fromLatin1(name));
    dialog.register_control(kBones, bones);
    bone_layout->addWidget(bones);
    columns->addWidget(bone_group, 1);

    auto* motion = new QGroupBox(QStringLiteral("Motion"), &dialog);
    auto* grid = new QGridLayout(motion);
    const char* axes[4] = {"X Motion:", "Y Motion:", "Z Motion:", "Yaw:"};
    const char* modes[3] = {"Relative", "Absolute", "Zero"};
    QButtonGroup* groups[4] = {};
    for (int axis = 0; axis < 4; ++axis) {
        grid->addWidget(new QLabel(QString::fromLatin1(axes[axis]), motion), axis, 0);
        groups[axis] = new QButtonGroup(&dialog);
        for (int mode = 0; mode < (axis == 3 ? 2 : 3); ++mode) {
            auto* radio = new QRadioButton(QString::fromLatin1(modes[mode]), motion);
            groups[axis]->addButton(radio, mode);
            dialog.register_control(mode_id(axis, mode), radio);
            grid->addWidget(radio, axis, mode + 1);
        }
        groups[axis]->button(0)->setChecked(true);
    }
    auto* loopable = new QCheckBox(QStringLiteral("Make Loopable"), motion);
    dialog.register_control(kMakeLoopable, loopable);
    grid->addWidget(loopable, 4, 0, 1, 4);
    grid->setRowStretch(5, 1);
    motion->setEnabled(!for_hierarchy);
    columns->addWidget(motion);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* select = dialog.make_end_button(kSelect, QStringLiteral("Select"), true);
    buttons->addWidget(select);
    buttons->addWidget(dialog.make_end_button(kNone, QStringLiteral("None")));
    buttons->addWidget(dialog.make_end_button(kCancel, QStringLiteral("Cancel")));
    layout->addLayout(buttons);

    // "Select" needs a bone; a file without "tag_origin_standard" starts with none chosen.
    const auto follow = [&] { select->setEnabled(bones->currentRow() >= 0); };
    QObject::connect(bones, &QListWidget::currentRowChanged, &dialog, follow);
    QObject::connect(bones, &QListWidget::itemDoubleClicked, &dialog, [&] { dialog.end(kSelect); });
    bones->setCurrentRow(default_origin_bone(file));
    follow();

    const int ended = dialog.run();
    if (ended != kSelect && ended != kNone) return std::nullopt;
    AnimationImportOptions options;
    options.origin_bone = ended == kSelect ? bones->currentRow() : -1;
    if (ended == kSelect && options.origin_bone < 0) return std::nullopt;
    for (int axis = 0; axis < 3; ++axis) {
        const int mode = groups[axis]->checkedId();
        options.axes[axis] = mode == 1 ? AxisMotion::absolute : mode == 2 ? AxisMotion::zero : AxisMotion::relative;
    }
    options.yaw = groups[3]->checkedId() == 1 ? YawMotion::absolute : YawMotion::relative;
    options.loopable = loopable->isChecked();
    return options;
}

// ---- Animation Actions -----------------------------------------------------------------------

namespace {

constexpr const char* kActionNames[] = {"No Action",         "Play Sound:",          "Attach Model",
                                        "Attach Light",      "Attach Local Projectiles", "Detach and Delete",
                                        "Detach as Projectile", "Normal Footprint",  "Giant Footprint"};
constexpr int kActionCount = static_cast<int>(std::size(kActionNames));
constexpr const char* kNoTagName = "(tag name)";

} // namespace

bool run_frame_actions_dialog(TTagEditForm& editor, const std::vector<skan_bone_base>& bones,
                              SkanAnimation& animation) {
    using namespace frame_action_control;
    const TagDatabase& db = editor.database();
    SkanAnimation copy = animation; // stored back on OK
    XGDialog dialog(kResource, QStringLiteral("Animation Actions"), &editor);
    dialog.set_cancel_id(kCancel);
    auto* layout = new QVBoxLayout(&dialog);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns, 1);

    auto* frames = new QListWidget(&dialog);
    frames->setSelectionMode(QAbstractItemView::SingleSelection);
    frames->setMinimumSize(300, 260);
    dialog.register_control(kFrameList, frames);
    columns->addWidget(frames, 1);

    auto* action = new QGroupBox(QStringLiteral("Action"), &dialog);
    auto* side = new QVBoxLayout(action);
    auto* types = new QButtonGroup(&dialog);
    for (int type = 0; type < kActionCount; ++type) {
        auto* radio = new QRadioButton(QString::fromLatin1(kActionNames[type]), action);
        types->addButton(radio, type);
        dialog.register_control(kActionTypes + type, radio);
        side->addWidget(radio);
    }
    side->addSpacing(6);
    auto* key_frame = new QCheckBox(QStringLiteral("Key Frame"), action);
    dialog.register_control(kKeyFrame, key_frame);
    side->addWidget(key_frame);
    auto* tag = new QPushButton(QString::fromLatin1(kNoTagName), action);
    tag->setAutoDefault(false);
    tag->setMinimumWidth(180);
    dialog.register_control(kTag, tag);
    side->addWidget(tag);
    auto* bone_row = new QHBoxLayout;
    bone_row->addWidget(new QLabel(QStringLiteral("Bone:"), action));
    auto* bone = new QComboBox(action);
    bone->setMinimumContentsLength(16);
    bone->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    dialog.register_control(kBone, bone);
    bone_row->addWidget(bone, 1);
    side->addLayout(bone_row);
    side->addStretch(1);
    columns->addWidget(action);

    dialog.add_end_buttons(*layout, kCancel, QStringLiteral("Cancel"), kOk, QStringLiteral("OK"));

    const auto current = [&]() -> skan_frame* {
        const int row = frames->currentRow();
        if (row < 0 || row >= static_cast<int>(copy.frames.size())) return nullptr;
        return &copy.frames[static_cast<std::size_t>(row)].record;
    };
    const auto relabel = [&](int row) {
        if (QListWidgetItem* item = frames->item(row))
            item->setText(QString::fromLatin1(skan_frame_action_text(db, bones, copy, row)));
    };
    // The bone choice: "None" (-1), then every bone of the hierarchy; a stored index that names
    // no bone is offered as it is, so leaving it alone keeps it.
    const auto fill_bones = [&](int stored) {
        const QSignalBlocker quiet(bone);
        bone->clear();
        bone->addItem(QStringLiteral("None"), -1);
        for (std::size_t b = 0; b < bones.size(); ++b)
            bone->addItem(QString::fromLatin1(skan_name(bones[b].name)), static_cast<int>(b));
        const int index = bone->findData(stored);
        if (index >= 0) {
            bone->setCurrentIndex(index);
        } else {
            bone->addItem(QStringLiteral("invalid %1").arg(stored), stored);
            bone->setCurrentIndex(bone->count() - 1);
        }
    };
    const auto show_frame = [&] {
        const skan_frame* record = current();
        action->setEnabled(record != nullptr);
        if (!record) return;
        const QSignalBlocker quiet_types(types), quiet_key(key_frame);
        const int type = record->action & kSkanActionTypeMask;
        if (type < kActionCount) {
            types->button(type)->setChecked(true);
        } else { // an unknown type: no button stands for it until one is chosen
            types->setExclusive(false);
            for (QAbstractButton* b : types->buttons()) b->setChecked(false);
            types->setExclusive(true);
        }
        key_frame->setChecked(record->action & kSkanKeyFrame);
        const tag_type kind = skan_action_tag_type(record->action);
        tag->setEnabled(kind != 0);
        const TagEntry* target = kind && !is_null_reference(record->action_tag)
                                     ? db.find_tag(kind, record->action_tag) : nullptr;
        tag->setText(target ? QString::fromLatin1(target->name)
                            : kind && !is_null_reference(record->action_tag)
                                  ? QStringLiteral("(missing %1)").arg(QString::fromLatin1(tag_id_to_text(record->action_tag)))
                                  : QString::fromLatin1(kNoTagName));
        fill_bones(skan_action_bone(*record));
    };
    const auto changed = [&] {
        relabel(frames->currentRow());
        show_frame();
    };

    QObject::connect(frames, &QListWidget::currentRowChanged, &dialog, show_frame);
    QObject::connect(types, &QButtonGroup::idClicked, &dialog, [&](int type) {
        skan_frame* record = current();
        if (!record) return;
        const tag_type before = skan_action_tag_type(record->action);
        record->action = static_cast<std::uint16_t>((record->action & ~kSkanActionTypeMask) | type);
        // A tag of another type means nothing to the new action.
        if (skan_action_tag_type(record->action) != before) record->action_tag = kNoTag;
        changed();
    });
    QObject::connect(key_frame, &QCheckBox::clicked, &dialog, [&](bool on) {
        skan_frame* record = current();
        if (!record) return;
        record->action = static_cast<std::uint16_t>(on ? record->action | kSkanKeyFrame
                                                       : record->action & ~kSkanKeyFrame);
        changed();
    });
    QObject::connect(tag, &QPushButton::clicked, &dialog, [&] {
        skan_frame* record = current();
        const tag_type kind = record ? skan_action_tag_type(record->action) : 0;
        if (!kind) return;
        const tag_id chosen = editor.pick_tag(kind, record->action_tag);
        if (chosen == 0) return; // cancelled
        record->action_tag = chosen;
        changed();
    });
    QObject::connect(bone, &QComboBox::activated, &dialog, [&](int index) {
        skan_frame* record = current();
        if (!record || index < 0) return;
        set_skan_action_bone(*record, static_cast<std::int16_t>(bone->itemData(index).toInt()));
        changed();
    });

    for (int row = 0; row < static_cast<int>(copy.frames.size()); ++row) {
        frames->addItem(QString());
        relabel(row);
    }
    // Wide enough for the longest text, within reason.
    int widest = 0;
    for (int row = 0; row < frames->count(); ++row)
        widest = std::max(widest, frames->fontMetrics().horizontalAdvance(frames->item(row)->text()));
    frames->setMinimumWidth(std::clamp(widest + 40, 300, 620));
    frames->setCurrentRow(copy.frames.empty() ? -1 : 0);
    show_frame();

    if (dialog.run() != kOk) return false;
    for (std::size_t f = 0; f < copy.frames.size() && f < animation.frames.size(); ++f)
        animation.frames[f].record = copy.frames[f].record;
    return true;
}

} // namespace zephane
