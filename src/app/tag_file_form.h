#pragma once
// TTagFileForm: the window of one tag file. Its tree lists the file's groups and tags; its
// commands create, copy, paste, delete, rename and save tags; it accepts tag rows dragged
// from other windows and files dropped from the desktop.

#include "app/tag_tree_form.h"
#include "tags/tag_database.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QUndoStack;

namespace zephane {

class TagFileStep;

// The window's title: the file's name without its extension, then " (readonly)" and
// " (modified)" as they apply; "(unsaved tag file)" for a file never saved.
std::string tag_file_title(const TagFile& file);
// The file's name without its extension (the last "." within the last four characters and
// what follows is cut).
std::string file_name_without_extension(const std::string& path);

class TTagFileForm : public TTagTreeForm {
    Q_OBJECT

public:
    // Alert buttons of the close prompt.
    static constexpr int kSaveButton = 101;
    static constexpr int kCancelButton = 102;
    static constexpr int kDontSaveButton = 103;
    // Alert buttons when a second tag would go into a single-tag file under local.
    static constexpr int kNewFilesButton = 111;
    static constexpr int kSaveAsPluginButton = 112;
    // The status line under the rows: what the last import did (hidden while empty).
    static constexpr int kStatusControl = 3;

    // Registers the window with its file.
    TTagFileForm(TZephaneApp& app, TagFile& file);
    ~TTagFileForm() override;

    QString status_text() const;
    void set_status(const QString& text);

    TagFile* file() const { return file_; }

    void rebuildTree(bool refresh) override;
    void updateTitle();
    // The database changed the file: title and rows again.
    void refresh();
    bool canClose() override;
    bool canQuit() override;
    int quit_order() const override { return 1; } // after the editors that apply into files

    bool command_status(int command, CommandState& state) override;
    bool do_command(int command) override;

    bool tree_accepts_drop(const QMimeData& mime) override;
    void tree_drop(const QMimeData& mime) override;

    // Save and Save As; false when nothing was written (cancelled or refused). Save As
    // proposes the folder given, else the file's own.
    bool save();
    bool save_as(const std::string& folder = {});

    // ---- Undo -------------------------------------------------------------------------
    // The window's steps (undo_steps.h); closing the window drops them, saving keeps them.
    QUndoStack& undo_stack() const { return *undo_stack_; }
    void push_step(TagFileStep* step);
    // A step was taken back or done again: modified state, title and rows follow.
    void step_restored(bool forward);

private:
    // The save prompt: kSaveButton, kCancelButton or kDontSaveButton.
    int ask_to_save();
    void cut();
    void copy();
    void paste();
    void clear();
    void revert();
    void create_tag();
    // Command 1006: one Dialog tag per window of an interface description file.
    void import_cin_file();
    // Commands 2016 and 2017: a new texture stack tag from a Photoshop document.
    void import_colormap();
    // Command 2018: the Collapse Terrain Detail dialog into this file.
    void collapse_terrain_detail();
    // Command 1005: a camera animation tag from a 3D Studio ASE file.
    void import_camera_motion();
    // The open-file dialog of an import, starting in the file's folder.
    std::optional<QString> choose_import_file(const char* filter, const char* extension);
    // Reveals the tags' rows and selects them (only them).
    void select_tags(const std::vector<TagEntry*>& tags);
    void drop(const QMimeData& mime);
    void drop_file(TagFile& target, const std::string& path);
    // Adds tags through `add`, which adds them to the file it is given and returns them. A
    // file under a folder named local holds one tag: before a second one arrives the user
    // chooses between new single-tag files beside it and saving this file as a plugin.
    // Returns the tags added to this window's file.
    std::vector<TagEntry*> add_tags(std::size_t adding,
                                    const std::function<std::vector<TagEntry*>(TagFile&)>& add);
    // Writes each tag of an unsaved file into a single-tag file of its own in the folder and
    // opens their windows.
    void place_in_single_files(TagFile& scratch, const std::filesystem::path& folder);
    // Forgets the file: the window no longer shows it.
    void detach_file();
    // Closes the window once the current command is over.
    void close_later();
    void undo_or_redo(bool undoing);
    // The stack's clean index is the file as on disk: the modified state it had then.
    void mark_clean();

    TagFile* file_;
    QUndoStack* undo_stack_;
    bool clean_needs_save_ = false;
    int saves_ = 0; // saves so far (a command that saved marks the stack clean after its step)
};

} // namespace zephane
