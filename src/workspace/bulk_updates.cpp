#include "workspace/bulk_updates.h"

#include <algorithm>
#include <filesystem>

#include "base/errors.h"
#include "tags/tag_version.h"

namespace zephane {

namespace {

namespace fs = std::filesystem;

bool out_of_date(const TagEntry& tag) {
    const TagTypeRow* row = find_tag_type(TagDatabase::get_tag_type(tag));
    return row && tag.version != row->version;
}

bool lies_under(const std::string& path, const fs::path& folder) {
    const fs::path relative = fs::path(path).lexically_normal().lexically_relative(folder.lexically_normal());
    return !relative.empty() && *relative.begin() != ".." && !relative.is_absolute();
}

} // namespace

FormatUpdateSummary update_tag_formats(TagDatabase& db, const BulkProgress& progress) {
    FormatUpdateSummary summary;
    std::vector<TagEntry*> tags;
    for (TagFile& file : db.files())
        for (TagGroup& group : file.groups)
            for (TagEntry& entry : group.entries)
                if (out_of_date(entry)) {
                    if (TagDatabase::tag_file_is_locked(file))
                        ++summary.locked;
                    else
                        tags.push_back(&entry);
                }
    for (std::size_t done = 0; done < tags.size(); ++done) {
        if (progress && !progress(done, tags.size())) {
            summary.cancelled = true;
            break;
        }
        TagEntry& tag = *tags[done];
        const tag_type type = TagDatabase::get_tag_type(tag);
        const std::int16_t before = tag.version;
        const bool needed_save = TagDatabase::tag_file_needs_save(*tag.file);
        try {
            if (update_tag_version(db, tag))
                ++summary.converted[type];
            else if (before == 0 && tag.version != 0)
                ++summary.stamped;
        } catch (const InternalError& error) {
            summary.failures.push_back(std::string(tag_id_to_text(type)) + ":" + tag_id_to_text(tag.id) +
                                       " '" + tag.name + "': version " + std::to_string(before) +
                                       " cannot be brought up to date (" + error.expression() + ")");
        } catch (const std::exception& error) {
            summary.failures.push_back(std::string(tag_id_to_text(type)) + ":" + tag_id_to_text(tag.id) +
                                       " '" + tag.name + "': " + error.what());
        }
        if (!needed_save && TagDatabase::tag_file_needs_save(*tag.file) &&
            std::find(summary.files.begin(), summary.files.end(), tag.file) == summary.files.end())
            summary.files.push_back(tag.file);
    }
    if (progress && !summary.cancelled) progress(tags.size(), tags.size());
    return summary;
}

LocalPluginSummary build_plugin_from_local(TagDatabase& db, const std::string& workspace,
                                           const std::string& target) {
    LocalPluginSummary summary;
    const fs::path local = fs::path(workspace) / "local";
    std::vector<TagFile*> sources; // list order: the copy a lookup finds comes first
    for (TagFile& file : db.files()) {
        if (!file.spec || !lies_under(*file.spec, local)) continue;
        if (fs::path(*file.spec).lexically_normal() == fs::path(target).lexically_normal()) {
            summary.failure = target + " is a file of the 'local' folder";
            return summary;
        }
        sources.push_back(&file);
    }
    for (TagFile& file : db.files())
        if (file.spec && fs::path(*file.spec).lexically_normal() == fs::path(target).lexically_normal()) {
            summary.failure = target + " is open; close it or choose another name";
            return summary;
        }
    summary.local_files = sources.size();
    std::size_t local_tags = 0;
    for (const TagFile* file : sources)
        for (const TagGroup& group : file->groups) local_tags += group.entries.size();

    TagFile* plugin = db.create_tag_file();
    for (TagFile* file : sources) db.copy_missing_tags(*file, *plugin);
    for (const TagGroup& group : plugin->groups) summary.written += group.entries.size();
    // What was not copied was either hidden by a copy taken already or could not be read.
    std::size_t distinct = 0;
    {
        std::vector<std::uint64_t> keys;
        for (const TagFile* file : sources)
            for (const TagGroup& group : file->groups)
                for (const TagEntry& entry : group.entries)
                    keys.push_back((std::uint64_t{group.type} << 32) | entry.id);
        std::sort(keys.begin(), keys.end());
        distinct = static_cast<std::size_t>(std::unique(keys.begin(), keys.end()) - keys.begin());
    }
    summary.hidden = local_tags - distinct;
    summary.unreadable = distinct - summary.written;
    TagFileFailure failure;
    if (summary.written == 0) {
        summary.failure = "the 'local' folder holds no tag that could be read";
    } else if (!db.write_tag_file(target, *plugin, false, TAG_FILE_TYPE_PLUGIN, &failure, true)) {
        summary.failure = "cannot write " + target + ": " + failure.message;
    }
    db.close_tag_file(*plugin);
    if (!summary.failure.empty()) summary.written = 0;
    return summary;
}

} // namespace zephane
