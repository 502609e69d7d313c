#pragma once
// The ambient sound editor (form 1000, "Ambient Sound Window").

namespace zephane {

void register_ambient_sound_editor();

} // namespace zephane
