#pragma once
// Builds layered Photoshop documents byte by byte for tests and benchmarks, with control
// over the parts readers disagree on (mask record length, blending ranges, layer count sign,
// compression).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zephane::test {

struct PsdBox {
    std::int32_t top = 0, left = 0, bottom = 0, right = 0;
    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
};

struct PsdChannelSpec {
    std::int16_t id = 0;
    std::vector<std::uint8_t> pixels; // rows of the layer (or mask) rectangle
    std::uint16_t compression = 1;    // 0 raw, 1 run-length; others written as raw bytes
    std::optional<std::vector<std::uint8_t>> data; // written as is instead of encoding pixels
};

inline PsdChannelSpec plane(std::int16_t id, std::vector<std::uint8_t> pixels, std::uint16_t compression = 1) {
    PsdChannelSpec c;
    c.id = id;
    c.pixels = std::move(pixels);
    c.compression = compression;
    return c;
}

struct PsdLayerSpec {
    PsdBox rect;
    std::vector<PsdChannelSpec> channels;
    std::optional<PsdBox> mask;
    std::uint32_t mask_length = 20;      // of the layer mask record
    bool empty_blending_ranges = false;  // a 0-length block instead of one pair per channel
    std::string name = "Layer";
};

struct PsdSpec {
    std::uint32_t width = 0, height = 0;
    std::uint16_t version = 1;
    std::uint16_t depth = 8;
    std::string signature = "8BPS";
    bool negative_layer_count = false;
    std::vector<PsdLayerSpec> layers;
};

std::vector<std::uint8_t> packbits(const std::uint8_t* row, std::size_t length);
std::vector<std::uint8_t> build_psd(const PsdSpec& spec);

// A layer whose channels 0, 1, 2 (and -1 when alpha is given) hold the given planes.
PsdLayerSpec colour_layer(PsdBox rect, const std::vector<std::uint8_t>& rgb,
                          const std::vector<std::uint8_t>* alpha = nullptr);
// The same layer with a layer mask (channel -2) over box.
void add_mask(PsdLayerSpec& layer, PsdBox box, std::vector<std::uint8_t> pixels);

} // namespace zephane::test
