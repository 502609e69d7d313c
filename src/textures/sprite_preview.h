#pragma once
// The picture of a sprite frame: the texture at (stack index, texture index) of the frame's
// texture stack tag, decoded (JPEG with fancy upsampling) and reduced to a thumbnail.

#include "textures/sprite_definition.h"
#include "textures/texture_stack.h"

#include <optional>

namespace zephane {

// None when the tag, the stack or the texture is missing or the data cannot be decoded.
std::optional<Thumbnail> sprite_frame_preview(TagDatabase& db, const sprite_frame& frame);

} // namespace zephane
