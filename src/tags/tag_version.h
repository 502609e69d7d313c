#pragma once
// The version check that keeps payloads in their type's current format.

#include "tags/tag_database.h"

namespace zephane {

// Brings a tag to its type's current version before an editor opens it. A tag never stamped
// (version 0) takes the current version without conversion; an older tag is converted by
// the type's updater. True when the payload was converted. A tag newer than its type, or an
// older one of a type without an updater, raises an internal error.
bool update_tag_version(TagDatabase& db, TagEntry& tag);

} // namespace zephane
