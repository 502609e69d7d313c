#include "textures/ui/collapse_terrain_dialog.h"

#include "app/app_texts.h"
#include "base/errors.h"
#include "framework/xg_alert.h"
#include "framework/xg_busy.h"
#include "framework/xg_dialog.h"
#include "tags/tag_database.h"
#include "textures/detail_collapse.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zephane {

namespace {

using namespace collapse_control;

QString tag_name(TagDatabase& db, tag_id id) {
    if (is_null_reference(id)) return QStringLiteral("(none)");
    const TagEntry* tag = db.find_tag(kTextureStackType, id);
    return tag ? QString::fromLatin1(TagDatabase::get_tag_name(*tag))
               : QStringLiteral("(missing %1)").arg(QString::fromLatin1(tag_id_to_text(id)));
}

} // namespace

std::optional<CollapseChoice> run_collapse_terrain_dialog(QWidget* parent, TagDatabase& db,
                                                          const TexturePicker& pick) {
    XGDialog dialog(kResource, QStringLiteral("Collapse Terrain Detail"), parent);
    dialog.set_cancel_id(kCancel);
    auto* layout = new QVBoxLayout(&dialog);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    tag_id chosen[2] = {kNoTag, kNoTag}; // detail, terrain
    QLabel* names[2] = {};
    const int ids[2] = {kDetailStack, kTerrainStack};
    const char* texts[2] = {"Detail Stack", "Terrain Stack"};
    for (int k = 0; k < 2; ++k) {
        auto* button = new QPushButton(QString::fromLatin1(texts[k]), &dialog);
        button->setAutoDefault(false);
        names[k] = new QLabel(tag_name(db, kNoTag), &dialog);
        names[k]->setMinimumWidth(220);
        grid->addWidget(button, k, 0);
        grid->addWidget(names[k], k, 1);
        dialog.register_control(ids[k], button);
        QObject::connect(button, &QPushButton::clicked, &dialog, [&, k] {
            const tag_id id = pick(chosen[k]);
            if (id == 0) return;
            chosen[k] = id;
            names[k]->setText(tag_name(db, id));
        });
    }
    QPushButton* create = dialog.add_end_buttons(*layout, kCancel, QString::fromLatin1(text::kCancel), kCreate,
                                                 QStringLiteral("Create...."));
    const auto update = [&] { create->setEnabled(!is_null_reference(chosen[0]) && !is_null_reference(chosen[1])); };
    for (int id : ids)
        QObject::connect(dialog.control<QPushButton>(id), &QPushButton::clicked, &dialog, update);
    update();
    if (dialog.run() != kCreate) return std::nullopt;
    return CollapseChoice{chosen[0], chosen[1]};
}

TagEntry* collapse_into(QWidget* parent, TagDatabase& db, TagFile& into, const CollapseChoice& choice) {
    std::string problem;
    TagEntry* made = collapse_terrain(db, into, choice.terrain, choice.details, &problem,
                                      [parent](const std::function<void()>& work) {
                                          run_busy(parent, QStringLiteral("Collapsing terrain detail..."), work);
                                      });
    if (!made) report_exception(parent, UserError("Nothing was made: " + problem));
    return made;
}

} // namespace zephane
