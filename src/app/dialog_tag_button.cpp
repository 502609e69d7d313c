#include "app/dialog_tag_button.h"

#include "app/tag_edit_form.h"
#include "app/tag_picker_dialog.h"
#include "framework/xg_dialog.h"
#include "tags/tag_database.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace zephane {

QString dialog_reference_text(const TagDatabase& db, tag_type type, tag_id id) {
    if (is_null_reference(id)) return QStringLiteral("(tag unassigned)");
    if (const TagEntry* tag = db.find_tag(type, id)) return QString::fromStdString(tag->name);
    return QString::fromStdString(tag_text(id));
}

QWidget* make_dialog_tag_row(XGDialog& dialog, TTagEditForm& editor, int pick_id, int open_id, tag_type type,
                             tag_id& value, const TagFile* file) {
    TagDatabase& db = editor.database();
    auto* row = new QWidget(&dialog);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto* pick = new QPushButton(dialog_reference_text(db, type, value), row);
    auto* open = new QPushButton(QStringLiteral("\u2192"), row);
    pick->setAutoDefault(false);
    open->setAutoDefault(false);
    open->setFixedWidth(open->sizeHint().height() + 8);
    dialog.register_control(pick_id, pick);
    dialog.register_control(open_id, open);
    line->addWidget(pick, 1);
    line->addWidget(open);
    const auto follow = [&db, open, type, &value] { open->setEnabled(db.find_tag(type, value) != nullptr); };
    follow();
    QObject::connect(pick, &QPushButton::clicked, &dialog, [&dialog, &db, pick, follow, type, &value, file] {
        TagPickRequest request;
        request.type = type;
        request.current = value;
        request.file = file;
        const tag_id chosen = pickTag(&dialog, db, request);
        if (chosen == 0) return; // cancelled
        value = chosen;
        pick->setText(dialog_reference_text(db, type, value));
        follow();
    });
    QObject::connect(open, &QPushButton::clicked, &dialog, [&editor, &db, type, &value] {
        if (TagEntry* tag = db.find_tag(type, value); tag && editor.host()) editor.host()->openTag(*tag, false);
    });
    return row;
}

} // namespace zephane
