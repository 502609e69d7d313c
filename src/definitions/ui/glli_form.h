#pragma once
// The global light editor (form 1031, "Global Light") with its four preview pictures.

namespace zephane {

void register_global_light_editor();

} // namespace zephane
