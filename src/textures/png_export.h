#pragma once
// Decoded texture pixels written as a PNG file (gray, gray + alpha, RGB or RGBA by channels).

#include <cstdint>
#include <string>
#include <vector>

#include "textures/jpeg_codec.h"

namespace zephane {

bool write_png_file(const std::string& path, const PixelImage& image, std::string* problem = nullptr);

} // namespace zephane

namespace zephane {

// 16-bit gray pixels, row-major, width × height.
bool write_gray16_png_file(const std::string& path, int width, int height,
                           const std::vector<std::uint16_t>& pixels, std::string* problem = nullptr);

} // namespace zephane
