// The observer constants editor: a table of the camera's motion limits, one column per axis.
// The columns are in the order users think of the axes, which is not the storage order.

#include "definitions/ui/obpc_form.h"

#include "app/definition_edit_form.h"
#include "definitions/obpc.h"
#include "definitions/obpc_bindings.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zephane {

namespace {

using namespace obpc_bindings;

using O = observer_constants_definition;

class TobpcEditForm : public DefinitionEditForm<O> {
public:
    TobpcEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(1017, "Observer Constants Window", db, tag, axis_bindings()) {
        auto* layout = new QVBoxLayout(content());
        layout->setContentsMargins(10, 10, 10, 10);
        for (const char* direction : {"Negative", "Positive"}) {
            const std::size_t first_row = direction[0] == 'N' ? 0 : 3;
            auto* box = new QGroupBox(QString::fromLatin1(direction), content());
            auto* grid = new QGridLayout(box);
            grid->setHorizontalSpacing(6);
            for (std::size_t column = 0; column < kColumns.size(); ++column) {
                auto* title = new QLabel(QString::fromLatin1(kColumns[column].title), box);
                title->setAlignment(Qt::AlignCenter);
                grid->addWidget(title, 0, static_cast<int>(column) + 1);
            }
            for (std::size_t row = first_row; row < first_row + 3; ++row) {
                const int line = static_cast<int>(row - first_row) + 1;
                auto* label = new QLabel(QString::fromLatin1(kRows[row].label), box);
                label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                grid->addWidget(label, line, 0);
                for (std::size_t column = 0; column < kColumns.size(); ++column) {
                    auto* edit = new QLineEdit(box);
                    edit->setFixedWidth(EditorPage::edit_width(*edit, 9));
                    edit->setAlignment(Qt::AlignRight);
                    register_control(control_id(column, row), edit);
                    grid->addWidget(edit, line, static_cast<int>(column) + 1);
                }
            }
            layout->addWidget(box);
        }
        layout->addStretch(1);
    }
};

} // namespace

void register_observer_constants_editor() {
    attach_editor_window<TobpcEditForm>(O::kType);
}

} // namespace zephane
