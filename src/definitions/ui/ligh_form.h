#pragma once
// The lightning editor (form 1007, "Lightning Window").

namespace zephane {

void register_lightning_editor();

} // namespace zephane
