#include "terrain_document.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <vector>

#include "base/posix_file.h"
#include "psd_builder.h"

namespace zephane {

// A colour map with broad shapes and fine grain, and four soft round detail masks.
void make_terrain_document(const std::string& path) {
    constexpr int kSide = kTerrainDocumentSide;
    constexpr int kMasks = kTerrainDocumentMasks;
    if (std::filesystem::exists(path)) return;
    std::mt19937 random(5);
    const auto side = static_cast<std::size_t>(kSide);
    std::vector<std::uint8_t> rgb(side * side * 3);
    for (std::size_t y = 0; y < side; ++y)
        for (std::size_t x = 0; x < side; ++x)
            for (std::size_t k = 0; k < 3; ++k) {
                const double broad = 90 + 60 * std::sin(static_cast<double>(x + 3 * k) / 97.0) *
                                              std::cos(static_cast<double>(y) / 131.0);
                rgb[(y * side + x) * 3 + k] = static_cast<std::uint8_t>(broad + static_cast<double>(random() % 40));
            }
    test::PsdSpec spec;
    spec.width = spec.height = kSide;
    spec.layers.push_back(test::colour_layer({0, 0, kSide, kSide}, rgb));
    for (int m = 0; m < kMasks; ++m) {
        const double cx = (m % 2 ? 0.7 : 0.3) * kSide, cy = (m / 2 ? 0.7 : 0.3) * kSide;
        std::vector<std::uint8_t> mask(side * side);
        for (std::size_t y = 0; y < side; ++y)
            for (std::size_t x = 0; x < side; ++x) {
                const double d = std::hypot(static_cast<double>(x) - cx, static_cast<double>(y) - cy);
                const double v = std::clamp((1300.0 - d) * 0.5, 0.0, 255.0);
                mask[y * side + x] = static_cast<std::uint8_t>(v > 0 ? std::min(255.0, v + static_cast<double>(random() % 6)) : 0);
            }
        test::PsdLayerSpec layer = test::colour_layer({0, 0, 1, 1}, {255, 255, 255});
        test::add_mask(layer, {0, 0, kSide, kSide}, std::move(mask));
        spec.layers.push_back(std::move(layer));
    }
    write_whole_file(path, test::build_psd(spec));
}

} // namespace zephane
