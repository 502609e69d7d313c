#pragma once
// Texture pixels and thumbnails as Qt images (gray, RGB or RGBA), for previews.

#include <QImage>

namespace zephane {

struct PixelImage;
struct Thumbnail;

// A copy of the pixels; a null image for two channels or no pixels.
QImage pixel_image_to_qimage(const PixelImage& image);
// An image over the thumbnail's own bytes (no copy): valid while the thumbnail is.
QImage thumbnail_view(const Thumbnail& thumbnail);

} // namespace zephane
