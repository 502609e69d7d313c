// Writing a tag file: single-tag or monolithic, with entry points and checksums.

#include "tags/tag_file_writer.h"
#include "base/text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <climits>
#include <filesystem>
#include <sys/uio.h>

#include "base/byte_reader.h"
#include "base/errors.h"
#include "base/posix_file.h"
#include "tags/tag_observer.h"

namespace zephane {

namespace {

void set_failure(TagFileFailure* failure, std::string message) {
    if (failure) *failure = {TagFileFailure::kWriteFailed, std::move(message)};
}

// Sequential output that hands the kernel the payloads where they lie (writev), so no byte
// is copied in user space.
class GatherOutput {
public:
    explicit GatherOutput(PosixFile& file) : file_(file) { pending_.reserve(kBatch); }
    bool write(const std::uint8_t* data, std::size_t size) {
        if (size == 0) return true;
        pending_.push_back({const_cast<std::uint8_t*>(data), size});
        pending_bytes_ += size;
        return (pending_.size() < kBatch && pending_bytes_ < kBatchBytes) || flush();
    }
    bool empty() const { return pending_.empty(); }
    bool flush() {
        std::size_t first = 0;
        while (first < pending_.size()) {
            const int count = static_cast<int>(std::min<std::size_t>(pending_.size() - first, IOV_MAX));
            const ssize_t n = ::writev(file_.fd(), pending_.data() + first, count);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            // Step past what was written; a partial write leaves the rest of one iovec.
            auto left = static_cast<std::size_t>(n);
            while (left > 0 && left >= pending_[first].iov_len) left -= pending_[first++].iov_len;
            if (left > 0) {
                pending_[first].iov_base = static_cast<std::uint8_t*>(pending_[first].iov_base) + left;
                pending_[first].iov_len -= left;
            }
        }
        pending_.clear();
        pending_bytes_ = 0;
        return true;
    }

private:
    // Small batches: payloads just run through the checksum are still in the cache when the
    // kernel copies them.
    static constexpr std::size_t kBatch = 512;
    static constexpr std::size_t kBatchBytes = 256 * 1024;
    PosixFile& file_;
    std::vector<iovec> pending_;
    std::size_t pending_bytes_ = 0;
};

// The order tags are written in: groups in list order, each group's tags oldest first.
std::vector<TagEntry*> write_order(TagFile& file) {
    std::vector<TagEntry*> order;
    for (TagGroup& group : file.groups)
        for (auto it = group.entries.rbegin(); it != group.entries.rend(); ++it) order.push_back(&*it);
    return order;
}

void put_tag_header(std::uint8_t* h, const TagEntry& entry, std::uint8_t header_kind,
                    std::uint32_t offset) {
    using namespace tag_header;
    std::memset(h, 0, kTagHeaderSize);
    h[kHeaderKind] = header_kind;
    copy_text(reinterpret_cast<char*>(h + kName), 32, entry.name.substr(0, kTagNameLength));
    store_u32(h + kType, entry.group->type);
    store_u32(h + kId, entry.id);
    store_u32(h + kOffset, offset);
    store_u32(h + kSize, entry.size);
    store_u32(h + kUserWord, 0);
    store_u16(h + kVersion, static_cast<std::uint16_t>(entry.version));
    h[kReserved58] = 0x00;
    h[kReserved59] = 0xFF;
    store_u32(h + kSignature, kTagHeaderSignature);
}

bool same_file_on_disk(const std::string& a, const std::string& b) {
    const DiskIdentity x = disk_identity_of(a), y = disk_identity_of(b);
    return x.known && y.known && x.device == y.device && x.inode == y.inode;
}

} // namespace

DiskIdentity disk_identity_of(const std::string& path) {
    PosixFile file = PosixFile::open_read(path);
    return file ? file.identity() : DiskIdentity{};
}

std::uint64_t file_length(std::FILE* stream) {
    const long here = std::ftell(stream);
    std::fseek(stream, 0, SEEK_END);
    const long end = std::ftell(stream);
    std::fseek(stream, here, SEEK_SET);
    return end < 0 ? 0 : static_cast<std::uint64_t>(end);
}

std::string header_file_name(const std::string& spec) {
    std::string name = std::filesystem::path(spec).filename().string();
    if (const auto dot = name.rfind('.'); dot != std::string::npos && name.size() - dot - 1 <= 3)
        name.resize(dot);
    return name.substr(0, 32);
}

TagSaveKind resolve_save_kind(const std::string& target, std::size_t tag_count) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::absolute(target, error).lexically_normal();
    if (error) folder = std::filesystem::path(target);
    folder = folder.parent_path();
    std::string names = ":";
    for (int level = 0; level < 30 && names.size() <= 768; ++level) {
        const std::string name = folder.filename().string();
        if (name.empty()) break;
        names += name + ":";
        if (!folder.has_parent_path() || folder.parent_path() == folder) break;
        folder = folder.parent_path();
    }
    if (names.find(":local:") != std::string::npos)
        return tag_count == 1 ? TAG_FILE_TYPE_SINGLE : TAG_FILE_TYPE_AUTO;
    if (names.find(":tags:") != std::string::npos) return TAG_FILE_TYPE_BASE;
    return TAG_FILE_TYPE_PLUGIN;
}

std::size_t file_tag_count(const TagFile& file) {
    std::size_t count = 0;
    for (const TagGroup& group : file.groups) count += group.entries.size();
    return count;
}

namespace {
EntryPointBuilder& entry_point_builder() {
    static EntryPointBuilder builder;
    return builder;
}

// Without a builder only a file holding no map has a table: the empty one.
std::optional<std::vector<entry_point>> entry_points_of(TagDatabase& db, TagFile& file) {
    if (entry_point_builder()) return entry_point_builder()(db, file);
    const TagGroup* maps = db.find_tag_group(file, fourcc("mesh"), false);
    if (maps && !maps->entries.empty()) return std::nullopt;
    return std::vector<entry_point>{};
}
} // namespace

void set_entry_point_builder(EntryPointBuilder builder) { entry_point_builder() = std::move(builder); }

bool TagDatabase::write_tag_file(const std::string& target, TagFile& file, bool commit,
                                 TagSaveKind kind, TagFileFailure* failure, bool flush_to_disk) {
    if (file.spec && *file.spec == target) {
        set_failure(failure, "the file cannot be written over itself");
        return false;
    }
    if (file.kind == kFileKindPatch || file.kind == kFileKindBase) {
        set_failure(failure, "base tags and patches cannot be written");
        return false;
    }
    // Another path to the same file (a link, "./" in front) would be truncated before its
    // payloads are read.
    if (file.spec && same_file_on_disk(*file.spec, target)) {
        set_failure(failure, "the target is the file itself");
        return false;
    }

    std::vector<TagEntry*> order = write_order(file);
    const std::size_t n = order.size();
    if (kind == TAG_FILE_TYPE_AUTO) {
        kind = resolve_save_kind(target, n);
        // A user's mistake, not the program's: said plainly, never as an assertion.
        if (kind == TAG_FILE_TYPE_AUTO) {
            set_failure(failure, "a file under a folder named local must hold exactly one tag");
            return false;
        }
    }
    if (kind == TAG_FILE_TYPE_SINGLE && n != 1) {
        set_failure(failure, "a single-tag file must hold exactly one tag, not " + std::to_string(n));
        return false;
    }
    const bool monolithic = kind != TAG_FILE_TYPE_SINGLE;
    std::vector<entry_point> entry_points;
    if (monolithic) {
        auto built = entry_points_of(*this, file);
        if (!built) {
            set_failure(failure, "a map's header could not be read to build the entry points");
            return false;
        }
        entry_points = std::move(*built);
    }

    // The current file is opened only when it still holds payloads we have to copy.
    PosixFile source;
    const bool needs_source = std::any_of(order.begin(), order.end(), [](const TagEntry* e) {
        return !e->data && e->size != 0;
    });
    if (needs_source) {
        if (!file.spec) {
            set_failure(failure, "a tag has no payload and the file has no path to read it from");
            return false;
        }
        source = PosixFile::open_read(*file.spec);
        if (!source) {
            if (source.open_error() != ENOENT) file.read_only = true;
            set_failure(failure, "cannot open " + *file.spec + " to copy its payloads: " +
                                     std::strerror(source.open_error()));
            return false;
        }
        if (file.disk.known && source.identity() != file.disk) {
            set_failure(failure, *file.spec + " was changed by another program since it was loaded");
            return false;
        }
    }

    std::uint64_t total = kFileHeaderSize;
    for (const TagEntry* e : order) total += std::uint64_t{e->size} + kTagHeaderSize;
    const std::uint64_t headers_start =
        monolithic ? kFileHeaderSize + std::uint64_t{kEntryPointSize} * entry_points.size() : 0;
    const std::uint64_t first_payload = monolithic ? headers_start + kTagHeaderSize * n : kTagHeaderSize;
    const std::uint64_t file_size = first_payload + (total - kFileHeaderSize - kTagHeaderSize * n);
    if (file_size > 0xFFFFFFFFu || n > 0xFFFF || entry_points.size() > 0xFFFF) {
        set_failure(failure, "the file would exceed the limits of the tag file format");
        return false;
    }

    PosixFile out = PosixFile::create(target);
    if (!out) {
        set_failure(failure, "cannot create " + target + ": " + std::strerror(out.open_error()));
        return false;
    }
    GatherOutput output(out);
    const auto fail = [&](const std::string& message) {
        set_failure(failure, message);
        return false;
    };

    // Everything before the payloads, in file byte order, in one buffer that outlives the
    // gathered writes.
    file_header header{};
    std::vector<std::uint8_t> head(static_cast<std::size_t>(first_payload));
    if (monolithic) {
        header.kind = static_cast<std::int16_t>(kind == TAG_FILE_TYPE_BASE ? kFileKindBase : kFileKindPlugin);
        header.preserved_word = kind == TAG_FILE_TYPE_BASE ? 0 : file.preserved_word;
        const std::string name = header_file_name(file.spec ? *file.spec : target);
        std::memcpy(header.name, name.data(), name.size());
        header.entry_point_count = static_cast<std::uint16_t>(entry_points.size());
        header.tag_count = static_cast<std::uint16_t>(n);
        header.file_size = static_cast<std::uint32_t>(file_size);
        header.signature = kFileHeaderSignature;
        byte_swap_copy("tag header", head.data(), &header, sizeof header, 1, kFileHeaderCodes);
        if (!entry_points.empty())
            byte_swap_copy("entry points", head.data() + kFileHeaderSize, entry_points.data(),
                           sizeof(entry_point), static_cast<long>(entry_points.size()), kEntryPointCodes);
    }
    std::vector<std::uint32_t> offsets(n);
    std::uint64_t offset = first_payload;
    for (std::size_t k = 0; k < n; ++k) {
        offsets[k] = static_cast<std::uint32_t>(offset);
        put_tag_header(head.data() + headers_start + k * kTagHeaderSize, *order[k], monolithic ? tag_header::kKindMonolithic : tag_header::kKindSingleTag,
                       offsets[k]);
        offset += order[k]->size;
    }
    if (!output.write(head.data(), head.size())) return fail("cannot write the headers of " + target);

    // A clean payload can be read again from disk, so it is released once written; a changed
    // one stays until the write is committed.
    std::vector<TagEntry*> written_clean;
    const auto release_written = [&] {
        for (TagEntry* e : written_clean) e->data.reset();
        written_clean.clear();
    };
    const std::uint64_t source_size = source ? source.identity().size : 0;
    std::uint32_t data_crc = kCrcInitial;
    std::vector<std::uint8_t> scratch;
    for (TagEntry* e : order) {
        if (e->size == 0) continue;
        if (e->data) {
            data_crc = tag_crc(data_crc, *e->data);
            if (!output.write(e->data->data(), e->size)) return fail("cannot write " + target);
            if (!e->dirty && e->offset != 0 && file.spec) written_clean.push_back(e);
            if (output.empty()) release_written();
            continue;
        }
        if (std::uint64_t{e->offset} + e->size > source_size)
            return fail("the payload of '" + e->name + "' lies past the end of " + *file.spec);
        scratch.resize(e->size);
        if (!source.read_at(scratch.data(), scratch.size(), e->offset))
            return fail("cannot read the payload of '" + e->name + "' from " + *file.spec);
        data_crc = tag_crc(data_crc, scratch);
        // The scratch buffer is reused: it has to reach the file before the next payload.
        if (!output.write(scratch.data(), scratch.size()) || !output.flush())
            return fail("cannot write " + target);
        release_written();
    }
    if (!output.flush()) return fail("cannot write " + target);
    release_written();

    if (monolithic) {
        header.data_checksum = data_crc;
        header.header_checksum = 0;
        file_header swapped{};
        byte_swap_copy("tag header", &swapped, &header, sizeof header, 1, kFileHeaderCodes);
        header.header_checksum = tag_crc(kCrcInitial, {reinterpret_cast<const std::uint8_t*>(&swapped), sizeof swapped});
        copy_text(header.web_address, sizeof header.web_address, kWebAddress);
        header.web_address[63] = 0;
        byte_swap_copy("tag header", &swapped, &header, sizeof header, 1, kFileHeaderCodes);
        if (!out.write_at(&swapped, sizeof swapped, 0)) return fail("cannot write the file header of " + target);
    }
    if (flush_to_disk && !out.sync()) return fail("cannot flush " + target + " to disk");
    const DiskIdentity written = out.identity();
    if (!out.close()) return fail("cannot close " + target);

    if (commit) {
        for (std::size_t k = 0; k < n; ++k) {
            order[k]->offset = offsets[k];
            order[k]->dirty = false;
            order[k]->data.reset();
        }
        file.needupdate = false;
        file.needrewrite = false;
        file.read_only = false;
        file.kind = kind == TAG_FILE_TYPE_SINGLE ? kFileKindSingle
                    : kind == TAG_FILE_TYPE_BASE ? kFileKindBase
                                                 : kFileKindPlugin;
        if (file.spec) {
            const auto it = files_by_spec_.find(*file.spec);
            if (it != files_by_spec_.end() && it->second == &file) files_by_spec_.erase(it);
        }
        file.spec = target;
        file.disk = written;
        files_by_spec_[target] = &file;
        notify_file(file);
    }
    return true;
}

} // namespace zephane
