#pragma once
// The list of an editor's list field (a sound list's entries, a projectile group's parts, a
// monster's attacks): a single-selection list with a column of buttons beside it, each
// running the editor's command for it and reporting what ends it.

#include <QSize>
#include <functional>
#include <initializer_list>
#include <utility>

class QListWidget;
class QWidget;

namespace zephane {

class TTagEditForm;

struct ListEditor {
    QWidget* widget = nullptr; // the list and its buttons, to place in a layout
    QListWidget* list = nullptr;
};

// Registers the list and every button under its id with the editor.
ListEditor make_list_editor(TTagEditForm& editor, QWidget* parent, int list_id, QSize minimum,
                            std::initializer_list<std::pair<int, const char*>> buttons,
                            std::function<void(int)> command);

} // namespace zephane
