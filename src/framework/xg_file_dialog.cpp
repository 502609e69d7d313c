#include "framework/xg_file_dialog.h"

#include <QFileDialog>
#include <utility>

namespace zephane {

namespace {
FileDialogHook& file_dialog_hook() {
    static FileDialogHook hook;
    return hook;
}
} // namespace

QStringList qt_name_filters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
        QString patterns = parts[k + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts[k], patterns);
    }
    return filters;
}

std::optional<QString> xg_choose_file(QWidget* parent, const FileDialogRequest& request) {
    if (file_dialog_hook()) return file_dialog_hook()(request);
    QFileDialog dialog(parent);
    dialog.setNameFilters(qt_name_filters(request.filter));
    dialog.setDefaultSuffix(request.default_extension);
    if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
    if (request.kind == FileDialogRequest::kSave) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(request.proposed);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

FileDialogHook set_file_dialog_hook(FileDialogHook hook) {
    return std::exchange(file_dialog_hook(), std::move(hook));
}

} // namespace zephane
