#include "tags/foundation_build.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

#include "base/posix_file.h"

namespace zephane {

namespace {

constexpr tag_type kMesh = fourcc("mesh");
constexpr tag_type kCollection = fourcc(".256");

constexpr std::array<tag_id, 21> kLocalizedCollections = {
    fourcc("MB01"), fourcc("MB02"), fourcc("MB03"), fourcc("MB04"), fourcc("MB05"), fourcc("MB06"),
    fourcc("MB07"), fourcc("MTit"), fourcc("NTit"), fourcc("LTit"), fourcc("FTit"), fourcc("OLB1"),
    fourcc("OLB2"), fourcc("OLB3"), fourcc("OLB4"), fourcc("OLB5"), fourcc("OLB6"), fourcc("OLB7"),
    fourcc("OTit"), fourcc("PTit"), fourcc("inmt")};

std::uint64_t key(tag_type type, tag_id id) { return (std::uint64_t{type} << 32) | id; }

bool ignored(std::uint32_t value) { return value == 0 || value == kNoTag; }

bool in_base_file(const TagEntry& entry) { return entry.file->kind == kFileKindBase; }

// Collects what a dependencies operation reports, to be walked in the same order.
class Collector : public DependencyReporter {
public:
    explicit Collector(std::vector<std::pair<tag_type, tag_id>>& out) : out_(out) {}
    void report_dependency(tag_type type, tag_id id) override { out_.emplace_back(type, id); }

private:
    std::vector<std::pair<tag_type, tag_id>>& out_;
};

std::uint32_t pack(std::string_view text, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < 4; ++k) value = (value << 8) | static_cast<unsigned char>(text[at + k]);
    return value;
}

} // namespace

bool is_localized_collection(tag_type type, tag_id id) {
    return type == kCollection &&
           std::find(kLocalizedCollections.begin(), kLocalizedCollections.end(), id) !=
               kLocalizedCollections.end();
}

std::string describe_tag(const TagEntry* tag) {
    if (!tag) return "NULL tag pointer";
    std::string text = "'" + tag->name + "' (" + tag_id_to_text(TagDatabase::get_tag_type(*tag)) +
                       "/" + tag_id_to_text(tag->id) + ") in ";
    if (tag->file && tag->file->spec)
        text += "file " + std::filesystem::path(*tag->file->spec).filename().string();
    else
        text += "unsaved file";
    return text;
}

void read_root_list(std::string_view text, DependencyReporter& reporter) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (std::isspace(static_cast<unsigned char>(text[at]))) {
            ++at;
            continue;
        }
        if (text.size() - at < 5) return;
        const tag_type type = pack(text, at);
        const char separator = text[at + 4];
        at += 5;
        if (separator != ':') continue;
        if (text.size() - at < 4) return;
        const tag_id id = pack(text, at);
        at += 4;
        reporter.report_dependency(type, id);
    }
}

FoundationBuild::RecordIndex::RecordIndex() : keys_(std::size_t{1} << kBits), records_(std::size_t{1} << kBits) {
    static_assert((std::size_t{1} << kBits) >= 2 * kRecordLimit);
}

void FoundationBuild::RecordIndex::clear() { std::fill(keys_.begin(), keys_.end(), 0); }

std::size_t FoundationBuild::RecordIndex::slot(std::uint64_t key) const {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - kBits));
}

std::optional<std::size_t> FoundationBuild::RecordIndex::find(std::uint64_t key) const {
    const std::size_t mask = keys_.size() - 1;
    for (std::size_t at = slot(key);; at = (at + 1) & mask) {
        if (keys_[at] == key) return records_[at];
        if (keys_[at] == 0) return std::nullopt;
    }
}

void FoundationBuild::RecordIndex::insert(std::uint64_t key, std::size_t record) {
    const std::size_t mask = keys_.size() - 1;
    std::size_t at = slot(key);
    while (keys_[at] != 0) at = (at + 1) & mask;
    keys_[at] = key;
    records_[at] = static_cast<std::uint32_t>(record);
}

FoundationBuild::FoundationBuild(TagDatabase& db) : db_(db), payloads_(db) {
    records_.reserve(kRecordLimit);
}

FoundationBuild::~FoundationBuild() { close_log(); }

void FoundationBuild::close_log() {
    if (log_) std::fclose(log_);
    log_ = nullptr;
}

void FoundationBuild::log_line(const std::string& message) {
    if (!log_) return;
    std::fputs(message.c_str(), log_);
    std::fputc('\n', log_);
}

void FoundationBuild::log_reported(const std::string& message) {
    const std::string from =
        current_record_ ? describe_tag(records_[*current_record_].entry) : "initial seeding";
    log_line(message + " (referenced from " + from + ")");
}

void FoundationBuild::begin_foundation_build(const std::string& application_folder) {
    close_log();
    payloads_.close_files();
    records_.clear();
    index_.clear();
    stack_.clear();
    current_map_ = 0;
    current_record_.reset();
    limit_logged_ = false;

    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::path(application_folder) / kFoundationFolder;
    fs::create_directories(folder, error);
    output_folder_ = (fs::is_directory(folder, error) ? folder : fs::path(application_folder)).string();
    cancelled_ = false;
    ended_ = false;
    // A staged build leaves the old outputs alone until its own are complete.
    if (!staged_)
        for (const char* name :
             {kSmallFile, kSmallLocalizedFile, kLargeFile, kLargeLocalizedFile, kDependencyLog})
            fs::remove(fs::path(output_folder_) / name, error);
    log_ = std::fopen(output_path(kDependencyLog, staged_).c_str(), "w");
}

std::string FoundationBuild::output_path(const char* name, bool temporary) const {
    return (std::filesystem::path(output_folder_) / (temporary ? std::string(".building-") + name : name))
        .string();
}

std::string FoundationBuild::log_path() const { return output_path(kDependencyLog, staged_ && !ended_); }

bool FoundationBuild::keep_going(std::size_t done, std::size_t total) {
    if (!cancelled_ && progress_ && !progress_(done, total)) cancelled_ = true;
    return !cancelled_;
}

void FoundationBuild::discard_staged_files() {
    std::error_code error;
    for (const char* name : {kSmallFile, kSmallLocalizedFile, kLargeFile})
        std::filesystem::remove(output_path(name, true), error);
}

void FoundationBuild::report_dependency(tag_type type, tag_id id) {
    if (cancelled_) return;
    current_map_ = 0;
    current_record_.reset();
    visit(type, id);
    drain();
}

// Among all loaded copies, most recently loaded first: a working copy beats a base tag
// silently; two of the same standing are duplicates, and the first one stays.
TagEntry* FoundationBuild::choose_source(tag_type type, tag_id id) {
    TagEntry* kept = nullptr;
    bool kept_logged = false;
    for (TagEntry* candidate : db_.find_all_tags(type, id)) {
        if (!kept) {
            kept = candidate;
        } else if (in_base_file(*candidate) && !in_base_file(*kept)) {
            continue;
        } else if (!in_base_file(*candidate) && in_base_file(*kept)) {
            kept = candidate;
        } else {
            if (!kept_logged) log_reported("duplicate tag " + describe_tag(kept));
            kept_logged = true;
            log_reported("duplicate tag " + describe_tag(candidate));
        }
    }
    return kept;
}

void FoundationBuild::visit(tag_type type, tag_id id) {
    if (ignored(type) || ignored(id)) return;
    if (!find_tag_type(type)) {
        log_reported(std::string("unknown tag type ") + tag_id_to_text(type) + " of id " +
                     tag_id_to_text(id));
        return;
    }
    if (const auto found = index_.find(key(type, id))) {
        FoundationRecord& record = records_[*found];
        if (type == kMesh || record.map == current_map_ || record.small) return;
        // Used under a second map, or also outside maps: shared, and walked again so that
        // what it references is shared too.
        record.small = true;
        walk(*found);
        return;
    }
    TagEntry* source = choose_source(type, id);
    if (!source) {
        log_reported(std::string("missing tag ") + tag_id_to_text(type) + "/" + tag_id_to_text(id));
        return;
    }
    if (in_base_file(*source)) log_reported("used foundation tag " + describe_tag(source));
    if (records_.size() >= kRecordLimit) {
        if (!limit_logged_) log_reported("limit of " + std::to_string(kRecordLimit) + " tags exceeded");
        limit_logged_ = true;
        return;
    }
    const bool small = type == kCollection || type == fourcc("bina") || type == fourcc("font") ||
                       (type != kMesh && current_map_ == 0);
    records_.push_back({type, id, source, current_map_, small});
    index_.insert(key(type, id), records_.size() - 1);
    if (!keep_going(records_.size(), 0)) return;
    walk(records_.size() - 1);
}

// A tag is recorded before its references are walked, so cycles end.
void FoundationBuild::walk(std::size_t index) {
    const FoundationRecord& record = records_[index];
    const TagDependenciesOp dependencies = tag_type_dependencies(record.type);
    if (!dependencies) return;
    Frame frame{index, record.type == kMesh ? record.id : current_map_, {}, 0};
    Collector collector(frame.references);
    payloads_.get(*record.entry); // read through the open file; the operation finds it loaded
    dependencies(db_, *record.entry, collector);
    stack_.push_back(std::move(frame));
}

void FoundationBuild::drain() {
    if (cancelled_) stack_.clear();
    while (!stack_.empty() && !cancelled_) {
        Frame& frame = stack_.back();
        if (frame.next == frame.references.size()) {
            stack_.pop_back();
            continue;
        }
        const Reference reference = frame.references[frame.next++];
        current_map_ = frame.map;
        current_record_ = frame.record;
        visit(reference.first, reference.second);
    }
    current_map_ = 0;
    current_record_.reset();
}

FoundationResult FoundationBuild::build_foundation_files() {
    FoundationResult result;
    TagFile* large = db_.create_tag_file();
    TagFile* small = db_.create_tag_file();
    TagFile* localized = db_.create_tag_file();
    bool stopped = cancelled_;
    for (std::size_t done = 0; !stopped && done < records_.size(); ++done) {
        const FoundationRecord& record = records_[done];
        if (!keep_going(done, records_.size())) {
            stopped = true;
            break;
        }
        const bool is_localized =
            tag_type_is_localized(record.type) || is_localized_collection(record.type, record.id);
        TagFile* destination = is_localized ? localized : record.small ? small : large;
        TagEntry& source = *record.entry;
        const Payload* payload = payloads_.get(source);
        if (!payload) {
            result.failure = "out of memory building monolithic";
            log_line(result.failure);
            stopped = true;
            break;
        }
        // A clean stored payload is released right after the copy, so the copy may take its
        // bytes; anything else is copied and stays.
        const bool releasable = !source.dirty && source.offset != 0 && source.file->spec;
        Payload bytes = releasable ? std::move(*source.data) : *payload;
        if (releasable) db_.release_tag_data(source);
        const auto size = static_cast<std::uint32_t>(bytes.size());
        db_.add_tag(destination, record.type, record.id, source.version, source.name, 0, size,
                    std::move(bytes));
        ++(is_localized ? result.small_localized : record.small ? result.small : result.large);
    }
    if (!stopped) {
        const std::pair<const char*, TagFile*> outputs[] = {
            {kSmallFile, small}, {kSmallLocalizedFile, localized}, {kLargeFile, large}};
        result.complete = true;
        for (const auto& [name, file] : outputs) {
            const std::string target = output_path(name, staged_);
            if (!db_.write_tag_file(target, *file, true, TAG_FILE_TYPE_BASE)) {
                result.failure = std::string("could not write ") + name;
                log_line(result.failure);
                result.complete = false;
                break;
            }
        }
    }
    payloads_.close_files();
    for (TagFile* file : {large, small, localized}) db_.close_tag_file(*file);
    if (cancelled_) {
        result.cancelled = true;
        result.complete = false;
        result.failure = "the build was cancelled";
    }
    close_log();
    ended_ = true;
    if (staged_) finish_staged(result);
    return result;
}

// Every output complete: the temporaries replace the old files (rename replaces atomically), the
// log last. Otherwise they go, and the old outputs stay; so does the old log, unless the
// build failed rather than being cancelled (its log then says why).
void FoundationBuild::finish_staged(FoundationResult& result) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (result.complete) {
        for (const char* name : {kSmallFile, kSmallLocalizedFile, kLargeFile}) {
            fs::rename(output_path(name, true), output_path(name, false), error);
            if (error) {
                result.complete = false;
                result.failure = std::string("could not put ") + name + " in place: " + error.message();
                break;
            }
        }
        if (result.complete) fs::remove(output_path(kLargeLocalizedFile, false), error);
    }
    discard_staged_files();
    if (result.cancelled)
        fs::remove(output_path(kDependencyLog, true), error);
    else
        fs::rename(output_path(kDependencyLog, true), output_path(kDependencyLog, false), error);
}

FoundationResult FoundationBuild::run_foundation_build(const std::string& root_list_path,
                                                       const std::string& application_folder) {
    begin_foundation_build(application_folder);
    if (const auto text = read_whole_file(root_list_path))
        read_root_list(std::string_view(reinterpret_cast<const char*>(text->data()), text->size()),
                       *this);
    return build_foundation_files();
}

} // namespace zephane
