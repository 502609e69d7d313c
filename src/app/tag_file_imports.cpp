// Imports started from a tag file window: files that become new tags of the window's file.

#include "app/app_texts.h"
#include "app/tag_file_form.h"
#include "app/zephane_app.h"
#include "dialogs/dialog_builder.h"
#include "app/tag_picker_dialog.h"
#include "base/errors.h"
#include "framework/xg_busy.h"
#include "framework/xg_file_dialog.h"
#include "framework/xg_text.h"
#include "tags/tag_types.h"
#include "textures/psd_import.h"
#include "textures/texture_stack.h"
#include "textures/ui/collapse_terrain_dialog.h"

#include <QFile>
#include <QFileInfo>

namespace zephane {

void TTagFileForm::import_cin_file() {
    FileDialogRequest request;
    request.filter = QString::fromLatin1(text::kCinFileFilter);
    request.default_extension = QStringLiteral("CIN");
    if (file_->spec)
        request.folder = QFileInfo(QString::fromStdString(*file_->spec)).absolutePath();
    const std::optional<QString> chosen = xg_choose_file(this, request);
    if (!chosen) return;
    // The whole file is checked before any tag is added: a failed check keeps none of them.
    std::vector<TagEntry*> added;
    try {
        const std::vector<BuiltDialog> dialogs =
            read_interface_description_file(QFileInfo(*chosen).absoluteFilePath().toStdString());
        if (dialogs.empty()) return;
        added = add_tags(dialogs.size(), [&](TagFile& target) {
            return add_dialog_tags(app_.db(), target, dialogs);
        });
    } catch (const DialogCheckFailure& failure) {
        report_dialog_check_failure(failure);
    }
    rebuildTree(true);
    select_tags(added);
}

void TTagFileForm::import_colormap() {
    FileDialogRequest request;
    request.filter = QString::fromLatin1(text::kPhotoshopFileFilter);
    request.default_extension = QStringLiteral("PSD");
    if (file_->spec)
        request.folder = QFileInfo(QString::fromStdString(*file_->spec)).absolutePath();
    const std::optional<QString> chosen = xg_choose_file(this, request);
    if (!chosen) return;
    const QFileInfo info(*chosen);
    const std::string path = QFile::encodeName(info.absoluteFilePath()).toStdString();
    std::unique_ptr<StackSet> set;
    std::string problem;
    run_busy(this, QStringLiteral("Importing %1...").arg(info.fileName()),
             [&] { set = import_terrain_file(path, &problem); });
    if (!set) throw UserError("No texture stack was made from " + info.fileName().toStdString() + ": " + problem);
    auto payload = build_stack_payload(*set, &problem);
    set.reset();
    if (!payload) throw UserError("No texture stack was made: " + problem);
    const std::string name = latin1(info.completeBaseName()).substr(0, kTagNameLength);
    const std::vector<TagEntry*> added = add_tags(1, [&](TagFile& target) {
        const tag_id id = app_.db().make_tag_id(name, kTextureStackType, &target);
        return std::vector<TagEntry*>{app_.db().add_tag(&target, kTextureStackType, id,
                                                        tag_type_version(kTextureStackType), name, 0, 0,
                                                        std::move(*payload))};
    });
    rebuildTree(true);
    select_tags(added);
}

void TTagFileForm::collapse_terrain_detail() {
    const auto pick = [this](tag_id current) {
        TagPickRequest request;
        request.type = kTextureStackType;
        request.current = current;
        request.file = file_;
        return pickTag(this, app_.db(), request);
    };
    const auto choice = run_collapse_terrain_dialog(this, app_.db(), pick);
    if (!choice) return;
    const std::vector<TagEntry*> added = add_tags(1, [&](TagFile& target) {
        TagEntry* made = collapse_into(this, app_.db(), target, *choice);
        return made ? std::vector<TagEntry*>{made} : std::vector<TagEntry*>{};
    });
    rebuildTree(true);
    select_tags(added);
}

} // namespace zephane
