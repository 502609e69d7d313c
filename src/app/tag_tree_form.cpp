#include "app/tag_tree_form.h"

#include "app/app_texts.h"
#include "app/command_ids.h"
#include "app/tag_drag.h"
#include "app/tag_editor_window.h"
#include "app/tag_info_dialog.h"
#include "app/undo_steps.h"
#include "app/zephane_app.h"
#include "framework/xg_alert.h"
#include "framework/xg_frame.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace zephane {

namespace {
constexpr int kFilterDelayMs = 150;
}

TTagTreeForm::TTagTreeForm(TZephaneApp& app) : XGForm(kResource), app_(app) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* filter = new QLineEdit(this);
    filter->setPlaceholderText(QString::fromLatin1(text::kFilterPlaceholder));
    filter->setClearButtonEnabled(true);
    auto* view = new TTreeView(this);
    view->set_client(this);
    layout->addWidget(filter);
    layout->addWidget(view, 1);
    register_control(kTreeControl, view);
    register_control(kFilterControl, filter);
    setFocusProxy(view);

    filter_timer_.setSingleShot(true);
    filter_timer_.setInterval(kFilterDelayMs);
    connect(&filter_timer_, &QTimer::timeout, this, [this] { filter_edited(); });
    connect(filter, &QLineEdit::textChanged, this, [this] { filter_timer_.start(); });
    filter->installEventFilter(this);
    // Return in the filter box moves into the rows.
    connect(filter, &QLineEdit::returnPressed, view, [view] { view->setFocus(); });
}

TTagTreeForm::~TTagTreeForm() {
    if (TTreeView* view = tree()) view->set_client(nullptr);
}

QLineEdit* TTagTreeForm::filter_box() const {
    return control<QLineEdit>(kFilterControl);
}

void TTagTreeForm::set_filter(const QString& text) {
    if (QLineEdit* box = filter_box()) {
        QSignalBlocker block(box);
        box->setText(text);
    }
    filter_timer_.stop();
    filter_edited();
}

void TTagTreeForm::filter_edited() {
    const QLineEdit* box = filter_box();
    filter_ = RowFilter(box ? box->text() : QString());
    run_reporting_errors(this, [this] { rebuildTree(true); });
}

// ---- Rebuilding ----------------------------------------------------------------------------

TTagTreeForm::RebuildMemory TTagTreeForm::begin_rebuild() {
    RebuildMemory memory;
    TTreeView* view = tree();
    ++rebuild_count_;
    if (filtered_build_) {
        // Rows the filter opened are not the user's; keep what was open before it.
        memory.expanded = expanded_before_filter_;
    } else {
        for (TreeRow* row = view->first_row(); row && memory.expanded.size() < kMaxNotedGroups;
             row = row->next_sibling)
            if (row->expanded) memory.expanded.push_back(row->data.type);
        if (!filter_.empty()) expanded_before_filter_ = memory.expanded;
    }
    for (const TreeRow* row : view->selection())
        memory.selected.emplace_back(row->data.tag, row->data.type);
    view->remove_all_rows();
    return memory;
}

TreeRow& TTagTreeForm::add_group_row(tag_type type, TagGroup* group) {
    return tree()->add_row(nullptr, group_row_label(type), kIconGroup,
                           RowData{type, group, 0, nullptr});
}

TreeRow& TTagTreeForm::add_tag_row(TreeRow& group_row, TagEntry& tag) {
    return tree()->add_row(&group_row, tag_row_label(tag), tag_row_icon(tag),
                    RowData{group_row.data.type, tag.group, tag.id, &tag});
}

void TTagTreeForm::finish_group(TreeRow& group_row, const RebuildMemory& memory) {
    tree()->sort_children(&group_row);
    const tag_type type = group_row.data.type;
    if (!filter_.empty() ||
        std::find(memory.expanded.begin(), memory.expanded.end(), type) != memory.expanded.end())
        group_row.expanded = true;
}

void TTagTreeForm::end_rebuild(const RebuildMemory& memory, bool refresh) {
    (void)refresh; // the layout is always recomputed: the old one points at removed rows
    TTreeView* view = tree();
    view->sort_children(nullptr);
    filtered_build_ = !filter_.empty();
    if (!memory.selected.empty()) {
        std::unordered_map<const void*, tag_type> tags;
        std::unordered_set<tag_type> groups;
        for (const auto& [tag, type] : memory.selected) {
            if (tag)
                tags.emplace(tag, type);
            else
                groups.insert(type);
        }
        for (TreeRow* group = view->first_row(); group; group = group->next_sibling) {
            if (groups.count(group->data.type)) view->select(*group, true);
            for (TreeRow* row = group->first_child; row; row = row->next_sibling) {
                const auto it = tags.find(row->data.tag);
                if (it != tags.end() && it->second == row->data.type) view->select(*row, true);
            }
        }
    }
    view->update_layout();
}

// ---- Finding rows --------------------------------------------------------------------------

TreeRow* TTagTreeForm::find_group_row(tag_type type) const {
    for (TreeRow* row = tree()->first_row(); row; row = row->next_sibling)
        if (row->data.type == type) return row;
    return nullptr;
}

TreeRow* TTagTreeForm::find_tag_row(const TagEntry& tag) const {
    TreeRow* group = find_group_row(TagDatabase::get_tag_type(tag));
    for (TreeRow* row = group ? group->first_child : nullptr; row; row = row->next_sibling)
        if (row->data.tag == &tag) return row;
    return nullptr;
}

void TTagTreeForm::revealTag(const TagEntry& tag, bool select, bool clear_selection) {
    TTreeView* view = tree();
    if (!view) return;
    if (!find_tag_row(tag) && !row_filter().empty()) set_filter(QString()); // hidden by the filter
    TreeRow* group = find_group_row(TagDatabase::get_tag_type(tag));
    if (!group) return;
    view->set_expanded(*group, true);
    if (!select) {
        view->ensure_visible(*group);
        return;
    }
    TreeRow* row = find_tag_row(tag);
    if (!row) return;
    if (clear_selection) view->clear_selection();
    view->select(*row, true);
    view->ensure_visible(*row);
}

std::vector<TagEntry*> TTagTreeForm::selected_tags() const {
    std::vector<TagEntry*> out;
    std::unordered_set<const TagEntry*> seen;
    const auto add = [&](TagEntry* tag) {
        if (tag && seen.insert(tag).second) out.push_back(tag);
    };
    for (const TreeRow* row : tree()->selection()) {
        if (row->is_group()) {
            for (const TreeRow* child = row->first_child; child; child = child->next_sibling)
                add(child->data.tag);
        } else {
            add(row->data.tag);
        }
    }
    return out;
}

std::vector<TagEntry*> TTagTreeForm::selected_tag_rows() const {
    std::vector<TagEntry*> out;
    for (const TreeRow* row : tree()->selection())
        if (!row->is_group()) out.push_back(row->data.tag);
    return out;
}

// ---- Tree events ---------------------------------------------------------------------------

void TTagTreeForm::tree_before_input() {
    app_.flush_changes();
}

void TTagTreeForm::tree_open(TreeRow& row, bool alternate) {
    TagEntry* tag = row.data.tag;
    if (tag) run_reporting_errors(this, [&] { app_.openTag(*tag, alternate); });
}

void TTagTreeForm::tree_command(int command) {
    run_reporting_errors(this, [&] {
        CommandState state;
        if (command_status(command, state) && state.enabled) do_command(command);
    });
}

std::unique_ptr<QMimeData> TTagTreeForm::tree_drag_data() {
    return make_tag_drag_data(selected_tags());
}

void TTagTreeForm::tree_context_menu(const QPoint& global) {
    QMenu menu(this);
    const std::vector<std::pair<int, const char*>> items = {
        {command::kOpenTag, "Open Tag"},
        {command::kTagInfo, "Tag Info..."},
        {0, nullptr},
        {command::kCut, "Cut"},
        {command::kCopy, "Copy"},
        {command::kPaste, "Paste"},
        {command::kClear, "Clear"},
        {0, nullptr},
        {command::kFindDuplicates, "Find Duplicates"}};
    for (const auto& [id, label] : items) {
        if (id == 0) {
            menu.addSeparator();
            continue;
        }
        CommandState state;
        command_status(id, state);
        QAction* act = menu.addAction(QString::fromLatin1(label));
        act->setEnabled(state.enabled);
        act->setData(id);
    }
    if (QAction* chosen = menu.exec(global)) tree_command(chosen->data().toInt());
}

bool TTagTreeForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == filter_box() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape && !filter_box()->text().isEmpty()) {
            set_filter(QString());
            tree()->setFocus();
            return true;
        }
        if (key == Qt::Key_Down || key == Qt::Key_Escape) {
            tree()->setFocus();
            return true;
        }
    }
    return XGForm::eventFilter(watched, event);
}

void TTagTreeForm::tree_typed(const QString& text) {
    // Typing over the rows filters them.
    QLineEdit* box = filter_box();
    if (!box) return;
    box->setFocus(Qt::ShortcutFocusReason);
    box->insert(text);
}

// ---- Commands both windows offer -----------------------------------------------------------

bool TTagTreeForm::shared_command_status(int command, CommandState& state) {
    const TTreeView* view = tree();
    const std::size_t selected = view ? view->selection_count() : 0;
    switch (command) {
    case command::kOpenTag:
    case command::kTagInfo:
        state.enabled = selected > 0;
        return true;
    case command::kFindDuplicates:
        state.enabled = view && selected < 2;
        return true;
    default:
        return false;
    }
}

bool TTagTreeForm::do_shared_command(int command) {
    if (!tree()) return true;
    switch (command) {
    case command::kOpenTag:
        open_selected_tags();
        return true;
    case command::kTagInfo:
        tag_info_for_selection();
        return true;
    case command::kFindDuplicates:
        find_duplicates();
        return true;
    default:
        return false;
    }
}

void TTagTreeForm::open_selected_tags() {
    for (TagEntry* tag : selected_tag_rows()) app_.openTag(*tag, false);
}

void TTagTreeForm::tag_info_for_selection() {
    // The tags outlive the dialogs (Tag Info renames, re-identifies and moves; it never deletes).
    for (TagEntry* tag : selected_tag_rows()) {
        const auto close_editor = [this](TagEntry& moved) { return app_.close_tag_editor(moved); };
        bool changed = false;
        // Recorded in the undo steps of the file's window (named by what changed).
        record_file_change(app_, *tag->file, {}, [&] {
            changed = run_tag_info_dialog(this, app_.db(), *tag, close_editor);
        });
        if (!changed) continue;
        app_.flush_changes();
        rebuildTree(true);
        revealTag(*tag, true, true);
        retitle_tag_editor(*tag);
    }
}

void TTagTreeForm::find_duplicates() {
    TagDatabase& db = app_.db();
    const auto copies_of = [&db](const TagEntry& tag) {
        std::vector<TagEntry*> copies;
        for (TagEntry* e = db.find_duplicate_tag(tag, true); e;
             e = db.find_duplicate_tag(*e, false))
            copies.push_back(e);
        return copies;
    };
    const auto& selection = tree()->selection();
    if (selection.size() == 1) {
        TagEntry* tag = selection.front()->data.tag;
        if (!tag) return;
        for (TagEntry* copy : copies_of(*tag))
            if (copy != tag) app_.openTag(*copy, false);
        return;
    }
    if (!selection.empty()) return;
    // Nothing selected: the first tag, in database order, that has another tag with its type
    // and id; every copy of it opens.
    std::unordered_map<std::uint64_t, int> counts;
    const auto key = [](const TagEntry& e) {
        return (std::uint64_t{TagDatabase::get_tag_type(e)} << 32) | e.id;
    };
    for (TagEntry* e = db.next_tag(nullptr); e; e = db.next_tag(e)) ++counts[key(*e)];
    for (TagEntry* e = db.next_tag(nullptr); e; e = db.next_tag(e)) {
        if (counts[key(*e)] < 2) continue;
        for (TagEntry* copy : copies_of(*e)) app_.openTag(*copy, false);
        return;
    }
}

} // namespace zephane
