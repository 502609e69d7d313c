// The observer constants editor: a table of the camera's motion limits, one column per axis.
// The columns are in the order users think of the axes, which is not the storage order.

#include "definitions/ui/obpc_form.h"

#include "app/definition_edit_form.h"
#include "definitions/obpc.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <array>
#include <string>
#include <vector>

namespace zephane {

namespace {

using O = observer_constants_definition;

struct Axis {
    const char* title;
    const char* field;
};
constexpr std::array<Axis, 7> kColumns = {{{"Parallel", "parallel"},
                                           {"Orthagonal", "orthagonal"},
                                           {"Vertical", "vertical"},
                                           {"Yaw", "yaw"},
                                           {"Pitch", "pitch"},
                                           {"Orbit", "orbit"},
                                           {"Zoom", "zoom"}}};
struct Limit {
    const char* label;
    const char* field;
};
constexpr std::array<Limit, 6> kRows = {{{"Maximum Velocity:", "negative_maximum_velocity"},
                                         {"Acceleration:", "negative_acceleration"},
                                         {"Deceleration:", "negative_deceleration"},
                                         {"Maximum Velocity:", "positive_maximum_velocity"},
                                         {"Acceleration:", "positive_acceleration"},
                                         {"Deceleration:", "positive_deceleration"}}};

constexpr int control_id(std::size_t column, std::size_t row) {
    return 11701 + static_cast<int>(column + kColumns.size() * row);
}

// Field paths live as long as the program, so the table can point at them.
const std::vector<FieldBinding>& axis_bindings() {
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> out;
        for (std::size_t row = 0; row < kRows.size(); ++row)
            for (const Axis& axis : kColumns)
                out.push_back(std::string(axis.field) + "." + kRows[row].field);
        return out;
    }();
    static const std::vector<FieldBinding> table = [] {
        std::vector<FieldBinding> out;
        for (std::size_t row = 0; row < kRows.size(); ++row)
            for (std::size_t column = 0; column < kColumns.size(); ++column)
                out.push_back(bind::number(paths[row * kColumns.size() + column].c_str(),
                                           control_id(column, row), kRows[row].label));
        return out;
    }();
    return table;
}

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
