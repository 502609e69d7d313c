#include "skeletal/skmd_posed.h"

#include <algorithm>
#include <cmath>

#include "skeletal/skl_import.h"
#include "skeletal/skmd_pose.h"

namespace zephane {

PosedModel pose_model(const SkeletalModel& model, int requested_vertices) {
    PosedModel posed;
    const LodSelection selection = select_level_of_detail(model, std::clamp(requested_vertices, 0, 65535));
    if (selection.entry < 0 || static_cast<std::size_t>(selection.entry) >= model.blocks.size()) return posed;
    const SkmdLodBlock& block = model.blocks[static_cast<std::size_t>(selection.entry)];
    const skmd_lod_entry& band = model.header.lods[selection.entry];
    const std::size_t count = std::min<std::size_t>(selection.delivered, block.weight_ref_counts.size());
    posed.positions = rest_positions(model, block, count);
    posed.uvs.resize(count, {0, 0});
    for (std::size_t v = 0; v < count && 2 * v + 1 < model.uv.size(); ++v)
        posed.uvs[v] = {model.uv[2 * v], model.uv[2 * v + 1]};

    for (std::size_t t = 0; t < block.min_vertices_for_tri.size() && 3 * t + 2 < block.triangles.size(); ++t) {
        if (block.min_vertices_for_tri[t] > count) continue;
        std::uint16_t corner[3];
        bool whole = true;
        for (std::size_t k = 0; k < 3 && whole; ++k) {
            std::size_t v = block.triangles[3 * t + k];
            // A collapsed vertex moves to the one it collapsed into, until one is kept; a damaged
            // table could loop or point outside, and such a triangle is left out.
            for (std::size_t step = 0; v >= count && step <= block.edge_collapse.size(); ++step) {
                if (v < band.lowest || v - band.lowest >= block.edge_collapse.size()) break;
                v = block.edge_collapse[v - band.lowest];
            }
            whole = v < count;
            corner[k] = static_cast<std::uint16_t>(v);
        }
        if (whole) posed.triangles.insert(posed.triangles.end(), corner, corner + 3);
    }

    // Normals: each face's (area-weighted) normal added to its corners. Faces are wound
    // clockwise seen from outside (the viewer culls the other side).
    std::vector<std::array<double, 3>> sums(count, {0, 0, 0});
    for (std::size_t t = 0; t + 2 < posed.triangles.size(); t += 3) {
        const auto& a = posed.positions[posed.triangles[t]];
        const auto& b = posed.positions[posed.triangles[t + 1]];
        const auto& c = posed.positions[posed.triangles[t + 2]];
        const double u[3] = {double{c[0]} - a[0], double{c[1]} - a[1], double{c[2]} - a[2]};
        const double w[3] = {double{b[0]} - a[0], double{b[1]} - a[1], double{b[2]} - a[2]};
        const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        for (std::size_t k = 0; k < 3; ++k)
            for (std::size_t i = 0; i < 3; ++i) sums[posed.triangles[t + k]][i] += n[i];
    }
    posed.normals.resize(count, {0, 0, 0});
    for (std::size_t v = 0; v < count; ++v) {
        const double length = std::sqrt(sums[v][0] * sums[v][0] + sums[v][1] * sums[v][1] + sums[v][2] * sums[v][2]);
        if (length > 0)
            posed.normals[v] = {float(sums[v][0] / length), float(sums[v][1] / length), float(sums[v][2] / length)};
    }
    return posed;
}

} // namespace zephane
