#include "mesh/edit/brush.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace zephane {

std::array<std::uint16_t, 6> cell_values(const mesh_cell& cell) {
    std::array<std::uint16_t, 6> values{};
    std::memcpy(values.data(), &cell, sizeof cell);
    return values;
}

void set_cell_value(mesh_cell& cell, int index, std::uint16_t value) {
    std::memcpy(reinterpret_cast<std::uint8_t*>(&cell) + 2 * index, &value, sizeof value);
}

double brush_width(int slider) { return kBrushWidthScale * std::pow(10.0, slider / 1000.0); }

double brush_weight(double d, double width, double round, double soft) {
    if (d >= width)
        return 0;
    const double t = d / width;
    const double a = (0.95 * soft + 0.005) * std::numbers::pi;
    const double q = (1 - std::cos(a * t)) / (1 - std::cos(a));
    const double l = 1 - soft * t;
    return l + round * ((1 - q) - l);
}

Press press_brush(const Mesh& mesh, double px, double py, double width, double round, double soft) {
    Press press;
    press.width = width;
    const int x0 = std::max(0, static_cast<int>(std::lround(px - width)));
    const int x1 = std::min(mesh.columns - 1, static_cast<int>(std::lround(px + width)));
    const int y0 = std::max(0, static_cast<int>(std::lround(py - width)));
    const int y1 = std::min(mesh.rows - 1, static_cast<int>(std::lround(py + width)));
    double sum = 0;
    std::array<double, 6> weighted{};
    for (int j = y0; j <= y1; ++j) {
        for (int i = x0; i <= x1; ++i) {
            const double d2 = (i - px) * (i - px) + (j - py) * (j - py);
            if (d2 >= width * width)
                continue;
            PressPoint point{i, j, brush_weight(std::sqrt(d2), width, round, soft), cell_values(mesh.cell(i, j))};
            sum += point.weight;
            for (int v = 0; v < 6; ++v)
                weighted[static_cast<std::size_t>(v)] += point.weight * point.start[static_cast<std::size_t>(v)];
            press.points.push_back(point);
        }
    }
    if (sum == 0) {
        press.points.clear();
        return press;
    }
    for (std::size_t v = 0; v < 6; ++v)
        press.average[v] = static_cast<std::int32_t>(std::trunc(weighted[v] / sum));
    return press;
}

namespace {

std::uint16_t clamp_value(double value) { return static_cast<std::uint16_t>(std::clamp(value, 0.0, 65535.0)); }

struct EnabledValues {
    std::array<std::size_t, 6> index{};
    int count = 0;
};

EnabledValues enabled_values(const ModifyFlags& modify) {
    EnabledValues enabled;
    for (std::size_t v = 0; v < 6; ++v)
        if (modify[v]) enabled.index[static_cast<std::size_t>(enabled.count++)] = v;
    return enabled;
}

template <typename Step>
void apply(Mesh& mesh, const Press& press, const ModifyFlags& modify, Step step) {
    for (const auto& point : press.points) {
        mesh_cell& cell = mesh.cell(point.x, point.y);
        for (std::size_t v = 0; v < 6; ++v)
            if (modify[v])
                set_cell_value(cell, static_cast<int>(v), clamp_value(step(point, v)));
    }
}

} // namespace

void pull_grid(Mesh& mesh, const Press& press, double h, const ModifyFlags& modify) {
    // The lift is the same for every value of a point: computed once, then added in integers
    // (clamping the lift to ±65536 keeps the clamped sum what the double sum would give).
    const EnabledValues enabled = enabled_values(modify);
    for (const auto& point : press.points) {
        // The conversion truncates toward zero, as the lift is defined.
        const auto delta = static_cast<std::int32_t>(std::clamp(h * point.weight * 512, -65536.0, 65536.0));
        mesh_cell& cell = mesh.cell(point.x, point.y);
        for (int k = 0; k < enabled.count; ++k) {
            const std::size_t v = enabled.index[static_cast<std::size_t>(k)];
            set_cell_value(cell, static_cast<int>(v),
                           static_cast<std::uint16_t>(std::clamp(point.start[v] + delta, 0, 65535)));
        }
    }
}

void smooth_grid(Mesh& mesh, const Press& press, double h, const ModifyFlags& modify) {
    apply(mesh, press, modify, [&](const PressPoint& p, std::size_t v) {
        const double g = std::min(1.0, h / (1.5 * press.width) * p.weight);
        return std::trunc(p.start[v] + (press.average[v] - p.start[v]) * g);
    });
}

} // namespace zephane
