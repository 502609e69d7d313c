#pragma once
// TgrspEditForm: the ground sprites editor. Four groups "Sprite Set 0" … "Sprite Set 3",
// each with its sprite definition, its mask file (taken over byte for byte by "Get Mask...",
// dropped by "Clear Mask") and its density.

namespace zephane {

// Controls of the ground sprites editor (form 1006, "Ground Sprites"): set s has the ids
// 1000 + 100·s + k.
namespace ground_sprites_control {
inline constexpr int kResource = 1006;
inline constexpr int kSprite = 0;     // "Sprite Definition:" tag button
inline constexpr int kOpenSprite = 1;
inline constexpr int kMaskName = 2;   // "Mask:" text
inline constexpr int kGetMask = 3;
inline constexpr int kClearMask = 4;
inline constexpr int kDensity = 5;
constexpr int id(int set, int k) { return 1000 + 100 * set + k; }
} // namespace ground_sprites_control

void register_ground_sprites_editor();

} // namespace zephane
