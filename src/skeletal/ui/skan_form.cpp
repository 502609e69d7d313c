#include "skeletal/ui/skan_form.h"

#include "app/tag_edit_form.h"
#include "base/errors.h"
#include "base/posix_file.h"
#include "framework/xg_alert.h"
#include "framework/xg_file_dialog.h"
#include "framework/xg_text.h"
#include "skeletal/skan_edit.h"
#include "skeletal/skan_import.h"
#include "skeletal/skan_payload.h"
#include "skeletal/skl_reader.h"
#include "skeletal/ui/skan_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace zephane {

namespace {

using namespace skan_control;

constexpr int kIndexRole = Qt::UserRole;         // state, entry or animation index
constexpr int kEntryAnimationRole = Qt::UserRole + 1; // a state entry's animation

QString number_text(double value) { return QString::number(value, 'g', 6); }

// A typed number, or nothing for text that is none.
std::optional<double> typed_number(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

class TskanEditForm : public TTagEditForm {
public:
    TskanEditForm(TagDatabase& db, TagEntry& tag) : TTagEditForm(kResource, "skan", db, tag) {
        auto* columns = new QHBoxLayout(content());
        columns->setContentsMargins(10, 10, 10, 10);
        columns->setSpacing(10);
        auto* left = new QVBoxLayout;
        left->addWidget(build_states(), 1);
        left->addWidget(build_animations(), 1);
        columns->addLayout(left, 1);
        auto* right = new QVBoxLayout;
        right->addWidget(build_hierarchy());
        right->addWidget(build_state());
        right->addWidget(build_animation());
        right->addStretch(1);
        columns->addLayout(right);
    }

protected:
    void do_reload() override {
        if (tag().version != kSkanVersion)
            throw UserError(tag().name + " - The animation cannot be read: " + kSkanVersion1Refusal);
        std::string failure;
        const Payload* payload = database().get_tag_data(tag(), &failure);
        if (!payload) throw UserError(tag().name + " - The animation cannot be read: " + failure);
        std::size_t used = 0;
        SkeletalAnimationSet read;
        try {
            read = load_skan_payload(*payload, &used);
        } catch (const FormatError& e) {
            throw UserError(tag().name + " - The animation cannot be read: " + e.what());
        }
        // Bytes after the last state are not the editor's: they stay as they are.
        tail_.assign(payload->begin() + static_cast<std::ptrdiff_t>(used), payload->end());
        set_ = std::move(read);
        stored_ = save_skan_payload(set_);
        show_set();
    }

    // The undo state is the animation set as Apply lays it out (the tail is not the editor's).
    QByteArray undo_state() override {
        return state_of(save_skan_payload(set_));
    }
    void restore_undo_state(const QByteArray& state) override {
        set_ = load_skan_payload(bytes_of(state));
        show_set();
    }

    void show_set() {
        const int state = selected_state(), entry = selected_entry(), animation = selected_animation();
        fill_animations(animation < 0 ? 0 : animation);
        fill_states(state < 0 ? 0 : state, entry);
        show_hierarchy();
    }

    void do_apply() override {
        Payload bytes = save_skan_payload(set_);
        // Nothing changed: the stored bytes stay exactly as they are.
        if (bytes == stored_) return;
        bytes.insert(bytes.end(), tail_.begin(), tail_.end());
        database().set_tag_data(tag(), std::move(bytes));
    }

    bool differs_from_tag() override { return save_skan_payload(set_) != stored_; }

private:
    // ---- Building ---------------------------------------------------------------------------
    QPushButton* button(int id, const char* text, QWidget* parent) {
        return add_button(id, QString::fromLatin1(text), parent, [this, id] { command(id); });
    }
    QLineEdit* edit(int id, int width, QWidget* parent) {
        auto* e = new QLineEdit(parent);
        if (width > 0) {
            e->setFixedWidth(width);
            e->setAlignment(Qt::AlignRight);
        }
        register_control(id, e);
        return e;
    }
    QLabel* value_label(int id, QWidget* parent) {
        auto* label = new QLabel(parent);
        label->setMinimumWidth(72);
        register_control(id, label);
        return label;
    }
    QCheckBox* check_box(int id, const char* text, QWidget* parent) {
        return add_check_box(id, QString::fromLatin1(text), parent);
    }
    // A typed number; text that is none keeps the stored value and marks the field.
    std::optional<double> checked_number(int id, const QString& text) {
        const std::optional<double> value = typed_number(text);
        mark_control(id, value ? QString() : QStringLiteral("Not a number: the stored value is kept."));
        return value;
    }
    QTreeWidget* tree(int id, QWidget* parent) {
        auto* t = new QTreeWidget(parent);
        t->setHeaderHidden(true);
        t->setColumnCount(1);
        t->setSelectionMode(QAbstractItemView::SingleSelection);
        t->setMinimumSize(220, 150);
        register_control(id, t);
        return t;
    }
    // A tree with its buttons at its right.
    QGroupBox* tree_group(const char* title, QTreeWidget*& out, int id,
                          std::initializer_list<std::pair<int, const char*>> buttons) {
        auto* group = new QGroupBox(QString::fromLatin1(title), content());
        auto* row = new QHBoxLayout(group);
        out = tree(id, group);
        row->addWidget(out, 1);
        auto* column = new QVBoxLayout;
        for (auto [bid, text] : buttons) column->addWidget(button(bid, text, group));
        column->addStretch(1);
        row->addLayout(column);
        return group;
    }

    QGroupBox* build_states() {
        QGroupBox* group = tree_group("States", states_, kStates, {{kNewState, "New"}, {kDeleteState, "Delete"}});
        connect(states_, &QTreeWidget::currentItemChanged, this, [this] { state_selection_changed(); });
        return group;
    }

    QGroupBox* build_animations() {
        QGroupBox* group =
            tree_group("Animations", animations_, kAnimations, {{kImport, "Import..."}, {kDeleteAnimation, "Delete"}});
        animations_->setRootIsDecorated(false);
        connect(animations_, &QTreeWidget::currentItemChanged, this, [this] { show_animation(); });
        connect(animations_, &QTreeWidget::itemChanged, this,
                [this](QTreeWidgetItem* item) { run_reporting_errors(this, [&] { membership_changed(*item); }); });
        return group;
    }

    QGroupBox* build_hierarchy() {
        auto* group = new QGroupBox(QStringLiteral("Hierarchy"), content());
        auto* layout = new QVBoxLayout(group);
        auto* text = new QLabel(group);
        text->setWordWrap(true);
        text->setMinimumWidth(text->fontMetrics().horizontalAdvance(QString::fromLatin1(kChangeHierarchyText)) / 2);
        register_control(kHierarchyText, text);
        layout->addWidget(text);
        auto* row = new QHBoxLayout;
        row->addWidget(button(kSpecify, "Specify", group));
        row->addWidget(button(kChange, "Change", group));
        row->addStretch(1);
        layout->addLayout(row);
        return group;
    }

    QGroupBox* build_state() {
        auto* group = new QGroupBox(QStringLiteral("State"), content());
        auto* form = new QFormLayout(group);
        QLineEdit* name = edit(kStateName, 0, group);
        name->setMaxLength(63);
        form->addRow(QStringLiteral("State Name:"), name);
        form->addRow(check_box(kPauseAtEnd, "Pause at end of animation", group));
        form->addRow(check_box(kKeepWhenCycled, "Keep animation when cycled", group));
        form->addRow(QStringLiteral("Probability:"), edit(kProbability, 72, group));
        connect(name, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (SkanState* state = current_state()) {
                set_skan_name(state->header.name, latin1(text));
                if (QTreeWidgetItem* item = state_item(selected_state())) item->setText(0, text);
                contents_changed();
            }
        });
        for (auto [id, bit] : {std::pair{kPauseAtEnd, 0}, std::pair{kKeepWhenCycled, 1}})
            connect(control<QCheckBox>(id), &QCheckBox::clicked, this, [this, bit = bit](bool on) {
                if (SkanState* state = current_state()) {
                    const auto mask = static_cast<std::uint16_t>(1u << bit);
                    state->header.flags = static_cast<std::uint16_t>(on ? state->header.flags | mask
                                                                        : state->header.flags & ~mask);
                    contents_changed();
                }
            });
        connect(control<QLineEdit>(kProbability), &QLineEdit::textEdited, this, [this](const QString& text) {
            skan_state_entry* entry = current_entry();
            const std::optional<double> value = checked_number(kProbability, text);
            if (!entry || !value) return;
            entry->probability = static_cast<std::uint16_t>(std::lround(std::clamp(*value, 0.0, 65535.0)));
            update_skan_state_total(*current_state());
            contents_changed();
        });
        return group;
    }

    QGroupBox* build_animation() {
        auto* group = new QGroupBox(QStringLiteral("Animation"), content());
        auto* layout = new QVBoxLayout(group);
        auto* form = new QFormLayout;
        QLineEdit* name = edit(kAnimationName, 0, group);
        name->setMaxLength(63);
        name->setMinimumWidth(220);
        form->addRow(QStringLiteral("Animation Name:"), name);
        auto* facts = new QHBoxLayout;
        facts->addWidget(new QLabel(QStringLiteral("Frames:"), group));
        facts->addWidget(value_label(kFrames, group));
        facts->addWidget(new QLabel(QStringLiteral("Bytes:"), group));
        facts->addWidget(value_label(kBytes, group));
        facts->addWidget(new QLabel(QStringLiteral("Delta:"), group));
        facts->addWidget(value_label(kDelta, group));
        facts->addStretch(1);
        form->addRow(facts);
        auto* rate = new QHBoxLayout;
        rate->addWidget(edit(kFramesPerSecond, 72, group));
        rate->addSpacing(12);
        rate->addWidget(new QLabel(QStringLiteral("Seconds:"), group));
        rate->addWidget(value_label(kSeconds, group));
        rate->addStretch(1);
        form->addRow(QStringLiteral("Frames/Sec:"), rate);
        for (auto [id, text] : {std::pair{kFadeIn, "Fade In:"}, std::pair{kFadeOut, "Fade Out:"},
                                std::pair{kInterruptFade, "Interrupt Fade:"}}) {
            auto* row = new QHBoxLayout;
            row->addWidget(edit(id, 72, group));
            row->addWidget(new QLabel(QStringLiteral("secs"), group));
            row->addStretch(1);
            form->addRow(QString::fromLatin1(text), row);
        }
        layout->addLayout(form);
        layout->addWidget(check_box(kFastInterrupt, "Fast Interrupt", group));
        auto* drives = new QButtonGroup(this);
        auto* drive_row = new QHBoxLayout;
        for (auto [id, text] : {std::pair{kTimeDriven, "Time Driven"}, std::pair{kDistanceDriven, "Distance Driven"},
                                std::pair{kTurnDriven, "Turn Driven"}}) {
            auto* radio = new QRadioButton(QString::fromLatin1(text), group);
            drives->addButton(radio, id);
            register_control(id, radio);
            drive_row->addWidget(radio);
        }
        drive_row->addStretch(1);
        layout->addLayout(drive_row);
        auto* actions_row = new QHBoxLayout;
        actions_row->addWidget(button(kFrameActions, "Frame Actions...", group));
        actions_row->addStretch(1);
        layout->addLayout(actions_row);

        connect(name, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (SkanAnimation* animation = current_animation()) {
                set_skan_name(animation->header.name, latin1(text));
                relabel_animation(selected_animation());
                contents_changed();
            }
        });
        connect(control<QLineEdit>(kFramesPerSecond), &QLineEdit::textEdited, this, [this](const QString& text) {
            SkanAnimation* animation = current_animation();
            const std::optional<double> value = checked_number(kFramesPerSecond, text);
            if (!animation || !value) return;
            animation->header.frames_per_second = skan_fixed_8_8(*value);
            show_seconds(*animation);
            contents_changed();
        });
        for (int id : {kFadeIn, kFadeOut, kInterruptFade})
            connect(control<QLineEdit>(id), &QLineEdit::textEdited, this, [this, id](const QString& text) {
                SkanAnimation* animation = current_animation();
                const std::optional<double> value = checked_number(id, text);
                if (!animation || !value) return;
                skan_animation& h = animation->header;
                float& fade = id == kFadeIn ? h.fade_in : id == kFadeOut ? h.fade_out : h.interrupt_fade;
                fade = static_cast<float>(*value);
                contents_changed();
            });
        connect(control<QCheckBox>(kFastInterrupt), &QCheckBox::clicked, this, [this](bool on) {
            if (SkanAnimation* animation = current_animation()) {
                std::uint16_t& flags = animation->header.flags;
                flags = static_cast<std::uint16_t>(on ? flags | kSkanFastInterrupt : flags & ~kSkanFastInterrupt);
                contents_changed();
            }
        });
        connect(drives, &QButtonGroup::idClicked, this, [this](int id) {
            if (SkanAnimation* animation = current_animation()) {
                const SkanDrive drive = id == kDistanceDriven ? SkanDrive::distance
                                        : id == kTurnDriven   ? SkanDrive::turn
                                                              : SkanDrive::time;
                animation->header.flags = with_skan_drive(animation->header.flags, drive);
                contents_changed();
            }
        });
        return group;
    }

    // ---- Selection --------------------------------------------------------------------------
    int selected_state() const {
        const QTreeWidgetItem* item = states_ ? states_->currentItem() : nullptr;
        if (!item) return -1;
        if (item->parent()) item = item->parent();
        return item->data(0, kIndexRole).toInt();
    }
    // The entry selected in the states tree, or -1 when a state itself is.
    int selected_entry() const {
        const QTreeWidgetItem* item = states_ ? states_->currentItem() : nullptr;
        return item && item->parent() ? item->data(0, kIndexRole).toInt() : -1;
    }
    int selected_animation() const {
        const QTreeWidgetItem* item = animations_ ? animations_->currentItem() : nullptr;
        return item ? item->data(0, kIndexRole).toInt() : -1;
    }
    SkanState* current_state() {
        const int s = selected_state();
        return s >= 0 && s < static_cast<int>(set_.states.size()) ? &set_.states[static_cast<std::size_t>(s)] : nullptr;
    }
    SkanAnimation* current_animation() {
        const int a = selected_animation();
        return a >= 0 && a < static_cast<int>(set_.animations.size()) ? &set_.animations[static_cast<std::size_t>(a)]
                                                                       : nullptr;
    }
    // The selected state's entry for the selected animation.
    skan_state_entry* current_entry() {
        SkanState* state = current_state();
        const int a = selected_animation();
        if (!state || a < 0) return nullptr;
        const int e = selected_entry();
        if (e >= 0 && e < static_cast<int>(state->entries.size()) &&
            state->entries[static_cast<std::size_t>(e)].animation == a)
            return &state->entries[static_cast<std::size_t>(e)];
        return find_skan_state_entry(*state, static_cast<std::uint16_t>(a));
    }
    QTreeWidgetItem* state_item(int index) const { return index >= 0 ? states_->topLevelItem(index) : nullptr; }

    QString animation_label(std::size_t index) const {
        return index < set_.animations.size() ? QString::fromLatin1(skan_name(set_.animations[index].header.name))
                                              : QStringLiteral("(missing animation %1)").arg(index);
    }

    // ---- Filling ------------------------------------------------------------------------------
    void fill_states(int select, int entry) {
        {
            const QSignalBlocker quiet(states_);
            states_->clear();
            for (std::size_t s = 0; s < set_.states.size(); ++s) {
                auto* item = new QTreeWidgetItem(states_, {QString::fromLatin1(skan_name(set_.states[s].header.name))});
                item->setData(0, kIndexRole, static_cast<int>(s));
                fill_entries(*item, set_.states[s]);
            }
            states_->expandAll();
            select = std::min(select, states_->topLevelItemCount() - 1);
            QTreeWidgetItem* item = state_item(select);
            if (item && entry >= 0 && entry < item->childCount()) item = item->child(entry);
            states_->setCurrentItem(item);
        }
        state_selection_changed();
    }

    void fill_entries(QTreeWidgetItem& item, const SkanState& state) {
        for (QTreeWidgetItem* child : item.takeChildren()) delete child;
        for (std::size_t e = 0; e < state.entries.size(); ++e) {
            auto* child = new QTreeWidgetItem(&item, {animation_label(state.entries[e].animation)});
            child->setData(0, kIndexRole, static_cast<int>(e));
            child->setData(0, kEntryAnimationRole, static_cast<int>(state.entries[e].animation));
        }
        item.setExpanded(true);
    }

    void fill_animations(int select) {
        {
            const QSignalBlocker quiet(animations_);
            animations_->clear();
            for (std::size_t a = 0; a < set_.animations.size(); ++a) {
                auto* item = new QTreeWidgetItem(animations_, {animation_label(a)});
                item->setData(0, kIndexRole, static_cast<int>(a));
            }
            select = std::min(select, animations_->topLevelItemCount() - 1);
            animations_->setCurrentItem(select >= 0 ? animations_->topLevelItem(select) : nullptr);
        }
        show_animation();
    }

    void relabel_animation(int index) {
        if (index < 0) return;
        const QString label = animation_label(static_cast<std::size_t>(index));
        if (QTreeWidgetItem* item = animations_->topLevelItem(index)) {
            const QSignalBlocker quiet(animations_);
            item->setText(0, label);
        }
        for (int s = 0; s < states_->topLevelItemCount(); ++s) {
            QTreeWidgetItem* state = states_->topLevelItem(s);
            for (int e = 0; e < state->childCount(); ++e)
                if (state->child(e)->data(0, kEntryAnimationRole).toInt() == index) state->child(e)->setText(0, label);
        }
    }

    // The animations' check boxes: whether each is in the selected state (none without one).
    void show_membership() {
        const QSignalBlocker quiet(animations_);
        const SkanState* state = current_state();
        for (int a = 0; a < animations_->topLevelItemCount(); ++a) {
            QTreeWidgetItem* item = animations_->topLevelItem(a);
            if (!state) {
                item->setData(0, Qt::CheckStateRole, QVariant());
                item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
                continue;
            }
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            const bool in = find_skan_state_entry(*state, static_cast<std::uint16_t>(a)) != nullptr;
            item->setCheckState(0, in ? Qt::Checked : Qt::Unchecked);
        }
    }

    void state_selection_changed() {
        // An animation chosen in a state is also chosen in the animations tree.
        if (const QTreeWidgetItem* item = states_->currentItem(); item && item->parent()) {
            const int animation = item->data(0, kEntryAnimationRole).toInt();
            if (QTreeWidgetItem* target = animations_->topLevelItem(animation)) {
                const QSignalBlocker quiet(animations_);
                animations_->setCurrentItem(target);
            }
        }
        const SkanState* state = current_state();
        const QSignalBlocker quiet_name(control<QLineEdit>(kStateName));
        control<QLineEdit>(kStateName)->setText(state ? QString::fromLatin1(skan_name(state->header.name)) : QString());
        set_boolean(kPauseAtEnd, state && (state->header.flags & 1u));
        set_boolean(kKeepWhenCycled, state && (state->header.flags & 2u));
        for (int id : {kStateName, kPauseAtEnd, kKeepWhenCycled, kDeleteState}) enable_control(id, state != nullptr);
        show_membership();
        show_animation();
    }

    void show_seconds(const SkanAnimation& animation) {
        const double rate = animation.header.frames_per_second / 256.0;
        control<QLabel>(kSeconds)->setText(
            rate > 0 ? QString::number(static_cast<double>(animation.frames.size()) / rate, 'f', 2) : QStringLiteral("--"));
    }

    void show_animation() {
        const SkanAnimation* animation = current_animation();
        for (int id : {kAnimationName, kFramesPerSecond, kFadeIn, kFadeOut, kInterruptFade, kFastInterrupt, kTimeDriven,
                       kDistanceDriven, kTurnDriven, kDeleteAnimation})
            enable_control(id, animation != nullptr);
        enable_control(kFrameActions, animation && !animation->frames.empty());
        const auto put = [this](int id, const QString& text) {
            auto* e = control<QLineEdit>(id);
            const QSignalBlocker quiet(e);
            e->setText(text);
            mark_control(id, {});
        };
        if (!animation) {
            for (int id : {kAnimationName, kFramesPerSecond, kFadeIn, kFadeOut, kInterruptFade}) put(id, {});
            for (int id : {kFrames, kBytes, kDelta, kSeconds}) control<QLabel>(id)->clear();
            set_boolean(kFastInterrupt, false);
            show_drive(0, false);
        } else {
            const skan_animation& h = animation->header;
            put(kAnimationName, QString::fromLatin1(skan_name(h.name)));
            put(kFramesPerSecond, number_text(h.frames_per_second / 256.0));
            put(kFadeIn, number_text(static_cast<double>(h.fade_in)));
            put(kFadeOut, number_text(static_cast<double>(h.fade_out)));
            put(kInterruptFade, number_text(static_cast<double>(h.interrupt_fade)));
            control<QLabel>(kFrames)->setText(QString::number(animation->frames.size()));
            control<QLabel>(kBytes)->setText(
                QString::number(skan_animation_size(set_.bones.size(), animation->frames.size())));
            control<QLabel>(kDelta)->setText(QString::number(skan_motion_total(*animation), 'f', 2));
            show_seconds(*animation);
            set_boolean(kFastInterrupt, h.flags & kSkanFastInterrupt);
            show_drive(h.flags, true);
        }
        show_probability();
    }

    void show_drive(std::uint16_t flags, bool shown) {
        const SkanDrive drive = skan_drive(flags);
        for (auto [id, d] : {std::pair{kTimeDriven, SkanDrive::time}, std::pair{kDistanceDriven, SkanDrive::distance},
                             std::pair{kTurnDriven, SkanDrive::turn}}) {
            auto* radio = control<QRadioButton>(id);
            const QSignalBlocker quiet(radio);
            radio->setChecked(shown && drive == d);
        }
    }

    void show_probability() {
        const skan_state_entry* entry = current_entry();
        auto* e = control<QLineEdit>(kProbability);
        const QSignalBlocker quiet(e);
        e->setText(entry ? QString::number(entry->probability) : QString());
        mark_control(kProbability, {});
        enable_control(kProbability, entry != nullptr);
    }

    void show_hierarchy() {
        const bool has = skan_has_hierarchy(set_);
        control<QLabel>(kHierarchyText)->setText(QString::fromLatin1(has ? kChangeHierarchyText : kNoHierarchyText));
        enable_control(kSpecify, !has);
        enable_control(kChange, has);
    }

    // ---- Commands ---------------------------------------------------------------------------
    void membership_changed(QTreeWidgetItem& item) {
        SkanState* state = current_state();
        if (!state || !(item.flags() & Qt::ItemIsUserCheckable)) return;
        const auto animation = static_cast<std::uint16_t>(item.data(0, kIndexRole).toInt());
        const bool in = find_skan_state_entry(*state, animation) != nullptr;
        const bool wanted = item.checkState(0) == Qt::Checked;
        if (in == wanted) return;
        if (wanted) {
            if (!add_skan_state_entry(*state, animation, 1)) {
                show_membership();
                throw UserError("A state holds at most 65535 animations.");
            }
        } else {
            remove_skan_state_entries(*state, animation);
        }
        const int s = selected_state();
        {
            const QSignalBlocker quiet(states_);
            fill_entries(*state_item(s), *state);
            states_->setCurrentItem(state_item(s));
        }
        show_probability();
        contents_changed();
    }

    void command(int id) {
        switch (id) {
        case kNewState:
            set_.states.push_back(new_skan_state());
            fill_states(static_cast<int>(set_.states.size()) - 1, -1);
            break;
        case kDeleteState: {
            const int s = selected_state();
            if (s < 0) return;
            const int e = selected_entry();
            auto& state = set_.states[static_cast<std::size_t>(s)];
            if (e >= 0 && e < static_cast<int>(state.entries.size())) {
                state.entries.erase(state.entries.begin() + e);
                update_skan_state_total(state);
            } else {
                set_.states.erase(set_.states.begin() + s);
            }
            fill_states(s, -1);
            break;
        }
        case kDeleteAnimation: {
            const int a = selected_animation();
            if (a < 0 || !delete_skan_animation(set_, static_cast<std::size_t>(a))) return;
            const int s = selected_state();
            fill_animations(a);
            fill_states(s, -1);
            break;
        }
        case kImport:
            import_animation();
            return;
        case kSpecify:
        case kChange:
            change_hierarchy();
            return;
        case kFrameActions: {
            SkanAnimation* animation = current_animation();
            if (!animation || !run_frame_actions_dialog(*this, set_.bones, *animation)) return;
            break;
        }
        default: return;
        }
        contents_changed();
    }

    // A chosen and parsed skeleton-export file, or nothing when cancelled.
    std::optional<std::pair<std::string, SklFile>> choose_skeleton_file() {
        FileDialogRequest request;
        request.kind = FileDialogRequest::kOpen;
        request.filter = QString::fromLatin1(kSklFileFilter);
        request.default_extension = QStringLiteral("skl");
        const std::optional<QString> path = xg_choose_file(this, request);
        if (!path) return std::nullopt;
        const std::string file = path->toStdString();
        const auto bytes = read_whole_file(file);
        if (!bytes) throw UserError(file + " - The file cannot be read.");
        return std::pair{file, read_skeleton_export(*bytes)};
    }

    void import_animation() {
        if (!skan_has_hierarchy(set_)) throw UserError(kNoHierarchyText);
        auto chosen = choose_skeleton_file();
        if (!chosen) return;
        const auto& [path, file] = *chosen;
        if (file.frames.empty()) throw UserError(path + " - The file has no frames.");
        const std::optional<AnimationImportOptions> options = run_origin_bone_dialog(this, file, false);
        if (!options) return;
        const std::size_t kept = file.frames.size() - (options->loopable && file.frames.size() >= 2 ? 1 : 0);
        if (kept > 0xFFFF)
            throw UserError(path + " - The file has " + std::to_string(kept) + " frames; an animation holds 65535.");
        set_.animations.push_back(import_skan_animation(file, set_.bones, *options, animation_name_for(path)));
        fill_animations(static_cast<int>(set_.animations.size()) - 1);
        fill_states(selected_state(), selected_entry());
        contents_changed();
    }

    void change_hierarchy() {
        auto chosen = choose_skeleton_file();
        if (!chosen) return;
        const auto& [path, file] = *chosen;
        const std::optional<AnimationImportOptions> options = run_origin_bone_dialog(this, file, true);
        if (!options) return;
        std::vector<skan_bone_base> bones = build_skan_hierarchy(file, options->origin_bone);
        if (bones.empty()) throw UserError(path + " - The file has no bones for a hierarchy.");
        set_skan_hierarchy(set_, std::move(bones));
        show_hierarchy();
        show_animation();
        contents_changed();
    }

    SkeletalAnimationSet set_;
    Payload stored_; // the tag as the editor read it, laid out again
    Payload tail_;   // bytes after the last state
    QTreeWidget* states_ = nullptr;
    QTreeWidget* animations_ = nullptr;
};

} // namespace

void register_skeletal_animation_editor() {
    attach_tag_editor(kSkeletalAnimationTagType,
                      [](TagDatabase& db, TagEntry& tag) { return make_tag_editor<TskanEditForm>(db, tag); });
}

} // namespace zephane
