#pragma once
// TtxstEditForm: the texture stack editor ("txst editor"). The tag's stack set in a
// TtxstEditView filling the window; Copy, Cut, Clear and Paste through the application-wide
// texture clipboard; the Special menu's Split RGBA, Merge RGB and A and Recompress Textures;
// the Texture Info dialog on a double-click.

namespace zephane {

inline constexpr int kTextureEditorResource = 1050;

void register_texture_stack_editor();

} // namespace zephane
