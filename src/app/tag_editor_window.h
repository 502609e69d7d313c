#pragma once
// What the application needs from a tag's editor window. Every tag editor derives from
// TagEditorWindow; the type's editor factory (app/tag_editor_registry.h) makes the window
// with make_tag_editor<T>(db, tag, ...) and returns it. openTag then sets the title, calls
// reload and shows the window.

#include "framework/xg_form.h"
#include "tags/tag_database.h"

#include <string>
#include <vector>

namespace zephane {

// What editors ask of the application: opening tags, showing a tag in its file's window, the
// Tag Info dialog, and how a file's path is shown.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    virtual void openTag(TagEntry& tag, bool alternate) = 0;
    // The tag's file window in front, the tag selected there.
    virtual void reveal_tag_in_file(TagEntry& tag) = 0;
    virtual void show_tag_info(TagEntry& tag, QWidget* parent) = 0;
    virtual std::string file_display_name(const TagFile& file) const = 0;
    // A tag whose file cannot take changes: asks where a copy of it goes and makes it (or
    // finds the one made before); none when the user cancels.
    virtual TagEntry* writable_copy_of(TagEntry& tag, QWidget* parent) = 0;
};

class TagEditorWindow : public XGForm {
    Q_OBJECT

public:
    // Registers the window as the tag's editor (a tag has at most one).
    TagEditorWindow(int resource, TagDatabase& db, TagEntry& tag);
    ~TagEditorWindow() override;

    TagEntry& tag() const { return *tag_; }
    // The window edits another tag from now on (the copy its changes went into).
    void retarget(TagEntry& tag);
    TagDatabase& database() const { return db_; }

    // Runs once the factory has made the window (the header, the layout).
    virtual void finishInit() {}
    // openTag hands the editor the application before reloading it.
    void set_host(EditorHost* host) {
        host_ = host;
        updateHeader();
    }
    EditorHost* host() const { return host_; }

    // Fills the controls from the tag's payload.
    virtual void reload() = 0;
    // A tag somewhere in the database changed; editors that show a reference to it
    // refresh its label.
    virtual void tagChanged(tag_type type, tag_id id) {
        (void)type;
        (void)id;
    }
    // Shows where the tag's file lies.
    virtual void updateHeader() {}

    // The editor open on the tag, if any.
    static TagEditorWindow* of(const TagEntry& tag);
    // Every open editor, oldest first.
    static const std::vector<TagEditorWindow*>& open_editors();

private:
    TagDatabase& db_;
    TagEntry* tag_;
    EditorHost* host_ = nullptr;
};

// "%s (%s/%s)": the tag's name, its id and its type as four characters.
std::string tag_editor_title(const TagEntry& tag);
// The tag's open editor, if any, takes the tag's title and shows its file's path again.
void retitle_tag_editor(const TagEntry& tag);

} // namespace zephane
