#pragma once
// The Recompress Texture dialog: "Uncompressed" or "JPEG Quality:" (edit and slider), a
// live preview of the texture at that quality with its size, and "Use for all selected
// textures" while more textures follow.

#include <optional>

class QWidget;

namespace zephane {

struct stacked_texture;

namespace recompress_control {
inline constexpr int kResource = 157;
inline constexpr int kUncompressed = 1;
inline constexpr int kJpegQuality = 2;
inline constexpr int kQualityEdit = 3;
inline constexpr int kQualitySlider = 4;
inline constexpr int kPreview = 5;
inline constexpr int kSizeText = 6; // "%d bytes (%d%%)"
inline constexpr int kUseForAll = 7;
inline constexpr int kRecompress = 10;
inline constexpr int kCancel = 11;
} // namespace recompress_control

struct RecompressChoice {
    int quality = -1; // -1 for "Uncompressed"
    bool use_for_all = false;
};

// None when cancelled. offer_all shows "Use for all selected textures", checked as given.
std::optional<RecompressChoice> run_recompress_dialog(QWidget* parent, const stacked_texture& texture,
                                                      bool offer_all, bool all_checked);

} // namespace zephane
