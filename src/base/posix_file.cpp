#include "base/posix_file.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace zephane {

namespace {
int open_with(const std::string& path, int flags, int& error) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    error = fd < 0 ? errno : 0;
    return fd;
}
} // namespace

PosixFile::~PosixFile() {
    if (fd_ >= 0) ::close(fd_);
}

PosixFile::PosixFile(PosixFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), error_(other.error_) {}

PosixFile& PosixFile::operator=(PosixFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        error_ = other.error_;
    }
    return *this;
}

PosixFile PosixFile::open_read(const std::string& path) {
    int error = 0;
    const int fd = open_with(path, O_RDONLY, error);
    return PosixFile(fd, error);
}

PosixFile PosixFile::open_read_write(const std::string& path) {
    int error = 0;
    const int fd = open_with(path, O_RDWR, error);
    return PosixFile(fd, error);
}

PosixFile PosixFile::create(const std::string& path) {
    int error = 0;
    const int fd = open_with(path, O_WRONLY | O_CREAT | O_TRUNC, error);
    return PosixFile(fd, error);
}

PosixFile PosixFile::create_new(const std::string& path) {
    int error = 0;
    const int fd = open_with(path, O_WRONLY | O_CREAT | O_EXCL, error);
    return PosixFile(fd, error);
}

DiskIdentity PosixFile::identity() const {
    DiskIdentity id;
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) return id;
    id.known = true;
    id.device = static_cast<std::uint64_t>(st.st_dev);
    id.inode = static_cast<std::uint64_t>(st.st_ino);
    id.size = static_cast<std::uint64_t>(st.st_size);
    id.modified_ns = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    id.regular = S_ISREG(st.st_mode);
    return id;
}

bool PosixFile::read_at(void* buffer, std::size_t count, std::uint64_t offset) const {
    auto* p = static_cast<char*>(buffer);
    while (count > 0) {
        const ssize_t n = ::pread(fd_, p, count, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        count -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
    return true;
}

bool PosixFile::write_at(const void* buffer, std::size_t count, std::uint64_t offset) {
    const auto* p = static_cast<const char*>(buffer);
    while (count > 0) {
        const ssize_t n = ::pwrite(fd_, p, count, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        count -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
    return true;
}

bool PosixFile::write_all(const void* buffer, std::size_t count) {
    const auto* p = static_cast<const char*>(buffer);
    while (count > 0) {
        const ssize_t n = ::write(fd_, p, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        count -= static_cast<std::size_t>(n);
    }
    return true;
}

bool PosixFile::sync() { return fd_ >= 0 && ::fsync(fd_) == 0; }

bool PosixFile::close() {
    if (fd_ < 0) return false;
    const int result = ::close(std::exchange(fd_, -1));
    return result == 0 || errno == EINTR;
}

std::optional<std::vector<std::uint8_t>> read_whole_file(const std::string& path) {
    PosixFile in = PosixFile::open_read(path);
    if (!in) return std::nullopt;
    const DiskIdentity id = in.identity();
    if (!id.known || !id.regular) return std::nullopt;
    std::vector<std::uint8_t> bytes(id.size);
    if (!bytes.empty() && !in.read_at(bytes.data(), bytes.size(), 0)) return std::nullopt;
    return bytes;
}

bool write_whole_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    PosixFile out = PosixFile::create(path);
    if (!out) return false;
    if (!bytes.empty() && !out.write_all(bytes.data(), bytes.size())) return false;
    return out.close();
}

void sync_folder_of(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) folder = ".";
    int error = 0;
    const int fd = open_with(folder.string(), O_RDONLY | O_DIRECTORY, error);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace zephane
