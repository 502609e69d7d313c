#include "tags/tag_database.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "base/errors.h"
#include "base/posix_file.h"
#include "base/text.h"
#include "tags/payload_loader.h"
#include "tags/tag_observer.h"

namespace zephane {

namespace {
constexpr const char* kModule = "tags";

std::string clip_name(const std::string& name) {
    std::string out = name.substr(0, std::min(name.size(), kTagNameLength));
    if (const auto nul = out.find('\0'); nul != std::string::npos) out.resize(nul);
    return out;
}
} // namespace

TagDatabase::TagDatabase() = default;

TagDatabase::~TagDatabase() {
    // Destroy without notifications: nobody may observe a database that is going away.
    observer_ = nullptr;
}

std::string TagDatabase::tag_file_display_name(const TagFile& file) {
    if (!file.spec) return "(unsaved tag file)";
    return std::filesystem::path(*file.spec).filename().string();
}

// ---- Notifications and invariants ---------------------------------------------------------

void TagDatabase::notify_tag(TagFile& file, tag_type type, tag_id id) {
    if (observer_) observer_->tag_changed(file, type, id);
}

void TagDatabase::notify_file(TagFile& file) {
    if (observer_) observer_->file_changed(file);
}

void TagDatabase::check_entry(const TagEntry& e) const {
    ZEPHANE_ASSERT(e.file && e.group && e.file == e.group->file,
                   "e && e->file && e->group && e->file == e->group->file", kModule);
    ZEPHANE_ASSERT(!e.dirty || e.file->needupdate, "!e->dirty || e->file->needupdate", kModule);
}

void TagDatabase::check_file(const TagFile& f) const {
    ZEPHANE_ASSERT(!f.needrewrite || f.needupdate, "!f->needrewrite || f->needupdate", kModule);
    for (const TagGroup& group : f.groups) {
        ZEPHANE_ASSERT(group.file == &f, "f->groups->file == f", kModule);
        ZEPHANE_ASSERT(!group.entries.empty(), "f->groups->entries", kModule);
        const TagEntry& first = group.entries.front();
        ZEPHANE_ASSERT(first.group == &group && first.file == &f,
                       "f->groups->entries->group == f->groups && f->groups->entries->file == f",
                       kModule);
    }
}

// ---- Index ---------------------------------------------------------------------------------

namespace {
// The list walk finds the entry of the file nearest the head of the file list, and within
// it the entry nearest the head of its group: the highest orders.
bool walks_before(const TagEntry* a, const TagEntry* b) {
    if (!b) return true;
    if (a->file != b->file) return a->file->order > b->file->order;
    return a->order > b->order;
}
} // namespace

void TagDatabase::index_add(TagEntry& entry) {
    IndexBucket& bucket = index_[key(entry.group->type, entry.id)];
    if (walks_before(&entry, bucket.first)) {
        if (bucket.first) bucket.others.push_back(bucket.first);
        bucket.first = &entry;
    } else {
        bucket.others.push_back(&entry);
    }
    ++entry_count_;
}

void TagDatabase::index_remove(TagEntry& entry) {
    const auto it = index_.find(key(entry.group->type, entry.id));
    if (it == index_.end()) return;
    IndexBucket& bucket = it->second;
    if (bucket.first == &entry) {
        --entry_count_;
        if (bucket.others.empty()) {
            index_.erase(it);
            return;
        }
        auto next = bucket.others.begin();
        for (auto k = next; k != bucket.others.end(); ++k)
            if (walks_before(*k, *next)) next = k;
        bucket.first = *next;
        bucket.others.erase(next);
    } else if (const auto pos = std::find(bucket.others.begin(), bucket.others.end(), &entry);
               pos != bucket.others.end()) {
        --entry_count_;
        bucket.others.erase(pos);
    }
}

const TagDatabase::IndexBucket* TagDatabase::index_find(tag_type type, tag_id id) const {
    const auto it = index_.find(key(type, id));
    return it == index_.end() ? nullptr : &it->second;
}

// ---- Files ---------------------------------------------------------------------------------

TagFile& TagDatabase::link_new_file(const FilePlace* place) {
    const auto at = files_.emplace(place ? place->before : files_.begin());
    TagFile& file = *at;
    file.self = at;
    file.order = place ? place->order : next_order_++;
    return file;
}

void TagDatabase::unlink_file(TagFile& file) {
    if (file.spec) {
        const auto it = files_by_spec_.find(*file.spec);
        if (it != files_by_spec_.end() && it->second == &file) files_by_spec_.erase(it);
    }
    files_.erase(file.self);
}

TagFile* TagDatabase::create_tag_file() {
    TagFile& file = link_new_file();
    file.kind = kFileKindNew;
    notify_file(file);
    return &file;
}

void TagDatabase::close_tag_file(TagFile& file) {
    ZEPHANE_ASSERT(file.form == nullptr, "f->form == 0", kModule);
    while (!file.groups.empty()) delete_tag(file.groups.front().entries.front());
    if (observer_) observer_->file_closing(file);
    unlink_file(file);
}

TagFile* TagDatabase::revert_tag_file(TagFile& file) {
    // The file is read back into its old place in the list, so reverting a file does not
    // change which file wins a lookup.
    const FilePlace place{std::next(file.self), file.order};
    std::optional<std::string> spec = std::move(file.spec);
    if (spec) {
        const auto it = files_by_spec_.find(*spec);
        if (it != files_by_spec_.end() && it->second == &file) files_by_spec_.erase(it);
    }
    file.spec.reset();
    close_tag_file(file);
    return spec ? read_tag_file_at(*spec, false, nullptr, &place) : nullptr;
}

void TagDatabase::set_file_form(TagFile& file, void* form) {
    ZEPHANE_ASSERT(file.form == nullptr || form == nullptr || file.form == form,
                   "tf->form == 0 || form == 0 || tf->form == form", kModule);
    file.form = form;
}

bool TagDatabase::copy_missing_tags(TagFile& from, TagFile& to) {
    // Collect first: adding to `to` must not disturb the walk when both are the same file.
    std::vector<TagEntry*> sources;
    for (TagGroup& group : from.groups)
        for (TagEntry& entry : group.entries) sources.push_back(&entry);
    for (auto it = sources.rbegin(); it != sources.rend(); ++it) {
        TagEntry& source = **it;
        const tag_type type = source.group->type;
        if (find_tag_in_file(to, type, source.id)) continue;
        const Payload* payload = get_tag_data(source);
        if (!payload) continue;
        add_tag(&to, type, source.id, source.version, source.name, 0,
                static_cast<std::uint32_t>(payload->size()), *payload);
    }
    return true;
}

TagEntry* TagDatabase::import_raw_file(TagFile& file, const std::string& spec) {
    std::optional<Payload> bytes = read_whole_file(spec);
    if (!bytes || bytes->empty()) return nullptr;
    const std::filesystem::path path(spec);
    const std::string name = path.filename().string();
    ZEPHANE_ASSERT(!name.empty(), "name[0] != 0", kModule);
    if (name.empty()) return nullptr;
    std::string extension;
    if (const auto dot = name.rfind('.'); dot != std::string::npos && name.size() - dot - 1 <= 3)
        extension = name.substr(dot + 1);
    extension = ascii_lower(extension);
    const tag_type type = extension == "jpg" ? fourcc("jpeg") : fourcc("rawd");
    const tag_id id = make_tag_id(name, type, nullptr);
    const auto size = static_cast<std::uint32_t>(bytes->size());
    return add_tag(&file, type, id, 0, name, 0, size, std::move(bytes));
}

// ---- Tags ----------------------------------------------------------------------------------

TagEntry* TagDatabase::add_tag(TagFile* file, tag_type type, tag_id id, std::int16_t version,
                               const std::string& name, std::uint32_t offset, std::uint32_t size,
                               std::optional<Payload> data) {
    if (!file) return nullptr;
    // Only an entry made without data but with an offset is a stored, clean tag.
    const bool stored = !data && offset != 0;
    return &insert_entry(*file, type, id, version, name, offset, size, std::move(data), stored);
}

TagEntry& TagDatabase::insert_entry(TagFile& file, tag_type type, tag_id id, std::int16_t version,
                                    const std::string& name, std::uint32_t offset,
                                    std::uint32_t size, std::optional<Payload> data, bool stored) {
    TagGroup* group = find_tag_group(file, type, true);
    std::string tag_name = clip_name(name);
    if (tag_name.empty()) tag_name = clip_name(std::string("Untitled ") + tag_type_name(type));
    if (id == 0) id = make_tag_id(tag_name, type, nullptr);

    group->entries.emplace_front();
    TagEntry& entry = group->entries.front();
    entry.self = group->entries.begin();
    entry.order = next_order_++;
    entry.file = &file;
    entry.group = group;
    entry.id = id;
    entry.offset = offset;
    entry.version = version;
    entry.name = std::move(tag_name);
    entry.size = data ? static_cast<std::uint32_t>(data->size()) : size;
    entry.data = std::move(data);
    if (!stored) {
        entry.dirty = true;
        file.needupdate = true;
        file.needrewrite = true;
    }
    index_add(entry);
    notify_tag(file, type, entry.id);
    return entry;
}

void TagDatabase::delete_group_if_empty(TagGroup& group) {
    if (!group.entries.empty()) return;
    TagFile* file = group.file;
    file->groups.erase(group.self);
}

std::optional<Payload> TagDatabase::delete_tag(TagEntry& entry) {
    check_entry(entry);
    TagFile& file = *entry.file;
    TagGroup& group = *entry.group;
    const tag_type type = group.type;
    const tag_id id = entry.id;
    std::optional<Payload> payload = std::move(entry.data);
    index_remove(entry);
    group.entries.erase(entry.self);
    delete_group_if_empty(group);
    file.needupdate = true;
    file.needrewrite = true;
    notify_tag(file, type, id);
    return payload;
}

const Payload* TagDatabase::get_tag_data(TagEntry& entry) {
    return get_tag_data(entry, nullptr);
}

const Payload* TagDatabase::get_tag_data(TagEntry& entry, std::string* failure) {
    if (entry.data) return &*entry.data;
    if (!entry.file || !entry.file->spec) {
        if (failure) *failure = "the tag belongs to no file on disk";
        return nullptr;
    }
    if (entry.size == 0) {
        entry.data.emplace();
        return &*entry.data;
    }
    return take_payload(load_payload(open_payload_file(*entry.file), entry), failure);
}

void TagDatabase::set_tag_data(TagEntry& entry, Payload data) {
    check_entry(entry);
    TagFile& file = *entry.file;
    if (data.size() != entry.size) file.needrewrite = true;
    entry.size = static_cast<std::uint32_t>(data.size());
    entry.data = std::move(data);
    entry.dirty = true;
    file.needupdate = true;
    notify_tag(file, entry.group->type, entry.id);
}

void TagDatabase::release_tag_data(TagEntry& entry) {
    if (!entry.dirty && entry.offset != 0 && entry.file && entry.file->spec) entry.data.reset();
}

void TagDatabase::set_tag_version(TagEntry& entry, std::int16_t version) {
    check_entry(entry);
    if (entry.version == version) return;
    entry.version = version;
    entry.file->needupdate = true;
    entry.file->needrewrite = true;
    notify_tag(*entry.file, entry.group->type, entry.id);
}

void TagDatabase::set_tag_id(TagEntry& entry, tag_id id) {
    check_entry(entry);
    if (entry.id == id) return;
    TagFile& file = *entry.file;
    const tag_type type = entry.group->type;
    notify_tag(file, type, entry.id);
    index_remove(entry);
    entry.id = id;
    index_add(entry);
    file.needupdate = true;
    file.needrewrite = true;
    notify_tag(file, type, id);
}

tag_type TagDatabase::get_tag_type(const TagEntry& entry) {
    return entry.group ? entry.group->type : 0;
}

void TagDatabase::set_tag_type(TagEntry& entry, tag_type type) {
    check_entry(entry);
    TagGroup& old_group = *entry.group;
    if (old_group.type == type) return;
    TagFile& file = *entry.file;
    const tag_type old_type = old_group.type;
    TagGroup* new_group = find_tag_group(file, type, true);
    index_remove(entry);
    new_group->entries.splice(new_group->entries.begin(), old_group.entries, entry.self);
    entry.group = new_group;
    entry.order = next_order_++;
    index_add(entry);
    delete_group_if_empty(old_group);
    notify_tag(file, old_type, entry.id);
    notify_tag(file, type, entry.id);
}

void TagDatabase::arrange_tag_file(TagFile& file, const std::vector<TagEntry*>& order) {
    std::vector<TagGroup*> groups;
    for (const TagEntry* entry : order) {
        check_entry(*entry);
        if (entry->file == &file &&
            std::find(groups.begin(), groups.end(), entry->group) == groups.end())
            groups.push_back(entry->group);
    }
    auto group_place = file.groups.begin();
    for (TagGroup* group : groups) {
        file.groups.splice(group_place, file.groups, group->self);
        group_place = std::next(group->self);
    }
    std::unordered_map<TagGroup*, std::list<TagEntry>::iterator> places;
    for (TagEntry* entry : order) {
        if (entry->file != &file) continue;
        TagGroup& group = *entry->group;
        auto& place = places.try_emplace(&group, group.entries.begin()).first->second;
        group.entries.splice(place, group.entries, entry->self);
        place = std::next(entry->self);
    }
    // The orders follow the lists again (the index finds the entry nearest the head).
    for (TagGroup* group : groups) {
        for (TagEntry& entry : group->entries) index_remove(entry);
        for (auto it = group->entries.rbegin(); it != group->entries.rend(); ++it)
            it->order = next_order_++;
        for (TagEntry& entry : group->entries) index_add(entry);
    }
}

void TagDatabase::set_tag_name(TagEntry& entry, const std::string& name) {
    check_entry(entry);
    entry.name = clip_name(name);
    entry.file->needupdate = true;
    entry.file->needrewrite = true;
    notify_tag(*entry.file, entry.group->type, entry.id);
}

TagFile* TagDatabase::get_tag_file(const TagEntry& entry) {
    ZEPHANE_ASSERT(entry.file && entry.group && entry.file == entry.group->file,
                   "e && e->file && e->group && e->file == e->group->file", kModule);
    return entry.file;
}

TagGroup* TagDatabase::get_tag_group(const TagEntry& entry) {
    ZEPHANE_ASSERT(entry.file && entry.group && entry.file == entry.group->file,
                   "e && e->file && e->group && e->file == e->group->file", kModule);
    return entry.group;
}

void TagDatabase::set_tag_form(TagEntry& entry, void* form) {
    ZEPHANE_ASSERT(entry.form == nullptr || form == nullptr || entry.form == form,
                   "e->form == 0 || form == 0 || e->form == form", kModule);
    entry.form = form;
}

// ---- Lookup and iteration ------------------------------------------------------------------

TagEntry* TagDatabase::find_tag(tag_type type, tag_id id) const {
    const IndexBucket* bucket = index_find(type, id);
    return bucket ? bucket->first : nullptr;
}

TagEntry* TagDatabase::find_tag_in_file(const TagFile& file, tag_type type, tag_id id) const {
    const IndexBucket* bucket = index_find(type, id);
    if (!bucket) return nullptr;
    TagEntry* best = nullptr;
    bucket->for_each([&](TagEntry* e) {
        if (e->file == &file && (!best || e->order > best->order)) best = e;
    });
    return best;
}

TagGroup* TagDatabase::find_tag_group(TagFile& file, tag_type type, bool create) {
    for (TagGroup& group : file.groups)
        if (group.type == type) return &group;
    if (!create) return nullptr;
    file.groups.emplace_front();
    TagGroup& group = file.groups.front();
    group.self = file.groups.begin();
    group.type = type;
    group.info = find_tag_type(type);
    group.file = &file;
    return &group;
}

TagEntry* TagDatabase::find_tag_in_group(const TagGroup& group, tag_id id) const {
    const IndexBucket* bucket = index_find(group.type, id);
    if (!bucket) return nullptr;
    TagEntry* best = nullptr;
    bucket->for_each([&](TagEntry* e) {
        if (e->group == &group && (!best || e->order > best->order)) best = e;
    });
    return best;
}

std::size_t TagDatabase::count_tags(const TagGroup& group, tag_id id) const {
    if (id == 0) return group.entries.size();
    const IndexBucket* bucket = index_find(group.type, id);
    if (!bucket) return 0;
    std::size_t count = 0;
    bucket->for_each([&](TagEntry* e) { count += e->group == &group; });
    return count;
}

TagFile* TagDatabase::next_tag_file(const TagFile* file) {
    if (!file) return files_.empty() ? nullptr : &files_.front();
    auto it = std::next(file->self);
    return it == files_.end() ? nullptr : &*it;
}

TagGroup* TagDatabase::next_tag_group(TagFile& file, const TagGroup* group) {
    if (!group) return file.groups.empty() ? nullptr : &file.groups.front();
    auto it = std::next(group->self);
    return it == file.groups.end() ? nullptr : &*it;
}

TagEntry* TagDatabase::next_tag_entry(TagGroup& group, const TagEntry* entry) {
    if (!entry) return group.entries.empty() ? nullptr : &group.entries.front();
    auto it = std::next(entry->self);
    return it == group.entries.end() ? nullptr : &*it;
}

TagEntry* TagDatabase::next_tag(const TagEntry* entry) {
    TagFile* file = nullptr;
    if (entry) {
        if (TagEntry* next = next_tag_entry(*entry->group, entry)) return next;
        if (TagGroup* group = next_tag_group(*entry->file, entry->group))
            return &group->entries.front();
        file = entry->file;
    }
    for (file = next_tag_file(file); file; file = next_tag_file(file))
        if (!file->groups.empty()) return &file->groups.front().entries.front();
    return nullptr;
}

TagEntry* TagDatabase::find_duplicate_tag(const TagEntry& entry, bool from_start) {
    const tag_type type = entry.group->type;
    const tag_id id = entry.id;
    // Rest of the entry's group, then the same type in the following files.
    TagFile* file = nullptr;
    if (!from_start) {
        for (TagEntry* e = next_tag_entry(*entry.group, &entry); e; e = next_tag_entry(*e->group, e))
            if (e->id == id) return e;
        file = entry.file;
    }
    for (file = next_tag_file(file); file; file = next_tag_file(file)) {
        TagGroup* group = find_tag_group(*file, type, false);
        if (!group) continue;
        for (TagEntry& e : group->entries)
            if (e.id == id) return &e;
    }
    return nullptr;
}

// ---- Tag ids -------------------------------------------------------------------------------

tag_id TagDatabase::make_tag_id(const std::string& name, tag_type type, const TagFile* file) const {
    const auto taken = [&](tag_id id) {
        if (type != 0 && !file) return find_tag(type, id) != nullptr;
        if (type != 0 && file) return find_tag_in_file(*file, type, id) != nullptr;
        if (file) {
            for (const TagGroup& group : file->groups)
                if (find_tag_in_group(group, id)) return true;
        }
        return false;
    };
    tag_id id = tag_id_from_name(name);
    if (type == 0 && !file) return id;
    // The odometer runs through 36^4 ids before it repeats; never loop for ever.
    for (std::uint32_t tries = 0; tries < 36u * 36u * 36u * 36u + 4u && taken(id); ++tries)
        id = next_tag_id(id);
    return id;
}

} // namespace zephane
