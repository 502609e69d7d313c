// The global light editor's preview pictures: which side of the sphere each light reaches.

#include <gtest/gtest.h>

#include "definitions/glli_preview.h"

namespace zephane {
namespace {

struct Pixel {
    int r, g, b, a;
};

Pixel at(const std::vector<std::uint8_t>& pixels, int size, int x, int y) {
    const std::size_t k = (static_cast<std::size_t>(y) * static_cast<std::size_t>(size) + static_cast<std::size_t>(x)) * 4;
    return {pixels[k], pixels[k + 1], pixels[k + 2], pixels[k + 3]};
}

global_light_definition dark() {
    global_light_definition light{};
    return light;
}

TEST(LightPreview, KeyLightFromAboveLightsTheTopAndNotTheBottom) {
    global_light_definition light = dark();
    light.key_colour[0] = 255 * 257; // red key light travelling down
    light.key_direction[2] = -65536;
    const int size = 64;
    const auto top = render_light_preview(light, LightPreviewView::top, size);
    EXPECT_EQ(at(top, size, 32, 32).r, 255); // the sphere's top faces the light squarely
    EXPECT_EQ(at(top, size, 32, 32).g, 0);
    EXPECT_EQ(at(top, size, 0, 0).a, 0) << "outside the sphere";
    const auto front = render_light_preview(light, LightPreviewView::front, size);
    EXPECT_GT(at(front, size, 32, 4).r, 200) << "the top edge seen from the front";
    EXPECT_EQ(at(front, size, 32, 60).r, 0) << "the underside stays dark";
    // Seen from the side and the back, the light still comes from above.
    const auto side = render_light_preview(light, LightPreviewView::side, size);
    EXPECT_GT(at(side, size, 32, 4).r, at(side, size, 32, 60).r);
}

TEST(LightPreview, AmbientEverywhereSkyFromAboveFillFromItsSide) {
    global_light_definition light = dark();
    light.ambient_colour[2] = 64 * 257;
    light.sky_colour[1] = 200 * 257;
    light.fill_colour[0] = 255 * 257;
    light.fill_direction[0] = -65536; // travelling west: comes from the east (+X)
    const int size = 32;
    const auto front = render_light_preview(light, LightPreviewView::front, size);
    const Pixel bottom = at(front, size, 16, 31);
    EXPECT_NEAR(bottom.b, 64, 1) << "ambient reaches even the underside";
    EXPECT_LT(bottom.g, 40);
    EXPECT_GT(at(front, size, 16, 1).g, 180) << "sky light on the top";
    EXPECT_GT(at(front, size, 30, 16).r, 200) << "the east side faces the fill light";
    EXPECT_EQ(at(front, size, 1, 16).r, 0);
    // From the back, east is on the left.
    const auto back = render_light_preview(light, LightPreviewView::back, size);
    EXPECT_GT(at(back, size, 1, 16).r, 200);
    // A light without a direction adds nothing.
    light.fill_direction[0] = 0;
    EXPECT_EQ(at(render_light_preview(light, LightPreviewView::front, size), size, 30, 16).r, 0);
}

} // namespace
} // namespace zephane
