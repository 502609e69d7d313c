#include "textures/png_export.h"

#include <cstring>
#include <png.h>

namespace zephane {

namespace {

bool write_image(const std::string& path, int width, int height, png_uint_32 format, const void* pixels,
                 std::string* problem) {
    png_image png;
    std::memset(&png, 0, sizeof(png));
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(width);
    png.height = static_cast<png_uint_32>(height);
    png.format = format;
    // The simplified interface reports failures in the image record instead of jumping.
    if (!png_image_write_to_file(&png, path.c_str(), 0, pixels, 0, nullptr)) {
        if (problem) *problem = "cannot write " + path + ": " + png.message;
        return false;
    }
    return true;
}

bool not_an_image(std::string* problem) {
    if (problem) *problem = "the pixels do not form an image";
    return false;
}

} // namespace

bool write_png_file(const std::string& path, const PixelImage& image, std::string* problem) {
    static const png_uint_32 kFormats[] = {0, PNG_FORMAT_GRAY, PNG_FORMAT_GA, PNG_FORMAT_RGB, PNG_FORMAT_RGBA};
    if (image.channels < 1 || image.channels > 4 || image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) *
                                   static_cast<std::size_t>(image.channels))
        return not_an_image(problem);
    return write_image(path, image.width, image.height, kFormats[image.channels], image.pixels.data(), problem);
}

bool write_gray16_png_file(const std::string& path, int width, int height,
                           const std::vector<std::uint16_t>& pixels, std::string* problem) {
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return not_an_image(problem);
    // Linear 16-bit gray: the stored sample is the height itself.
    return write_image(path, width, height, PNG_FORMAT_LINEAR_Y, pixels.data(), problem);
}

} // namespace zephane
