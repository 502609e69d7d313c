// The sound list editor: a row per entry showing its sound. "Add" picks a sound for a new
// entry, "Duplicate" copies the selected entry below it, "Delete" removes it, "Change..."
// picks another sound for it; a double-click opens the entry's sound. Each entry keeps its
// four unswapped bytes when entries move.

#include "definitions/ui/soli_form.h"

#include "app/definition_edit_form.h"
#include "app/list_editor.h"
#include "framework/xg_alert.h"
#include "definitions/record_list_edit.h"
#include "definitions/soli.h"
#include "definitions/value_format.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <algorithm>
#include <optional>

namespace zephane {

namespace {

using S = sound_list_definition;

constexpr int kList = 12201;
constexpr int kAdd = 12202;
constexpr int kDuplicate = 12203;
constexpr int kDelete = 12204;
constexpr int kChange = 12205;
constexpr int kMaximum = static_cast<int>(kSoundListEntries);
constexpr tag_type kSound = fourcc("soun");

class TsoliEditForm : public DefinitionEditForm<S> {
public:
    TsoliEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(1022, "Sound Lists Window", db, tag, {}) {
        auto* layout = new QHBoxLayout(content());
        layout->setContentsMargins(10, 10, 10, 10);
        const ListEditor entries =
            make_list_editor(*this, content(), kList, {300, 240},
                             {{kAdd, "Add"}, {kDuplicate, "Duplicate"}, {kDelete, "Delete"}, {kChange, "Change..."}},
                             [this](int id) { edit(id); });
        list_ = entries.list;
        layout->addWidget(entries.widget, 1);
        connect(list_, &QListWidget::currentRowChanged, this, [this] { enable_buttons(); });
        connect(list_, &QListWidget::itemDoubleClicked, this,
                [this] { run_reporting_errors(this, [&] { open_selected(); }); });
    }

    void tagChanged(tag_type type, tag_id id) override {
        DefinitionEditForm::tagChanged(type, id);
        if (type != kSound) return;
        for (int k = 0; k < count(); ++k)
            if (copy().entries[k].sound == id) list_->item(k)->setText(row_text(k));
    }

protected:
    void after_fill() override { show_entries(list_->currentRow()); }

private:
    int count() const {
        return static_cast<int>(clamped_list_count(record().entry_count, kSoundListEntries));
    }

    QString row_text(int k) const {
        return QStringLiteral("%1. %2").arg(k + 1).arg(QString::fromLatin1(format_tag_reference(
            database(), kSound, record().entries[k].sound)));
    }

    void show_entries(int selected) {
        list_->clear();
        for (int k = 0; k < count(); ++k) list_->addItem(row_text(k));
        list_->setCurrentRow(std::min(selected, count() - 1));
        enable_buttons();
    }

    void enable_buttons() {
        const bool chosen = list_->currentRow() >= 0;
        enable_control(kAdd, count() < kMaximum);
        enable_control(kDuplicate, chosen && count() < kMaximum);
        enable_control(kDelete, chosen);
        enable_control(kChange, chosen);
    }

    void edit(int command) {
        S& list = copy();
        RecordListEdit entries(list.entries, list.entry_count);
        const int row = list_->currentRow();
        const auto at = static_cast<std::size_t>(std::max(row, 0));
        std::optional<std::size_t> select = at;
        switch (command) {
        case kAdd: {
            if (entries.full()) return;
            const tag_id sound = pick_tag(kSound, row >= 0 ? list.entries[row].sound : kNoTag);
            if (sound == 0 || sound == kNoTag) return; // cancelled, or no sound to add
            select = entries.insert(entries.size(), sound_list_entry{sound, {0, 0, 0, 0}});
            break;
        }
        case kDuplicate:
            if (row < 0) return;
            select = entries.duplicate(at);
            break;
        case kDelete:
            if (row < 0 || !entries.remove(at, sound_list_entry{kNoTag, {0, 0, 0, 0}})) return;
            break;
        case kChange: {
            if (row < 0) return;
            const tag_id sound = pick_tag(kSound, list.entries[row].sound);
            if (sound == 0) return;
            list.entries[row].sound = sound;
            break;
        }
        default: return;
        }
        if (!select) return;
        show_entries(static_cast<int>(*select));
        contents_changed();
    }

    void open_selected() {
        const int row = list_->currentRow();
        if (row < 0 || !host()) return;
        if (TagEntry* sound = database().find_tag(kSound, record().entries[row].sound))
            host()->openTag(*sound, false);
    }

    QListWidget* list_ = nullptr;
};

} // namespace

void register_sound_list_editor() {
    attach_editor_window<TsoliEditForm>(S::kType);
}

} // namespace zephane
