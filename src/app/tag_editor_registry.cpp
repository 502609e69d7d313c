#include "app/tag_editor_registry.h"

#include <array>

namespace zephane {

namespace {

struct EditorFactories {
    TagEditorFactory editor;
    TagEditorFactory alternate;
};

std::array<EditorFactories, kTagTypeCount>& factories() {
    static std::array<EditorFactories, kTagTypeCount> table;
    return table;
}

} // namespace

void attach_tag_editor(tag_type code, TagEditorFactory editor, TagEditorFactory alternate) {
    const std::size_t index = tag_type_index(code);
    if (index >= kTagTypeCount) return;
    factories()[index] = {std::move(editor), std::move(alternate)};
}

const TagEditorFactory* tag_editor_factory(tag_type code, bool alternate) {
    const std::size_t index = tag_type_index(code);
    if (index >= kTagTypeCount) return nullptr;
    const TagEditorFactory& factory =
        alternate ? factories()[index].alternate : factories()[index].editor;
    return factory ? &factory : nullptr;
}

void detach_all_tag_editors() { factories() = {}; }

} // namespace zephane
