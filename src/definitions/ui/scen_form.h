#pragma once
// The scenery editor (form 1021, "Scenery Window").

namespace zephane {

void register_scenery_editor();

} // namespace zephane
