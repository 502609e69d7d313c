// The monster editor: the graphic ("Use 3D Model" makes it a skeletal model), behaviour,
// distances, ammunition, health, value, projectile groups and string lists; the list of up
// to four attacks, each opened in "Monster Attack Info" (31333) on a copy; "Edit Flags" (150).

#include "definitions/ui/mons_form.h"

#include "app/definition_edit_form.h"
#include "app/list_editor.h"
#include "app/record_dialog.h"
#include "app/dialog_tag_button.h"
#include "app/value_controls.h"
#include "definitions/mons.h"
#include "definitions/mons_bindings.h"
#include "definitions/record_list_edit.h"
#include "definitions/ui/animation_popup.h"
#include "definitions/ui/mons_dialogs.h"
#include "framework/xg_alert.h"
#include "framework/xg_dialog.h"
#include "tags/tag_database.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

namespace zephane {

namespace {

using namespace mons_bindings;
using M = monster_definition;

constexpr EditorGroup kGroups[] = {{kGraphics, 0}, {kBehaviour, 0}, {kAttacks, 0}, {kDistances, 1},
                                   {kAmmunition, 1}, {kHealth, 1}, {kValue, 2}, {kProjectileGroups, 2},
                                   {kStrings, 2}};
constexpr EditorGroup kFlagGroups[] = {{nullptr, 0}};
constexpr EditorGroup kAttackGroups[] = {{nullptr, 0}, {kAttackFlags, 1}};
constexpr int kMaximumAttacks = static_cast<int>(kMonsterAttackSlots);
constexpr tag_type kProjectile = fourcc("proj");

const RecordLayout& attack_layout() { return *find_field(M::kLayout, "attacks")->field->layout; }

class TmonsEditForm : public DefinitionEditForm<M> {
public:
    TmonsEditForm(TagDatabase& db, TagEntry& tag) : DefinitionEditForm(1015, "Monster Window", db, tag, kBindings) {
        EditorPage page(*this, kGroups);
        build_page(page);
        using Dialog = bool (*)(TTagEditForm&, M&);
        for (auto [id, text, run] : {std::tuple{kEditSequences, "Edit Sequences", Dialog{edit_monster_sequences}},
                                     std::tuple{kEditSounds, "Edit Sounds", Dialog{edit_monster_sounds}},
                                     std::tuple{kEditTerrain, "Edit Terrain Movement", Dialog{edit_monster_terrain}}}) {
            QPushButton* button = page.add_button(id, text, kBehaviour);
            connect(button, &QPushButton::clicked, this, [this, run = run] {
                run_reporting_errors(this, [&] {
                    read_controls(); // the graphic and its kind as the window shows them
                    if (run(*this, copy())) contents_changed();
                });
            });
        }
        QPushButton* flags = page.add_button(kEditFlags, "Edit Flags", kBehaviour);
        connect(flags, &QPushButton::clicked, this, [this] { run_reporting_errors(this, [this] { edit_flags(); }); });

        const ListEditor attacks =
            make_list_editor(*this, content(), kAttackList, {220, 90},
                             {{kAddAttack, "Add"}, {kDuplicateAttack, "Duplicate"}, {kDeleteAttack, "Delete"}},
                             [this](int id) { edit_list(id); });
        list_ = attacks.list;
        page.add_row(nullptr, attacks.widget, kAttacks);
        page.finish();
        connect(list_, &QListWidget::currentRowChanged, this, [this] { enable_buttons(); });
        connect(list_, &QListWidget::itemActivated, this,
                [this] { run_reporting_errors(this, [&] { open_attack(); }); });
    }

    void contents_changed() override {
        // "Use 3D Model" relabels the graphic, keeping its identifier.
        if (!filling()) {
            const tag_type type = graphic_type();
            auto* button = qobject_cast<TagReferenceButton*>(find_control(kGraphic));
            if (button && button->type() != type) set_tag_reference(kGraphic, type, get_tag_reference(kGraphic));
            enable_sequences();
        }
        DefinitionEditForm::contents_changed();
    }

protected:
    void after_fill() override {
        show_attacks(list_->currentRow());
        enable_sequences();
    }

private:
    // "Edit Sequences" only while the graphic names a loaded tag.
    void enable_sequences() {
        enable_control(kEditSequences, database().find_tag(graphic_type(), get_tag_reference(kGraphic)) != nullptr);
    }

    tag_type graphic_type() const { return get_boolean(kUse3DModel) ? fourcc("skmd") : fourcc(".256"); }
    int count() const { return static_cast<int>(clamped_list_count(record().number_of_attacks, kMonsterAttackSlots)); }

    void show_attacks(int selected) {
        list_->clear();
        for (int k = 0; k < count(); ++k)
            list_->addItem(QStringLiteral("Attack %1: %2")
                               .arg(k + 1)
                               .arg(dialog_reference_text(database(), kProjectile, record().attacks[k].projectile)));
        list_->setCurrentRow(std::min(selected, count() - 1));
        enable_buttons();
    }

    void enable_buttons() {
        const bool chosen = list_->currentRow() >= 0 && list_->currentRow() < count();
        enable_control(kAddAttack, count() < kMaximumAttacks);
        enable_control(kDuplicateAttack, chosen && count() < kMaximumAttacks);
        enable_control(kDeleteAttack, chosen);
    }

    void edit_list(int command) {
        M& monster = copy();
        RecordListEdit attacks(monster.attacks, monster.number_of_attacks);
        const int row = list_->currentRow();
        const bool chosen = row >= 0 && row < count();
        std::optional<std::size_t> select;
        switch (command) {
        case kAddAttack: select = attacks.insert(attacks.size(), monster_attack{}); break;
        case kDuplicateAttack:
            if (!chosen || attacks.full()) return;
            select = attacks.insert(attacks.size(), monster.attacks[row]);
            break;
        case kDeleteAttack: {
            if (!chosen) return;
            // The slot the list no longer uses keeps its old bytes.
            const monster_attack last = monster.attacks[attacks.size() - 1];
            if (!attacks.remove(static_cast<std::size_t>(row), last)) return;
            select = static_cast<std::size_t>(std::max(0, row - 1));
            break;
        }
        default: return;
        }
        if (!select) return;
        show_attacks(static_cast<int>(*select));
        contents_changed();
    }

    // "Monster Attack Info" on a copy of the selected attack.
    void open_attack() {
        const int row = list_->currentRow();
        if (row < 0 || row >= count()) return;
        read_controls(); // the graphic and its kind as the window shows them
        monster_attack attack = copy().attacks[row];
        const bool skeletal = graphic_type() == fourcc("skmd");
        const tag_id graphic = get_tag_reference(kGraphic);
        tag_id projectile = attack.projectile;
        std::unique_ptr<AnimationPopup> animation;
        RecordDialogForm form{kAttackResource, kAttackTitle, &attack_layout(), kAttackBindings, kAttackGroups,
                              M::kModule};
        form.build = [&](XGDialog& dialog, EditorPage& page) {
            page.add_row("Projectile",
                         make_dialog_tag_row(dialog, *this, kAttackProjectile, kAttackOpenProjectile, kProjectile,
                                             projectile, TagDatabase::get_tag_file(tag())),
                         nullptr);
            auto* box = new QComboBox(&dialog);
            box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            dialog.register_control(kAttackAnimation, box);
            animation = std::make_unique<AnimationPopup>(*box, "(None)");
            // As the projectile's sequences: the model's states, or one name saying why not.
            ModelStateNames names;
            if (!is_null_reference(graphic)) {
                if (!skeletal) names = {{"Collections Unsupported"}, nullptr};
                else if (!database().find_tag(fourcc("skmd"), graphic)) names = {{"(Entry Not Found)"}, nullptr};
                else {
                    names = skeletal_model_state_names(database(), graphic);
                    if (names.problem) names = {{names.problem}, nullptr};
                }
            }
            // The state byte is unsigned: 0xFF is "(None)".
            const std::uint8_t stored = attack.sequence_block.bytes[0];
            const std::int32_t state = skeletal && stored != 0xFF ? stored : -1;
            animation->fill(names, graphic, state);
            page.add_row("Animation State:", box, nullptr);
        };
        form.read = [&](std::span<std::uint8_t> edited) {
            auto& out = *reinterpret_cast<monster_attack*>(edited.data());
            out.projectile = projectile;
            // With a skeletal model the block's first byte is the attack's state; with a
            // collection the block is carried as it is.
            if (skeletal) out.sequence_block.bytes[0] = static_cast<std::uint8_t>(animation->value());
        };
        if (!run_record_dialog(this, form, {reinterpret_cast<std::uint8_t*>(&attack), sizeof attack})) return;
        copy().attacks[row] = attack;
        show_attacks(row);
        contents_changed();
    }

    void edit_flags() {
        read_controls();
        const RecordDialogForm form{kFlagsResource, kFlagsTitle, &M::kLayout, kFlagBindings, kFlagGroups, M::kModule};
        if (run_record_dialog(this, form, bytes())) contents_changed();
    }

    QListWidget* list_ = nullptr;
};

} // namespace

void register_monster_editor() { attach_editor_window<TmonsEditForm>(M::kType); }

} // namespace zephane
