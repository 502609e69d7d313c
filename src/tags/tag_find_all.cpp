// All tags of one type and id, for callers that weigh duplicates (the foundation build).

#include <algorithm>

#include "tags/tag_database.h"

namespace zephane {

std::vector<TagEntry*> TagDatabase::find_all_tags(tag_type type, tag_id id) const {
    const IndexBucket* bucket = index_find(type, id);
    if (!bucket) return {};
    std::vector<TagEntry*> all;
    bucket->for_each([&](TagEntry* e) { all.push_back(e); });
    std::sort(all.begin(), all.end(), [](const TagEntry* a, const TagEntry* b) {
        if (a->file != b->file) return a->file->order > b->file->order;
        return a->order > b->order;
    });
    return all;
}

} // namespace zephane
