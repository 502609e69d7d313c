#pragma once
// Which window edits a tag type. The type table keeps the core operations; the UI registers
// each type's editor (and alternate editor) here at start-up. A factory makes the window and
// hands it over; openTag then sets the title, reloads the window and shows it.

#include "app/tag_editor_window.h"

#include <functional>
#include <memory>
#include <utility>

namespace zephane {

using TagEditorFactory = std::function<std::unique_ptr<TagEditorWindow>(TagDatabase&, TagEntry&)>;

// An unknown type code is ignored.
void attach_tag_editor(tag_type code, TagEditorFactory editor, TagEditorFactory alternate = {});
// Null when the type has no such editor.
const TagEditorFactory* tag_editor_factory(tag_type code, bool alternate);
// The window that opens for a tag whose type has no editor (the read-only details); null
// when none is set.
void set_fallback_tag_editor(TagEditorFactory editor);
const TagEditorFactory* fallback_tag_editor();
// Forgets every editor, the fallback and every creator (tests start from none).
void detach_all_tag_editors();

// A type whose new tags a window fills (a dialog asks what to make): Create Tag runs it
// instead of the type's core initialiser. It gives the tag its payload, or leaves it without
// one when the user cancelled; the editor that then opens is the alternate one when asked.
struct TagCreator {
    std::function<void(QWidget* parent, TagDatabase&, TagEntry&)> fill;
    bool opens_alternate = false;
};
// An unknown type code is ignored.
void attach_tag_creator(tag_type code, TagCreator creator);
// Null when the type has none.
const TagCreator* tag_creator(tag_type code);
// Whether Create Tag can make a tag of the type: a creator or a core new-tag initialiser.
bool can_create_tag(tag_type code);

// Makes T from (db, tag, args...) and finishes it.
template <typename T, typename... Args>
std::unique_ptr<TagEditorWindow> make_tag_editor(TagDatabase& db, TagEntry& tag, Args&&... args) {
    auto editor = std::make_unique<T>(db, tag, std::forward<Args>(args)...);
    editor->finishInit();
    return editor;
}

// Attaches T, made from (db, tag), as the type's editor.
template <typename T>
void attach_editor_window(tag_type type) {
    attach_tag_editor(type, [](TagDatabase& db, TagEntry& tag) { return make_tag_editor<T>(db, tag); });
}

} // namespace zephane
