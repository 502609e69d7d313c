// Tags arriving in a tag file window (created, pasted, dropped), and where they go when the
// window's file is a single-tag file under a folder named local.

#include "app/app_texts.h"
#include "app/tag_file_form.h"
#include "app/zephane_app.h"
#include "base/errors.h"
#include "framework/xg_alert.h"
#include "tags/tag_file_writer.h"
#include "workspace/tag_file_names.h"

#include <QString>

namespace zephane {


std::vector<TagEntry*> TTagFileForm::add_tags(
    std::size_t adding, const std::function<std::vector<TagEntry*>(TagFile&)>& add) {
    if (adding == 0) adding = 1;
    if (!file_->spec ||
        resolve_save_kind(*file_->spec, file_tag_count(*file_) + adding) != TAG_FILE_TYPE_AUTO)
        return add(*file_);

    const int answer = xg_alert(
        this, QString::fromLatin1(text::kOneTagPerLocalFile),
        param_text(QString::fromLatin1(text::kOneTagPerLocalFileText),
                   {QString::fromStdString(TagDatabase::tag_file_display_name(*file_))}),
        {{kNewFilesButton, QString::fromLatin1(text::kNewFiles)},
         {kSaveAsPluginButton, QString::fromLatin1(text::kSaveAsPlugin)},
         {kCancelButton, QString::fromLatin1(text::kCancel)}},
        kNewFilesButton, kCancelButton);
    if (answer == kCancelButton) return {};
    if (answer == kSaveAsPluginButton) {
        std::vector<TagEntry*> added = add(*file_);
        rebuildTree(true);
        save_as((std::filesystem::path(app_.workspace()) / "plugins").string());
        return added;
    }
    TagDatabase& db = app_.db();
    TagFile& scratch = *db.create_tag_file();
    try {
        add(scratch);
    } catch (...) {
        app_.close_file(scratch);
        throw;
    }
    if (file_tag_count(scratch) == 0) {
        app_.close_file(scratch);
        return {};
    }
    place_in_single_files(scratch, std::filesystem::path(*file_->spec).parent_path());
    return {};
}

void TTagFileForm::place_in_single_files(TagFile& scratch, const std::filesystem::path& folder) {
    TagDatabase& db = app_.db();
    std::vector<TagEntry*> tags;
    for (TagGroup& group : scratch.groups)
        for (TagEntry& tag : group.entries) tags.push_back(&tag);
    // The first tag stays in the scratch file; every other one moves to a file of its own.
    std::vector<TagFile*> files{&scratch};
    for (std::size_t i = 1; i < tags.size(); ++i) {
        TagEntry& tag = *tags[i];
        const tag_type type = TagDatabase::get_tag_type(tag);
        const tag_id id = tag.id;
        const std::int16_t version = tag.version;
        const std::string name = tag.name;
        std::optional<Payload> payload = db.delete_tag(tag);
        const auto size = static_cast<std::uint32_t>(payload ? payload->size() : 0);
        TagFile* own = db.create_tag_file();
        db.add_tag(own, type, id, version, name, 0, size, std::move(payload));
        files.push_back(own);
    }
    std::string failures;
    for (TagFile* file : files) {
        const std::string name = file->groups.front().entries.front().name;
        const std::string path = free_tag_file_path(folder, name).string();
        TagFileFailure failure;
        // One that cannot be written stays open, unsaved, for Save As.
        if (!db.write_tag_file(path, *file, true, TAG_FILE_TYPE_SINGLE, &failure, true))
            failures += "\n" + path + ": " + failure.message;
        else
            app_.add_recent_file(path);
        app_.show_file_form(*file);
    }
    if (!failures.empty()) throw UserError("The new files could not all be written:" + failures);
}

} // namespace zephane
