#pragma once
// A small RAII wrapper over a POSIX file descriptor: positioned reads and writes that
// report short transfers, identity for change detection, and a checked close.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zephane {

// What a file looked like on disk when we last read or wrote it, so that a save can tell
// whether another program has changed it since.
struct DiskIdentity {
    bool known = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified_ns = 0;
    bool regular = false; // a plain file, not a folder or a device
    bool operator==(const DiskIdentity&) const = default;
};

class PosixFile {
public:
    PosixFile() = default;
    ~PosixFile();
    PosixFile(PosixFile&& other) noexcept;
    PosixFile& operator=(PosixFile&& other) noexcept;
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    static PosixFile open_read(const std::string& path);
    static PosixFile open_read_write(const std::string& path);
    // Creates the file or truncates it.
    static PosixFile create(const std::string& path);
    // Creates the file only when no file of that name exists.
    static PosixFile create_new(const std::string& path);

    explicit operator bool() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    int open_error() const { return error_; }

    DiskIdentity identity() const;
    bool read_at(void* buffer, std::size_t count, std::uint64_t offset) const;
    bool write_at(const void* buffer, std::size_t count, std::uint64_t offset);
    bool write_all(const void* buffer, std::size_t count);
    bool sync();
    // Closes and reports whether everything written reached the file system.
    bool close();

private:
    explicit PosixFile(int fd, int error) : fd_(fd), error_(error) {}
    int fd_ = -1;
    int error_ = 0;
};

std::optional<std::vector<std::uint8_t>> read_whole_file(const std::string& path);
bool write_whole_file(const std::string& path, const std::vector<std::uint8_t>& bytes);
// Flushes a folder's entries (after a rename) so the new name survives a power cut.
void sync_folder_of(const std::string& path);

} // namespace zephane
