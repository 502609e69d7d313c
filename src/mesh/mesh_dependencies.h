#pragma once
// The tags a map references, for the foundation build and zephane-tool deps.

#include "tags/dependency_reporter.h"
#include "tags/tag_database.h"

namespace zephane {

// Every header reference in header order (the two mesh references aside), then the tag of
// each palette entry of kind 1, 3, 5, 9 or 10, then every reference element of the map
// action parameters, then the two mesh references. Sections that do not fit in the payload
// are skipped; a payload shorter than the header reports nothing.
void mesh_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);

// The size in bytes of one element of a map action parameter of this type (types above 22
// are not listed: the rest of the block is one element).
std::size_t map_action_element_size(unsigned type);

void register_mesh_type();

} // namespace zephane
