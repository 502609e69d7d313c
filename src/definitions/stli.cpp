// String lists ('stli', localized): text lines that monsters, artifacts, sounds and maps name.

#include "definitions/text_tag.h"
#include "tags/tag_types.h"

namespace zephane {

void register_string_list_type() { attach_tag_defaults(fourcc("stli"), new_text_tag); }

} // namespace zephane
