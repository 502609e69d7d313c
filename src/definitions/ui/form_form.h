#pragma once
// The formation editor (form 1005, "Formations Window").

namespace zephane {

void register_formation_editor();

} // namespace zephane
