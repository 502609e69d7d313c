#pragma once
// The editor of a definition record: a private copy of the record, a binding table that
// fills the controls from it and reads them back, and the record's read, write and compare.
// Editors of definition types derive from it and add only what is special to their type.

#include "app/editor_page.h"
#include "app/record_bindings.h"
#include "app/tag_edit_form.h"
#include "definitions/definition_record.h"
#include "base/errors.h"

#include <QByteArray>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace zephane {

template <typename R>
class DefinitionEditForm : public TTagEditForm {
public:
    DefinitionEditForm(int resource, const char* form_title, TagDatabase& db, TagEntry& tag,
                       std::span<const FieldBinding> bindings)
        : TTagEditForm(resource, form_title, db, tag), bindings_(R::kLayout, bindings, R::kModule),
          copy_(initial_record()) {}

    // The copy the controls are filled from and read into.
    const R& record() const { return copy_; }

protected:
    // Builds the groups and the controls of every binding; editors add their own controls to
    // the page before calling finish().
    void build_page(EditorPage& page) { page.add_bindings(bindings_); }

    void do_reload() override {
        // A payload missing or shorter than the record leaves the copy as it was.
        read_definition(database(), tag(), copy_);
        bindings_.fill(*this, bytes());
        after_fill();
    }
    void do_apply() override {
        read_controls();
        if (!store_definition(database(), tag(), copy_))
            throw UserError(tag().name + " - The changes could not be written.");
    }
    void mark_values() override { bindings_.mark_unstorable(*this); }
    bool differs_from_tag() override {
        read_controls();
        return definition_changes_payload(database(), tag(), copy_);
    }

    // The undo state is the record as Apply would write it (lists and sub-dialogs' fields
    // included); putting it back fills the controls from it.
    QByteArray undo_state() override {
        read_controls();
        return {reinterpret_cast<const char*>(&copy_), static_cast<qsizetype>(sizeof(R))};
    }
    void restore_undo_state(const QByteArray& state) override {
        if (state.size() != static_cast<qsizetype>(sizeof(R))) return;
        std::memcpy(static_cast<void*>(&copy_), state.constData(), sizeof(R));
        bindings_.fill(*this, bytes());
        after_fill();
    }
    // Controls into the copy; editors with special controls read those after the table's.
    virtual void read_controls() { bindings_.read(*this, bytes()); }
    // Runs after the controls were filled (swatches, pictures).
    virtual void after_fill() {}

    R& copy() { return copy_; }
    const RecordBindings& bindings() const { return bindings_; }
    std::span<std::uint8_t> bytes() {
        return {reinterpret_cast<std::uint8_t*>(&copy_), sizeof(R)};
    }

private:
    static R initial_record() {
        if constexpr (requires { R::kDefault; })
            return R::kDefault;
        else
            return R{};
    }

    RecordBindings bindings_;
    R copy_;
};

// An editor that is its binding table and nothing more: groups, the table's controls, done.
template <typename R>
class TableEditForm : public DefinitionEditForm<R> {
public:
    using Record = R;
    TableEditForm(TagDatabase& db, TagEntry& tag, int resource, const char* form_title,
                  std::span<const FieldBinding> bindings, std::span<const EditorGroup> groups)
        : DefinitionEditForm<R>(resource, form_title, db, tag, bindings) {
        EditorPage page(*this, groups);
        this->build_page(page);
        page.finish();
    }
};

// Attaches a TableEditForm (under its type's editor name, e.g. TwindEditForm) with its form.
template <typename Form>
void attach_table_editor(int resource, const char* form_title, std::span<const FieldBinding> bindings,
                         std::span<const EditorGroup> groups) {
    attach_tag_editor(Form::Record::kType, [=](TagDatabase& db, TagEntry& tag) {
        return make_tag_editor<Form>(db, tag, resource, form_title, bindings, groups);
    });
}

} // namespace zephane
