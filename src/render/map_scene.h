#pragma once
// The GL-free half of the map editor's view: the terrain's vertex arrays (built once per
// change, rebuilt per rectangle of cells), the grid lines, the terrain-type colours, the
// camera with its rays, picking of grid points and markers, the marker drawing transform and
// the status line texts. World space: one world unit per cell, x along the columns, y along
// the rows, z up; heights and marker positions in 1/512 of a world unit.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mesh/mesh.h"

namespace zephane {

// ---- Terrain types ---------------------------------------------------------------------
inline constexpr int kTerrainTypeCount = 16;
inline constexpr std::uint8_t kTerrainOverlayAlpha = 128;
// The side panel's label of a terrain type.
const char* terrain_type_label(int type);
// The swatch colour (red, green, blue) of a terrain type.
std::array<std::uint8_t, 3> terrain_type_colour(int type);
// The terrain type of one of a cell's triangles (0..3): bits 0-3 for 1 and 3, 4-7 for 0 and 2.
int triangle_terrain_type(const mesh_cell& cell, int triangle);

// ---- Terrain arrays ----------------------------------------------------------------------
// Cells are drawn in tiles of 16 × 16 (one colormap texture each): the landscape stack's
// tile (c, r) is stack r × tiles-across + c, and its texels 1..127 span the tile's cells.
inline constexpr int kColormapTileCells = 16;
// Coarser levels a tile can be drawn at when it covers few pixels (quads of 2 and 4 cells).
inline constexpr std::size_t kTerrainLevels = 2;

struct TerrainTile {
    std::size_t first = 0;  // first index
    std::size_t count = 0;  // indices (3 per triangle)
    std::size_t stack = 0;  // landscape stack index
    std::size_t base = 0;   // first vertex
    int x0 = 0, y0 = 0;     // first cell
    int width = 0, height = 0; // cells
    // The coarser levels (quads of 2 × 2 and 4 × 4 cells): ranges of coarse_indices.
    std::array<std::size_t, kTerrainLevels> coarse_first{}, coarse_count{};
};

// Drawn indexed with flat shading: every grid point of a tile has two vertices (same
// position and colormap coordinates); each triangle's last index is the copy that carries
// its colours. A cell's first triangle (0 or 2) ends on copy 0 of the cell's own point; its
// second ends on copy 1 of the own point (triangle 1, even cells) or of the point (x + 1,
// y + 1) (triangle 3, odd cells), so no copy serves two triangles. The cell's far corners
// beyond the last row or column repeat the edge heights, so the terrain covers columns ×
// rows world units.
struct TerrainArrays {
    int columns = 0, rows = 0, tiles_across = 0;
    int height_index = 5;                 // which cell value gives the height
    std::vector<float> positions;         // 3 per vertex
    std::vector<float> texcoords;         // 2 per vertex, within the vertex's tile
    std::vector<std::uint8_t> shade;      // 4 per vertex: lit grey, opaque
    std::vector<std::uint8_t> overlay;    // 4 per vertex: terrain type colour, alpha 128
    // The overlay blended in one pass: the shade times (1 − alpha) as the primary colour and
    // the overlay colour times alpha as the secondary one (their sum is the blend).
    std::vector<std::uint8_t> under;      // 4 per vertex
    std::vector<std::uint8_t> over;       // 4 per vertex (the fourth byte unused)
    std::vector<std::uint32_t> indices;   // 6 per cell, tile after tile
    // Coarse quads (x, y)-(x + k, y + k) split along (x, y)-(x + k, y + k), both triangles
    // ending on the copies of (x, y), so they take the colours of cell (x, y)'s triangles.
    std::vector<std::uint32_t> coarse_indices;
    std::vector<TerrainTile> tiles;
    std::size_t vertex_count() const { return positions.size() / 3; }
    std::size_t triangle_count() const { return indices.size() / 3; }
};

TerrainArrays build_terrain_arrays(const Mesh& mesh, int height_index);
// The level (0 full, 1 and 2 coarser) a tile is drawn at, from how many pixels it spans.
int terrain_level_for_pixels(double pixels);

// Rebuilds what the cells x0..x1, y0..y1 (inclusive, clipped) changed: their points and the
// triangles of every cell that has one of them as a corner.
void update_terrain_arrays(TerrainArrays& arrays, const Mesh& mesh, int x0, int y0, int x1, int y1);
// The vertex that carries the colours of a cell's triangle (0..3).
std::size_t triangle_colour_vertex(const TerrainArrays& arrays, int x, int y, int triangle);
// The cell's triangle corners as grid points in drawing order (triangle 0/2 first), each
// triangle ending on the corner whose copy carries its colours.
std::array<std::array<int, 2>, 6> cell_triangle_corners(int x, int y);

// The lines of a grid: every cell edge and the cells' diagonals, lifted by `lift` world
// units. `height_index` picks the cell value; the media grid (index 4) draws only the cells
// that carry water.
std::vector<float> build_grid_lines(const Mesh& mesh, int height_index, float lift);

// The water surface: two triangles (3 floats per vertex) at the media heights of the corner
// points of every cell that carries water.
std::vector<float> build_water_triangles(const Mesh& mesh);

// Height (world units) of cell value `index` at grid point (i, j), clamped into the grid.
float grid_height(const Mesh& mesh, int index, int i, int j);
// Height of the triangulated surface at (fx, fy).
float surface_height(const Mesh& mesh, int index, double fx, double fy);

// ---- Camera --------------------------------------------------------------------------------
using Mat4 = std::array<double, 16>; // column-major, as GL takes it
using Vec3 = std::array<double, 3>;

Mat4 identity_matrix();
Mat4 multiply(const Mat4& a, const Mat4& b);
Mat4 translation_matrix(double x, double y, double z);
Mat4 scale_matrix(double s);
Mat4 rotation_matrix(double degrees, double x, double y, double z);
Vec3 transform_point(const Mat4& m, const Vec3& p);

// An orbit camera around a target point: elevation above the ground plane and azimuth
// around z in degrees, distance in world units. A new editor starts at the grid's centre
// with elevation 30, azimuth 90 and distance 60.
struct MapCamera {
    Vec3 target{};
    double elevation = 30;
    double azimuth = 90;
    double distance = 60;
    double field_of_view = 45; // vertical, degrees
};
MapCamera initial_camera(const Mesh& mesh);
Vec3 camera_eye(const MapCamera& camera);
Mat4 view_matrix(const MapCamera& camera);
Mat4 projection_matrix(const MapCamera& camera, int width, int height);

struct Ray {
    Vec3 origin{};
    Vec3 direction{}; // unit length
};
// The ray through pixel (px, py) of a width × height view (y down, as mouse events give it).
Ray camera_ray(const MapCamera& camera, int width, int height, double px, double py);

// Navigation: orbit by pixel deltas, pan the target in the view plane, zoom toward the
// point under the cursor (factor below 1 comes closer), frame a box.
void orbit_camera(MapCamera& camera, double dx, double dy);
void pan_camera(MapCamera& camera, int height, double dx, double dy);
void zoom_camera(MapCamera& camera, double factor, const std::optional<Vec3>& toward);
void frame_box(MapCamera& camera, const Vec3& low, const Vec3& high);

// ---- Picking ---------------------------------------------------------------------------------
struct GridHit {
    double x = 0, y = 0; // cell units
    double z = 0;        // world units
};
// Where the ray first meets the surface of cell value `index`; none when it misses the grid.
std::optional<GridHit> pick_grid(const Mesh& mesh, int index, const Ray& ray);
// The signed height (world units, above p) of the point of the vertical line through p that
// lies nearest to the ray.
double vertical_line_height(const Ray& ray, const Vec3& p);
// Where the ray meets the horizontal plane z = height; none when it runs parallel or away.
std::optional<Vec3> ray_plane_hit(const Ray& ray, double height);

// ---- Markers ----------------------------------------------------------------------------------
// The marker drawing transform: translate by position ÷ 512, scale by `scale`, rotate by
// yaw × 360 ÷ 65536 + 90 degrees about z, by −pitch about x, by −roll about y.
Mat4 marker_matrix(const mesh_marker& marker, double scale);
Vec3 marker_position(const mesh_marker& marker);

// A marker's box in its own space (before the transform): the default when no model gives one.
struct MarkerBox {
    Vec3 low{-0.25, -0.25, 0};
    Vec3 high{0.25, 0.25, 0.75};
};
// Line segments (2 vertices each, 3 floats per vertex) of the markers' boxes, transformed.
void append_marker_box_lines(std::vector<float>& out, const mesh_marker& marker, const MarkerBox& box,
                             double scale);
// A small upright cross at each marker ("Markers Only").
void append_marker_cross_lines(std::vector<float>& out, const mesh_marker& marker, double size);

// The nearest marker within `radius` world units of the ray, or none.
std::optional<std::size_t> pick_marker(const Mesh& mesh, const Ray& ray, double radius);
// Markers whose position lies within the rectangle (cell units, any corner order).
std::vector<std::size_t> markers_in_rect(const Mesh& mesh, double x0, double y0, double x1, double y1);

// ---- Status line ---------------------------------------------------------------------------------
std::string status_text(double x, double y, double z);
std::string marker_status_text(double x, double y, double z, double elevation, double yaw, double pitch,
                               double roll);
// The second form for a marker: elevation above the physical ground, angles in degrees.
std::string marker_status_text(const Mesh& mesh, const mesh_marker& marker);

} // namespace zephane
