#pragma once
// Lays out an editor's own controls: group boxes in columns, labels aligned to the right of
// each group, every control registered under its id. Binding tables build their controls
// through it; editors add the few special controls by hand.

#include "tags/tag_code.h"

#include <QString>
#include <functional>
#include <span>
#include <map>
#include <vector>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace zephane {

class ColourSwatch;
class RecordBindings;
class TTagEditForm;

// A group box and the column it stands in; groups are placed in the order listed.
struct EditorGroup {
    const char* title;
    int column = 0;
};

class EditorPage {
public:
    // Registers a control under its id with the window that owns it.
    using Registrar = std::function<void(int id, QWidget* control)>;

    // An editor's page, in its content area.
    EditorPage(TTagEditForm& form, std::span<const EditorGroup> groups);
    // A dialog's page (no reference fields: they pick tags for an editor).
    EditorPage(QWidget& content, Registrar registrar, std::span<const EditorGroup> groups);

    // The rows of a group (null: the untitled group at the top of the first column). A group
    // not listed is added at the end of the first column.
    QFormLayout& rows(const char* group);
    QWidget& box(const char* group);

    // The controls of every binding, in table order.
    void add_bindings(const RecordBindings& bindings);

    QLineEdit* add_edit(int id, const char* label, const char* group, int characters = 10);
    // Two edit boxes: "lower to upper".
    void add_range(int lower_id, int upper_id, const char* label, const char* group);
    QCheckBox* add_check(int id, const char* text, const char* group);
    // Names that occur more than once are numbered, so the entries can be told apart.
    QComboBox* add_popup(int id, const char* label, std::span<const char* const> names,
                         const char* group);
    void add_reference(int id, int open_id, tag_type type, const char* label, const char* group);
    QPushButton* add_button(int id, const char* text, const char* group);
    ColourSwatch* add_swatch(int id, const char* group);
    void add_row(const char* label, QWidget* widget, const char* group);

    // Aligns the edit boxes of each column (its labels take one width) and puts stretch below
    // the columns, so the groups keep their natural heights.
    void finish();

    // Width for an edit box of a number with so many characters.
    static int edit_width(const QWidget& widget, int characters);

private:
    QVBoxLayout& column(int index);
    QWidget& make_box(const char* group, int column);

    QWidget& content_;
    Registrar register_;
    TTagEditForm* form_ = nullptr;
    QHBoxLayout* columns_layout_ = nullptr;
    std::vector<QVBoxLayout*> columns_;
    std::map<QString, std::pair<QWidget*, QFormLayout*>> groups_;
    std::vector<std::pair<int, QFormLayout*>> group_columns_; // in the order made
};

} // namespace zephane
