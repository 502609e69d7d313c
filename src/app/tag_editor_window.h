#pragma once
// What the application needs from a tag's editor window. Every tag editor derives from
// TagEditorWindow; the type's editor factory, attached to the type table with
// attach_tag_editor, creates the window with make_tag_editor<T>(db, tag, ...). openTag then
// sets the title, calls reload and shows the window.

#include "framework/xg_form.h"
#include "tags/tag_database.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zephane {

class TagEditorWindow : public XGForm {
    Q_OBJECT

public:
    // Registers the window as the tag's editor (a tag has at most one).
    TagEditorWindow(int resource, TagDatabase& db, TagEntry& tag);
    ~TagEditorWindow() override;

    TagEntry& tag() const { return *tag_; }
    TagDatabase& database() const { return db_; }

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
};

// "%s (%s/%s)": the tag's name, its id and its type as four characters.
std::string tag_editor_title(const TagEntry& tag);

// Editor factories hand the window they made to openTag through here.
void adopt_tag_editor(std::unique_ptr<TagEditorWindow> editor);
std::unique_ptr<TagEditorWindow> take_adopted_tag_editor();

template <typename T, typename... Args>
void make_tag_editor(TagDatabase& db, TagEntry& tag, Args&&... args) {
    adopt_tag_editor(std::make_unique<T>(db, tag, std::forward<Args>(args)...));
}

} // namespace zephane
