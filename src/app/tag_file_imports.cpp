// Imports started from a tag file window: files that become new tags of the window's file.

#include "app/app_texts.h"
#include "app/tag_file_form.h"
#include "app/zephane_app.h"
#include "dialogs/dialog_builder.h"
#include "framework/xg_file_dialog.h"

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

} // namespace zephane
