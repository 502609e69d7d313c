#include "mesh/ui/new_mesh_dialog.h"

#include "app/app_texts.h"
#include "framework/xg_dialog.h"
#include "mesh/new_mesh.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace zephane {

namespace {

constexpr int kDefaultCells = 192;

// A typed size; what is no whole number counts as 0, which no mesh accepts.
int typed_cells(const QLineEdit& edit) {
    bool ok = false;
    const int cells = edit.text().trimmed().toInt(&ok);
    return ok ? cells : 0;
}

} // namespace

std::optional<MeshSize> run_new_mesh_dialog(QWidget* parent) {
    using namespace new_mesh_control;
    XGDialog dialog(kNewMeshResource, QStringLiteral("New Mesh"), parent);
    dialog.set_cancel_id(kCancel);
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QLineEdit* sizes[2] = {};
    const int ids[2] = {kCellWidth, kCellHeight};
    const char* labels[2] = {"Cell Width:", "Cell Height:"};
    for (int k = 0; k < 2; ++k) {
        sizes[k] = new QLineEdit(QString::number(kDefaultCells), &dialog);
        sizes[k]->setAlignment(Qt::AlignRight);
        sizes[k]->setMaxLength(6);
        sizes[k]->setFixedWidth(sizes[k]->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
        dialog.register_control(ids[k], sizes[k]);
        form->addRow(QString::fromLatin1(labels[k]), sizes[k]);
    }
    layout->addLayout(form);
    auto* message = new QLabel(&dialog);
    // Room for the widest text on one line, so the dialog does not change size as one types.
    message->setMinimumWidth(
        std::max(message->fontMetrics().horizontalAdvance(
                     QString::fromStdString(new_mesh_size_message(kMeshSizeMaximum, kMeshSizeMaximum))),
                 message->fontMetrics().horizontalAdvance(QString::fromLatin1(kBadMeshSizesText))) +
        8);
    dialog.register_control(kMessage, message);
    layout->addWidget(message);

    QPushButton* ok = dialog.add_end_buttons(*layout, kCancel, QString::fromLatin1(text::kCancel), kOk,
                                             QString::fromLatin1(text::kOk));

    const auto validate = [&] {
        const int width = typed_cells(*sizes[0]);
        const int height = typed_cells(*sizes[1]);
        message->setText(QString::fromStdString(new_mesh_size_message(width, height)));
        ok->setEnabled(valid_new_mesh_size(width, height));
    };
    for (QLineEdit* edit : sizes) QObject::connect(edit, &QLineEdit::textChanged, &dialog, validate);
    validate();
    sizes[0]->selectAll();
    sizes[0]->setFocus();

    if (dialog.run() != kOk) return std::nullopt;
    const MeshSize size{typed_cells(*sizes[0]), typed_cells(*sizes[1])};
    // A size the rule refuses is never made, whatever ended the dialog with OK.
    if (!valid_new_mesh_size(size.width, size.height)) return std::nullopt;
    return size;
}

} // namespace zephane
