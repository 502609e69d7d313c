#pragma once
// Choosing files to open and to save. Filters are written "Name|*.ext|Name|*.*".

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace zephane {

struct FileDialogRequest {
    enum Kind { kOpen, kSave };
    Kind kind = kOpen;
    QString filter;            // "Tolm 3 Tag File|*.tag|All Files|*.*"
    QString default_extension; // added to a name typed without one
    QString proposed;          // file name (or path) offered when saving
    QString folder;            // where the dialog starts; empty for the current folder
};

// The chosen path, or nothing when the user cancelled.
std::optional<QString> xg_choose_file(QWidget* parent, const FileDialogRequest& request);

// "A|*.x|B|*.*" as Qt's name filters ("A (*.x)", "B (*.*)").
QStringList qt_name_filters(const QString& filter);

// Tests answer file dialogs through this hook. Returns the previous hook.
using FileDialogHook = std::function<std::optional<QString>(const FileDialogRequest&)>;
FileDialogHook set_file_dialog_hook(FileDialogHook hook);

} // namespace zephane
