#include "app/zephane_app.h"
#include "base/text.h"

#include "app/all_tag_form.h"
#include "app/app_settings.h"
#include "app/app_texts.h"
#include "app/check_workspace_form.h"
#include "app/file_menu_commands.h"
#include "app/command_ids.h"
#include "app/find_tag_dialog.h"
#include "app/tag_change_router.h"
#include "app/tag_editor_registry.h"
#include "app/tag_file_form.h"
#include "app/writable_copy.h"
#include "app/tag_info_dialog.h"
#include "app/undo_steps.h"
#include "framework/xg_alert.h"
#include "framework/xg_assertion_report.h"
#include "framework/xg_file_dialog.h"
#include "framework/xg_frame.h"
#include "base/errors.h"
#include "tags/tag_version.h"
#include "workspace/workspace_loading.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QProgressDialog>
#include <QScreen>
#include <QStyle>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace zephane {

namespace {

bool same_folder(std::string a, std::string b) {
    while (a.size() > 1 && a.back() == '/') a.pop_back();
    while (b.size() > 1 && b.back() == '/') b.pop_back();
    return equal_ignoring_case(a, b);
}

// The type's editor (or alternate editor); a type with neither gets the details.
const TagEditorFactory* editor_factory_for(const TagEntry& tag, bool alternate) {
    const tag_type type = TagDatabase::get_tag_type(tag);
    if (const TagEditorFactory* own = tag_editor_factory(type, alternate)) return own;
    if (tag_editor_factory(type, false) || tag_editor_factory(type, true)) return nullptr;
    return fallback_tag_editor();
}

} // namespace

std::string choose_workspace(const std::string& asked, const std::string& program_folder,
                             const QString& last_workspace, const std::string& current_folder) {
    if (!asked.empty())
        return QFileInfo(QString::fromStdString(asked)).absoluteFilePath().toStdString();
    for (const std::string& folder : {program_folder, current_folder})
        if (!folder.empty() && holds_tag_folder(folder)) return folder;
    if (!last_workspace.isEmpty() && QFileInfo(last_workspace).isDir())
        return last_workspace.toStdString();
    return current_folder.empty() ? program_folder : current_folder;
}

std::string workspace_relative_name(const std::string& path, const std::string& workspace) {
    const std::filesystem::path file(path);
    std::string name = file.filename().string();
    for (std::filesystem::path folder = file.parent_path(); !folder.empty();
         folder = folder.parent_path()) {
        if (same_folder(folder.string(), workspace)) return name;
        if (folder == folder.parent_path())
            return folder.string() + name; // the top: "/" and the rest
        name = folder.filename().string() + "/" + name;
    }
    return name;
}

// ---- The application object ---------------------------------------------------------------

TZephaneApp::TZephaneApp(AppOptions options)
    : options_(std::move(options)), db_(std::make_unique<TagDatabase>()),
      settings_(std::make_unique<AppSettings>(options_.settings_file)) {
    workspace_ =
        choose_workspace(options_.workspace, options_.program_folder, settings_->last_workspace(),
                         options_.current_folder);
    TagChangeRouter::Handlers handlers;
    handlers.refresh_file = [this](TagFile& file) {
        if (TTagFileForm* form = file_form(file)) form->refresh();
    };
    handlers.refresh_all_tags = [this] {
        if (all_tags_) all_tags_->rebuildTree(true);
    };
    handlers.tags_changed = [](const std::vector<std::pair<tag_type, tag_id>>& tags) {
        const std::vector<TagEditorWindow*> editors = TagEditorWindow::open_editors();
        for (TagEditorWindow* editor : editors) {
            const TagEntry& own = editor->tag();
            for (const auto& [type, id] : tags) {
                editor->tagChanged(type, id);
                if (type == TagDatabase::get_tag_type(own) && id == own.id)
                    retitle_tag_editor(own);
            }
        }
    };
    handlers.file_loaded = [this] {
        if (on_file_loaded_) on_file_loaded_();
    };
    handlers.report = [this](const std::exception& error) {
        report_exception(frame_.get(), error);
    };
    router_ = std::make_unique<TagChangeRouter>(std::move(handlers));
    db_->set_observer(router_.get());

    frame_ = std::make_unique<XGFrame>(*this);
    frame_->setWindowTitle(QStringLiteral("Zephane - %1")
                               .arg(QFileInfo(QString::fromStdString(workspace_)).fileName()));
    frame_->set_before_command([this] { flush_changes(); });
    frame_->set_on_quit([this] { save_window_settings(); });
    // Unsaved changes in a file without a window (changed from the all-tags window) get a
    // window, and so the question, before the program ends.
    frame_->set_before_quit([this] {
        for (TagFile& file : db_->files())
            if (TagDatabase::tag_file_needs_save(file) && !file.form &&
                (file.spec || !file.groups.empty()))
                show_file_form(file);
    });
    if (!frame_->restoreGeometry(settings_->main_geometry())) {
        // First run: most of the screen, centred.
        const QRect screen = QGuiApplication::primaryScreen()
                                 ? QGuiApplication::primaryScreen()->availableGeometry()
                                 : QRect(0, 0, 1280, 800);
        const QSize size(screen.width() * 9 / 10, screen.height() * 9 / 10);
        frame_->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, screen));
    }
    frame_->restoreState(settings_->main_state());
    build_menus();
    install_assertion_report([this] { return static_cast<QWidget*>(frame_.get()); });
}

TZephaneApp::~TZephaneApp() {
    set_assertion_handler({});
    // Windows first: they detach from files and tags the database still owns.
    frame_.reset();
    db_->set_observer(nullptr);
}

void TZephaneApp::save_window_settings() {
    settings_->set_main_window(frame_->saveGeometry(), frame_->saveState());
    settings_->sync();
}

void TZephaneApp::start() {
    if (!load_workspace_folders()) {
        TagFile* file = db_->create_tag_file();
        show_file_form(*file);
    } else {
        settings_->set_last_workspace(QString::fromStdString(workspace_));
        show_all_tags();
    }
    // What kept folders from loading is said in the window, not only in the debug log.
    const std::string problem = workspace_problem(workspace_);
    if (!problem.empty())
        xg_alert(frame_.get(), QString::fromLatin1(text::kWorkspaceProblemTitle),
                 QString::fromStdString(problem), {{1, QString::fromLatin1(text::kOk)}}, 1, 1);
}

void TZephaneApp::open_tags(const std::vector<std::string>& type_ids) {
    for (const std::string& type_id : type_ids) {
        const tag_type type = text_to_tag_id(type_id.substr(0, 4));
        const tag_id id = type_id.size() > 5 ? text_to_tag_id(type_id.substr(5)) : 0;
        TagEntry* tag = db_->find_tag(type, id);
        if (!tag) {
            xg_alert(frame_.get(), QStringLiteral("Open Tag"),
                     QStringLiteral("No loaded tag is %1.").arg(QString::fromStdString(type_id)),
                     {{1, QString::fromLatin1(text::kOk)}}, 1, 1);
            continue;
        }
        // A type with only an alternate editor opens that.
        const tag_type type_code = TagDatabase::get_tag_type(*tag);
        const bool alternate =
            !tag_editor_factory(type_code, false) && tag_editor_factory(type_code, true);
        run_reporting_errors(frame_.get(), [&] { openTag(*tag, alternate); });
    }
}

bool TZephaneApp::load_workspace_folders() {
    const std::size_t total = count_workspace_files(workspace_);
    QProgressDialog progress(QStringLiteral("Loading tag files..."), QString(), 0,
                             static_cast<int>(std::min<std::size_t>(total, 1u << 30)),
                             frame_.get());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    std::size_t loaded = 0;
    on_file_loaded_ = [&] {
        if (++loaded % 64 != 0) return;
        progress.setValue(static_cast<int>(std::min(loaded, total)));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    router_->set_loading(true);
    bool any = false;
    try {
        any = zephane::load_workspace_folders(*db_, workspace_);
    } catch (...) {
        router_->set_loading(false);
        on_file_loaded_ = nullptr;
        throw;
    }
    router_->set_loading(false);
    on_file_loaded_ = nullptr;
    progress.setValue(progress.maximum());
    return any;
}

// ---- Windows -------------------------------------------------------------------------------

TTagFileForm* TZephaneApp::file_form(const TagFile& file) const {
    return static_cast<TTagFileForm*>(TagDatabase::get_file_form(file));
}

TTagFileForm& TZephaneApp::show_file_form(TagFile& file) {
    if (TTagFileForm* form = file_form(file)) {
        frame_->bring_to_front(*form);
        return *form;
    }
    return static_cast<TTagFileForm&>(
        frame_->add_form(std::make_unique<TTagFileForm>(*this, file)));
}

TAllTagForm& TZephaneApp::show_all_tags() {
    if (!all_tags_) {
        auto form = std::make_unique<TAllTagForm>(*this);
        all_tags_ = form.get();
        frame_->add_form(std::move(form));
    } else {
        all_tags_->rebuildTree(true);
        frame_->bring_to_front(*all_tags_);
    }
    return *all_tags_;
}

void TZephaneApp::openTag(TagEntry& tag, bool alternate) {
    TagFile& file = *TagDatabase::get_tag_file(tag);
    // The file's window, which comes forward with the editor, points at the tag.
    TTagFileForm& file_window = show_file_form(file);
    flush_changes();
    file_window.revealTag(tag, true, true);
    const bool converted = update_tag_version(*db_, tag);
    TagEditorWindow* editor = TagEditorWindow::of(tag);
    if (editor) {
        frame_->bring_to_front(*editor);
    } else if (const TagEditorFactory* make = editor_factory_for(tag, alternate)) {
        std::unique_ptr<TagEditorWindow> made = (*make)(*db_, tag);
        editor = TagEditorWindow::of(tag);
        if (made && made.get() == editor) {
            editor->setWindowTitle(QString::fromLatin1(tag_editor_title(tag)));
            editor->set_host(this);
            editor->reload();
            frame_->add_form(std::move(made));
        } else {
            editor = nullptr; // a factory that made no window for this tag opens nothing
        }
    }
    if (converted) {
        xg_alert(frame_.get(), QString::fromLatin1(text::kDataFormatUpdatedTitle),
                 QString::fromLatin1(text::kDataFormatUpdatedText),
                 {{1, QString::fromLatin1(text::kOk)}}, 1, 1);
    }
    if (!editor) {
        TTagFileForm& form = show_file_form(file);
        flush_changes();
        form.revealTag(tag, true, true);
    }
}

void TZephaneApp::reveal_tag_in_file(TagEntry& tag) {
    TTagFileForm& form = show_file_form(*TagDatabase::get_tag_file(tag));
    flush_changes();
    form.revealTag(tag, true, true);
}

void TZephaneApp::show_tag_info(TagEntry& tag, QWidget* parent) {
    // Asked from the tag's own editor, which cannot close itself in the middle of its command.
    const auto may_change_type = [](TagEntry& edited) {
        if (TagEditorWindow::of(edited))
            throw UserError(edited.name + " - Close the tag's editor before moving the tag to another type.");
        return true;
    };
    bool changed = false;
    record_file_change(*this, *tag.file, {}, [&] {
        changed = run_tag_info_dialog(parent, *db_, tag, may_change_type);
    });
    if (!changed) return;
    flush_changes();
    if (TTagFileForm* form = file_form(*TagDatabase::get_tag_file(tag))) {
        form->rebuildTree(true);
        form->revealTag(tag, true, true);
    }
    retitle_tag_editor(tag);
}

bool TZephaneApp::close_tag_editor(TagEntry& tag) {
    TagEditorWindow* editor = TagEditorWindow::of(tag);
    return !editor || frame_->close_form(*editor);
}

bool TZephaneApp::close_file_editors(TagFile& file) {
    const std::vector<TagEditorWindow*> editors = TagEditorWindow::open_editors();
    for (TagEditorWindow* editor : editors)
        if (editor->tag().file == &file && !frame_->close_form(*editor)) return false;
    return true;
}

void TZephaneApp::close_file(TagFile& file) {
    clipboard_.forget_file(file);
    db_->close_tag_file(file);
}

TagFile* TZephaneApp::revert_file(TagFile& file) {
    clipboard_.forget_file(file);
    return db_->revert_tag_file(file);
}

void TZephaneApp::flush_changes() {
    router_->flush();
}
void TZephaneApp::consume_file_change(TagFile& file) {
    router_->consume(file);
}
void TZephaneApp::consume_all_tags_change() {
    router_->consume_all_tags();
}

std::string TZephaneApp::file_display_name(const TagFile& file) const {
    if (!file.spec) return text::kUnsavedTagFile;
    return workspace_relative_name(*file.spec, workspace_);
}

TagEntry* TZephaneApp::writable_copy_of(TagEntry& tag, QWidget* parent) {
    return make_writable_copy(parent, *this, tag);
}

void TZephaneApp::add_recent_file(const std::string& path) {
    settings_->add_recent_file(QString::fromStdString(path));
}

// ---- Commands ------------------------------------------------------------------------------

bool TZephaneApp::command_status(int command, CommandState& state) {
    switch (command) {
    case command::kBuildPluginFromLocal:
    case command::kNew:
    case command::kOpen:
    case command::kFrameworkCommand:
    case command::kBuildFoundationTags:
    case command::kOpenCompleteTagList:
    case command::kUpdateTagFormats:
    case command::kFindTag:
    case command::kCheckWorkspace:
        state.enabled = true;
        return true;
    case command::kClearRecentFiles:
        state.enabled = !settings_->recent_files().isEmpty();
        return true;
    default:
        break;
    }
    if (command >= command::kFirstRecentFile && command <= command::kLastRecentFile) {
        state.enabled = command - command::kFirstRecentFile < settings_->recent_files().size();
        return true;
    }
    return false;
}

bool TZephaneApp::do_command(int command) {
    switch (command) {
    case command::kNew:
        show_file_form(*db_->create_tag_file());
        return true;
    case command::kOpen:
        open_file_command();
        return true;
    case command::kFrameworkCommand:
        frame_->close();
        return true;
    case command::kBuildFoundationTags:
        build_foundation_tags_command(*this);
        return true;
    case command::kUpdateTagFormats:
        update_tag_formats_command(*this);
        return true;
    case command::kOpenCompleteTagList:
        show_all_tags();
        return false;
    case command::kBuildPluginFromLocal:
        build_plugin_from_local_command(*this);
        return true;
    case command::kFindTag:
        find_tag_command();
        return true;
    case command::kCheckWorkspace:
        show_check_workspace(*this);
        return true;
    case command::kClearRecentFiles:
        settings_->clear_recent_files();
        return true;
    default:
        break;
    }
    if (command >= command::kFirstRecentFile && command <= command::kLastRecentFile) {
        const QStringList files = settings_->recent_files();
        const int index = command - command::kFirstRecentFile;
        if (index < files.size()) open_path(files[index]);
        return true;
    }
    return false;
}

void TZephaneApp::open_file_command() {
    FileDialogRequest request;
    request.kind = FileDialogRequest::kOpen;
    request.filter = QString::fromLatin1(text::kTagFileFilter);
    request.default_extension = QString::fromLatin1(text::kTagExtension);
    request.folder = QString::fromStdString(workspace_);
    if (const std::optional<QString> path = xg_choose_file(frame_.get(), request)) open_path(*path);
}

void TZephaneApp::open_path(const QString& path) {
    const std::string target = QFileInfo(path).absoluteFilePath().toStdString();
    TagFileFailure failure;
    TagFile* file = db_->read_tag_file(target, false, &failure);
    if (!file) {
        // Nothing opens, but the user learns why.
        if (failure.reason == TagFileFailure::kUnreadable) settings_->remove_recent_file(path);
        xg_alert(frame_.get(), QString::fromLatin1(text::kCannotOpenTitle),
                 QString::fromStdString(failure.message.empty() ? target + " is not a tag file"
                                                                : failure.message),
                 {{1, QString::fromLatin1(text::kOk)}}, 1, 1);
        return;
    }
    show_file_form(*file);
    add_recent_file(target);
}

void TZephaneApp::find_tag_command() {
    const auto typed = run_find_tag_dialog(frame_.get(), last_find);
    if (!typed) return;
    last_find = *typed;
    if (TagEntry* tag = db_->find_tag(typed->first, typed->second)) openTag(*tag, false);
}

} // namespace zephane
