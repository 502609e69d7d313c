#include "app/tag_picker_dialog.h"
#include "app/tag_rows.h"
#include "base/text.h"

#include "app/app_texts.h"
#include "framework/xg_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace zephane {

namespace {

constexpr int kList = 2;
constexpr int kIdText = 3;
constexpr int kSizeText = 4;
constexpr int kPathText = 5;
constexpr int kCurrentFileOnly = 6;
constexpr int kShowAllFiles = 7;
constexpr int kSelect = 100;
constexpr int kCancel = 101;
constexpr int kNone = 102;

bool& shows_all_files() {
    static bool all_files = false; // "Current File Only" until the user chooses otherwise
    return all_files;
}

bool holds_type(TagDatabase& db, const TagFile& file, tag_type type) {
    const TagGroup* group = db.find_tag_group(const_cast<TagFile&>(file), type, false);
    return group && !group->entries.empty();
}

bool name_less(const TagEntry* a, const TagEntry* b) {
    return less_ignoring_case(a->name, b->name);
}

// The tags of the type in one file, or in every file in database order; sorted by name.
std::vector<TagEntry*> candidates(TagDatabase& db, tag_type type, const TagFile* only) {
    std::vector<TagEntry*> out;
    for (TagFile& file : db.files()) {
        if (only && &file != only) continue;
        if (TagGroup* group = db.find_tag_group(file, type, false))
            for (TagEntry& entry : group->entries) out.push_back(&entry);
    }
    std::stable_sort(out.begin(), out.end(), name_less);
    return out;
}

QString row_label(const TagEntry& tag) {
    return QStringLiteral("%1 (%2)").arg(QString::fromLatin1(tag.name),
                                          QString::fromLatin1(tag_id_to_text(tag.id)));
}

} // namespace

bool pick_tag_shows_all_files() { return shows_all_files(); }
void set_pick_tag_shows_all_files(bool all_files) { shows_all_files() = all_files; }

tag_id pickTag(QWidget* parent, TagDatabase& db, const TagPickRequest& request) {
    const tag_type type = request.type;
    const TagFile* file = request.file && holds_type(db, *request.file, type) ? request.file : nullptr;
    char title[128];
    std::snprintf(title, sizeof title, "Pick %s (%s)", tag_type_name(type), tag_id_to_text(type));
    XGDialog dialog(kTagPickerResource, QString::fromLatin1(title), parent);
    dialog.set_cancel_id(kCancel);

    auto* layout = new QVBoxLayout(&dialog);
    auto* list = new QListWidget(&dialog);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumSize(320, 240);
    dialog.register_control(kList, list);
    layout->addWidget(list, 1);

    auto* info_box = new QGroupBox(QStringLiteral("Selected Tag"), &dialog);
    auto* info = new QFormLayout(info_box);
    info->setLabelAlignment(Qt::AlignRight);
    const auto add_info = [&](int id, const char* label) {
        auto* text = new QLabel(&dialog);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        dialog.register_control(id, text);
        info->addRow(QString::fromLatin1(label), text);
    };
    add_info(kIdText, text::kIdLabel);
    add_info(kSizeText, "Size:");
    add_info(kPathText, "File:");
    layout->addWidget(info_box);

    auto* scope = new QHBoxLayout;
    auto* current_only = new QRadioButton(QStringLiteral("Current File Only"), &dialog);
    auto* all_files = new QRadioButton(QStringLiteral("Show All Files"), &dialog);
    dialog.register_control(kCurrentFileOnly, current_only);
    dialog.register_control(kShowAllFiles, all_files);
    scope->addWidget(current_only);
    scope->addWidget(all_files);
    scope->addStretch(1);
    layout->addLayout(scope);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(dialog.make_end_button(kNone, QStringLiteral("None")));
    buttons->addStretch(1);
    buttons->addWidget(dialog.make_end_button(kCancel, QString::fromLatin1(text::kCancel)));
    QPushButton* select = dialog.make_end_button(kSelect, QStringLiteral("Select"), true);
    buttons->addWidget(select);
    layout->addLayout(buttons);

    // Opens on the current file when the remembered choice says so and the current
    // identifier is found there, or found nowhere.
    const bool current_here = file && db.find_tag_in_file(*file, type, request.current);
    const bool current_nowhere = !db.find_tag(type, request.current);
    const bool start_in_file = file && !shows_all_files() && (current_here || current_nowhere);
    current_only->setEnabled(file != nullptr);
    all_files->setEnabled(file != nullptr);
    (start_in_file ? current_only : all_files)->setChecked(true);

    std::vector<TagEntry*> shown;
    const auto show_selected = [&] {
        const int row = list->currentRow();
        const TagEntry* tag = row >= 0 && row < static_cast<int>(shown.size()) &&
                                      list->currentItem()->isSelected()
                                  ? shown[static_cast<std::size_t>(row)]
                                  : nullptr;
        select->setEnabled(tag != nullptr);
        if (!tag) {
            for (int id : {kIdText, kSizeText, kPathText})
                dialog.control<QLabel>(id)->clear();
            return;
        }
        dialog.control<QLabel>(kIdText)->setText(QString::fromLatin1(tag_id_to_text(tag->id)));
        dialog.control<QLabel>(kSizeText)->setText(QString::number(TagDatabase::get_tag_size(*tag)));
        const TagFile& owner = *TagDatabase::get_tag_file(*tag);
        std::string path = request.path_of ? request.path_of(owner)
                                           : TagDatabase::tag_file_spec(owner).value_or(
                                                 text::kUnsavedTagFile);
        dialog.control<QLabel>(kPathText)->setText(QString::fromStdString(path));
    };
    const auto fill = [&](tag_id wanted) {
        shown = candidates(db, type, current_only->isChecked() ? file : nullptr);
        const QSignalBlocker quiet(list);
        list->clear();
        const bool every_file = !current_only->isChecked();
        const CopyNotes copies(db, [&](const TagFile& owner) {
            return request.path_of ? request.path_of(owner)
                                   : TagDatabase::tag_file_spec(owner).value_or(text::kUnsavedTagFile);
        });
        for (const TagEntry* tag : shown) {
            auto* item = new QListWidgetItem(row_label(*tag), list);
            const std::optional<CopyNote> note = every_file ? copies.note(*tag) : std::nullopt;
            if (!note) continue;
            item->setText(item->text() + QStringLiteral("  ") + QString::fromStdString(note->suffix));
            item->setToolTip(QString::fromStdString(note->tooltip));
            if (note->overridden)
                item->setForeground(list->palette().color(QPalette::Disabled, QPalette::Text));
        }
        const auto found = std::find_if(shown.begin(), shown.end(),
                                        [wanted](const TagEntry* tag) { return tag->id == wanted; });
        if (!shown.empty())
            list->setCurrentRow(found == shown.end() ? 0 : static_cast<int>(found - shown.begin()));
        show_selected();
    };
    QObject::connect(list, &QListWidget::itemSelectionChanged, &dialog, show_selected);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, [&] { dialog.click(kSelect); });
    const auto rescope = [&](bool checked) {
        if (!checked) return;
        shows_all_files() = all_files->isChecked();
        const int row = list->currentRow();
        fill(row >= 0 && row < static_cast<int>(shown.size()) ? shown[static_cast<std::size_t>(row)]->id
                                                              : request.current);
    };
    QObject::connect(current_only, &QRadioButton::toggled, &dialog, rescope);
    QObject::connect(all_files, &QRadioButton::toggled, &dialog, rescope);
    fill(request.current);
    list->setFocus();

    const int answer = dialog.run();
    if (answer == kNone) return kNoTag;
    if (answer != kSelect) return 0;
    const int row = list->currentRow();
    if (row < 0 || row >= static_cast<int>(shown.size())) return 0;
    const tag_id id = shown[static_cast<std::size_t>(row)]->id;
    return db.find_tag(type, id) ? id : kNoTag;
}

} // namespace zephane
