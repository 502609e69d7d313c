#include "tags/tag_version.h"

#include "base/errors.h"

namespace zephane {

namespace {
constexpr const char* kModule = "tagdepend";
}

bool update_tag_version(TagDatabase& db, TagEntry& tag) {
    const TagTypeRow* info = tag.group ? tag.group->info : nullptr;
    if (!info) return false;
    const std::int16_t v = tag.version;
    if (v == 0) {
        db.set_tag_version(tag, info->version);
        return false;
    }
    ZEPHANE_CHECK(v <= info->version, "v <= info->version", kModule);
    if (v == info->version) return false;
    const TagUpdaterOp updater = tag_type_updater(info->code);
    ZEPHANE_CHECK(updater != nullptr, "info->updater", kModule);
    updater(db, tag);
    return true;
}

} // namespace zephane
