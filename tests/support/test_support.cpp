#include "support/test_support.h"

#include <numeric>
#include <fstream>
#include <random>

#include "base/byte_reader.h"
#include "tags/tag_file_format.h"

namespace zephane::test {

ScratchFolder::ScratchFolder() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("zephane-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(path_)) break;
    }
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    // Tests may leave read-only folders behind; give them back before removing.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(path_, error);
}

std::string ScratchFolder::write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    const auto full = path_ / name;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return full.string();
}

std::vector<std::uint8_t> read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> bytes_of(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> counting_bytes(std::size_t n) {
    std::vector<std::uint8_t> bytes(n);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

namespace {

void put_header(std::vector<std::uint8_t>& out, const TestTag& tag, std::uint8_t kind,
                std::uint32_t offset, std::uint32_t size) {
    const std::size_t at = out.size();
    out.resize(at + 64);
    std::uint8_t* h = out.data() + at;
    h[3] = kind;
    for (std::size_t k = 0; k < tag.name.size() && k < 31; ++k) h[4 + k] = static_cast<std::uint8_t>(tag.name[k]);
    store_u32(h + 36, tag.type);
    store_u32(h + 40, tag.id);
    store_u32(h + 44, offset);
    store_u32(h + 48, size);
    store_u16(h + 56, static_cast<std::uint16_t>(tag.version));
    h[59] = 0xFF;
    store_u32(h + 60, fourcc("tlm2"));
}

} // namespace

std::vector<std::uint8_t> single_tag_file(const TestTag& tag) {
    std::vector<std::uint8_t> out;
    put_header(out, tag, 0, 64, static_cast<std::uint32_t>(tag.payload.size()));
    out.insert(out.end(), tag.payload.begin(), tag.payload.end());
    return out;
}

std::vector<std::uint8_t> monolithic_file(std::int16_t kind, const std::vector<TestTag>& tags,
                                          const std::vector<std::vector<std::uint8_t>>& entry_points,
                                          const std::string& name) {
    std::vector<std::uint8_t> out(128);
    for (const auto& record : entry_points) out.insert(out.end(), record.begin(), record.end());
    std::uint32_t offset = static_cast<std::uint32_t>(out.size() + 64 * tags.size());
    for (const TestTag& tag : tags) {
        put_header(out, tag, 3, offset, static_cast<std::uint32_t>(tag.payload.size()));
        offset += static_cast<std::uint32_t>(tag.payload.size());
    }
    std::uint32_t data_crc = 0xFFFFFFFFu;
    for (const TestTag& tag : tags) {
        out.insert(out.end(), tag.payload.begin(), tag.payload.end());
        data_crc = tag_crc(data_crc, tag.payload);
    }
    std::uint8_t* h = out.data();
    store_u16(h + 0, static_cast<std::uint16_t>(kind));
    for (std::size_t k = 0; k < name.size() && k < 32; ++k) h[4 + k] = static_cast<std::uint8_t>(name[k]);
    store_u16(h + 100, static_cast<std::uint16_t>(entry_points.size()));
    store_u16(h + 102, static_cast<std::uint16_t>(tags.size()));
    store_u32(h + 104, data_crc);
    store_u32(h + 112, static_cast<std::uint32_t>(out.size()));
    store_u32(h + 124, fourcc("dng2"));
    store_u32(h + 116, tag_crc(0xFFFFFFFFu, {h, 128}));
    return out;
}

} // namespace zephane::test

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zephane::test {

std::string run_in_child(const std::function<std::string()>& scenario, ChildLimits limits) {
    int channel[2];
    if (::pipe(channel) != 0) return "cannot make a pipe";
    const pid_t pid = ::fork();
    if (pid < 0) return "cannot fork";
    if (pid == 0) {
        ::close(channel[0]);
        std::string result;
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) result = "cannot drop privileges";
        if (result.empty() && limits.file_size_limit >= 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{static_cast<rlim_t>(limits.file_size_limit), static_cast<rlim_t>(limits.file_size_limit)};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) result = "cannot limit the file size";
        }
        if (result.empty()) {
            try {
                result = scenario();
            } catch (const std::exception& e) {
                result = std::string("unexpected exception: ") + e.what();
            }
        }
        if (!result.empty()) {
            [[maybe_unused]] const auto written = ::write(channel[1], result.data(), result.size());
        }
        ::close(channel[1]);
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string result;
    char buffer[512];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) result.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status)) return "the child died: " + result;
    return result;
}

void open_to_everyone(const std::filesystem::path& folder) {
    std::filesystem::permissions(folder, std::filesystem::perms::all, std::filesystem::perm_options::add);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::all, std::filesystem::perm_options::add);
}

std::vector<std::uint8_t> stored_payload(const std::string& path, tag_type type, tag_id id) {
    TagDatabase db;
    TagFile* file = db.read_tag_file(path, false);
    if (!file) return {};
    TagEntry* entry = db.find_tag_in_file(*file, type, id);
    const Payload* payload = entry ? db.get_tag_data(*entry) : nullptr;
    return payload ? *payload : std::vector<std::uint8_t>{};
}

} // namespace zephane::test
