#include "app/create_tag_dialog.h"
#include "framework/xg_text.h"

#include "app/app_texts.h"
#include "app/tag_editor_registry.h"
#include "app/tag_id_chooser.h"
#include "framework/xg_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace zephane {

namespace {
constexpr int kNameControl = 1;
constexpr int kTypeControl = 2;
constexpr int kOk = 100;
constexpr int kCancel = 101;

} // namespace

std::optional<NewTagChoice> run_create_tag_dialog(QWidget* parent, const TagDatabase& db,
                                                  const TagFile& file, tag_type& last_type) {
    XGDialog dialog(kCreateTagResource, QString::fromLatin1(text::kCreateNewTagTitle), parent);
    dialog.set_cancel_id(kCancel);
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    auto* name = new QLineEdit(QString::fromLatin1(text::kUntitledTag), &dialog);
    name->setMaxLength(static_cast<int>(kTagNameLength));
    dialog.register_control(kNameControl, name);
    form->addRow(QStringLiteral("Name:"), name);
    auto* types = new QListWidget(&dialog);
    types->setSelectionMode(QAbstractItemView::SingleSelection);
    dialog.register_control(kTypeControl, types);
    form->addRow(QStringLiteral("Type:"), types);
    layout->addLayout(form);

    auto* id_box = new QGroupBox(QStringLiteral("Identifier"), &dialog);
    auto* id_layout = new QVBoxLayout(id_box);
    TagIdChooser chooser(dialog, *id_layout, IdScope::kGlobal);
    layout->addWidget(id_box);

    QPushButton* ok = dialog.add_end_buttons(*layout, kCancel, QString::fromLatin1(text::kCancel), kOk,
                                             QString::fromLatin1(text::kOk));

    for (std::size_t k = 0; tag_type_at(k) != 0; ++k) {
        const tag_type type = tag_type_at(k);
        if (!can_create_tag(type)) continue;
        auto* item = new QListWidgetItem(QString::fromLatin1(tag_type_name(type)), types);
        item->setData(Qt::UserRole, static_cast<qulonglong>(type));
        if (type == last_type) types->setCurrentItem(item);
    }
    types->setMinimumHeight(std::max(types->sizeHintForRow(0), types->fontMetrics().height()) * 10 +
                            4);

    const auto chosen_type = [types]() -> tag_type {
        const QListWidgetItem* item = types->currentItem();
        return item && item->isSelected()
                   ? static_cast<tag_type>(item->data(Qt::UserRole).toULongLong())
                   : 0;
    };
    const auto update = [&] {
        ok->setEnabled(chosen_type() != 0);
        chooser.show_id(db, latin1(name->text()), chosen_type(), &file);
    };
    QObject::connect(name, &QLineEdit::textChanged, &dialog, update);
    QObject::connect(types, &QListWidget::itemSelectionChanged, &dialog, update);
    QObject::connect(&chooser, &TagIdChooser::scope_changed, &dialog, update);
    update();
    name->selectAll();
    name->setFocus();

    if (dialog.run() != kOk || chosen_type() == 0) return std::nullopt;
    NewTagChoice choice;
    choice.name = latin1(name->text());
    choice.type = chosen_type();
    choice.id = chooser.chosen_id(db, choice.name, choice.type, &file);
    last_type = choice.type;
    return choice;
}

} // namespace zephane
