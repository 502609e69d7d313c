#pragma once
// The "Sprite Frame" dialog: a frame's texture stack (picked and opened from the dialog),
// "Stack:" and "Texture:", and its four corners' positions and texture coordinates. It edits
// a copy that goes back into the frame only on OK.

#include "textures/sprite_definition.h"

namespace zephane {

class TTagEditForm;

namespace sprite_frame_control {
inline constexpr int kResource = 2012;
inline constexpr int kTextureStack = 1; // tag button
inline constexpr int kOpenTextureStack = 2;
inline constexpr int kStack = 3;
inline constexpr int kTexture = 4;
// Corner k's position: x at kCornerX + 2k, y one above; its texture coordinates the same from
// kTexCoordU.
inline constexpr int kCornerX = 10;
inline constexpr int kTexCoordU = 20;
inline constexpr int kOk = 101;
inline constexpr int kCancel = 102;
} // namespace sprite_frame_control

// True when the dialog ended with OK (and the frame took its values).
bool edit_sprite_frame(TTagEditForm& editor, sprite_frame& frame);

} // namespace zephane
