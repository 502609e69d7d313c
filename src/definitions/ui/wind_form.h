#pragma once
// The wind editor (form 1028, "Wind Dialog").

namespace zephane {

void register_wind_editor();

} // namespace zephane
