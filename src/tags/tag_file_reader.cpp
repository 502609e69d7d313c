// Recognising and loading tag files and folders of them.

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <dirent.h>
#include <sys/stat.h>

#include "base/byte_reader.h"
#include "base/errors.h"
#include "base/posix_file.h"
#include "base/text.h"
#include "tags/tag_database.h"
#include "tags/tag_file_format.h"

namespace zephane {

namespace {

void set_failure(TagFileFailure* failure, TagFileFailure::Reason reason, std::string message) {
    if (failure) *failure = {reason, std::move(message)};
}

} // namespace

TagFile* TagDatabase::read_tag_file(const std::string& spec, bool create, TagFileFailure* failure) {
    return read_tag_file_at(spec, create, failure, nullptr);
}

TagFile* TagDatabase::read_tag_file_at(const std::string& spec, bool create, TagFileFailure* failure,
                                       const FilePlace* place) {
    if (const auto it = files_by_spec_.find(spec); it != files_by_spec_.end()) return it->second;

    bool read_only = false;
    PosixFile in = PosixFile::open_read_write(spec);
    if (!in) {
        in = PosixFile::open_read(spec);
        read_only = true;
    }
    const DiskIdentity identity = in.identity();
    if (in && !identity.regular) in = PosixFile();
    if (!in) {
        if (!create) {
            set_failure(failure, TagFileFailure::kUnreadable,
                        "cannot open " + spec + ": " + std::strerror(in.open_error() ? in.open_error() : EISDIR));
            return nullptr;
        }
        TagFile& file = link_new_file(place);
        file.spec = spec;
        file.kind = kFileKindPlugin;
        file.read_only = false;
        file.needupdate = true;
        file.needrewrite = true;
        files_by_spec_[spec] = &file;
        notify_file(file);
        return &file;
    }

    const std::uint64_t length = identity.size;
    if (length < kTagHeaderSize) {
        set_failure(failure, TagFileFailure::kNotTagFile,
                    spec + " is not a tag file (" + std::to_string(length) + " bytes)");
        return nullptr;
    }
    std::uint8_t first[kFileHeaderSize] = {};
    const std::size_t probe = static_cast<std::size_t>(std::min<std::uint64_t>(length, kFileHeaderSize));
    if (!in.read_at(first, probe, 0)) {
        set_failure(failure, TagFileFailure::kUnreadable, "cannot read " + spec);
        return nullptr;
    }

    const std::span<const std::uint8_t> probed(first, probe);
    const TagFileLayout layout = recognise_tag_file(probed);
    if (layout == TagFileLayout::kNotTagFile) {
        set_failure(failure, TagFileFailure::kNotTagFile, spec + " is not a tag file");
        return nullptr;
    }
    const bool monolithic = layout == TagFileLayout::kMonolithic;
    ByteReader first_bytes(probed);
    file_header header{};
    if (monolithic) {
        header = read_file_header(first_bytes);
    } else {
        first_bytes.seek(tag_header::kPreservedWord, "preserved word");
        header.kind = kFileKindSingle;
        header.preserved_word = first_bytes.u16("preserved word");
        header.entry_point_count = 0;
        header.tag_count = 1;
    }

    // Every header must lie inside the file before anything is made of it.
    const TagHeaderRange range = tag_header_range(header, monolithic);
    if (range.end > length) {
        set_failure(failure, TagFileFailure::kDamaged,
                    spec + " is damaged: its " + std::to_string(header.entry_point_count) +
                        " entry points and " + std::to_string(header.tag_count) +
                        " tag headers need " + std::to_string(range.end) + " bytes but the file has " +
                        std::to_string(length));
        return nullptr;
    }
    std::vector<std::uint8_t> headers(static_cast<std::size_t>(range.end - range.start));
    if (!monolithic) {
        std::memcpy(headers.data(), first, kTagHeaderSize); // already read with the probe
    } else if (!headers.empty() && !in.read_at(headers.data(), headers.size(), range.start)) {
        set_failure(failure, TagFileFailure::kUnreadable, "cannot read " + spec);
        return nullptr;
    }
    ZEPHANE_ASSERT(monolithic || header.tag_count == 1, "fh.tag_count == 1", "tags");

    TagFile& file = link_new_file(place);
    file.spec = spec;
    file.read_only = read_only;
    file.kind = header.kind;
    file.preserved_word = header.preserved_word;
    file.disk = identity;
    files_by_spec_[spec] = &file;
    ByteReader stored(headers, static_cast<std::size_t>(range.start));
    for (std::size_t k = 0; k < header.tag_count; ++k) {
        StoredTagHeader tag = read_tag_header(stored);
        if (!monolithic) tag.size = static_cast<std::uint32_t>(length - kTagHeaderSize);
        insert_entry(file, tag.type, tag.id, tag.version, tag.name, tag.offset, tag.size,
                     std::nullopt, true);
    }
    notify_file(file);
    return &file;
}

void TagDatabase::load_tag_folder(const std::string& folder, bool recurse) {
    load_folder_entries(folder, recurse);
}

void TagDatabase::load_folder_entries(const std::string& folder, bool recurse) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    struct Child {
        std::string lower; // compared first, so the order does not depend on case
        std::string name;
        bool is_folder;
    };
    std::vector<Child> children;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || name == ".DS_Store") continue;
        bool is_folder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            is_folder = ::lstat((prefix + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        }
        children.push_back({ascii_lower(name), name, is_folder});
    }
    ::closedir(dir);
    std::sort(children.begin(), children.end(), [](const Child& a, const Child& b) {
        const int order = a.lower.compare(b.lower);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    files_by_spec_.reserve(files_by_spec_.size() + children.size());
    index_.reserve(index_.size() + children.size());
    // Symbolic links to folders are not followed, so a link cycle cannot recurse for ever.
    for (const Child& child : children) {
        const std::string path = prefix + child.name;
        if (child.is_folder) {
            if (recurse) load_folder_entries(path, recurse);
        } else {
            read_tag_file(path, false);
        }
    }
}

} // namespace zephane
