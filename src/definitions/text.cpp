// Texts ('text', localized): free text such as map descriptions.

#include "definitions/text_tag.h"
#include "tags/tag_types.h"

namespace zephane {

namespace {
// A new text holds four zero bytes.
void text_defaults(TagDatabase& db, TagEntry& tag) { db.set_tag_data(tag, Payload(4, 0)); }
} // namespace

void register_text_type() { attach_tag_defaults(fourcc("text"), text_defaults); }

} // namespace zephane
