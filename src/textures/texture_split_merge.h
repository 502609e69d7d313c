#pragma once
// The data side of the editor's "Split RGBA" and "Merge RGB and A" commands.

#include <span>
#include <string>

#include "textures/texture_stack.h"

namespace zephane {

// "Split RGBA" is enabled when some selected texture has 4 channels.
bool can_split_rgba(std::span<const stacked_texture* const> selection);
// The 4-channel texture keeps its colour as a 3-channel texture; its alpha becomes a new
// 1-channel texture (same size, format and layer, layer kind 3) right after it in the same
// stack, which is returned. JPEG data is cut at its 3-byte length without re-encoding.
// None (nothing changed) when the texture is not a 4-channel texture of the set or its data
// is damaged.
stacked_texture* split_rgba(StackSet& set, stacked_texture& texture, std::string* problem = nullptr);

// "Merge RGB and A" is enabled for exactly two textures, one of 3 channels and one of 1, of
// the same width and height.
bool can_merge_rgb_and_alpha(std::span<const stacked_texture* const> selection);
// The 3-channel texture takes the other as its alpha and becomes 4-channel; the 1-channel
// texture is unlinked (its stack removed if left empty) and freed. False (nothing changed)
// when the two cannot be merged.
bool merge_rgb_and_alpha(StackSet& set, stacked_texture& first, stacked_texture& second,
                         std::string* problem = nullptr);

} // namespace zephane
