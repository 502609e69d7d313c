#include "textures/ui/texture_image.h"

#include "textures/jpeg_codec.h"
#include "textures/texture_stack.h"

namespace zephane {

namespace {

bool image_format(int channels, QImage::Format& format) {
    switch (channels) {
    case 1: format = QImage::Format_Grayscale8; return true;
    case 3: format = QImage::Format_RGB888; return true;
    case 4: format = QImage::Format_RGBA8888; return true;
    default: return false;
    }
}

} // namespace

QImage pixel_image_to_qimage(const PixelImage& image) {
    QImage::Format format{};
    if (!image_format(image.channels, format) || image.pixels.empty()) return {};
    return QImage(image.pixels.data(), image.width, image.height, image.width * image.channels, format).copy();
}

QImage thumbnail_view(const Thumbnail& thumbnail) {
    QImage::Format format{};
    if (!image_format(thumbnail.channels, format) || thumbnail.empty()) return {};
    return QImage(thumbnail.pixels.data(), thumbnail.width, thumbnail.height,
                  thumbnail.width * thumbnail.channels, format);
}

} // namespace zephane
