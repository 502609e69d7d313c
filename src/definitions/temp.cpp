// Templates ('temp', localized): the map actions monsters refer to.

#include "definitions/text_tag.h"
#include "tags/tag_types.h"

namespace zephane {

namespace {
// Templates are offered by Create Tag but get no payload, so the new tag is removed again.
void template_defaults(TagDatabase&, TagEntry&) {}
} // namespace

void register_template_type() { attach_tag_defaults(fourcc("temp"), template_defaults); }

} // namespace zephane
