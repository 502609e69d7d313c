#include "app/tag_id_chooser.h"
#include "framework/xg_text.h"

#include "app/app_texts.h"
#include "framework/xg_dialog.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

namespace zephane {

tag_id id_for_scope(const TagDatabase& db, IdScope scope, const std::string& name, tag_type type,
                    const TagFile* file, const std::string& typed) {
    switch (scope) {
    case IdScope::kNameOnly:
        return db.make_tag_id(name, 0, nullptr);
    case IdScope::kGlobal:
        return db.make_tag_id(name, type, nullptr);
    case IdScope::kInFile:
        return file ? db.make_tag_id(name, type, file) : db.make_tag_id(name, type, nullptr);
    case IdScope::kSpecify:
        break;
    }
    return text_to_tag_id(typed);
}

TagIdChooser::TagIdChooser(XGDialog& dialog, QBoxLayout& layout, IdScope initial)
    : QObject(&dialog) {
    const char* labels[4] = {text::kBasedOnNameOnly, text::kGloballyUnique, text::kUniqueInFile,
                             text::kSpecify};
    auto* group = new QButtonGroup(this);
    for (int k = 0; k < 4; ++k) {
        radios_[k] = new QRadioButton(QString::fromLatin1(labels[k]), &dialog);
        group->addButton(radios_[k], k + 3);
        dialog.register_control(k + 3, radios_[k]);
    }
    id_edit_ = new QLineEdit(&dialog);
    id_edit_->setMaxLength(4);
    id_edit_->setFixedWidth(id_edit_->fontMetrics().horizontalAdvance(QStringLiteral("WWWWW")) +
                            12);
    dialog.register_control(kIdControl, id_edit_);
    for (int k = 0; k < 3; ++k) layout.addWidget(radios_[k]);
    auto* specify = new QHBoxLayout;
    specify->addWidget(radios_[3]);
    specify->addWidget(id_edit_);
    specify->addStretch(1);
    layout.addLayout(specify);

    radios_[static_cast<int>(initial) - 3]->setChecked(true);
    id_edit_->setEnabled(initial == IdScope::kSpecify);
    connect(group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (!checked) return;
        id_edit_->setEnabled(scope() == IdScope::kSpecify);
        emit scope_changed();
    });
    // A typed identifier is shown as it will be stored once the user leaves the field.
    connect(id_edit_, &QLineEdit::editingFinished, this, [this] {
        if (scope() == IdScope::kSpecify)
            id_edit_->setText(QString::fromLatin1(
                tag_id_to_text(text_to_tag_id(latin1(id_edit_->text())))));
    });
}

IdScope TagIdChooser::scope() const {
    for (int k = 0; k < 4; ++k)
        if (radios_[k]->isChecked()) return static_cast<IdScope>(k + 3);
    return IdScope::kGlobal;
}

void TagIdChooser::show_id(const TagDatabase& db, const std::string& name, tag_type type,
                           const TagFile* file) {
    if (scope() == IdScope::kSpecify) return; // the user's own four characters stay
    set_typed(id_for_scope(db, scope(), name, type, file, {}));
}

void TagIdChooser::set_typed(tag_id id) {
    id_edit_->setText(QString::fromLatin1(tag_id_to_text(id)));
}

tag_id TagIdChooser::chosen_id(const TagDatabase& db, const std::string& name, tag_type type,
                               const TagFile* file) const {
    return id_for_scope(db, scope(), name, type, file, latin1(id_edit_->text()));
}

} // namespace zephane
