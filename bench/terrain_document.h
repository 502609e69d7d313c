#pragma once
// The 4032 × 4032 terrain document of the texture benchmarks: a colour layer with broad
// shapes and fine grain, and four soft round detail masks.

#include <string>

namespace zephane {

inline constexpr int kTerrainDocumentSide = 4032;
inline constexpr int kTerrainDocumentMasks = 4;

// Writes the document to path unless a file is there already.
void make_terrain_document(const std::string& path);

} // namespace zephane
