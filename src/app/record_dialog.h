#pragma once
// Sub-dialogs of the definition editors that are a binding table over a part of the record
// (the damage record, for one): the dialog is built from its table like an editor's page,
// edits a copy of the part, and stores it only when it ends with "OK".

#include "app/editor_page.h"
#include "definitions/field_binding.h"

#include <cstdint>
#include <functional>
#include <span>

class QWidget;

namespace zephane {

class XGDialog;

struct RecordDialogForm {
    int resource;
    const char* title;
    const RecordLayout* layout; // the part's layout: the table names its fields
    std::span<const FieldBinding> bindings;
    std::span<const EditorGroup> groups;
    const char* module; // named when the table does not fit the layout
    // Controls the table cannot describe (a tag button, say): added to the page before the
    // table's controls, and read into the edited copy of the part on "OK".
    std::function<void(XGDialog&, EditorPage&)> build = {};
    std::function<void(std::span<std::uint8_t>)> read = {};
    int ok = 1001;     // the ids of "OK" and "Cancel" in this dialog
    int cancel = 1002;
};

// Runs the dialog on the part's bytes (native order). On "OK" the bound fields are stored and
// true returned; every byte no control shows is left as it was.
bool run_record_dialog(QWidget* parent, const RecordDialogForm& form, std::span<std::uint8_t> part);

} // namespace zephane
