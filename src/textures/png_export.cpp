#include "textures/png_export.h"

#include <cstring>
#include <png.h>

namespace zephane {

bool write_png_file(const std::string& path, const PixelImage& image, std::string* problem) {
    static const png_uint_32 kFormats[] = {0, PNG_FORMAT_GRAY, PNG_FORMAT_GA, PNG_FORMAT_RGB, PNG_FORMAT_RGBA};
    const auto fail = [&](const std::string& text) {
        if (problem) *problem = text;
        return false;
    };
    if (image.channels < 1 || image.channels > 4 || image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) *
                                   static_cast<std::size_t>(image.channels))
        return fail("the pixels do not form an image");
    png_image png;
    std::memset(&png, 0, sizeof(png));
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = kFormats[image.channels];
    // The simplified interface reports failures in the image record instead of jumping.
    if (!png_image_write_to_file(&png, path.c_str(), 0, image.pixels.data(), 0, nullptr))
        return fail("cannot write " + path + ": " + png.message);
    return true;
}

} // namespace zephane
