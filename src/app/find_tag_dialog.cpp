#include "app/find_tag_dialog.h"
#include "framework/xg_text.h"

#include "app/app_texts.h"
#include "framework/xg_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zephane {

namespace {
constexpr int kTypeControl = 1;
constexpr int kIdControl = 2;
constexpr int kOk = 100;
constexpr int kCancel = 101;
constexpr int kMaxRead = 16;

QString field_text(std::uint32_t value) {
    return value == kNoTag ? QString() : QString::fromLatin1(tag_id_to_text(value));
}
} // namespace

std::optional<std::pair<tag_type, tag_id>> run_find_tag_dialog(QWidget* parent,
                                                               std::pair<tag_type, tag_id> last) {
    XGDialog dialog(kFindTagResource, QString::fromLatin1(text::kFindTagTitle), parent);
    dialog.set_cancel_id(kCancel);
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    auto* type = new QLineEdit(field_text(last.first), &dialog);
    auto* id = new QLineEdit(field_text(last.second), &dialog);
    for (QLineEdit* edit : {type, id}) edit->setMaxLength(kMaxRead);
    dialog.register_control(kTypeControl, type);
    dialog.register_control(kIdControl, id);
    form->addRow(QString::fromLatin1(text::kTypeLabel), type);
    form->addRow(QString::fromLatin1(text::kIdLabel), id);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(dialog.make_end_button(kCancel, QString::fromLatin1(text::kCancel)));
    buttons->addWidget(dialog.make_end_button(kOk, QString::fromLatin1(text::kOk), true));
    layout->addLayout(buttons);
    type->setFocus();
    if (dialog.run() != kOk) return std::nullopt;
    // An empty field reads as "____", no value.
    const auto read = [](const QLineEdit* edit) {
        return text_to_tag_id(latin1(edit->text().left(kMaxRead)));
    };
    return std::pair{read(type), read(id)};
}

} // namespace zephane
