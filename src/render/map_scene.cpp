#include "render/map_scene.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "mesh/edit/brush.h"

namespace zephane {

namespace {

constexpr double kDegrees = std::numbers::pi / 180.0;
constexpr int kMediaIndex = 4;

struct TerrainTypeRow {
    const char* label;
    std::array<std::uint8_t, 3> colour;
};

constexpr TerrainTypeRow kTerrainTypes[kTerrainTypeCount] = {
    {"Dwarf-Depth Media", {0, 0, 255}},  {"Human-Depth Media", {0, 0, 176}},
    {"Giant-Depth Media", {0, 0, 128}},  {"Very Deep Media", {0, 0, 64}},
    {"Sloped", {128, 0, 0}},             {"Steep", {255, 0, 0}},
    {"Grass", {0, 0, 0}},                {"Desert", {255, 255, 0}},
    {"Rocky", {32, 32, 32}},             {"Marsh", {128, 64, 0}},
    {"Snow", {160, 160, 160}},           {"Forest", {32, 112, 32}},
    {"(unused)", {255, 0, 255}},         {"(unused)", {0, 0, 0}},
    {"Walking Impassable", {0, 128, 0}}, {"Flying Impassable", {0, 255, 0}},
};

Vec3 sub(const Vec3& a, const Vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec3 add(const Vec3& a, const Vec3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
Vec3 mul(const Vec3& a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }
double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
Vec3 normalized(const Vec3& a) {
    const double n = std::sqrt(dot(a, a));
    return n > 0 ? mul(a, 1 / n) : a;
}

int tile_width(int columns, int c) { return std::min(kColormapTileCells, columns - c * kColormapTileCells); }

std::uint8_t lit_grey(const Vec3& a, const Vec3& b, const Vec3& c) {
    static const Vec3 light = normalized({0.35, -0.45, 0.82});
    const Vec3 n = normalized(cross(sub(b, a), sub(c, a)));
    const double lambert = std::abs(dot(n, light));
    return static_cast<std::uint8_t>(std::lround(std::clamp(96 + 150 * lambert, 0.0, 255.0)));
}

const TerrainTile& tile_of(const TerrainArrays& arrays, int x, int y) {
    const int c = std::min(x / kColormapTileCells, arrays.tiles_across - 1);
    const int r = y / kColormapTileCells;
    return arrays.tiles[static_cast<std::size_t>(r * arrays.tiles_across + c)];
}

// Vertex of copy `copy` of grid point (i, j) in the tile.
std::size_t point_vertex(const TerrainTile& tile, int i, int j, int copy) {
    const int local = (j - tile.y0) * (tile.width + 1) + (i - tile.x0);
    return tile.base + static_cast<std::size_t>(local) * 2 + static_cast<std::size_t>(copy);
}

void write_point(TerrainArrays& arrays, const Mesh& mesh, const TerrainTile& tile, int i, int j) {
    const float h = grid_height(mesh, arrays.height_index, i, j);
    const auto s = static_cast<float>((1 + 126.0 * (i - tile.x0) / kColormapTileCells) / 128);
    const auto t = static_cast<float>((1 + 126.0 * (j - tile.y0) / kColormapTileCells) / 128);
    for (int copy = 0; copy < 2; ++copy) {
        const std::size_t v = point_vertex(tile, i, j, copy);
        arrays.positions[3 * v] = static_cast<float>(i);
        arrays.positions[3 * v + 1] = static_cast<float>(j);
        arrays.positions[3 * v + 2] = h;
        arrays.texcoords[2 * v] = s;
        arrays.texcoords[2 * v + 1] = t;
    }
}

void write_cell(TerrainArrays& arrays, const Mesh& mesh, const TerrainTile& tile, int x, int y, bool indices) {
    const auto corners = cell_triangle_corners(x, y);
    const mesh_cell& cell = mesh.cell(x, y);
    const bool even = (x + y) % 2 == 0;
    const std::size_t local =
        static_cast<std::size_t>((y - tile.y0) * tile.width + (x - tile.x0)) * 6 + tile.first;
    for (std::size_t half = 0; half < 2; ++half) {
        std::array<Vec3, 3> p{};
        for (std::size_t k = 0; k < 3; ++k) {
            const int i = corners[3 * half + k][0], j = corners[3 * half + k][1];
            p[k] = {static_cast<double>(i), static_cast<double>(j), grid_height(mesh, arrays.height_index, i, j)};
            if (indices)
                arrays.indices[local + 3 * half + k] =
                    static_cast<std::uint32_t>(point_vertex(tile, i, j, k == 2 ? static_cast<int>(half) : 0));
        }
        const int triangle = even ? static_cast<int>(half) : 2 + static_cast<int>(half);
        const auto colour = terrain_type_colour(triangle_terrain_type(cell, triangle));
        const std::uint8_t grey = lit_grey(p[0], p[1], p[2]);
        const std::size_t v = point_vertex(tile, corners[3 * half + 2][0], corners[3 * half + 2][1], static_cast<int>(half));
        for (std::size_t ch = 0; ch < 3; ++ch) {
            arrays.overlay[4 * v + ch] = colour[ch];
            arrays.shade[4 * v + ch] = grey;
            arrays.under[4 * v + ch] = static_cast<std::uint8_t>((grey * (255 - kTerrainOverlayAlpha) + 127) / 255);
            arrays.over[4 * v + ch] = static_cast<std::uint8_t>((colour[ch] * kTerrainOverlayAlpha + 127) / 255);
        }
        arrays.overlay[4 * v + 3] = kTerrainOverlayAlpha;
        arrays.shade[4 * v + 3] = 255;
        arrays.under[4 * v + 3] = 255;
        arrays.over[4 * v + 3] = 0;
    }
}

// Points x0..x1 (+1) and cells x0 − 1..x1 of every tile the rectangle meets.
void write_region(TerrainArrays& arrays, const Mesh& mesh, int x0, int y0, int x1, int y1, bool indices) {
    for (const TerrainTile& tile : arrays.tiles) {
        const int tx1 = tile.x0 + tile.width, ty1 = tile.y0 + tile.height; // last point
        if (x1 + 1 < tile.x0 || y1 + 1 < tile.y0 || x0 - 1 > tx1 || y0 - 1 > ty1) continue;
        for (int j = std::max(y0, tile.y0); j <= std::min(y1 + 1, ty1); ++j)
            for (int i = std::max(x0, tile.x0); i <= std::min(x1 + 1, tx1); ++i) write_point(arrays, mesh, tile, i, j);
        for (int y = std::max(y0 - 1, tile.y0); y <= std::min(y1, ty1 - 1); ++y)
            for (int x = std::max(x0 - 1, tile.x0); x <= std::min(x1, tx1 - 1); ++x)
                write_cell(arrays, mesh, tile, x, y, indices);
    }
}

} // namespace

const char* terrain_type_label(int type) {
    return type >= 0 && type < kTerrainTypeCount ? kTerrainTypes[type].label : "";
}

std::array<std::uint8_t, 3> terrain_type_colour(int type) {
    return type >= 0 && type < kTerrainTypeCount ? kTerrainTypes[type].colour : std::array<std::uint8_t, 3>{};
}

int triangle_terrain_type(const mesh_cell& cell, int triangle) {
    return (triangle == 1 || triangle == 3) ? (cell.flags & 0x0F) : ((cell.flags >> 4) & 0x0F);
}

std::array<std::array<int, 2>, 6> cell_triangle_corners(int x, int y) {
    if ((x + y) % 2 == 0) // diagonal from (x, y) to (x + 1, y + 1): triangle 0 above it, 1 below
        return {{{x, y + 1}, {x + 1, y + 1}, {x, y}, {x + 1, y + 1}, {x + 1, y}, {x, y}}};
    // diagonal from (x + 1, y) to (x, y + 1): triangle 2 at the origin, 3 at the far corner
    return {{{x + 1, y}, {x, y + 1}, {x, y}, {x + 1, y}, {x, y + 1}, {x + 1, y + 1}}};
}

float grid_height(const Mesh& mesh, int index, int i, int j) {
    i = std::clamp(i, 0, mesh.columns - 1);
    j = std::clamp(j, 0, mesh.rows - 1);
    return static_cast<float>(cell_values(mesh.cell(i, j))[static_cast<std::size_t>(index)] / 512.0);
}

float surface_height(const Mesh& mesh, int index, double fx, double fy) {
    const int x = std::clamp(static_cast<int>(std::floor(fx)), 0, mesh.columns - 1);
    const int y = std::clamp(static_cast<int>(std::floor(fy)), 0, mesh.rows - 1);
    const double u = std::clamp(fx - x, 0.0, 1.0), v = std::clamp(fy - y, 0.0, 1.0);
    const double h00 = grid_height(mesh, index, x, y), h10 = grid_height(mesh, index, x + 1, y);
    const double h01 = grid_height(mesh, index, x, y + 1), h11 = grid_height(mesh, index, x + 1, y + 1);
    double h = 0;
    if ((x + y) % 2 == 0)
        h = u < v ? h00 + v * (h01 - h00) + u * (h11 - h01) : h00 + u * (h10 - h00) + v * (h11 - h10);
    else
        h = 1 - u <= v ? h11 + (1 - u) * (h01 - h11) + (1 - v) * (h10 - h11)
                       : h00 + u * (h10 - h00) + v * (h01 - h00);
    return static_cast<float>(h);
}

std::size_t triangle_colour_vertex(const TerrainArrays& arrays, int x, int y, int triangle) {
    const auto corners = cell_triangle_corners(x, y);
    const std::size_t half = triangle % 2 == 0 ? 0 : 1;
    return point_vertex(tile_of(arrays, x, y), corners[3 * half + 2][0], corners[3 * half + 2][1],
                        static_cast<int>(half));
}

TerrainArrays build_terrain_arrays(const Mesh& mesh, int height_index) {
    TerrainArrays arrays;
    arrays.columns = mesh.columns;
    arrays.rows = mesh.rows;
    arrays.height_index = height_index;
    arrays.tiles_across = (mesh.columns + kColormapTileCells - 1) / kColormapTileCells;
    const int tiles_down = (mesh.rows + kColormapTileCells - 1) / kColormapTileCells;
    std::size_t first = 0, base = 0;
    for (int r = 0; r < tiles_down; ++r) {
        for (int c = 0; c < arrays.tiles_across; ++c) {
            TerrainTile tile;
            tile.x0 = c * kColormapTileCells;
            tile.y0 = r * kColormapTileCells;
            tile.width = tile_width(mesh.columns, c);
            tile.height = tile_width(mesh.rows, r);
            tile.first = first;
            tile.count = static_cast<std::size_t>(tile.width * tile.height) * 6;
            tile.stack = static_cast<std::size_t>(r * arrays.tiles_across + c);
            tile.base = base;
            arrays.tiles.push_back(tile);
            first += tile.count;
            base += static_cast<std::size_t>((tile.width + 1) * (tile.height + 1)) * 2;
        }
    }
    arrays.positions.resize(base * 3);
    arrays.texcoords.resize(base * 2);
    arrays.shade.resize(base * 4);
    arrays.overlay.resize(base * 4);
    arrays.under.resize(base * 4);
    arrays.over.resize(base * 4);
    arrays.indices.resize(first);
    write_region(arrays, mesh, 0, 0, mesh.columns, mesh.rows, true);
    // The coarse levels depend on the layout only.
    for (TerrainTile& tile : arrays.tiles) {
        for (std::size_t level = 0; level < kTerrainLevels; ++level) {
            const int step = 2 << level;
            tile.coarse_first[level] = arrays.coarse_indices.size();
            for (int y = tile.y0; y + step <= tile.y0 + tile.height; y += step)
                for (int x = tile.x0; x + step <= tile.x0 + tile.width; x += step) {
                    const auto v = [&](int i, int j, int copy) {
                        return static_cast<std::uint32_t>(point_vertex(tile, i, j, copy));
                    };
                    for (const std::uint32_t index : {v(x, y + step, 0), v(x + step, y + step, 0), v(x, y, 0),
                                                      v(x + step, y + step, 0), v(x + step, y, 0), v(x, y, 1)})
                        arrays.coarse_indices.push_back(index);
                }
            tile.coarse_count[level] = arrays.coarse_indices.size() - tile.coarse_first[level];
        }
    }
    return arrays;
}

int terrain_level_for_pixels(double pixels) {
    // A cell wider than 6 pixels is drawn whole; below 2.5 pixels a quad of 4 × 4 cells is.
    const double per_cell = pixels / kColormapTileCells;
    return per_cell >= 6 ? 0 : per_cell >= 2.5 ? 1 : 2;
}

void update_terrain_arrays(TerrainArrays& arrays, const Mesh& mesh, int x0, int y0, int x1, int y1) {
    write_region(arrays, mesh, std::max(0, std::min(x0, x1)), std::max(0, std::min(y0, y1)),
                 std::min(mesh.columns, std::max(x0, x1)), std::min(mesh.rows, std::max(y0, y1)), false);
}

std::vector<float> build_grid_lines(const Mesh& mesh, int height_index, float lift) {
    std::vector<float> lines;
    const auto point = [&](int i, int j) {
        lines.push_back(static_cast<float>(i));
        lines.push_back(static_cast<float>(j));
        lines.push_back(grid_height(mesh, height_index, i, j) + lift);
    };
    const auto segment = [&](int i0, int j0, int i1, int j1) {
        point(i0, j0);
        point(i1, j1);
    };
    const bool media = height_index == 4;
    for (int y = 0; y < mesh.rows; ++y) {
        for (int x = 0; x < mesh.columns; ++x) {
            if (media) {
                if ((mesh.cell(x, y).flags & kWaterFlags) != kWaterFlags) continue;
                segment(x, y, x + 1, y);
                segment(x, y, x, y + 1);
                segment(x + 1, y, x + 1, y + 1);
                segment(x, y + 1, x + 1, y + 1);
            } else {
                if (x + 1 < mesh.columns) segment(x, y, x + 1, y);
                if (y + 1 < mesh.rows) segment(x, y, x, y + 1);
                if (x + 1 >= mesh.columns || y + 1 >= mesh.rows) continue;
            }
            if ((x + y) % 2 == 0)
                segment(x, y, x + 1, y + 1);
            else
                segment(x + 1, y, x, y + 1);
        }
    }
    return lines;
}

std::vector<float> build_water_triangles(const Mesh& mesh) {
    std::vector<float> triangles;
    for (int y = 0; y < mesh.rows; ++y)
        for (int x = 0; x < mesh.columns; ++x) {
            if ((mesh.cell(x, y).flags & kWaterFlags) != kWaterFlags) continue;
            for (const auto& corner : cell_triangle_corners(x, y)) {
                triangles.push_back(static_cast<float>(corner[0]));
                triangles.push_back(static_cast<float>(corner[1]));
                triangles.push_back(grid_height(mesh, kMediaIndex, corner[0], corner[1]));
            }
        }
    return triangles;
}

// ---- Matrices -------------------------------------------------------------------------------

Mat4 identity_matrix() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

Mat4 multiply(const Mat4& a, const Mat4& b) {
    Mat4 m{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            double s = 0;
            for (int k = 0; k < 4; ++k)
                s += a[static_cast<std::size_t>(k * 4 + row)] * b[static_cast<std::size_t>(col * 4 + k)];
            m[static_cast<std::size_t>(col * 4 + row)] = s;
        }
    return m;
}

Mat4 translation_matrix(double x, double y, double z) {
    Mat4 m = identity_matrix();
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return m;
}

Mat4 scale_matrix(double s) {
    Mat4 m = identity_matrix();
    m[0] = m[5] = m[10] = s;
    return m;
}

// As glRotated: counter-clockwise about the (normalised) axis.
Mat4 rotation_matrix(double degrees, double x, double y, double z) {
    const Vec3 a = normalized({x, y, z});
    const double c = std::cos(degrees * kDegrees), s = std::sin(degrees * kDegrees), t = 1 - c;
    return {t * a[0] * a[0] + c,        t * a[0] * a[1] + s * a[2], t * a[0] * a[2] - s * a[1], 0,
            t * a[0] * a[1] - s * a[2], t * a[1] * a[1] + c,        t * a[1] * a[2] + s * a[0], 0,
            t * a[0] * a[2] + s * a[1], t * a[1] * a[2] - s * a[0], t * a[2] * a[2] + c,        0,
            0,                          0,                          0,                          1};
}

Vec3 transform_point(const Mat4& m, const Vec3& p) {
    const double w = m[3] * p[0] + m[7] * p[1] + m[11] * p[2] + m[15];
    Vec3 out{};
    for (std::size_t r = 0; r < 3; ++r) out[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
    return w != 0 && w != 1 ? mul(out, 1 / w) : out;
}

// ---- Camera --------------------------------------------------------------------------------

MapCamera initial_camera(const Mesh& mesh) {
    MapCamera camera;
    const double x = mesh.columns / 2, y = mesh.rows / 2;
    camera.target = {x, y, mesh.inside(static_cast<int>(x), static_cast<int>(y))
                               ? grid_height(mesh, 5, static_cast<int>(x), static_cast<int>(y))
                               : 0.0};
    return camera;
}

namespace {

struct Basis {
    Vec3 eye, forward, right, up;
};

Basis camera_basis(const MapCamera& camera) {
    const double el = camera.elevation * kDegrees, az = camera.azimuth * kDegrees;
    // The azimuth is the compass direction the camera looks along (90: along +y).
    const Vec3 forward = {std::cos(el) * std::cos(az), std::cos(el) * std::sin(az), -std::sin(el)};
    Basis b;
    b.forward = forward;
    b.eye = sub(camera.target, mul(forward, camera.distance));
    b.right = normalized(cross(forward, {0, 0, 1}));
    b.up = cross(b.right, forward);
    return b;
}

} // namespace

Vec3 camera_eye(const MapCamera& camera) { return camera_basis(camera).eye; }

Mat4 view_matrix(const MapCamera& camera) {
    const Basis b = camera_basis(camera);
    Mat4 m = identity_matrix();
    for (std::size_t k = 0; k < 3; ++k) {
        m[4 * k] = b.right[k];
        m[4 * k + 1] = b.up[k];
        m[4 * k + 2] = -b.forward[k];
    }
    m[12] = -dot(b.right, b.eye);
    m[13] = -dot(b.up, b.eye);
    m[14] = dot(b.forward, b.eye);
    return m;
}

Mat4 projection_matrix(const MapCamera& camera, int width, int height) {
    const double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    const double f = 1 / std::tan(camera.field_of_view * kDegrees / 2);
    const double near_plane = camera.distance / 50, far_plane = camera.distance * 50 + 1500;
    Mat4 m{};
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (far_plane + near_plane) / (near_plane - far_plane);
    m[11] = -1;
    m[14] = 2 * far_plane * near_plane / (near_plane - far_plane);
    return m;
}

Ray camera_ray(const MapCamera& camera, int width, int height, double px, double py) {
    const Basis b = camera_basis(camera);
    const double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    const double t = std::tan(camera.field_of_view * kDegrees / 2);
    const double nx = width > 0 ? 2 * px / width - 1 : 0, ny = height > 0 ? 1 - 2 * py / height : 0;
    const Vec3 direction = normalized(add(add(mul(b.right, nx * t * aspect), mul(b.up, ny * t)), b.forward));
    return {b.eye, direction};
}

void orbit_camera(MapCamera& camera, double dx, double dy) {
    camera.azimuth = std::fmod(camera.azimuth - dx * 0.4 + 360.0, 360.0);
    camera.elevation = std::clamp(camera.elevation + dy * 0.3, 2.0, 89.0);
}

void pan_camera(MapCamera& camera, int height, double dx, double dy) {
    const Basis b = camera_basis(camera);
    const double per_pixel =
        height > 0 ? 2 * camera.distance * std::tan(camera.field_of_view * kDegrees / 2) / height : 0;
    camera.target = add(camera.target, add(mul(b.right, -dx * per_pixel), mul(b.up, dy * per_pixel)));
}

void zoom_camera(MapCamera& camera, double factor, const std::optional<Vec3>& toward) {
    const double distance = std::clamp(camera.distance * factor, 1.0, 5000.0);
    factor = distance / camera.distance;
    // Scaling the camera about the point keeps the point where it shows on the screen.
    if (toward) camera.target = add(*toward, mul(sub(camera.target, *toward), factor));
    camera.distance = distance;
}

void frame_box(MapCamera& camera, const Vec3& low, const Vec3& high) {
    camera.target = mul(add(low, high), 0.5);
    const double radius = std::max(2.0, std::sqrt(dot(sub(high, low), sub(high, low))) / 2);
    camera.distance = std::clamp(radius / std::sin(camera.field_of_view * kDegrees / 2) * 1.1, 1.0, 5000.0);
}

// ---- Picking -----------------------------------------------------------------------------------

std::optional<GridHit> pick_grid(const Mesh& mesh, int index, const Ray& ray) {
    if (mesh.columns <= 0 || mesh.rows <= 0) return std::nullopt;
    double low = 1e30, high = -1e30;
    for (const mesh_cell& cell : mesh.cells) {
        const double h = cell_values(cell)[static_cast<std::size_t>(index)] / 512.0;
        low = std::min(low, h);
        high = std::max(high, h);
    }
    // The part of the ray inside the grid's box.
    double t0 = 0, t1 = 1e9;
    const Vec3 lo = {0, 0, low - 1e-3}, hi = {static_cast<double>(mesh.columns), static_cast<double>(mesh.rows),
                                              high + 1e-3};
    for (std::size_t a = 0; a < 3; ++a) {
        if (std::abs(ray.direction[a]) < 1e-12) {
            if (ray.origin[a] < lo[a] || ray.origin[a] > hi[a]) return std::nullopt;
            continue;
        }
        double ta = (lo[a] - ray.origin[a]) / ray.direction[a], tb = (hi[a] - ray.origin[a]) / ray.direction[a];
        if (ta > tb) std::swap(ta, tb);
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
    }
    if (t0 > t1) return std::nullopt;
    const auto above = [&](double t) {
        const Vec3 p = add(ray.origin, mul(ray.direction, t));
        return p[2] - surface_height(mesh, index, p[0], p[1]);
    };
    constexpr double kStep = 0.2;
    double previous = t0;
    if (above(previous) < 0) return std::nullopt; // starts under the ground
    for (double t = t0 + kStep;; t += kStep) {
        const double at = std::min(t, t1);
        if (above(at) <= 0) {
            double a = previous, b = at;
            for (int k = 0; k < 40; ++k) {
                const double m = (a + b) / 2;
                (above(m) > 0 ? a : b) = m;
            }
            const Vec3 p = add(ray.origin, mul(ray.direction, b));
            return GridHit{p[0], p[1], surface_height(mesh, index, p[0], p[1])};
        }
        if (at >= t1) return std::nullopt;
        previous = at;
    }
}

double vertical_line_height(const Ray& ray, const Vec3& p) {
    // Closest points of the line p + s·z and the ray o + t·d.
    const Vec3 w = sub(p, ray.origin);
    const double b = ray.direction[2]; // z · d
    const double denominator = 1 - b * b;
    if (denominator < 1e-9) return 0; // looking straight down the line
    const double d = dot(ray.direction, w), e = w[2];
    return (b * d - e) / denominator;
}

std::optional<Vec3> ray_plane_hit(const Ray& ray, double height) {
    if (std::abs(ray.direction[2]) < 1e-12) return std::nullopt;
    const double t = (height - ray.origin[2]) / ray.direction[2];
    if (t <= 0) return std::nullopt;
    return add(ray.origin, mul(ray.direction, t));
}

// ---- Markers ----------------------------------------------------------------------------------------

Vec3 marker_position(const mesh_marker& marker) {
    return {marker.position[0] / 512.0, marker.position[1] / 512.0, marker.position[2] / 512.0};
}

Mat4 marker_matrix(const mesh_marker& marker, double scale) {
    const Vec3 p = marker_position(marker);
    Mat4 m = translation_matrix(p[0], p[1], p[2]);
    m = multiply(m, scale_matrix(scale));
    m = multiply(m, rotation_matrix(marker.yaw * 360.0 / 65536 + 90, 0, 0, 1));
    m = multiply(m, rotation_matrix(-marker.pitch * 360.0 / 65536, 1, 0, 0));
    m = multiply(m, rotation_matrix(-marker.roll * 360.0 / 65536, 0, 1, 0));
    return m;
}

void append_marker_box_lines(std::vector<float>& out, const mesh_marker& marker, const MarkerBox& box,
                             double scale) {
    const Mat4 m = marker_matrix(marker, scale);
    std::array<Vec3, 8> corners{};
    for (std::size_t k = 0; k < 8; ++k)
        corners[k] = transform_point(m, {(k & 1) ? box.high[0] : box.low[0], (k & 2) ? box.high[1] : box.low[1],
                                         (k & 4) ? box.high[2] : box.low[2]});
    constexpr int kEdges[12][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3},
                                   {4, 6}, {5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
    for (const auto& edge : kEdges)
        for (const int end : edge)
            for (const double v : corners[static_cast<std::size_t>(end)]) out.push_back(static_cast<float>(v));
}

void append_marker_cross_lines(std::vector<float>& out, const mesh_marker& marker, double size) {
    const Vec3 p = marker_position(marker);
    const auto put = [&](double dx, double dy, double dz) {
        out.push_back(static_cast<float>(p[0] + dx));
        out.push_back(static_cast<float>(p[1] + dy));
        out.push_back(static_cast<float>(p[2] + dz));
    };
    put(-size, 0, 0);
    put(size, 0, 0);
    put(0, -size, 0);
    put(0, size, 0);
    put(0, 0, 0);
    put(0, 0, 2 * size);
}

std::optional<std::size_t> pick_marker(const Mesh& mesh, const Ray& ray, double radius) {
    std::optional<std::size_t> best;
    double best_t = 1e30;
    for (std::size_t k = 0; k < mesh.markers.size(); ++k) {
        const Vec3 p = marker_position(mesh.markers[k]);
        const Vec3 w = sub(p, ray.origin);
        const double t = dot(w, ray.direction);
        if (t <= 0) continue;
        const Vec3 off = sub(w, mul(ray.direction, t));
        if (dot(off, off) <= radius * radius && t < best_t) {
            best_t = t;
            best = k;
        }
    }
    return best;
}

std::vector<std::size_t> markers_in_rect(const Mesh& mesh, double x0, double y0, double x1, double y1) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    std::vector<std::size_t> inside;
    for (std::size_t k = 0; k < mesh.markers.size(); ++k) {
        const Vec3 p = marker_position(mesh.markers[k]);
        if (p[0] >= x0 && p[0] <= x1 && p[1] >= y0 && p[1] <= y1) inside.push_back(k);
    }
    return inside;
}

// ---- Status line ---------------------------------------------------------------------------------------

std::string status_text(double x, double y, double z) {
    char text[128];
    std::snprintf(text, sizeof text, "x: %.3f    y: %.3f    z: %.3f", x, y, z);
    return text;
}

std::string marker_status_text(double x, double y, double z, double elevation, double yaw, double pitch,
                               double roll) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "x: %.3f    y: %.3f    z: %.3f    elev: %.3f       yaw: %.1f    pitch: %.1f    roll %.1f", x, y,
                  z, elevation, yaw, pitch, roll);
    return text;
}

std::string marker_status_text(const Mesh& mesh, const mesh_marker& marker) {
    const Vec3 p = marker_position(marker);
    const double ground = mesh.columns > 0 && mesh.rows > 0 ? surface_height(mesh, 0, p[0], p[1]) : 0.0;
    return marker_status_text(p[0], p[1], p[2], p[2] - ground, marker.yaw * 360.0 / 65536,
                              marker.pitch * 360.0 / 65536, marker.roll * 360.0 / 65536);
}

} // namespace zephane
