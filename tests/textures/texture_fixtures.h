#pragma once
// Textures and pixels for the texture tests.

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "textures/jpeg_codec.h"
#include "textures/texture_stack.h"

namespace zephane::test {

// A smooth picture (compresses well) of width × height × channels bytes.
inline std::vector<std::uint8_t> gradient_pixels(int width, int height, int channels) {
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(width * height * channels));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int k = 0; k < channels; ++k)
                out.push_back(static_cast<std::uint8_t>(x * 180 / std::max(1, width - 1) +
                                                         y * 60 / std::max(1, height - 1) + k * 5));
    return out;
}

// Noise: JPEG cannot make it smaller.
inline std::vector<std::uint8_t> noise_pixels(std::size_t count, unsigned seed = 7) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> out(count);
    for (auto& v : out) v = static_cast<std::uint8_t>(random());
    return out;
}

// A picture with fine detail, like a real colour map: JPEG sizes grow steadily with quality.
inline std::vector<std::uint8_t> detailed_pixels(int width, int height, int channels) {
    auto out = gradient_pixels(width, height, channels);
    std::mt19937 random(11);
    for (auto& v : out) v = static_cast<std::uint8_t>(std::min(255, v + static_cast<int>(random() % 48)));
    return out;
}

inline std::unique_ptr<stacked_texture> raw_texture(int width, int height, int channels,
                                                    std::vector<std::uint8_t> pixels) {
    auto t = std::make_unique<stacked_texture>();
    t->width = static_cast<std::uint16_t>(width);
    t->height = static_cast<std::uint16_t>(height);
    t->channels = static_cast<std::uint8_t>(channels);
    t->compressed_data = std::move(pixels);
    return t;
}

inline std::unique_ptr<stacked_texture> gradient_texture(int width, int height, int channels) {
    return raw_texture(width, height, channels, gradient_pixels(width, height, channels));
}

inline std::unique_ptr<stacked_texture> bytes_texture(std::vector<std::uint8_t> bytes) {
    auto t = std::make_unique<stacked_texture>();
    t->channels = 1;
    t->width = static_cast<std::uint16_t>(bytes.size());
    t->height = 1;
    t->compressed_data = std::move(bytes);
    return t;
}

} // namespace zephane::test
