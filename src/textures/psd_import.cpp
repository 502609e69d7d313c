#include "textures/psd_import.h"
#include "base/text.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "textures/parallel_tiles.h"

#include "textures/texture_pixels.h"

namespace zephane {

namespace {

constexpr std::size_t kTileSide = kTerrainTileSize;
// A detail mask tile is kept only when some value has any of these bits.
constexpr std::uint8_t kMaskSignificantBits = 0xF8;

void set_problem(std::string* problem, const std::string& text) {
    if (problem) *problem = text;
}

std::unique_ptr<stacked_texture> new_raw_texture(int width, int height, int channels,
                                                 std::uint8_t layer_kind, std::uint8_t layer) {
    auto texture = std::make_unique<stacked_texture>();
    texture->width = static_cast<std::uint16_t>(width);
    texture->height = static_cast<std::uint16_t>(height);
    texture->channels = static_cast<std::uint8_t>(channels);
    texture->layer_kind = layer_kind;
    texture->layer = layer;
    texture->compressed_data.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                                        static_cast<std::size_t>(channels), 0);
    return texture;
}

// Index of the pixel nearest to document coordinate v inside [first, first + length).
std::size_t clamped(std::int64_t v, std::int64_t first, std::int64_t length) {
    return static_cast<std::size_t>(std::clamp(v - first, std::int64_t{0}, length - 1));
}

void fill_base_tile(const PsdLayer& layer, std::int64_t x0, std::int64_t y0, std::uint8_t* out) {
    const PsdRect& r = layer.rect;
    const auto width = static_cast<std::size_t>(r.width());
    const bool inside = x0 >= r.left && x0 + kTerrainTileSize <= r.right;
    std::size_t columns[kTileSide];
    for (std::size_t i = 0; i < kTileSide; ++i)
        columns[i] = clamped(x0 + static_cast<std::int64_t>(i), r.left, r.width()) * 3;
    for (std::size_t j = 0; j < kTileSide; ++j, out += kTileSide * 3) {
        const std::uint8_t* row = layer.colour->data() +
                                  clamped(y0 + static_cast<std::int64_t>(j), r.top, r.height()) * width * 3;
        if (inside) {
            std::memcpy(out, row + columns[0], kTileSide * 3);
            continue;
        }
        for (std::size_t i = 0; i < kTileSide; ++i) std::memcpy(out + i * 3, row + columns[i], 3);
    }
}

// Fills a mask tile (0 outside the mask rectangle); true when some value matters.
bool fill_mask_tile(const PsdLayer& layer, std::int64_t x0, std::int64_t y0, std::uint8_t* out) {
    const PsdRect& r = layer.mask_rect;
    const std::int64_t tile = kTerrainTileSize;
    const std::int64_t x_begin = std::max<std::int64_t>(x0, r.left), x_end = std::min(x0 + tile, std::int64_t{r.right});
    const std::int64_t y_begin = std::max<std::int64_t>(y0, r.top), y_end = std::min(y0 + tile, std::int64_t{r.bottom});
    if (x_begin >= x_end || y_begin >= y_end) return false;
    const auto span = static_cast<std::size_t>(x_end - x_begin);
    std::uint8_t seen = 0;
    for (std::int64_t y = y_begin; y < y_end; ++y) {
        const std::uint8_t* source = layer.mask->data() + static_cast<std::size_t>((y - r.top) * r.width() + (x_begin - r.left));
        std::uint8_t* target = out + static_cast<std::size_t>((y - y0) * tile + (x_begin - x0));
        std::memcpy(target, source, span);
        for (std::size_t i = 0; i < span; ++i) seen |= source[i];
    }
    return (seen & kMaskSignificantBits) != 0;
}

bool has_value_other_than_255(const std::optional<std::vector<std::uint8_t>>& pixels) {
    return pixels && std::any_of(pixels->begin(), pixels->end(), [](std::uint8_t v) { return v != 255; });
}

bool is_power_of_two(std::uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

// Layer pixels (1 channel) placed at their rectangle on a zero W × H plane.
void place_plane(const std::vector<std::uint8_t>& source, const PsdRect& rect, std::uint32_t width,
                 std::uint32_t height, std::uint8_t* out, std::size_t stride, std::size_t channel) {
    // Rectangles reaching outside the document are clipped to it.
    const std::int64_t x_begin = std::max<std::int64_t>(rect.left, 0);
    const std::int64_t x_end = std::min<std::int64_t>(rect.right, width);
    const std::int64_t y_begin = std::max<std::int64_t>(rect.top, 0);
    const std::int64_t y_end = std::min<std::int64_t>(rect.bottom, height);
    for (std::int64_t y = y_begin; y < y_end; ++y)
        for (std::int64_t x = x_begin; x < x_end; ++x)
            out[static_cast<std::size_t>(y * width + x) * stride + channel] =
                source[static_cast<std::size_t>((y - rect.top) * rect.width() + (x - rect.left))];
}

// The layer's colour sampled over the document, clamped into its rectangle.
void place_colour(const PsdLayer& layer, std::uint32_t width, std::uint32_t height,
                  std::uint8_t* out, std::size_t stride) {
    const PsdRect& r = layer.rect;
    const auto layer_width = static_cast<std::size_t>(r.width());
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::size_t row = clamped(y, r.top, r.height()) * layer_width;
        for (std::uint32_t x = 0; x < width; ++x, out += stride) {
            const std::uint8_t* p = layer.colour->data() + (row + clamped(x, r.left, r.width())) * 3;
            out[0] = p[0];
            out[1] = p[1];
            out[2] = p[2];
        }
    }
}

// Makes every texture first, so that running out of memory inserts nothing.
struct LayerImport {
    std::uint32_t width, height;
    std::vector<std::unique_ptr<stacked_texture>> made;
    int mask_number = 0;

    void add(std::unique_ptr<stacked_texture> texture) { made.push_back(std::move(texture)); }

    void add_mask(const std::vector<std::uint8_t>& source, const PsdRect& rect) {
        auto texture = new_raw_texture(static_cast<int>(width), static_cast<int>(height), 1,
                                       kLayerSkinModifier, static_cast<std::uint8_t>(mask_number++));
        place_plane(source, rect, width, height, texture->compressed_data.data(), 1, 0);
        add(std::move(texture));
    }

    void add_colour(const PsdLayer& layer, const std::vector<std::uint8_t>* alpha, const PsdRect& alpha_rect) {
        const int channels = alpha ? 4 : 3;
        auto texture = new_raw_texture(static_cast<int>(width), static_cast<int>(height), channels,
                                       kLayerBaseTexture, 0);
        std::uint8_t* out = texture->compressed_data.data();
        place_colour(layer, width, height, out, static_cast<std::size_t>(channels));
        if (alpha) place_plane(*alpha, alpha_rect, width, height, out, 4, 3);
        add(std::move(texture));
    }

    void layer(const PsdLayer& l) {
        const bool colour = l.colour && !l.rect.empty();
        const bool mask = has_value_other_than_255(l.mask);
        const bool transparency = has_value_other_than_255(l.transparency);
        if (colour) {
            if (transparency) {
                add_colour(l, &*l.transparency, l.rect);
                if (mask) add_mask(*l.mask, l.mask_rect);
            } else if (mask) {
                add_colour(l, &*l.mask, l.mask_rect);
            } else {
                add_colour(l, nullptr, l.rect);
            }
        } else if (mask) {
            add_mask(*l.mask, l.mask_rect);
        } else if (transparency) {
            add_mask(*l.transparency, l.rect);
        }
    }
};

} // namespace

TerrainGrid terrain_grid(std::uint32_t width, std::uint32_t height) {
    const auto axis = [](std::uint32_t side, int& tiles, int& origin) {
        tiles = static_cast<int>((std::int64_t{side} + 123) / kTerrainTileStride);
        origin = -1;
        const std::int64_t covered = std::int64_t{kTerrainTileStride} * tiles;
        if (covered < side) origin = static_cast<int>(-1 + (side - covered) / 2);
    };
    TerrainGrid grid;
    axis(width, grid.tiles_x, grid.origin_x);
    axis(height, grid.tiles_y, grid.origin_y);
    return grid;
}

std::unique_ptr<StackSet> import_terrain(const PsdDocument& document, std::string* problem, int quality) {
    if (document.layers.empty() || !document.layers.front().colour || document.layers.front().rect.empty()) {
        set_problem(problem, "the first layer of the document has no colour channels");
        return nullptr;
    }
    const TerrainGrid grid = terrain_grid(document.width, document.height);
    const auto tile_count = static_cast<std::size_t>(grid.tiles_x) * static_cast<std::size_t>(grid.tiles_y);
    if (tile_count > 0xFFFF) {
        set_problem(problem, "the document needs more tiles than a texture stack can hold");
        return nullptr;
    }
    std::vector<const PsdLayer*> mask_layers; // in file order: detail mask k is mask_layers[k]
    for (std::size_t l = 1; l < document.layers.size(); ++l)
        if (document.layers[l].mask) mask_layers.push_back(&document.layers[l]);
    try {
        // Tiles are independent: each is cut and compressed on its own, then the stacks are
        // filled in tile order (base map first, then the detail masks in layer order).
        std::vector<std::vector<std::unique_ptr<stacked_texture>>> tiles(tile_count);
        std::vector<std::string> failures(tile_count);
        for_each_tile(tile_count, [&](std::size_t index) {
            const auto x0 = grid.origin_x + kTerrainTileStride * static_cast<std::int64_t>(index % static_cast<std::size_t>(grid.tiles_x));
            const auto y0 = grid.origin_y + kTerrainTileStride * static_cast<std::int64_t>(index / static_cast<std::size_t>(grid.tiles_x));
            auto& textures = tiles[index];
            auto base = new_raw_texture(kTerrainTileSize, kTerrainTileSize, 3, kLayerBaseTexture, 0);
            fill_base_tile(document.layers.front(), x0, y0, base->compressed_data.data());
            if (!recompress_texture(*base, quality, &failures[index])) return;
            textures.push_back(std::move(base));
            for (std::size_t k = 0; k < mask_layers.size(); ++k) {
                auto mask = new_raw_texture(kTerrainTileSize, kTerrainTileSize, 1, kLayerDetailMask,
                                            static_cast<std::uint8_t>(k));
                if (!fill_mask_tile(*mask_layers[k], x0, y0, mask->compressed_data.data())) continue;
                if (!recompress_texture(*mask, quality, &failures[index])) return;
                textures.push_back(std::move(mask));
            }
        });
        for (const std::string& failure : failures) {
            if (failure.empty()) continue;
            set_problem(problem, failure);
            return nullptr;
        }
        auto set = std::make_unique<StackSet>();
        set->stacks.reserve(tile_count);
        for (std::size_t index = 0; index < tile_count; ++index)
            for (auto& texture : tiles[index]) insert_texture(*set, index, -1, std::move(texture));
        return set;
    } catch (const std::bad_alloc&) {
        set_problem(problem, "out of memory while cutting the document into tiles");
        return nullptr;
    }
}

std::unique_ptr<StackSet> import_terrain_file(const std::string& path, std::string* problem) {
    const auto document = read_psd_file(path, problem);
    if (!document) return nullptr;
    return import_terrain(*document, problem);
}

bool has_psd_extension(const std::string& path) {
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos) return false;
    const std::string extension = path.substr(dot + 1);
    if (extension.size() > 3 || extension.find('/') != std::string::npos) return false;
    return ascii_lower(extension) == "psd";
}

std::size_t import_psd_layers(StackSet& set, std::size_t stack, long position,
                              const PsdDocument& document, std::vector<stacked_texture*>* inserted) {
    if (!is_power_of_two(document.width) || !is_power_of_two(document.height)) return 0;
    LayerImport import{document.width, document.height, {}};
    for (const PsdLayer& layer : document.layers) import.layer(layer);
    for (auto& texture : import.made) {
        if (inserted) inserted->push_back(texture.get());
        position = insert_texture(set, stack, position, std::move(texture)) + 1;
    }
    return import.made.size();
}

std::size_t import_psd_layers_file(StackSet& set, std::size_t stack, long position,
                                   const std::string& path, std::vector<stacked_texture*>* inserted,
                                   std::string* problem) {
    if (!has_psd_extension(path)) {
        set_problem(problem, "only Photoshop files (.psd) are imported");
        return 0;
    }
    const auto document = read_psd_file(path, problem);
    if (!document) return 0;
    if (!is_power_of_two(document->width) || !is_power_of_two(document->height)) {
        set_problem(problem, "the document's sides are not powers of two");
        return 0;
    }
    try {
        return import_psd_layers(set, stack, position, *document, inserted);
    } catch (const std::bad_alloc&) {
        set_problem(problem, "out of memory while importing the layers");
        return 0;
    }
}

} // namespace zephane
