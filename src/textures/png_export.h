#pragma once
// Decoded texture pixels written as a PNG file (gray, gray + alpha, RGB or RGBA by channels).

#include <string>

#include "textures/jpeg_codec.h"

namespace zephane {

bool write_png_file(const std::string& path, const PixelImage& image, std::string* problem = nullptr);

} // namespace zephane
