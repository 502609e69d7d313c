#pragma once
// Layered Photoshop documents as the importers need them: the document size and, per layer,
// its rectangle, colour, transparency and layer mask. Nothing else of the file is kept.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zephane {

// The largest side a Photoshop document (version 1) can have.
inline constexpr std::uint32_t kPsdMaxSide = 30000;

struct PsdRect {
    std::int32_t top = 0, left = 0, bottom = 0, right = 0;
    std::int64_t width() const { return std::int64_t{right} - left; }
    std::int64_t height() const { return std::int64_t{bottom} - top; }
    bool empty() const { return width() <= 0 || height() <= 0; }
    bool contains(std::int64_t x, std::int64_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
};

struct PsdLayer {
    PsdRect rect;
    PsdRect mask_rect; // all zero without a layer mask
    std::string name;
    // Present only when the layer has the channels they come from.
    std::optional<std::vector<std::uint8_t>> colour;       // R G B, rect size
    std::optional<std::vector<std::uint8_t>> transparency; // rect size
    std::optional<std::vector<std::uint8_t>> mask;         // mask_rect size
};

struct PsdDocument {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<PsdLayer> layers; // bottom layer first
};

// Reads a whole document; none with the reason in problem when the file fails a check.
std::optional<PsdDocument> read_psd(std::span<const std::uint8_t> bytes, std::string* problem = nullptr);
std::optional<PsdDocument> read_psd_file(const std::string& path, std::string* problem = nullptr);

enum class PsdImageKind { colour = 0, transparency = 1, mask = 2, colour_transparency = 3 };

struct ExtractedImage {
    std::int32_t x = 0, y = 0; // document pixels
    std::int32_t width = 0, height = 0;
    PsdImageKind kind = PsdImageKind::colour;
    int channels = 0;
    std::vector<std::uint8_t> pixels;
};

// One layer's pixels of one kind; none when the layer lacks the source.
std::optional<ExtractedImage> extract_image(const PsdLayer& layer, PsdImageKind kind);

} // namespace zephane
