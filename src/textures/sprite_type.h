#pragma once
// Attaches the sprite definition and ground sprites types' operations to the tag type table.

namespace zephane {

// 'spri': a new tag is the 28-byte header of a definition without frames or sequences; its
// dependencies are every frame's texture stack and every entry's sound.
void register_sprite_type();
// 'grsp': a new tag is four empty sets (400 bytes); its dependencies are the sets' sprites.
void register_ground_sprites_type();

} // namespace zephane
