#pragma once
// Turning Photoshop documents into textures: the terrain import cuts the document into
// overlapping 128 × 128 tiles (one stack per tile: base colour map and numbered detail
// masks); the layer import inserts one full-size texture per layer into an existing set.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "textures/psd_document.h"
#include "textures/texture_stack.h"

namespace zephane {

inline constexpr int kTerrainTileSize = 128;
inline constexpr int kTerrainTileStride = 126;
inline constexpr int kTerrainQuality = 85;

struct TerrainGrid {
    int tiles_x = 0, tiles_y = 0;
    int origin_x = -1, origin_y = -1; // document position of tile (0, 0)
};
TerrainGrid terrain_grid(std::uint32_t width, std::uint32_t height);

// A new set with one stack per tile (index row · tiles_x + column); none, with the reason,
// when the first layer has no colour. Tiles are recompressed at the given quality.
std::unique_ptr<StackSet> import_terrain(const PsdDocument& document, std::string* problem = nullptr,
                                         int quality = kTerrainQuality);
std::unique_ptr<StackSet> import_terrain_file(const std::string& path, std::string* problem = nullptr);

// True for a name whose extension (after the last dot, at most three characters) is "psd"
// in any letter case.
bool has_psd_extension(const std::string& path);

// Inserts the document's layers as raw W × H textures at (stack, position), one after
// another; inserted receives them in order. Documents whose sides are not powers of two
// import nothing. Returns the number of textures inserted.
std::size_t import_psd_layers(StackSet& set, std::size_t stack, long position,
                              const PsdDocument& document,
                              std::vector<stacked_texture*>* inserted = nullptr);
// The same from a file; only names with the "psd" extension are taken.
std::size_t import_psd_layers_file(StackSet& set, std::size_t stack, long position,
                                   const std::string& path,
                                   std::vector<stacked_texture*>* inserted = nullptr,
                                   std::string* problem = nullptr);

} // namespace zephane
