#pragma once
// The observer constants editor (form 1017, "Observer Constants Window").

namespace zephane {

void register_observer_constants_editor();

} // namespace zephane
