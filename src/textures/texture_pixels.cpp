#include "textures/texture_pixels.h"

#include <algorithm>
#include <new>

namespace zephane {

namespace {

void set_problem(std::string* problem, const std::string& text) {
    if (problem) *problem = text;
}

std::optional<PixelImage> decode_raw(const stacked_texture& texture, std::string* problem) {
    if (texture.size() != texture.raw_size()) {
        set_problem(problem, "the raw data is " + std::to_string(texture.size()) + " bytes where " +
                                 std::to_string(texture.raw_size()) + " were expected");
        return std::nullopt;
    }
    return PixelImage{texture.width, texture.height, texture.channels, texture.compressed_data};
}

std::optional<PixelImage> decode_rgba_jpeg(const stacked_texture& texture, JpegDecodeOptions options,
                                           std::string* problem) {
    const auto streams = split_rgba_streams(texture.compressed_data);
    if (!streams) {
        set_problem(problem, "the RGB stream's length points past the data");
        return std::nullopt;
    }
    options.channels = 3;
    auto rgb = jpeg_decompress(streams->rgb, options, problem);
    if (!rgb) return std::nullopt;
    options.channels = 1;
    auto alpha = jpeg_decompress(streams->alpha, options, problem);
    if (!alpha) return std::nullopt;
    if (alpha->width != rgb->width || alpha->height != rgb->height) {
        set_problem(problem, "the alpha stream does not match the RGB stream's size");
        return std::nullopt;
    }
    PixelImage out{rgb->width, rgb->height, 4, {}};
    const std::size_t count = static_cast<std::size_t>(rgb->width) * static_cast<std::size_t>(rgb->height);
    out.pixels.resize(count * 4);
    for (std::size_t i = 0; i < count; ++i) {
        out.pixels[i * 4] = rgb->pixels[i * 3];
        out.pixels[i * 4 + 1] = rgb->pixels[i * 3 + 1];
        out.pixels[i * 4 + 2] = rgb->pixels[i * 3 + 2];
        out.pixels[i * 4 + 3] = alpha->pixels[i];
    }
    return out;
}

std::size_t encoded_size(const PixelImage& image, int quality) {
    const auto data = encode_jpeg_data(image, quality);
    return data ? data->size() : 0;
}

PixelImage halve(const PixelImage& in) {
    // A side of one pixel stays one pixel: its missing neighbour repeats the edge.
    const int w = std::max(1, in.width / 2);
    const int h = std::max(1, in.height / 2);
    const auto c = static_cast<std::size_t>(in.channels);
    PixelImage out{w, h, in.channels, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * c)};
    const auto at = [&](int x, int y) {
        x = std::min(x, in.width - 1);
        y = std::min(y, in.height - 1);
        return (static_cast<std::size_t>(y) * static_cast<std::size_t>(in.width) + static_cast<std::size_t>(x)) * c;
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t a = at(2 * x, 2 * y), b = at(2 * x + 1, 2 * y);
            const std::size_t d = at(2 * x, 2 * y + 1), e = at(2 * x + 1, 2 * y + 1);
            std::uint8_t* o = out.pixels.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)) * c;
            for (std::size_t k = 0; k < c; ++k) {
                const unsigned sum = unsigned{in.pixels[a + k]} + in.pixels[b + k] + in.pixels[d + k] + in.pixels[e + k];
                o[k] = static_cast<std::uint8_t>((sum + 2) >> 2);
            }
        }
    }
    return out;
}

} // namespace

std::optional<PixelImage> decode_texture(const stacked_texture& texture, bool fancy_upsampling,
                                         std::string* problem, int target_width) {
    if (texture.channels < 1 || texture.channels > 4) {
        set_problem(problem, "a texture of " + std::to_string(texture.channels) + " channels has no pixels");
        return std::nullopt;
    }
    try {
        if (texture.format == kFormatRaw) return decode_raw(texture, problem);
        if (texture.format != kFormatJpeg) {
            set_problem(problem, "data of " + format_label(texture.format) + " cannot be decoded");
            return std::nullopt;
        }
        JpegDecodeOptions options;
        options.expected_width = texture.width;
        options.expected_height = texture.height;
        options.target_width = target_width;
        options.fancy_upsampling = fancy_upsampling;
        if (texture.channels == 4) return decode_rgba_jpeg(texture, options, problem);
        if (texture.channels == 2) {
            set_problem(problem, "a two-channel texture has no JPEG form");
            return std::nullopt;
        }
        options.channels = texture.channels;
        return jpeg_decompress(texture.compressed_data, options, problem);
    } catch (const std::bad_alloc&) {
        set_problem(problem, "out of memory while decoding");
        return std::nullopt;
    }
}

std::optional<std::vector<std::uint8_t>> encode_jpeg_data(const PixelImage& image, int quality,
                                                          std::string* problem) {
    if (image.channels != 4)
        return jpeg_compress(image.pixels, image.width, image.height, image.channels, quality, problem);
    const std::size_t count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    if (image.pixels.size() != count * 4) {
        set_problem(problem, "the pixels do not match the image size");
        return std::nullopt;
    }
    std::vector<std::uint8_t> rgb(count * 3), alpha(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::copy_n(image.pixels.begin() + static_cast<std::ptrdiff_t>(i * 4), 3,
                    rgb.begin() + static_cast<std::ptrdiff_t>(i * 3));
        alpha[i] = image.pixels[i * 4 + 3];
    }
    const auto rgb_stream = jpeg_compress(rgb, image.width, image.height, 3, quality, problem);
    if (!rgb_stream) return std::nullopt;
    const auto alpha_stream = jpeg_compress(alpha, image.width, image.height, 1, quality, problem);
    if (!alpha_stream) return std::nullopt;
    auto joined = join_rgba_streams(*rgb_stream, *alpha_stream);
    if (!joined) set_problem(problem, "the RGB stream is too long for the two-stream form");
    return joined;
}

std::optional<RgbaStreams> split_rgba_streams(std::span<const std::uint8_t> data) {
    if (data.size() < kRgbaLengthBytes) return std::nullopt;
    const std::size_t length = (std::size_t{data[0]} << 16) | (std::size_t{data[1]} << 8) | data[2];
    if (length > data.size() - kRgbaLengthBytes) return std::nullopt;
    return RgbaStreams{data.subspan(kRgbaLengthBytes, length), data.subspan(kRgbaLengthBytes + length)};
}

std::optional<std::vector<std::uint8_t>> join_rgba_streams(std::span<const std::uint8_t> rgb,
                                                           std::span<const std::uint8_t> alpha) {
    if (rgb.size() > kMaxRgbStreamLength) return std::nullopt;
    std::vector<std::uint8_t> out;
    out.reserve(kRgbaLengthBytes + rgb.size() + alpha.size());
    out.push_back(static_cast<std::uint8_t>(rgb.size() >> 16));
    out.push_back(static_cast<std::uint8_t>(rgb.size() >> 8));
    out.push_back(static_cast<std::uint8_t>(rgb.size()));
    out.insert(out.end(), rgb.begin(), rgb.end());
    out.insert(out.end(), alpha.begin(), alpha.end());
    return out;
}

bool jpeg_saves_enough(std::size_t new_size, std::size_t old_size) {
    const auto n = static_cast<std::uint64_t>(new_size), o = static_cast<std::uint64_t>(old_size);
    return n * 100 <= o * 95 || n + 1000 <= o;
}

bool recompress_texture(stacked_texture& texture, int quality, std::string* problem) {
    const bool in_range = quality >= 1 && quality <= 100;
    if (in_range && texture.format == kFormatRaw && (texture.channels == 1 || texture.channels == 3) &&
        texture.size() == texture.raw_size()) {
        // Raw gray or RGB pixels go to the encoder as they are stored, without a copy.
        auto jpeg = jpeg_compress(texture.compressed_data, texture.width, texture.height, texture.channels,
                                  quality, problem);
        if (!jpeg) return false;
        if (jpeg_saves_enough(jpeg->size(), texture.size())) texture.set_data(std::move(*jpeg), kFormatJpeg);
        return true;
    }
    auto pixels = decode_texture(texture, true, problem);
    if (!pixels) return false;
    const bool raw = quality < 1 || quality > 100 || texture.channels == 2;
    if (raw) {
        if (texture.format != kFormatRaw) texture.set_data(std::move(pixels->pixels), kFormatRaw);
        return true;
    }
    auto jpeg = encode_jpeg_data(*pixels, quality, problem);
    if (!jpeg) return false;
    if (jpeg_saves_enough(jpeg->size(), texture.size())) texture.set_data(std::move(*jpeg), kFormatJpeg);
    return true;
}

std::optional<int> estimate_jpeg_quality(const stacked_texture& texture, std::string* problem) {
    const auto pixels = decode_texture(texture, true, problem);
    if (!pixels) return std::nullopt;
    if (pixels->channels == 2) {
        set_problem(problem, "a two-channel texture has no JPEG form");
        return std::nullopt;
    }
    const std::size_t stored = texture.size();
    int lo = 100, hi = 1;
    std::size_t lo_size = encoded_size(*pixels, 100);
    std::size_t hi_size = encoded_size(*pixels, 1);
    while (hi + 1 < lo) {
        const int mid = hi + (lo - hi) / 2;
        const std::size_t size = encoded_size(*pixels, mid);
        if (size >= stored) {
            lo = mid;
            lo_size = size;
        }
        if (stored >= size) {
            hi = mid;
            hi_size = size;
        }
    }
    // The mean of the two remembered sizes against the stored size.
    return lo_size + hi_size < 2 * stored ? lo : hi;
}

Thumbnail make_thumbnail(const PixelImage& image) {
    if (image.channels == 2 || image.channels < 1 || image.channels > 4 || image.pixels.empty())
        return {};
    PixelImage current = image;
    while (current.width > kThumbnailMaxSide || current.height > kThumbnailMaxSide) current = halve(current);
    return {current.width, current.height, current.channels, std::move(current.pixels)};
}

const Thumbnail& texture_thumbnail(stacked_texture& texture) {
    if (!texture.preview) {
        const auto pixels = decode_texture(texture, false);
        texture.preview = pixels ? make_thumbnail(*pixels) : Thumbnail{};
    }
    return *texture.preview;
}

} // namespace zephane
