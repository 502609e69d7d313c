// String lists ('stli', localized): text lines that monsters, artifacts, sounds and maps name.

#include "definitions/text_tag.h"
#include "tags/tag_types.h"

namespace zephane {

namespace {
// A new string list holds four zero bytes.
void string_list_defaults(TagDatabase& db, TagEntry& tag) { db.set_tag_data(tag, Payload(4, 0)); }
} // namespace

void register_string_list_type() { attach_tag_defaults(fourcc("stli"), string_list_defaults); }

} // namespace zephane
