#pragma once
// Helpers shared by the tests: scratch folders, tag files built byte by byte, and a
// recorder of database notifications.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/byte_reader.h"
#include "tags/dependency_reporter.h"
#include "tags/tag_database.h"
#include "tags/tag_observer.h"

namespace zephane::test {

// A dependency reporter that remembers what it was told, in order.
class RecordingReporter : public DependencyReporter {
public:
    void report_dependency(tag_type type, tag_id id) override { reported.emplace_back(type, id); }
    std::vector<std::pair<tag_type, tag_id>> reported;
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    // Makes the folders on the way and writes the bytes.
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> read_bytes(const std::string& path);
void write_file_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> bytes_of(const std::string& text);
// 0, 1, 2 ... (mod 256): bytes whose every position can be told apart.
std::vector<std::uint8_t> counting_bytes(std::size_t n);

// The payload of one tag as a fresh database reads it from the file (empty when it has none).
std::vector<std::uint8_t> stored_payload(const std::string& path, tag_type type, tag_id id);

// The field a reader's refusal (FormatError) names, or "" when the reader accepted.
template <typename Read> std::string refused_field(Read&& read) {
    try {
        read();
    } catch (const FormatError& e) {
        return e.field();
    }
    return {};
}

// One tag as a test describes it.
struct TestTag {
    std::uint32_t type;
    std::uint32_t id;
    std::string name;
    std::vector<std::uint8_t> payload;
    std::int16_t version = 1;
};

// Builds the bytes of tag files independently of the writer.
std::vector<std::uint8_t> single_tag_file(const TestTag& tag);
// A monolithic file with the given header kind and tags in this order (no entry points
// unless given as raw 112-byte records); checksums computed.
std::vector<std::uint8_t> monolithic_file(std::int16_t kind, const std::vector<TestTag>& tags,
                                          const std::vector<std::vector<std::uint8_t>>& entry_points = {},
                                          const std::string& name = "test");

// Records every notification.
class RecordingObserver : public TagObserver {
public:
    struct Change {
        TagFile* file;
        tag_type type;
        tag_id id;
        bool operator==(const Change&) const = default;
    };
    void tag_changed(TagFile& file, tag_type type, tag_id id) override {
        changes.push_back({&file, type, id});
    }
    void file_changed(TagFile& file) override { files.push_back(&file); }
    void file_closing(TagFile& file) override { closing.push_back(&file); }
    void clear() {
        changes.clear();
        files.clear();
        closing.clear();
    }
    std::vector<Change> changes;
    std::vector<TagFile*> files;
    std::vector<TagFile*> closing;
};

} // namespace zephane::test

namespace zephane::test {

// Runs a scenario in a child process, as an unprivileged user when the tests run as root (so
// permissions are real), with optional limits. The scenario returns "" on success or a
// description of what went wrong; the child's result comes back here.
struct ChildLimits {
    long file_size_limit = -1; // RLIMIT_FSIZE in bytes; writes past it fail with EFBIG
};
std::string run_in_child(const std::function<std::string()>& scenario, ChildLimits limits = {});

// Lets an unprivileged child work in the folder.
void open_to_everyone(const std::filesystem::path& folder);

} // namespace zephane::test
