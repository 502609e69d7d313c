#include "app/tag_file_form.h"

#include "app/app_texts.h"
#include "app/command_ids.h"
#include "app/undo_steps.h"
#include "app/zephane_app.h"
#include "framework/xg_alert.h"
#include "framework/xg_frame.h"
#include "base/errors.h"

#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QTimer>
#include <QUndoStack>
#include <filesystem>

namespace zephane {

std::string file_name_without_extension(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot + 4 >= name.size()) name.resize(dot);
    return name;
}

std::string tag_file_title(const TagFile& file) {
    if (!file.spec) return text::kUnsavedTagFile;
    std::string title = file_name_without_extension(*file.spec);
    if (TagDatabase::tag_file_is_locked(file)) title += text::kReadOnlySuffix;
    if (TagDatabase::tag_file_needs_save(file)) title += text::kModifiedSuffix;
    return title;
}

TTagFileForm::TTagFileForm(TZephaneApp& app, TagFile& file)
    : TTagTreeForm(app), file_(&file), undo_stack_(new QUndoStack(this)) {
    mark_clean();
    app_.db().set_file_form(file, static_cast<void*>(this));
    setWindowIcon(QIcon(TTreeView::icon_pixmap(kIconTag)));
    auto* status = new QLabel(this);
    status->setContentsMargins(6, 3, 6, 3);
    status->setWordWrap(true);
    status->hide();
    layout()->addWidget(status);
    register_control(kStatusControl, status);
    updateTitle();
    rebuildTree(true);
}

QString TTagFileForm::status_text() const {
    const QLabel* status = control<QLabel>(kStatusControl);
    return status ? status->text() : QString();
}

void TTagFileForm::set_status(const QString& text) {
    if (QLabel* status = control<QLabel>(kStatusControl)) {
        status->setText(text);
        status->setVisible(!text.isEmpty());
    }
}

TTagFileForm::~TTagFileForm() {
    detach_file();
}

void TTagFileForm::detach_file() {
    if (!file_) return;
    if (file_->form == static_cast<void*>(this)) app_.db().set_file_form(*file_, nullptr);
    file_ = nullptr;
}

void TTagFileForm::close_later() {
    QTimer::singleShot(0, &app_.frame(),
                       [frame = &app_.frame(), self = QPointer<TTagFileForm>(this)] {
                           if (self) frame->discard_form(*self);
                       });
}

void TTagFileForm::updateTitle() {
    if (file_) setWindowTitle(QString::fromLatin1(tag_file_title(*file_)));
}

void TTagFileForm::refresh() {
    ZEPHANE_ASSERT(file_, "tf", "TTagFileForm");
    if (!file_) return;
    updateTitle();
    rebuildTree(true);
}

void TTagFileForm::rebuildTree(bool refresh) {
    if (!file_ || !tree()) return;
    // The gathered change is answered here, title included.
    app_.consume_file_change(*file_);
    updateTitle();
    const RebuildMemory memory = begin_rebuild();
    const RowFilter& filter = row_filter();
    for (TagGroup& group : file_->groups) {
        const bool whole_group = filter.matches_type(group.type);
        TreeRow* group_row = nullptr;
        for (TagEntry& tag : group.entries) {
            if (!whole_group && !filter.matches(tag)) continue;
            if (!group_row) group_row = &add_group_row(group.type, &group);
            add_tag_row(*group_row, tag);
        }
        if (group_row) finish_group(*group_row, memory);
    }
    end_rebuild(memory, refresh);
}

int TTagFileForm::ask_to_save() {
    const QString name = file_->spec
                             ? QString::fromLatin1(file_name_without_extension(*file_->spec))
                             : QString::fromLatin1(text::kTheNewTagFile);
    return xg_alert(this, QString::fromLatin1(text::kSaveWindowTitle),
                    param_text(QString::fromLatin1(text::kSaveWindowText), {name}),
                    {{kSaveButton, QString::fromLatin1(text::kSave)},
                     {kCancelButton, QString::fromLatin1(text::kCancel)},
                     {kDontSaveButton, QString::fromLatin1(text::kDontSave)}},
                    kSaveButton, kCancelButton);
}

bool TTagFileForm::canClose() {
    if (!file_) return true;
    if (!TagDatabase::tag_file_needs_save(*file_)) {
        // An empty file that was never saved holds nothing worth keeping.
        if (!file_->spec && file_->groups.empty()) {
            TagFile& file = *file_;
            detach_file();
            app_.close_file(file);
        }
        return true;
    }
    const int answer = ask_to_save();
    if (answer == kSaveButton) return save();
    if (answer != kDontSaveButton) return false;
    // The editors of the file's tags go before the file's unsaved state does.
    if (!app_.close_file_editors(*file_)) return false;
    TagFile& file = *file_;
    detach_file();
    if (file.spec)
        app_.revert_file(file);
    else
        app_.close_file(file);
    return true;
}

bool TTagFileForm::canQuit() {
    // The program ends: "Don't Save" needs nothing undone, and a later Cancel finds the file
    // as it was.
    if (!file_ || !TagDatabase::tag_file_needs_save(*file_)) return true;
    const int answer = ask_to_save();
    if (answer == kSaveButton) return save();
    return answer == kDontSaveButton;
}

void TTagFileForm::mark_clean() {
    undo_stack_->setClean();
    clean_needs_save_ = file_ && TagDatabase::tag_file_needs_save(*file_);
    ++saves_;
}

void TTagFileForm::push_step(TagFileStep* step) {
    const int saves = saves_;
    undo_stack_->push(step);
    // A command that saved (Save As Plugin while adding) leaves the file as on disk.
    if (saves != saves_) mark_clean();
}

void TTagFileForm::undo_or_redo(bool undoing) {
    const int index = undo_stack_->index() + (undoing ? -1 : 0);
    const auto* step = dynamic_cast<const TagFileStep*>(undo_stack_->command(index));
    if (step && !step->close_editors(undoing)) return;
    if (undoing)
        undo_stack_->undo();
    else
        undo_stack_->redo();
}

void TTagFileForm::step_restored(bool forward) {
    if (!file_) return;
    // The stack moves its index once the step is done: where it is going decides.
    const int arriving = undo_stack_->index() + (forward ? 1 : -1);
    bool in_memory = false; // tags brought back live in memory until the next save
    for (const TagGroup& group : file_->groups)
        for (const TagEntry& tag : group.entries) in_memory = in_memory || tag.dirty;
    const bool modified =
        arriving != undo_stack_->cleanIndex() || clean_needs_save_ || in_memory;
    file_->needupdate = modified;
    file_->needrewrite = modified;
    app_.db().notify_file(*file_);
    app_.flush_changes();
    rebuildTree(true);
}

bool TTagFileForm::command_status(int command, CommandState& state) {
    if (undo_command_status(*undo_stack_, command, state)) {
        state.enabled = state.enabled && file_;
        return true;
    }
    if (shared_command_status(command, state)) return true;
    const std::size_t selected = tree() ? tree()->selection_count() : 0;
    const bool has_file = file_ != nullptr;
    switch (command) {
    case command::kCut:
    case command::kCopy:
    case command::kClear:
        state.enabled = has_file && selected > 0;
        return true;
    case command::kPaste:
        state.enabled = has_file && !app_.clipboard().empty();
        return true;
    case command::kSave:
        state.enabled = has_file && (TagDatabase::tag_file_needs_save(*file_) || !file_->spec);
        return true;
    case command::kSaveAs:
    case command::kCreateTag:
        state.enabled = has_file;
        return true;
    case command::kRevert:
        state.enabled = has_file && TagDatabase::tag_file_needs_save(*file_) && file_->spec;
        return true;
    case command::kImportCinFile:
    case command::kImportCameraMotion:
        state.enabled = has_file;
        return true;
    case command::kImportNewColormap:
    case command::kReplaceColormap:
    case command::kCollapseTerrainDetail:
        state.enabled = has_file;
        return true;
    default:
        return false;
    }
}

bool TTagFileForm::do_command(int command) {
    if (!file_ || !tree()) {
        // Without a file no command acts, but the window's own commands stay its own.
        CommandState state;
        return command_status(command, state);
    }
    if (do_shared_command(command)) return true;
    switch (command) {
    case command::kUndo:
    case command::kRedo:
        undo_or_redo(command == command::kUndo);
        return true;
    case command::kCut:
        cut();
        return true;
    case command::kCopy:
        copy();
        return true;
    case command::kPaste:
        paste();
        return true;
    case command::kClear:
        clear();
        return true;
    case command::kSave:
        save();
        return true;
    case command::kSaveAs:
        save_as();
        return true;
    case command::kRevert:
        revert();
        return true;
    case command::kCreateTag:
        create_tag();
        return true;
    case command::kImportCinFile:
        import_cin_file();
        return true;
    case command::kImportNewColormap:
    case command::kReplaceColormap:
        import_colormap();
        return true;
    case command::kCollapseTerrainDetail:
        collapse_terrain_detail();
        return true;
    case command::kImportCameraMotion:
        import_camera_motion();
        return true;
    default:
        return false;
    }
}

} // namespace zephane
