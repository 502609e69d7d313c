#pragma once

namespace zephane {

// Attaches every editor window's factory to the tag type table. Called once at start-up,
// after the core's register_tag_types(), and by tests that open editors.
void register_tag_editors();

} // namespace zephane
