#pragma once
// The tag database: every loaded tag file, its groups (one per tag type present) and its
// tags. Lists keep their documented orders (new files, groups and tags go to the head),
// because lookups and writes depend on them; an index kept in step with the lists makes
// lookups fast without changing which tag they return.

#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/posix_file.h"
#include "base/byte_swap.h"
#include "tags/tag_code.h"
#include "tags/tag_types.h"

namespace zephane {

class TagObserver;
struct TagFile;
struct TagGroup;

using Payload = std::vector<std::uint8_t>;

// File kinds, as stored in a monolithic header and carried by every loaded file.
enum TagFileKind : std::int32_t {
    kFileKindNew = -1,
    kFileKindSingle = 0,
    kFileKindPlugin = 1,
    kFileKindPatch = 2,
    kFileKindBase = 3,
};

// Save kinds: a separate numbering from the file kinds.
enum TagSaveKind : std::int32_t {
    TAG_FILE_TYPE_AUTO = 0,
    TAG_FILE_TYPE_SINGLE = 1,
    TAG_FILE_TYPE_PLUGIN = 2,
    TAG_FILE_TYPE_BASE = 3,
};

inline constexpr std::size_t kTagNameLength = 31; // characters, without the NUL

struct TagEntry {
    std::string name; // at most 31 characters
    TagFile* file = nullptr;
    TagGroup* group = nullptr;
    tag_id id = 0;
    std::uint32_t offset = 0; // 0 when never stored
    std::uint32_t size = 0;
    std::int16_t version = 0;
    bool dirty = false;
    std::optional<Payload> data; // file byte order; none when not loaded
    void* form = nullptr;        // the editor window open on this tag

    // Position in list order: a higher value is nearer the head of the group's list.
    std::uint64_t order = 0;
    std::list<TagEntry>::iterator self;
};

struct TagGroup {
    tag_type type = 0;
    const TagTypeRow* info = nullptr; // none for a type the table does not know
    TagFile* file = nullptr;
    std::list<TagEntry> entries; // newest first
    std::list<TagGroup>::iterator self;
};

struct TagFile {
    std::list<TagGroup> groups; // newest first
    std::optional<std::string> spec;
    bool read_only = false;
    bool needupdate = false;
    bool needrewrite = false;
    std::int32_t kind = kFileKindNew;
    std::uint16_t preserved_word = 0;
    void* form = nullptr; // the tag file window showing this file

    DiskIdentity disk;
    std::uint64_t order = 0; // a higher value is nearer the head of the file list
    std::list<TagFile>::iterator self;
};

// Why a read or write of a tag file failed, for the callers that report it.
struct TagFileFailure {
    enum Reason { kNone, kUnreadable, kNotTagFile, kDamaged, kRefused, kWriteFailed };
    Reason reason = kNone;
    std::string message;
};

class TagDatabase {
public:
    TagDatabase();
    ~TagDatabase();
    TagDatabase(const TagDatabase&) = delete;
    TagDatabase& operator=(const TagDatabase&) = delete;

    void set_observer(TagObserver* observer) { observer_ = observer; }
    TagObserver* observer() const { return observer_; }

    // ---- Files and folders -------------------------------------------------------------
    // Loads every file of a folder (depth first into subfolders when recursing). Entries
    // are taken in name order, compared without regard to case and then byte-wise.
    void load_tag_folder(const std::string& folder, bool recurse);
    TagFile* read_tag_file(const std::string& spec, bool create, TagFileFailure* failure = nullptr);
    TagFile* create_tag_file();
    void close_tag_file(TagFile& file);
    TagFile* revert_tag_file(TagFile& file);
    // Raises UserError for locked, read-only or changed-on-disk files and failed writes.
    void save_tag_file(TagFile& file);
    // Writes the whole file to target. With commit the file then refers to target, every tag
    // is clean with its new offset and no payload in memory. A failure leaves the file, its
    // tags and their payloads as they were.
    bool write_tag_file(const std::string& target, TagFile& file, bool commit, TagSaveKind kind,
                        TagFileFailure* failure = nullptr, bool flush_to_disk = false);
    static bool tag_file_needs_save(const TagFile& file) { return file.needrewrite || file.needupdate; }
    static bool tag_file_is_locked(const TagFile& file) {
        return file.read_only || file.kind == kFileKindPatch || file.kind == kFileKindBase;
    }
    static const std::optional<std::string>& tag_file_spec(const TagFile& file) { return file.spec; }
    // The file's name as messages show it: the file name of its path, or "(unsaved tag file)".
    static std::string tag_file_display_name(const TagFile& file);
    void set_file_form(TagFile& file, void* form);
    static void* get_file_form(const TagFile& file) { return file.form; }
    bool copy_missing_tags(TagFile& from, TagFile& to);
    TagEntry* import_raw_file(TagFile& file, const std::string& spec);

    // ---- Tags --------------------------------------------------------------------------
    // An empty name means "Untitled <singular type name>"; id 0 means one made from the name.
    TagEntry* add_tag(TagFile* file, tag_type type, tag_id id, std::int16_t version,
                      const std::string& name, std::uint32_t offset, std::uint32_t size,
                      std::optional<Payload> data);
    // Removes the tag and hands its payload back (dropped when the caller ignores it).
    std::optional<Payload> delete_tag(TagEntry& entry);
    // The payload, loaded on demand and kept by the tag; none when it cannot be read.
    const Payload* get_tag_data(TagEntry& entry);
    // The same, saying in `failure` why there is none (left alone on success).
    const Payload* get_tag_data(TagEntry& entry, std::string* failure);
    void set_tag_data(TagEntry& entry, Payload data);
    void release_tag_data(TagEntry& entry);
    static std::uint32_t get_tag_size(const TagEntry& entry) { return entry.size; }
    static std::int16_t get_tag_version(const TagEntry* entry) { return entry ? entry->version : -1; }
    void set_tag_version(TagEntry& entry, std::int16_t version);
    static tag_id get_tag_id(const TagEntry& entry) { return entry.id; }
    void set_tag_id(TagEntry& entry, tag_id id);
    static tag_type get_tag_type(const TagEntry& entry);
    void set_tag_type(TagEntry& entry, tag_type type);
    static const std::string& get_tag_name(const TagEntry& entry) { return entry.name; }
    void set_tag_name(TagEntry& entry, const std::string& name);
    // Puts the file's groups and tags in the given order: `order` lists tags of the file, groups
    // in order of first appearance and each group's tags head first; tags not listed follow.
    // Undo uses it to give a file back the layout (and so the saved bytes) it had.
    void arrange_tag_file(TagFile& file, const std::vector<TagEntry*>& order);
    static TagFile* get_tag_file(const TagEntry& entry);
    static TagGroup* get_tag_group(const TagEntry& entry);
    void set_tag_form(TagEntry& entry, void* form);
    static void* get_tag_form(const TagEntry& entry) { return entry.form; }

    // ---- Lookup and iteration ----------------------------------------------------------
    TagEntry* find_tag(tag_type type, tag_id id) const;
    TagEntry* find_tag_in_file(const TagFile& file, tag_type type, tag_id id) const;
    // Every tag with this type and id, in list order (the file nearest the head first).
    std::vector<TagEntry*> find_all_tags(tag_type type, tag_id id) const;
    TagGroup* find_tag_group(TagFile& file, tag_type type, bool create);
    TagEntry* find_tag_in_group(const TagGroup& group, tag_id id) const;
    std::size_t count_tags(const TagGroup& group, tag_id id) const;
    TagFile* next_tag_file(const TagFile* file);
    static TagGroup* next_tag_group(TagFile& file, const TagGroup* group);
    static TagEntry* next_tag_entry(TagGroup& group, const TagEntry* entry);
    TagEntry* next_tag(const TagEntry* entry);
    TagEntry* find_duplicate_tag(const TagEntry& entry, bool from_start);
    std::list<TagFile>& files() { return files_; }
    const std::list<TagFile>& files() const { return files_; }
    std::size_t total_tag_count() const { return entry_count_; }

    // ---- Tag ids -----------------------------------------------------------------------
    // Scopes: type without file = unique among loaded tags of the type; type and file =
    // unique in the file's group; file without type = unique across the file's groups;
    // neither = the name alone decides.
    tag_id make_tag_id(const std::string& name, tag_type type, const TagFile* file) const;

    // ---- Structured payload access ------------------------------------------------------
    bool read_tag_struct(const char* string, TagEntry* entry, void* struct_ptr, long struct_length,
                         long struct_count, const bs_code* codes);
    bool write_tag_struct(const char* string, TagEntry* entry, const void* struct_ptr,
                          long struct_length, long struct_count, const bs_code* codes);
    bool tag_struct_differs(const char* string, TagEntry* entry, const void* struct_ptr,
                            long struct_length, long struct_count, const bs_code* codes, bool exact);

    template <typename T>
    bool read_struct(const char* string, TagEntry& entry, T& value, const bs_code* codes) {
        return read_tag_struct(string, &entry, &value, sizeof(T), 1, codes);
    }
    template <typename T>
    bool write_struct(const char* string, TagEntry& entry, const T& value, const bs_code* codes) {
        return write_tag_struct(string, &entry, &value, sizeof(T), 1, codes);
    }

    // Announces a change of (type, id) in a file to the observer.
    void notify_tag(TagFile& file, tag_type type, tag_id id);
    void notify_file(TagFile& file);

    // Checks the invariants of one file (used by tests and after bulk operations).
    void check_file(const TagFile& file) const;

private:
    static std::uint64_t key(tag_type type, tag_id id) { return (std::uint64_t{type} << 32) | id; }
    void index_add(TagEntry& entry);
    void index_remove(TagEntry& entry);
    // Every entry with one type and id, and the one a list walk would find first.
    // Most keys have one entry, which lives inline; the others exist only for duplicates.
    struct IndexBucket {
        TagEntry* first = nullptr;
        std::vector<TagEntry*> others;
        template <typename Visit>
        void for_each(Visit visit) const {
            if (first) visit(first);
            for (TagEntry* e : others) visit(e);
        }
    };
    const IndexBucket* index_find(tag_type type, tag_id id) const;
    // Where a file goes in the list: at the head (newest), or back where a reverted file was.
    struct FilePlace {
        std::list<TagFile>::iterator before;
        std::uint64_t order;
    };
    TagFile& link_new_file(const FilePlace* place = nullptr);
    TagFile* read_tag_file_at(const std::string& spec, bool create, TagFileFailure* failure,
                              const FilePlace* place);
    void unlink_file(TagFile& file);
    TagEntry& insert_entry(TagFile& file, tag_type type, tag_id id, std::int16_t version,
                           const std::string& name, std::uint32_t offset, std::uint32_t size,
                           std::optional<Payload> data, bool stored);
    void delete_group_if_empty(TagGroup& group);
    void check_entry(const TagEntry& entry) const;
    void rewrite_tag_file(TagFile& file);
    bool update_in_place(TagFile& file);
    void load_folder_entries(const std::string& folder, bool recurse);

    std::list<TagFile> files_;
    std::unordered_map<std::uint64_t, IndexBucket> index_;
    std::unordered_map<std::string, TagFile*> files_by_spec_;
    std::uint64_t next_order_ = 1;
    std::size_t entry_count_ = 0;
    TagObserver* observer_ = nullptr;
};

// Reads the identity of a file on disk (unknown when it cannot be examined).
DiskIdentity disk_identity_of(const std::string& path);

} // namespace zephane
