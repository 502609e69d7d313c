#include "app/writable_copy.h"

#include "app/zephane_app.h"
#include "base/errors.h"
#include "framework/xg_dialog.h"
#include "framework/xg_file_dialog.h"
#include "tags/tag_file_writer.h"
#include "workspace/tag_file_names.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QHBoxLayout>
#include <filesystem>
#include <optional>

namespace zephane {

namespace {

constexpr int kOk = 1;
constexpr int kCancel = 2;

// One row of the dialog: an open plugin, or a new file.
struct CopyPlace {
    enum Kind { kOpenFile, kNewPlugin, kNewLocal } kind;
    TagFile* file = nullptr;
};

bool takes_copies(const TagFile& file) {
    return file.spec && !TagDatabase::tag_file_is_locked(file) && file.kind == kFileKindPlugin;
}

std::optional<CopyPlace> choose_place(QWidget* parent, TZephaneApp& app, const TagEntry& original) {
    std::vector<CopyPlace> places;
    XGDialog dialog(kCopyTargetResource, QStringLiteral("Apply to a Copy"), parent);
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QLabel(
        QString::fromStdString(original.name + " is in " + app.file_display_name(*original.file) +
                               ", which cannot be changed. Apply the changes to a copy of the "
                               "tag, with the same type and id, so that it overrides the "
                               "original. Put the copy into:"),
        &dialog);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* list = new QListWidget(&dialog);
    dialog.register_control(kCopyTargetList, list);
    for (TagFile& file : app.db().files()) {
        if (!takes_copies(file)) continue;
        places.push_back({CopyPlace::kOpenFile, &file});
        list->addItem(QString::fromStdString(app.file_display_name(file)));
    }
    places.push_back({CopyPlace::kNewPlugin});
    list->addItem(QStringLiteral("A new plugin file..."));
    places.push_back({CopyPlace::kNewLocal});
    list->addItem(QString::fromStdString("A new file under local (local/" + original.name + ".tag)"));
    list->setCurrentRow(0);
    layout->addWidget(list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(dialog.make_end_button(kCancel, QStringLiteral("Cancel")));
    buttons->addWidget(dialog.make_end_button(kOk, QStringLiteral("OK"), true));
    layout->addLayout(buttons);
    dialog.set_cancel_id(kCancel);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, [&dialog] { dialog.end(kOk); });
    dialog.resize(460, 300);
    if (dialog.run() != kOk || list->currentRow() < 0) return std::nullopt;
    return places[static_cast<std::size_t>(list->currentRow())];
}

TagFile* file_for(QWidget* parent, TZephaneApp& app, const CopyPlace& place, const TagEntry& original) {
    TagDatabase& db = app.db();
    const std::filesystem::path workspace(app.workspace());
    if (place.kind == CopyPlace::kOpenFile) return place.file;
    if (place.kind == CopyPlace::kNewLocal) {
        const std::filesystem::path folder = workspace / "local";
        std::filesystem::create_directories(folder);
        TagFileFailure failure;
        TagFile* file = db.read_tag_file(free_tag_file_path(folder, original.name).string(),
                                         true, &failure);
        if (!file) throw UserError("The new file could not be made: " + failure.message);
        return file;
    }
    FileDialogRequest request;
    request.kind = FileDialogRequest::kSave;
    request.filter = QStringLiteral("All Files|*.*");
    request.proposed = QString::fromStdString(tag_file_stem(original.name) + ".tag");
    request.folder = QString::fromStdString((workspace / "plugins").string());
    const std::optional<QString> chosen = xg_choose_file(parent, request);
    if (!chosen) return nullptr;
    const std::string path = std::filesystem::absolute(chosen->toStdString()).lexically_normal();
    TagFileFailure failure;
    TagFile* file = db.read_tag_file(path, true, &failure);
    if (!file) throw UserError("The file could not be opened: " + failure.message);
    if (!takes_copies(*file) && file_tag_count(*file) > 0)
        throw UserError(TagDatabase::tag_file_display_name(*file) +
                        " - The copy can go only into a plugin file.");
    if (resolve_save_kind(path, file_tag_count(*file) + 1) != TAG_FILE_TYPE_PLUGIN)
        throw UserError(TagDatabase::tag_file_display_name(*file) +
                        " - A plugin file lies outside the folders named tags and local.");
    return file;
}

} // namespace

std::string locked_tag_note(const TagEntry& tag) {
    const TagFile* file = tag.file;
    if (!file || !TagDatabase::tag_file_is_locked(*file)) return {};
    const char* where = file->kind == kFileKindBase    ? "a base file"
                        : file->kind == kFileKindPatch ? "a patch"
                                                       : "a read-only file";
    return std::string("This tag is in ") + where +
           " and cannot be changed there: Apply puts the changes into a copy in a plugin or "
           "local file.";
}

TagEntry* make_writable_copy(QWidget* parent, TZephaneApp& app, TagEntry& original) {
    const std::optional<CopyPlace> place = choose_place(parent, app, original);
    if (!place) return nullptr;
    TagFile* target = file_for(parent, app, *place, original);
    if (!target) return nullptr;
    TagDatabase& db = app.db();
    const tag_type type = TagDatabase::get_tag_type(original);
    if (TagEntry* existing = db.find_tag_in_file(*target, type, original.id)) return existing;
    std::string failure;
    const Payload* payload = db.get_tag_data(original, &failure);
    if (!payload) throw UserError(original.name + " - The tag cannot be read: " + failure);
    return db.add_tag(target, type, original.id, original.version, original.name, 0,
                      static_cast<std::uint32_t>(payload->size()), *payload);
}

} // namespace zephane
