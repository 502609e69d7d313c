// Saving a tag file: changed payloads in place when nothing else changed, otherwise the
// whole file through a temporary file that replaces the original only once it is complete.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>

#include "base/errors.h"
#include "base/posix_file.h"
#include "tags/tag_database.h"
#include "tags/tag_file_writer.h"

namespace zephane {

namespace {

constexpr int kTemporaryNameTries = 4096;

std::string folder_prefix(const std::string& spec) {
    const std::filesystem::path folder = std::filesystem::path(spec).parent_path();
    return folder.empty() ? std::string() : folder.string() + "/";
}

std::string temporary_name(const std::string& prefix, int counter) {
    char name[32];
    std::snprintf(name, sizeof name, "temp-%x", static_cast<unsigned>(counter));
    return prefix + name;
}

[[noreturn]] void user_error(const TagFile& file, const std::string& what) {
    throw UserError(TagDatabase::tag_file_display_name(file) + " - " + what);
}

// The first "temp-%x" name in the folder that does not exist and can be created (empty).
std::string make_temporary_file(const TagFile& file, const std::string& prefix, int start) {
    for (int counter = start; counter < start + kTemporaryNameTries; ++counter) {
        const std::string name = temporary_name(prefix, counter);
        PosixFile probe = PosixFile::create_new(name);
        if (probe) return name;
        if (probe.open_error() != EEXIST) {
            user_error(file, std::string("Cannot create a temporary file in the folder: ") +
                                 std::strerror(probe.open_error()) + ".");
        }
    }
    user_error(file, "Cannot create a temporary file in the folder: every temporary name is taken.");
}

} // namespace

void TagDatabase::save_tag_file(TagFile& file) {
    if (file.kind == kFileKindPatch || file.kind == kFileKindBase)
        user_error(file, "Cannot modify base tags or patches.");
    if (!file.spec) return;
    check_file(file);
    if (file.needrewrite || !update_in_place(file)) rewrite_tag_file(file);
}

bool TagDatabase::update_in_place(TagFile& file) {
    PosixFile io = PosixFile::open_read_write(*file.spec);
    if (!io) return false;
    std::vector<TagEntry*> dirty;
    for (TagGroup& group : file.groups)
        for (TagEntry& entry : group.entries)
            if (entry.dirty) dirty.push_back(&entry);
    // Patching offsets into a file another program has rewritten would corrupt it.
    if (!dirty.empty() && file.disk.known && io.identity() != file.disk)
        user_error(file, "The file was changed by another program since it was loaded; "
                         "revert it or save it under another name.");
    const auto fail = [&](const char* what) {
        const int error = errno;
        file.disk = io.identity(); // our own writes changed it
        user_error(file, std::string(what) + std::strerror(error) + ".");
    };
    for (TagEntry* entry : dirty) {
        ZEPHANE_ASSERT(entry->data, "e->data", "tags");
        if (!entry->data) continue;
        if (!io.write_at(entry->data->data(), entry->data->size(), entry->offset))
            fail("The file could not be written: ");
        entry->dirty = false;
    }
    if (!dirty.empty() && !io.sync()) fail("The file could not be flushed to disk: ");
    file.disk = io.identity();
    io.close();
    file.needupdate = false;
    file.read_only = false;
    notify_file(file);
    return true;
}

void TagDatabase::rewrite_tag_file(TagFile& file) {
    if (!file.spec) return;
    if (file.kind == kFileKindPatch || file.kind == kFileKindBase)
        user_error(file, "Cannot modify base tags or patches.");
    const std::string own = *file.spec;
    {
        PosixFile io = PosixFile::open_read_write(own);
        if (io) {
            file.read_only = false;
        } else if (PosixFile::open_read(own)) {
            file.read_only = true;
            notify_file(file);
            user_error(file, "The file is read-only.");
        } else if (io.open_error() != ENOENT) {
            user_error(file, std::string("The file cannot be opened: ") + std::strerror(io.open_error()) + ".");
        }
    }

    // Refused before anything is created in the folder.
    if (resolve_save_kind(own, file_tag_count(file)) == TAG_FILE_TYPE_AUTO)
        user_error(file, kLocalFileHoldsOneTag);

    const std::string prefix = folder_prefix(own);
    const std::string temporary = make_temporary_file(file, prefix, 1);
    TagFileFailure failure;
    if (!write_tag_file(temporary, file, true, TAG_FILE_TYPE_AUTO, &failure, true)) {
        ::unlink(temporary.c_str());
        user_error(file, "The file could not be written: " + failure.message + ".");
    }

    // The file now refers to the complete, flushed temporary. Swap it into place: keep the old
    // content under a second name, move the temporary over the original in one atomic rename,
    // then drop the old content. Every moment leaves a complete file at the original path.
    std::string backup;
    for (int counter = 1; counter < kTemporaryNameTries && backup.empty(); ++counter) {
        const std::string name = temporary_name(prefix, counter);
        if (::link(own.c_str(), name.c_str()) == 0) backup = name;
        else if (errno != EEXIST) break; // no original any more, or links not supported
    }
    if (::rename(temporary.c_str(), own.c_str()) != 0) {
        const int error = errno;
        if (!backup.empty()) ::unlink(backup.c_str());
        notify_file(file);
        user_error(file, "The saved file could not replace the original (" +
                             std::string(std::strerror(error)) + "); it was kept as " + temporary + ".");
    }
    if (!backup.empty()) ::unlink(backup.c_str());
    sync_folder_of(own);

    files_by_spec_.erase(temporary);
    file.spec = own;
    files_by_spec_[own] = &file;
    file.disk = disk_identity_of(own);
    notify_file(file);
}

} // namespace zephane
