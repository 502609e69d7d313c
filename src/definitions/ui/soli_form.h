#pragma once
// The sound list editor (form 1022, "Sound Lists Window"): its entries' sounds, with Add, Duplicate and Delete.

namespace zephane {

void register_sound_list_editor();

} // namespace zephane
