#pragma once
// The local light editor (form 1030, "Local Light").

namespace zephane {

void register_local_light_editor();

} // namespace zephane
