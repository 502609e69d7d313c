#pragma once
// The global light editor's preview pictures: a sphere lit by the record's lights, seen from
// above, the front, the side and the back. The ambient colour lights every point, the sky
// colour the points facing up (fading to nothing facing down), and the key and fill lights
// each point by how squarely it faces them. Directions are the way the light travels (a
// light from straight above points down, -Z); world X is east, Y north, Z up.

#include <cstdint>
#include <vector>

#include "definitions/glli.h"

namespace zephane {

enum class LightPreviewView { top, front, side, back };

// size × size RGBA pixels, rows top to bottom; outside the sphere the pixels are transparent.
std::vector<std::uint8_t> render_light_preview(const global_light_definition& light,
                                               LightPreviewView view, int size);

} // namespace zephane
