// Texts ('text', localized): free text such as map descriptions.

#include "definitions/text_tag.h"
#include "tags/tag_types.h"

namespace zephane {

void register_text_type() { attach_tag_defaults(fourcc("text"), new_text_tag); }

} // namespace zephane
