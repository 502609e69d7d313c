#pragma once
// The pixels behind a texture's stored bytes: decoding raw and JPEG data (including the
// two-stream RGBA form), JPEG encoding, Recompress with its keep rule, the quality estimate
// of stored JPEG data, and thumbnails.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "textures/jpeg_codec.h"
#include "textures/texture_stack.h"

namespace zephane {

// Quality values outside 1..100 ask Recompress for raw data.
inline constexpr int kRawQuality = -1;
inline constexpr int kThumbnailMaxSide = 128;
// The RGB stream of the two-stream form is preceded by its length in 3 bytes.
inline constexpr std::size_t kRgbaLengthBytes = 3;
inline constexpr std::size_t kMaxRgbStreamLength = 0xFFFFFF;

// The texture's pixels (width × height × channels). JPEG data is decoded with the fast
// integer DCT; a target width below the stored width decodes at a reduced scale.
std::optional<PixelImage> decode_texture(const stacked_texture& texture, bool fancy_upsampling,
                                         std::string* problem = nullptr, int target_width = 0);

// JPEG data for 1, 3 or 4 channel pixels; 4 channels give the two-stream form.
std::optional<std::vector<std::uint8_t>> encode_jpeg_data(const PixelImage& image, int quality,
                                                          std::string* problem = nullptr);

struct RgbaStreams {
    std::span<const std::uint8_t> rgb;
    std::span<const std::uint8_t> alpha;
};
// Splits two-stream data at its 3-byte length; none when the length points past the data.
std::optional<RgbaStreams> split_rgba_streams(std::span<const std::uint8_t> data);
// 3-byte length, RGB stream, alpha stream; none when the RGB stream is too long to announce.
std::optional<std::vector<std::uint8_t>> join_rgba_streams(std::span<const std::uint8_t> rgb,
                                                           std::span<const std::uint8_t> alpha);

// Recompress: quality outside 1..100 stores raw pixels; otherwise the JPEG data replaces the
// stored data only when it saves at least 5 % or at least 1000 bytes. A two-channel texture
// has no JPEG form and stays raw. False (texture unchanged) when the data cannot be decoded
// or encoded.
bool recompress_texture(stacked_texture& texture, int quality, std::string* problem = nullptr);

// True when new_size is small enough to replace old_size under the keep rule.
bool jpeg_saves_enough(std::size_t new_size, std::size_t old_size);

// The quality at which the stored data was most likely written, found by bisection.
std::optional<int> estimate_jpeg_quality(const stacked_texture& texture,
                                         std::string* problem = nullptr);

// Halves with a 2 × 2 box filter until both sides are at most 128.
Thumbnail make_thumbnail(const PixelImage& image);
// The texture's cached preview, built on first use (empty for two channels or bad data).
const Thumbnail& texture_thumbnail(stacked_texture& texture);

} // namespace zephane
