#pragma once
// The Texture Info dialog: layer kind and layer, "Apply Team Logo" and the placement (origin,
// dU, dV in pixels) over a preview, "Do not downsample", and "Recompress...".

class QWidget;

namespace zephane {

struct StackSet;
struct stacked_texture;

namespace texture_info_control {
inline constexpr int kResource = 156;
inline constexpr int kKind = 1;
inline constexpr int kLayer = 2;
inline constexpr int kTeamLogo = 3;
inline constexpr int kOriginX = 4; // then origin y, dU x, dU y, dV x, dV y
inline constexpr int kDoNotDownsample = 10;
inline constexpr int kRecompress = 11;
inline constexpr int kCancel = 12;
inline constexpr int kOk = 13;
inline constexpr int kPreview = 14;
} // namespace texture_info_control

// Runs the dialog on a texture of the set; true when the texture or its stack changed (OK,
// or a recompression, which Cancel does not take back). Marks the set dirty then.
bool run_texture_info_dialog(QWidget* parent, StackSet& set, stacked_texture& texture);

} // namespace zephane
