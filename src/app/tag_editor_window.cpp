#include "app/tag_editor_window.h"

#include "app/app_texts.h"

#include <algorithm>
#include <cstdio>

namespace zephane {

namespace {
std::vector<TagEditorWindow*>& editors() {
    static std::vector<TagEditorWindow*> list;
    return list;
}
} // namespace

TagEditorWindow::TagEditorWindow(int resource, TagDatabase& db, TagEntry& tag)
    : XGForm(resource), db_(db), tag_(&tag) {
    db_.set_tag_form(tag, static_cast<void*>(this));
    if (std::find(editors().begin(), editors().end(), this) == editors().end())
        editors().push_back(this);
}

TagEditorWindow::~TagEditorWindow() {
    if (tag_->form == static_cast<void*>(this)) db_.set_tag_form(*tag_, nullptr);
    std::erase(editors(), this);
}

void TagEditorWindow::retarget(TagEntry& tag) {
    if (tag_->form == static_cast<void*>(this)) db_.set_tag_form(*tag_, nullptr);
    tag_ = &tag;
    db_.set_tag_form(tag, static_cast<void*>(this));
    setWindowTitle(QString::fromLatin1(tag_editor_title(tag)));
    updateHeader();
}

TagEditorWindow* TagEditorWindow::of(const TagEntry& tag) {
    return static_cast<TagEditorWindow*>(TagDatabase::get_tag_form(tag));
}

const std::vector<TagEditorWindow*>& TagEditorWindow::open_editors() {
    return editors();
}

std::string tag_editor_title(const TagEntry& tag) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, text::kEditorTitleFormat, tag.name.c_str(),
                  tag_id_to_text(tag.id), tag_id_to_text(TagDatabase::get_tag_type(tag)));
    return buffer;
}

void retitle_tag_editor(const TagEntry& tag) {
    if (TagEditorWindow* editor = TagEditorWindow::of(tag)) {
        editor->setWindowTitle(QString::fromLatin1(tag_editor_title(tag)));
        editor->updateHeader();
    }
}

} // namespace zephane
