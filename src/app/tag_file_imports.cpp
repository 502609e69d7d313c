// Imports started from a tag file window: files that become new tags of the window's file.

#include "app/app_texts.h"
#include "app/tag_file_form.h"
#include "app/zephane_app.h"
#include "app/tag_picker_dialog.h"
#include "base/errors.h"
#include "base/posix_file.h"
#include "dialogs/dialog_builder.h"
#include "framework/xg_busy.h"
#include "framework/xg_file_dialog.h"
#include "framework/xg_text.h"
#include "skeletal/canm_payload.h"
#include "skeletal/skl_import.h"
#include "tags/tag_types.h"
#include "textures/psd_import.h"
#include "textures/texture_stack.h"
#include "textures/ui/collapse_terrain_dialog.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace zephane {

namespace {

template <typename... Args>
QString formatted(const char* format, Args... args) {
    char text[512];
    std::snprintf(text, sizeof text, format, args...);
    return QString::fromLatin1(text);
}

} // namespace

std::optional<QString> TTagFileForm::choose_import_file(const char* filter, const char* extension) {
    FileDialogRequest request;
    request.filter = QString::fromLatin1(filter);
    request.default_extension = QString::fromLatin1(extension);
    if (file_->spec)
        request.folder = QFileInfo(QString::fromStdString(*file_->spec)).absolutePath();
    return xg_choose_file(this, request);
}

void TTagFileForm::import_camera_motion() {
    const std::optional<QString> chosen = choose_import_file(text::kAseFileFilter, "ASE");
    if (!chosen) return;
    const std::string path = QFileInfo(*chosen).absoluteFilePath().toStdString();
    const std::string shown = QFileInfo(*chosen).fileName().toStdString();
    const auto bytes = read_whole_file(path);
    const AseCameraRead read = bytes ? read_ase_camera(*bytes) : AseCameraRead{std::nullopt, text::kFileUnreadable};
    if (!read.animation) {
        // Nothing is added; the window says why.
        set_status(formatted(text::kCameraRefusedFormat, shown.c_str(), read.refusal.c_str()));
        return;
    }
    const std::string name = import_name_for(path, 31);
    const std::vector<TagEntry*> added = add_tags(1, [&](TagFile& target) {
        TagDatabase& db = app_.db();
        const tag_id id = db.make_tag_id(name, kCameraAnimationTagType, nullptr);
        return std::vector<TagEntry*>{db.add_tag(&target, kCameraAnimationTagType, id,
                                                 tag_type_version(kCameraAnimationTagType), name, 0, 0,
                                                 save_canm_payload(*read.animation))};
    });
    rebuildTree(true);
    select_tags(added);
    if (!added.empty())
        set_status(formatted(text::kCameraImportedFormat, shown.c_str(), read.animation->positions.size(),
                             read.animation->rotations.size()));
}

void TTagFileForm::import_cin_file() {
    const std::optional<QString> chosen = choose_import_file(text::kCinFileFilter, "CIN");
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
    const std::optional<QString> chosen = choose_import_file(text::kPhotoshopFileFilter, "PSD");
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
