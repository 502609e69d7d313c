#include "app/tag_info_dialog.h"
#include "framework/xg_text.h"

#include "app/app_texts.h"
#include "app/tag_id_chooser.h"
#include "framework/xg_alert.h"
#include "framework/xg_dialog.h"
#include "tags/tag_types.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zephane {

namespace {
constexpr int kNameControl = 1;
constexpr int kTypeControl = 8;
constexpr int kOk = 101;
constexpr int kCancel = 100;
// Buttons of the question about a type code the type table does not know.
constexpr int kUnknownTypeMove = 1;
constexpr int kUnknownTypeCancel = 2;

} // namespace

bool run_tag_info_dialog(QWidget* parent, TagDatabase& db, TagEntry& tag,
                         const std::function<bool(TagEntry&)>& may_change_type) {
    XGDialog dialog(kTagInfoResource, QString::fromLatin1(text::kTagInfoTitle), parent);
    dialog.set_cancel_id(kCancel);
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    auto* name = new QLineEdit(QString::fromLatin1(tag.name), &dialog);
    name->setMaxLength(static_cast<int>(kTagNameLength));
    dialog.register_control(kNameControl, name);
    form->addRow(QStringLiteral("Name:"), name);
    layout->addLayout(form);

    auto* group_box = new QGroupBox(QString::fromLatin1(text::kGroup), &dialog);
    auto* group_layout = new QHBoxLayout(group_box);
    auto* type =
        new QLineEdit(QString::fromLatin1(tag_id_to_text(TagDatabase::get_tag_type(tag))), &dialog);
    type->setMaxLength(4);
    dialog.register_control(kTypeControl, type);
    group_layout->addWidget(type);
    group_layout->addStretch(1);
    layout->addWidget(group_box);

    auto* id_box = new QGroupBox(QStringLiteral("Identifier"), &dialog);
    auto* id_layout = new QVBoxLayout(id_box);
    // The tag's own identifier stays unless the user asks for another.
    TagIdChooser chooser(dialog, *id_layout, IdScope::kSpecify);
    chooser.set_typed(tag.id);
    layout->addWidget(id_box);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(dialog.make_end_button(kCancel, QString::fromLatin1(text::kCancel)));
    buttons->addWidget(dialog.make_end_button(kOk, QString::fromLatin1(text::kOk), true));
    layout->addLayout(buttons);

    const auto typed_type = [type] { return text_to_tag_id(latin1(type->text())); };
    const auto update = [&] { chooser.show_id(db, latin1(name->text()), typed_type(), tag.file); };
    QObject::connect(name, &QLineEdit::textChanged, &dialog, update);
    QObject::connect(type, &QLineEdit::textChanged, &dialog, update);
    QObject::connect(&chooser, &TagIdChooser::scope_changed, &dialog, update);
    name->selectAll();
    name->setFocus();

    if (dialog.run() != kOk) return false;
    const std::string new_name = latin1(name->text());
    const tag_type new_type = typed_type();
    const tag_id new_id = chooser.chosen_id(db, new_name, new_type, tag.file);
    // Nothing changed: leave the file unmodified (renaming marks it even to the same name).
    const bool changed =
        new_name != tag.name || new_id != tag.id || new_type != TagDatabase::get_tag_type(tag);
    if (!changed) return false;
    if (new_type != TagDatabase::get_tag_type(tag)) {
        // A code the type table does not know makes a tag no editor, loader or build knows.
        if (!find_tag_type(new_type)) {
            const int answer = xg_alert(
                parent, QStringLiteral("Unknown Tag Type"),
                QStringLiteral("\"%1\" is not a tag type this program knows: no editor, version "
                               "update or foundation build will handle the tag. Move it anyway?")
                    .arg(QString::fromLatin1(tag_id_to_text(new_type))),
                {{kUnknownTypeMove, QStringLiteral("Move Anyway")},
                 {kUnknownTypeCancel, QString::fromLatin1(text::kCancel)}},
                kUnknownTypeCancel, kUnknownTypeCancel);
            if (answer != kUnknownTypeMove) return false;
        }
        if (!may_change_type(tag)) return false;
    }
    // Renaming marks the file for a rewrite, which the type move relies on.
    db.set_tag_name(tag, new_name);
    db.set_tag_id(tag, new_id);
    db.set_tag_type(tag, new_type);
    return changed;
}

} // namespace zephane
