#pragma once
// A tag reference in a sub-dialog: a button showing the tag's name (or its identifier as four
// characters when no such tag is loaded, "(tag unassigned)" for none) that picks another with
// the tag picker, and a small button that opens the tag. The identifier lives in the caller's
// variable, so the dialog's "OK" decides whether it is stored.

#include "tags/tag_code.h"

#include <QString>

class QWidget;

namespace zephane {

class TagDatabase;
class TagFile;
class TTagEditForm;
class XGDialog;

// The tag's name, its identifier as four characters when no such tag is loaded, or
// "(tag unassigned)".
QString dialog_reference_text(const TagDatabase& db, tag_type type, tag_id id);

// `file` limits the picker to one file's tags at first (null: every file).
QWidget* make_dialog_tag_row(XGDialog& dialog, TTagEditForm& editor, int pick_id, int open_id, tag_type type,
                             tag_id& value, const TagFile* file);

} // namespace zephane
