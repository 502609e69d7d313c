#pragma once
// The foundation build: from a root list of tags, follow every reference (each type reports
// its own through its dependencies operation), decide for every tag reached whether it is
// shared ("small"), per map ("large") or localized, and write the game's monolithic base
// files with a log of everything noticed on the way.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tags/dependency_reporter.h"
#include "tags/tag_database.h"
#include "tags/tag_payload_reader.h"

namespace zephane {

inline constexpr const char* kFoundationFolder = "foundation_build";
inline constexpr const char* kSmallFile = "small.tag";
inline constexpr const char* kSmallLocalizedFile = "small_localized.tag";
inline constexpr const char* kLargeFile = "large.tag";
inline constexpr const char* kLargeLocalizedFile = "large_localized.tag";
inline constexpr const char* kDependencyLog = "dependency_log.txt";

// One distinct tag reached.
struct FoundationRecord {
    tag_type type;
    tag_id id;
    TagEntry* entry; // the tag chosen as the source
    tag_id map;      // the map whose walk first reached it; 0 outside any map
    bool small;      // shared rather than per map
};

struct FoundationResult {
    bool complete = false;   // every file written
    bool cancelled = false;  // the progress callback stopped the build
    std::string failure;     // the log line that ended the build early
    std::size_t small = 0, small_localized = 0, large = 0; // tags per output
};

// '.256' tags that count as localized although their type is not marked so.
bool is_localized_collection(tag_type type, tag_id id);

// "'%s' (%s/%s) in file %s" (or "in unsaved file"); "NULL tag pointer" for no tag.
std::string describe_tag(const TagEntry* tag);

// Reports each type:id token of a root list at top level. Whitespace separates tokens; a
// token whose fifth character is not ':' is dropped; end of text inside a token ends it.
void read_root_list(std::string_view text, DependencyReporter& reporter);

class FoundationBuild : public DependencyReporter {
public:
    static constexpr std::size_t kRecordLimit = 50000;

    explicit FoundationBuild(TagDatabase& db);
    ~FoundationBuild() override;
    FoundationBuild(const FoundationBuild&) = delete;
    FoundationBuild& operator=(const FoundationBuild&) = delete;

    // Closes a log left open, resets the walk, goes to "foundation_build" under the
    // application's folder (made when missing; the application's folder itself when that
    // fails), deletes the old outputs there and opens the log.
    void begin_foundation_build(const std::string& application_folder);
    // A root: records it and walks everything it references.
    void report_dependency(tag_type type, tag_id id) override;
    // Copies the recorded tags into the three outputs, writes them, releases them and closes
    // the log.
    FoundationResult build_foundation_files();
    // begin_foundation_build, the root list (an unreadable one counts as empty), then
    // build_foundation_files.
    FoundationResult run_foundation_build(const std::string& root_list_path,
                                          const std::string& application_folder);

    // A staged build (the editor's) writes its outputs and its log to temporary files beside
    // them and puts them in place only once every one is written: a cancelled or failed
    // build leaves the previous outputs as they were. Set before begin_foundation_build.
    void set_staged(bool staged) { staged_ = staged; }
    // Told (records so far, 0) while the walk goes and (records copied, records) while the
    // outputs are filled; returning false cancels the build.
    using Progress = std::function<bool(std::size_t done, std::size_t total)>;
    void set_progress(Progress progress) { progress_ = std::move(progress); }
    // The log's path once the build has ended (its temporary while a staged build runs).
    std::string log_path() const;

    const std::vector<FoundationRecord>& records() const { return records_; }
    const std::string& output_folder() const { return output_folder_; }

private:
    using Reference = std::pair<tag_type, tag_id>;
    // A tag whose references are being reported: the walk keeps its own stack, so chains of
    // any length cannot exhaust the program's.
    struct Frame {
        std::size_t record;
        tag_id map;
        std::vector<Reference> references;
        std::size_t next = 0;
    };

    // Records by type and id: open addressing in a flat table sized for the record limit, so
    // a lookup is one probe rather than a walk through scattered nodes.
    class RecordIndex {
    public:
        RecordIndex();
        void clear();
        std::optional<std::size_t> find(std::uint64_t key) const;
        void insert(std::uint64_t key, std::size_t record);

    private:
        static constexpr unsigned kBits = 17; // 131,072 slots for at most 50,000 records
        std::size_t slot(std::uint64_t key) const;
        std::vector<std::uint64_t> keys_; // 0: empty (no type or id is 0)
        std::vector<std::uint32_t> records_;
    };

    void visit(tag_type type, tag_id id);
    TagEntry* choose_source(tag_type type, tag_id id);
    void walk(std::size_t record);
    void drain();
    void log_reported(const std::string& message);
    void log_line(const std::string& message);
    void close_log();
    bool keep_going(std::size_t done, std::size_t total);
    std::string output_path(const char* name, bool temporary) const;
    void discard_staged_files();
    void finish_staged(FoundationResult& result);

    TagDatabase& db_;
    TagPayloadReader payloads_;
    std::vector<FoundationRecord> records_;
    RecordIndex index_;
    std::vector<Frame> stack_;
    tag_id current_map_ = 0;
    std::optional<std::size_t> current_record_;
    bool limit_logged_ = false;
    std::string output_folder_;
    std::FILE* log_ = nullptr;
    bool staged_ = false;
    bool cancelled_ = false;
    bool ended_ = false;
    Progress progress_;
};

} // namespace zephane
