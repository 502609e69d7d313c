#pragma once
// JPEG streams through libjpeg-turbo's jpeg62 interface, with memory source and destination
// managers of our own and an error handler that turns a rejected stream into a failure of
// that one call (the library's own handler would end the process).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zephane {

// Interleaved 8-bit pixels, top row first.
struct PixelImage {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<std::uint8_t> pixels;
};

// Compresses gray (1 channel) or RGB (3 channels) pixels: library defaults, then floating-
// point DCT, optimised Huffman tables and the quality without forcing baseline tables.
std::optional<std::vector<std::uint8_t>> jpeg_compress(std::span<const std::uint8_t> pixels,
                                                       int width, int height, int channels,
                                                       int quality, std::string* problem = nullptr);

struct JpegDecodeOptions {
    int channels = 3;           // 1 (grayscale stream) or 3 (colour stream)
    int expected_width = -1;    // checked against the stream when not negative
    int expected_height = -1;
    int target_width = 0;       // a smaller target decodes at a reduced scale; 0 = full size
    bool fancy_upsampling = false;
};

// Decodes one stream with the fast integer DCT.
std::optional<PixelImage> jpeg_decompress(std::span<const std::uint8_t> stream,
                                          const JpegDecodeOptions& options,
                                          std::string* problem = nullptr);

} // namespace zephane
