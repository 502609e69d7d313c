#pragma once

namespace zephane {

// Attaches every core module's operations (defaults, dependencies, updaters) to the tag type
// table. Called once at start-up by the programs, and by tests that need the operations.
// Editor windows are attached separately by the user interface.
void register_tag_types();

} // namespace zephane
