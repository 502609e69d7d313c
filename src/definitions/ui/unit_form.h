#pragma once
// The units editor (form 1027, "Unit Window").

namespace zephane {

void register_units_editor();

} // namespace zephane
