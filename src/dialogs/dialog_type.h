#pragma once
// The Dialog tag type's core operations: no defaults and no dependencies, only the rewrite
// through the payload reader and writer.

namespace zephane {

void register_dialog_type();

} // namespace zephane
