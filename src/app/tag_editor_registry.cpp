#include "app/tag_editor_registry.h"

#include <array>

namespace zephane {

namespace {

struct EditorFactories {
    TagEditorFactory editor;
    TagEditorFactory alternate;
    TagCreator creator;
};

std::array<EditorFactories, kTagTypeCount>& factories() {
    static std::array<EditorFactories, kTagTypeCount> table;
    return table;
}

TagEditorFactory& fallback() {
    static TagEditorFactory editor;
    return editor;
}

} // namespace

void attach_tag_editor(tag_type code, TagEditorFactory editor, TagEditorFactory alternate) {
    const std::size_t index = tag_type_index(code);
    if (index >= kTagTypeCount) return;
    factories()[index].editor = std::move(editor);
    factories()[index].alternate = std::move(alternate);
}

const TagEditorFactory* tag_editor_factory(tag_type code, bool alternate) {
    const std::size_t index = tag_type_index(code);
    if (index >= kTagTypeCount) return nullptr;
    const TagEditorFactory& factory =
        alternate ? factories()[index].alternate : factories()[index].editor;
    return factory ? &factory : nullptr;
}

void set_fallback_tag_editor(TagEditorFactory editor) { fallback() = std::move(editor); }

const TagEditorFactory* fallback_tag_editor() { return fallback() ? &fallback() : nullptr; }

void detach_all_tag_editors() {
    factories() = {};
    fallback() = {};
}

void attach_tag_creator(tag_type code, TagCreator creator) {
    const std::size_t index = tag_type_index(code);
    if (index >= kTagTypeCount) return;
    factories()[index].creator = std::move(creator);
}

const TagCreator* tag_creator(tag_type code) {
    const std::size_t index = tag_type_index(code);
    if (index >= kTagTypeCount) return nullptr;
    const TagCreator& creator = factories()[index].creator;
    return creator.fill ? &creator : nullptr;
}

bool can_create_tag(tag_type code) { return tag_creator(code) || tag_type_defaults(code); }

} // namespace zephane
