#include "app/list_editor.h"

#include "app/tag_edit_form.h"
#include "framework/xg_alert.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zephane {

ListEditor make_list_editor(TTagEditForm& editor, QWidget* parent, int list_id, QSize minimum,
                            std::initializer_list<std::pair<int, const char*>> buttons,
                            std::function<void(int)> command) {
    ListEditor made;
    made.widget = new QWidget(parent);
    auto* layout = new QHBoxLayout(made.widget);
    layout->setContentsMargins(0, 0, 0, 0);
    made.list = new QListWidget(made.widget);
    made.list->setSelectionMode(QAbstractItemView::SingleSelection);
    made.list->setMinimumSize(minimum);
    editor.register_control(list_id, made.list);
    layout->addWidget(made.list, 1);
    auto* column = new QVBoxLayout;
    for (const auto& [id, text] : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(text), made.widget);
        button->setAutoDefault(false);
        editor.register_control(id, button);
        column->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, &editor,
                         [&editor, command, id = id] { run_reporting_errors(&editor, [&] { command(id); }); });
    }
    column->addStretch(1);
    layout->addLayout(column);
    return made;
}

} // namespace zephane
