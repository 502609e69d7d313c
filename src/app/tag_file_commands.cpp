// The commands of a tag file window: the clipboard, deleting, saving, reverting, creating
// tags, and what is dropped on it.

#include "app/app_texts.h"
#include "app/create_tag_dialog.h"
#include "app/tag_drag.h"
#include "app/tag_editor_registry.h"
#include "app/tag_file_form.h"
#include "app/undo_steps.h"
#include "app/zephane_app.h"
#include "framework/xg_alert.h"
#include "framework/xg_file_dialog.h"
#include "base/errors.h"
#include "tags/tag_file_writer.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUndoStack>
#include <QUrl>
#include <filesystem>

namespace zephane {

namespace {

bool is_loaded(TagDatabase& db, const std::string& path) {
    for (const TagFile& file : db.files())
        if (file.spec && *file.spec == path) return true;
    return false;
}

[[noreturn]] void refuse(const TagFile& file, const std::string& why) {
    throw UserError(TagDatabase::tag_file_display_name(file) + " - " + why);
}

} // namespace

// ---- Clipboard and deleting ----------------------------------------------------------------

void TTagFileForm::cut() {
    TagDatabase& db = app_.db();
    TagClipboard& clipboard = app_.clipboard();
    const std::vector<TagEntry*> tags = selected_tags();
    clipboard.clipboard_reset(tags.size());
    TagFileRecorder recorder(*this);
    recorder.will_remove(tags);
    recorder.run(QStringLiteral("Cut"), [&] {
        for (TagEntry* tag : tags) {
            if (!app_.close_tag_editor(*tag)) continue;
            // Only a tag whose payload reached the clipboard leaves the file: one whose
            // payload cannot be read (or is empty) would otherwise be lost.
            if (!clipboard.clipboard_add(db, *tag, false)) continue;
            clipboard.forget(tag);
            db.delete_tag(*tag);
        }
    });
    rebuildTree(true);
}

void TTagFileForm::copy() {
    TagDatabase& db = app_.db();
    TagClipboard& clipboard = app_.clipboard();
    const std::vector<TagEntry*> tags = selected_tags();
    clipboard.clipboard_reset(tags.size());
    for (TagEntry* tag : tags) clipboard.clipboard_add(db, *tag, true);
}

void TTagFileForm::paste() {
    TagClipboard& clipboard = app_.clipboard();
    std::vector<TagEntry*> added;
    TagFileRecorder(*this).run(QStringLiteral("Paste"), [&] {
        added = add_tags(clipboard.records().size(),
                         [&](TagFile& target) { return clipboard.paste(app_.db(), target); });
    });
    rebuildTree(true);
    select_tags(added);
}

void TTagFileForm::select_tags(const std::vector<TagEntry*>& tags) {
    bool first = true;
    for (const TagEntry* tag : tags) {
        revealTag(*tag, true, first);
        first = false;
    }
    if (!tags.empty()) tree()->update_layout();
}

void TTagFileForm::clear() {
    TagDatabase& db = app_.db();
    const std::vector<TagEntry*> tags = selected_tags();
    TagFileRecorder recorder(*this);
    recorder.will_remove(tags);
    recorder.run(QStringLiteral("Clear"), [&] {
        for (TagEntry* tag : tags) {
            if (!app_.close_tag_editor(*tag)) continue;
            app_.clipboard().forget(tag);
            db.delete_tag(*tag);
        }
    });
    rebuildTree(true);
}

// ---- Saving --------------------------------------------------------------------------------

bool TTagFileForm::save() {
    if (!file_->spec) return save_as();
    app_.db().save_tag_file(*file_);
    mark_clean();
    updateTitle();
    rebuildTree(true);
    return true;
}

bool TTagFileForm::save_as(const std::string& folder) {
    TagDatabase& db = app_.db();
    FileDialogRequest request;
    request.kind = FileDialogRequest::kSave;
    request.filter = QString::fromLatin1(text::kAllFilesFilter);
    request.proposed =
        file_->spec
            ? QString::fromStdString(std::filesystem::path(*file_->spec).filename().string())
            : QString::fromLatin1(text::kUntitledFileName);
    request.folder =
        !folder.empty() ? QString::fromStdString(folder)
        : file_->spec
            ? QString::fromStdString(std::filesystem::path(*file_->spec).parent_path().string())
            : QString::fromStdString(app_.workspace());
    const std::optional<QString> chosen = xg_choose_file(this, request);
    if (!chosen) return false;
    const std::string target = QFileInfo(*chosen).absoluteFilePath().toStdString();
    if (file_->spec && (*file_->spec == target ||
                        QFileInfo(QString::fromStdString(*file_->spec)) == QFileInfo(*chosen)))
        return save();

    // A tag file at the chosen path, loaded or not, is never written over. Reading it to find
    // out must not leave it in the workspace, where it would take part in every lookup.
    const bool was_loaded = is_loaded(db, target);
    if (TagFile* existing = db.read_tag_file(target, false)) {
        if (!was_loaded && !existing->form) app_.close_file(*existing);
        xg_alert(
            this, QString::fromLatin1(text::kSave),
            param_text(QString::fromLatin1(text::kSaveAsRefused), {QString::fromStdString(target)}),
            {{1, QString::fromLatin1(text::kOk)}}, 1, 1);
        return false;
    }
    if (file_->kind == kFileKindPatch || file_->kind == kFileKindBase)
        refuse(*file_, "Cannot modify base tags or patches.");
    if (resolve_save_kind(target, file_tag_count(*file_)) == TAG_FILE_TYPE_AUTO)
        refuse(*file_, kLocalFileHoldsOneTag);
    TagFileFailure failure;
    if (!db.write_tag_file(target, *file_, true, TAG_FILE_TYPE_AUTO, &failure, true))
        refuse(*file_, "The file could not be written: " + failure.message + ".");
    app_.add_recent_file(target);
    mark_clean();
    updateTitle();
    rebuildTree(true);
    return true;
}

void TTagFileForm::revert() {
    if (!app_.close_file_editors(*file_)) return;
    TagFile& old = *file_;
    detach_file();
    TagFile* fresh = app_.revert_file(old);
    if (!fresh) {
        // The file could not be read again: there is nothing left to show.
        close_later();
        return;
    }
    if (fresh->form) {
        // Reading gave back a file that already has a window (it cannot happen for a file
        // that was just read, but a window never takes over another's file).
        close_later();
        return;
    }
    file_ = fresh;
    app_.db().set_file_form(*fresh, static_cast<void*>(this));
    // The file is read again: the steps described the one that is gone.
    undo_stack_->clear();
    mark_clean();
    refresh();
}

// ---- Creating ------------------------------------------------------------------------------

void TTagFileForm::create_tag() {
    TagDatabase& db = app_.db();
    const std::optional<NewTagChoice> choice =
        run_create_tag_dialog(this, db, *file_, app_.last_created_type);
    if (!choice) return;
    TagEntry* created = nullptr;
    const TagCreator* creator = tag_creator(choice->type);
    TagFileRecorder recorder(*this);
    recorder.run(QStringLiteral("Create Tag"), [&] { add_tags(1, [&](TagFile& target) -> std::vector<TagEntry*> {
        TagEntry* tag = db.add_tag(&target, choice->type, choice->id,
                                   tag_type_version(choice->type), choice->name, 0, 0, std::nullopt);
        if (!tag) return {};
        if (creator)
            creator->fill(this, db, *tag);
        else if (const TagDefaultsOp defaults = tag_type_defaults(choice->type))
            defaults(db, *tag);
        if (!tag->data) {
            db.delete_tag(*tag);
            if (creator) return {}; // the user cancelled the creator's dialog
            throw UserError(param_text(QString::fromLatin1(text::kNoNewTagPayload),
                                       {QString::fromLatin1(tag_type_plural_name(choice->type))})
                                .toStdString());
        }
        created = tag;
        return {tag};
    }); });
    rebuildTree(true);
    if (!created) return;
    if (created->file == file_) revealTag(*created, true, true);
    app_.openTag(*created, creator && creator->opens_alternate);
}

// ---- Drops ---------------------------------------------------------------------------------

bool TTagFileForm::tree_accepts_drop(const QMimeData& mime) {
    if (!file_) return false;
    if (has_tag_drag_data(mime)) return true;
    for (const QUrl& url : mime.urls())
        if (url.isLocalFile()) return true;
    return false;
}

void TTagFileForm::tree_drop(const QMimeData& mime) {
    if (!file_) return;
    run_reporting_errors(this, [&] {
        TagFileRecorder(*this).run(QStringLiteral("Drop"), [&] { drop(mime); });
        rebuildTree(true);
    });
}

void TTagFileForm::drop(const QMimeData& mime) {
    {
        TagDatabase& db = app_.db();
        if (has_tag_drag_data(mime)) {
            std::vector<DraggedTag> dragged;
            for (DraggedTag& one : read_tag_drag_data(mime, db))
                if (one.file != file_ && !db.find_tag_in_file(*file_, one.type, one.id))
                    dragged.push_back(one);
            if (dragged.empty()) return;
            add_tags(dragged.size(), [&](TagFile& target) {
                std::vector<TagEntry*> added;
                for (const DraggedTag& one : dragged) {
                    const Payload* payload = db.get_tag_data(*one.tag);
                    if (!payload) continue;
                    added.push_back(db.add_tag(&target, one.type, one.id, one.tag->version,
                                               one.tag->name, 0,
                                               static_cast<std::uint32_t>(payload->size()), *payload));
                }
                return added;
            });
        } else {
            std::vector<std::string> paths;
            for (const QUrl& url : mime.urls())
                if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isDir())
                    paths.push_back(QFileInfo(url.toLocalFile()).absoluteFilePath().toStdString());
            if (paths.empty()) return;
            add_tags(paths.size(), [&](TagFile& target) {
                for (const std::string& path : paths) drop_file(target, path);
                return std::vector<TagEntry*>{};
            });
        }
    }
}

void TTagFileForm::drop_file(TagFile& target, const std::string& path) {
    TagDatabase& db = app_.db();
    const bool was_loaded = is_loaded(db, path);
    if (TagFile* source = db.read_tag_file(path, false)) {
        db.copy_missing_tags(*source, target);
        // A tag file read only for the drop does not join the workspace's lookups.
        if (!was_loaded && !source->form && source != file_ && source != &target)
            app_.close_file(*source);
        return;
    }
    db.import_raw_file(target, path);
}

} // namespace zephane
