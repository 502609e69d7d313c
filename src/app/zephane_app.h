#pragma once
// TZephaneApp: the program's single root. It owns the tag database, the tag clipboard and the
// main window, loads the workspace's folders, opens the first window, handles the File and
// Tag menus' application commands, and opens tags (openTag).

#include "app/tag_editor_window.h"
#include "framework/xg_dispatch.h"
#include "tags/tag_clipboard.h"
#include "tags/tag_database.h"

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QMenu;

namespace zephane {

class AppSettings;
class TAllTagForm;
class TTagFileForm;
class TagChangeRouter;
class XGForm;
class XGFrame;

struct AppOptions {
    // The folder holding 'tags', 'local' and 'plugins'. Empty: as choose_workspace decides.
    std::string workspace;
    std::string program_folder;
    QString settings_file; // empty: the user's own settings
    std::string current_folder = {}; // the folder the program was started in; empty: not considered
};

class TZephaneApp : public XGDispatch, public EditorHost {
public:
    explicit TZephaneApp(AppOptions options);
    ~TZephaneApp() override;
    TZephaneApp(const TZephaneApp&) = delete;
    TZephaneApp& operator=(const TZephaneApp&) = delete;

    // Start-up: loads 'tags', 'local' and 'plugins' (in that order) and opens the all-tags
    // window, or an empty tag file window when none of the folders exists.
    void start();
    // Opens each "TYPE:ID" (the copy a lookup returns) as a double-click would; one that no
    // loaded tag is gets an alert saying so.
    void open_tags(const std::vector<std::string>& type_ids);
    // Loads the three folders; false when none of them could be entered.
    bool load_workspace_folders();

    TagDatabase& db() { return *db_; }
    TagClipboard& clipboard() { return clipboard_; }
    XGFrame& frame() { return *frame_; }
    AppSettings& settings() { return *settings_; }
    const std::string& workspace() const { return workspace_; }

    // ---- Windows ----------------------------------------------------------------------
    // The file's window, made when it has none, in front.
    TTagFileForm& show_file_form(TagFile& file);
    TTagFileForm* file_form(const TagFile& file) const;
    // The all-tags window, made when there is none, rebuilt, in front.
    TAllTagForm& show_all_tags();
    TAllTagForm* all_tags() const { return all_tags_; }
    void all_tags_closed() { all_tags_ = nullptr; }

    // Opens the tag's editor (the alternate one when asked); a type with neither editor gets
    // the read-only details (when registered), else the tag is selected in its file's window.
    void openTag(TagEntry& tag, bool alternate) override;
    void reveal_tag_in_file(TagEntry& tag) override;
    // The Tag Info dialog for one tag; on OK its file's window and editor follow.
    void show_tag_info(TagEntry& tag, QWidget* parent) override;
    // Asks the tag's editor, if one is open, to close; false when it stays open.
    bool close_tag_editor(TagEntry& tag);
    // The same for every tag of the file.
    bool close_file_editors(TagFile& file);
    // Closing and reverting files (their windows must be gone): the clipboard forgets the tags
    // it pasted there while they still exist.
    void close_file(TagFile& file);
    TagFile* revert_file(TagFile& file);

    // Refreshes the windows for every change gathered so far.
    void flush_changes();
    // The file's window has just rebuilt itself; the gathered change needs no refresh.
    void consume_file_change(TagFile& file);
    void consume_all_tags_change();

    // "tags/name.tag": the file's path below the workspace, or its full path outside it.
    std::string file_display_name(const TagFile& file) const override;
    TagEntry* writable_copy_of(TagEntry& tag, QWidget* parent) override;
    void add_recent_file(const std::string& path);

    // Remembered for the program's lifetime.
    tag_type last_created_type = 0;
    std::pair<tag_type, tag_id> last_find{kNoTag, kNoTag};

    bool command_status(int command, CommandState& state) override;
    bool do_command(int command) override;

private:
    void build_menus();
    void open_file_command();
    void open_path(const QString& path);
    void find_tag_command();
    void fill_recent_menu(QMenu& menu);
    void save_window_settings();

    AppOptions options_;
    std::string workspace_;
    std::unique_ptr<TagDatabase> db_;
    TagClipboard clipboard_;
    std::unique_ptr<AppSettings> settings_;
    std::unique_ptr<TagChangeRouter> router_;
    std::unique_ptr<XGFrame> frame_;
    TAllTagForm* all_tags_ = nullptr;
    std::function<void()> on_file_loaded_;
};

// The workspace start-up uses: the one asked for, else the program's folder when it holds a
// tag folder, else the current folder when it does (an installed program lives apart from its
// workspaces), else the last one remembered (when it still exists), else the current folder
// (the program's folder when none is given).
std::string choose_workspace(const std::string& asked, const std::string& program_folder,
                             const QString& last_workspace, const std::string& current_folder = {});

// Names a file by its path below the workspace ("tags/name.tag"), climbing folder by folder
// and comparing names without regard to case; outside the workspace, the whole path.
std::string workspace_relative_name(const std::string& path, const std::string& workspace);

} // namespace zephane
