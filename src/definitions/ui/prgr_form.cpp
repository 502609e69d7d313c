// The projectile group editor: the mesh effect, sound and local projectile group, and the
// list of up to fifteen parts, each edited in dialog 147 on a copy stored only on "OK".

#include "definitions/ui/prgr_form.h"

#include "app/definition_edit_form.h"
#include "app/list_editor.h"
#include "app/record_dialog.h"
#include "app/dialog_tag_button.h"
#include "definitions/prgr.h"
#include "definitions/prgr_bindings.h"
#include "definitions/record_list_edit.h"
#include "framework/xg_alert.h"
#include "framework/xg_dialog.h"

#include <QListWidget>
#include <cstring>

namespace zephane {

namespace {

using namespace prgr_bindings;
using G = projectile_group_definition;

constexpr int kList = 11907;
constexpr int kAdd = 11908;
constexpr int kEdit = 11909;
constexpr int kDuplicate = 11910;
constexpr int kDelete = 11911;
constexpr int kMaximum = static_cast<int>(kProjectileGroupParts);
constexpr tag_type kProjectile = fourcc("proj");
constexpr EditorGroup kGroups[] = {{nullptr, 0}};
constexpr EditorGroup kPartGroups[] = {{nullptr, 0}};

const RecordLayout& part_layout() { return *find_field(G::kLayout, "parts")->field->layout; }

class TprgrEditForm : public DefinitionEditForm<G> {
public:
    TprgrEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(1019, "Projectile Groups Window", db, tag, kBindings) {
        EditorPage page(*this, kGroups);
        build_page(page);
        const ListEditor parts =
            make_list_editor(*this, content(), kList, {260, 200},
                             {{kAdd, "Add"}, {kEdit, "Edit"}, {kDuplicate, "Duplicate"}, {kDelete, "Delete"}},
                             [this](int id) { edit(id); });
        list_ = parts.list;
        page.add_row("Parts:", parts.widget, nullptr);
        page.finish();
        connect(list_, &QListWidget::currentRowChanged, this, [this] { enable_buttons(); });
        connect(list_, &QListWidget::itemDoubleClicked, this,
                [this] { run_reporting_errors(this, [&] { edit(kEdit); }); });
    }

    void tagChanged(tag_type type, tag_id id) override {
        DefinitionEditForm::tagChanged(type, id);
        if (type == kProjectile) show_parts(list_->currentRow());
    }

protected:
    void after_fill() override { show_parts(list_->currentRow()); }

private:
    int count() const { return static_cast<int>(clamped_list_count(record().number_of_parts, kProjectileGroupParts)); }

    void show_parts(int selected) {
        list_->clear();
        for (int k = 0; k < count(); ++k)
            list_->addItem(dialog_reference_text(database(), kProjectile, record().parts[k].projectile));
        list_->setCurrentRow(std::min(selected, count() - 1));
        enable_buttons();
    }

    void enable_buttons() {
        const int row = list_->currentRow();
        const bool chosen = row >= 0 && row < count();
        enable_control(kAdd, count() < kMaximum);
        enable_control(kEdit, chosen);
        enable_control(kDuplicate, chosen && count() < kMaximum);
        enable_control(kDelete, chosen && count() > 0);
    }

    // Dialog 147 on the part: true, with the part changed, on "OK".
    bool edit_part(projectile_group_part& part) {
        tag_id projectile = part.projectile;
        RecordDialogForm form{kPartResource, kPartTitle, &part_layout(), kPartBindings, kPartGroups,
                              G::kModule};
        form.build = [&](XGDialog& dialog, EditorPage& page) {
            // Any projectile, from every file.
            page.add_row("Projectile:",
                         make_dialog_tag_row(dialog, *this, kPartProjectile, kPartOpenProjectile, kProjectile,
                                             projectile, nullptr),
                         nullptr);
        };
        form.read = [&](std::span<std::uint8_t> edited) {
            std::memcpy(edited.data() + offsetof(projectile_group_part, projectile), &projectile, sizeof projectile);
        };
        return run_record_dialog(this, form,
                                 {reinterpret_cast<std::uint8_t*>(&part), sizeof(projectile_group_part)});
    }

    void edit(int command) {
        G& group = copy();
        RecordListEdit parts(group.parts, group.number_of_parts);
        const int row = list_->currentRow();
        const bool chosen = row >= 0 && row < count();
        switch (command) {
        case kAdd:
        case kDuplicate: {
            ZEPHANE_CHECK(!parts.full(), "def.number_of_parts < MAXIMUM_NUMBER_OF_PARTS_PER_PROJECTILE_GROUP",
                          G::kModule);
            if (command == kDuplicate && !chosen) return;
            projectile_group_part part{};
            if (command == kDuplicate)
                part = group.parts[row];
            else
                part.projectile = kNoTag;
            if (!edit_part(part)) return;
            parts.insert(parts.size(), part);
            break;
        }
        case kEdit: {
            if (!chosen) return;
            projectile_group_part part = group.parts[row];
            if (!edit_part(part)) return;
            group.parts[row] = part;
            break;
        }
        case kDelete:
            ZEPHANE_CHECK(parts.size() > 0, "def.number_of_parts > 0", G::kModule);
            if (!chosen || !parts.remove(static_cast<std::size_t>(row), projectile_group_part{})) return;
            break;
        default: return;
        }
        show_parts(count() - 1); // after each change the last row is selected
        contents_changed();
    }

    QListWidget* list_ = nullptr;
};

} // namespace

void register_projectile_group_editor() { attach_editor_window<TprgrEditForm>(G::kType); }

} // namespace zephane
