#include "definitions/glli_preview.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zephane {

namespace {

using Vec = std::array<double, 3>;

double dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// Where the light comes from: the opposite of its travel, unit length; zero when it has none.
Vec towards_light(const std::int32_t direction[3]) {
    const Vec d{-direction[0] / 65536.0, -direction[1] / 65536.0, -direction[2] / 65536.0};
    const double length = std::sqrt(dot(d, d));
    if (length == 0) return {0, 0, 0};
    return {d[0] / length, d[1] / length, d[2] / length};
}

// A stored component's high byte as 0..1.
double channel(std::uint16_t component) { return (component >> 8) / 255.0; }

// The world normal at a point (u right, v up, w towards the viewer) of the visible half.
Vec world_normal(LightPreviewView view, double u, double v, double w) {
    switch (view) {
    case LightPreviewView::top: return {u, v, w};
    case LightPreviewView::front: return {u, -w, v};
    case LightPreviewView::side: return {w, u, v};
    case LightPreviewView::back: return {-u, w, v};
    }
    return {u, v, w};
}

} // namespace

std::vector<std::uint8_t> render_light_preview(const global_light_definition& light,
                                               LightPreviewView view, int size) {
    size = std::max(size, 1);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4, 0);
    const Vec key = towards_light(light.key_direction);
    const Vec fill = towards_light(light.fill_direction);
    const double radius = size / 2.0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double u = (x + 0.5 - radius) / radius;
            const double v = (radius - (y + 0.5)) / radius;
            const double r2 = u * u + v * v;
            // A one-pixel soft edge keeps the outline smooth.
            const double edge = std::clamp((1.0 - std::sqrt(r2)) * radius + 0.5, 0.0, 1.0);
            if (edge <= 0) continue;
            const double w = std::sqrt(std::max(0.0, 1.0 - r2));
            const Vec n = world_normal(view, u, v, w);
            const double sky = (1.0 + n[2]) / 2.0;
            const double k = std::max(0.0, dot(n, key));
            const double f = std::max(0.0, dot(n, fill));
            std::uint8_t* out = pixels.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(size) + static_cast<std::size_t>(x)) * 4;
            for (int c = 0; c < 3; ++c) {
                const double value = channel(light.ambient_colour[c]) + channel(light.sky_colour[c]) * sky +
                                     channel(light.key_colour[c]) * k + channel(light.fill_colour[c]) * f;
                out[c] = static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
            }
            out[3] = static_cast<std::uint8_t>(std::lround(edge * 255.0));
        }
    }
    return pixels;
}

} // namespace zephane
