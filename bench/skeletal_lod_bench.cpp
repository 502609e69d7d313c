// Skeletal model import (parse, level of detail, blocks, save) on a skeleton-export file:
// against the plain collapse loop the tests keep (same bytes required), against
// meshoptimizer's meshopt_simplify down to our minimum, and the surface distance of both
// simplifications to the full mesh at 25, 50 and 75 % of the vertices.
// Usage: skeletal_lod_bench FILE.skl   (bench/run-skeletal-benchmarks.sh makes the file)

#include "bench_util.h"
#include "skeletal/collapse_reference.h"
#include "skeletal/skl_import.h"
#include "skeletal/skmd_pose.h"
#include "base/posix_file.h"

#include <meshoptimizer.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>

namespace zephane::bench {
namespace {

using P3 = std::array<double, 3>;
using Tri = std::array<unsigned, 3>;

struct Mesh {
    std::vector<P3> points;
    std::vector<Tri> tris;
};

std::vector<std::uint8_t> import_bytes(const std::vector<std::uint8_t>& file, CollapseFunction collapse) {
    ModelBuild b = build_skeletal_model(read_skeleton_export(file), "bench", collapse);
    if (!b.model) {
        std::fprintf(stderr, "import refused: %s\n", b.refusal.c_str());
        std::exit(2);
    }
    SkeletalModelSet set;
    set.models.push_back(std::move(*b.model));
    return save_skmd_payload(set);
}

// The model at the level of detail for `request`, as export-obj writes it.
Mesh model_at(const SkeletalModel& m, int request) {
    const LodSelection s = select_level_of_detail(m, request);
    const SkmdLodBlock& b = m.blocks[static_cast<std::size_t>(s.entry)];
    const auto low = m.header.lods[s.entry].lowest;
    Mesh out;
    for (const auto& p : rest_positions(m, b, s.delivered)) out.points.push_back({p[0], p[1], p[2]});
    for (std::size_t t = 0; t < b.min_vertices_for_tri.size(); ++t) {
        if (b.min_vertices_for_tri[t] > s.delivered) continue;
        Tri tri;
        for (std::size_t k = 0; k < 3; ++k) {
            unsigned v = b.triangles[3 * t + k];
            while (v >= s.delivered) v = b.edge_collapse[v - low];
            tri[k] = v;
        }
        out.tris.push_back(tri);
    }
    return out;
}

P3 sub(const P3& a, const P3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
double dot(const P3& a, const P3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// Distance from p to triangle abc (closest point by regions).
double point_triangle(const P3& p, const P3& a, const P3& b, const P3& c) {
    const P3 ab = sub(b, a), ac = sub(c, a), ap = sub(p, a);
    const double d1 = dot(ab, ap), d2 = dot(ac, ap);
    auto len = [](const P3& v) { return std::sqrt(dot(v, v)); };
    if (d1 <= 0 && d2 <= 0) return len(ap);
    const P3 bp = sub(p, b);
    const double d3 = dot(ab, bp), d4 = dot(ac, bp);
    if (d3 >= 0 && d4 <= d3) return len(bp);
    const double vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0) {
        const double v = d1 / (d1 - d3);
        return len(sub(p, {a[0] + v * ab[0], a[1] + v * ab[1], a[2] + v * ab[2]}));
    }
    const P3 cp = sub(p, c);
    const double d5 = dot(ab, cp), d6 = dot(ac, cp);
    if (d6 >= 0 && d5 <= d6) return len(cp);
    const double vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0) {
        const double w = d2 / (d2 - d6);
        return len(sub(p, {a[0] + w * ac[0], a[1] + w * ac[1], a[2] + w * ac[2]}));
    }
    const double va = d3 * d6 - d5 * d4;
    if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0) {
        const double w = (d4 - d3) / ((d4 - d3) + (d5 - d6));
        const P3 bc = sub(c, b);
        return len(sub(p, {b[0] + w * bc[0], b[1] + w * bc[1], b[2] + w * bc[2]}));
    }
    const double denom = 1.0 / (va + vb + vc);
    const double v = vb * denom, w = vc * denom;
    return len(sub(p, {a[0] + ab[0] * v + ac[0] * w, a[1] + ab[1] * v + ac[1] * w, a[2] + ab[2] * v + ac[2] * w}));
}

// Mean and maximum distance to the full mesh of the simplified surface, sampled at its
// vertices, edge midpoints and triangle centres.
std::pair<double, double> surface_distance(const Mesh& simple, const Mesh& full) {
    std::vector<P3> samples;
    std::set<unsigned> used;
    for (const Tri& t : simple.tris) {
        const P3 &a = simple.points[t[0]], &b = simple.points[t[1]], &c = simple.points[t[2]];
        for (const unsigned v : t) used.insert(v);
        samples.push_back({(a[0] + b[0] + c[0]) / 3, (a[1] + b[1] + c[1]) / 3, (a[2] + b[2] + c[2]) / 3});
        samples.push_back({(a[0] + b[0]) / 2, (a[1] + b[1]) / 2, (a[2] + b[2]) / 2});
    }
    for (const unsigned v : used) samples.push_back(simple.points[v]);
    double sum = 0, worst = 0;
    for (const P3& p : samples) {
        double best = 1e30;
        for (const Tri& t : full.tris)
            best = std::min(best, point_triangle(p, full.points[t[0]], full.points[t[1]], full.points[t[2]]));
        sum += best;
        worst = std::max(worst, best);
    }
    return {samples.empty() ? 0 : sum / double(samples.size()), worst};
}

std::vector<unsigned> simplify(const Mesh& full, std::size_t target_indices) {
    std::vector<unsigned> indices;
    for (const Tri& t : full.tris) indices.insert(indices.end(), t.begin(), t.end());
    std::vector<float> positions;
    for (const P3& p : full.points)
        for (const double c : p) positions.push_back(static_cast<float>(c));
    std::vector<unsigned> out(indices.size());
    const std::size_t n = meshopt_simplify(out.data(), indices.data(), indices.size(), positions.data(),
                                           full.points.size(), sizeof(float) * 3, target_indices, 1.0f, 0, nullptr);
    out.resize(n);
    return out;
}

Mesh as_mesh(const Mesh& full, const std::vector<unsigned>& indices) {
    Mesh m;
    m.points = full.points;
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) m.tris.push_back({indices[i], indices[i + 1], indices[i + 2]});
    return m;
}

std::size_t used_vertices(const Mesh& m) {
    std::set<unsigned> used;
    for (const Tri& t : m.tris) used.insert(t.begin(), t.end());
    return used.size();
}

} // namespace
} // namespace zephane::bench

int main(int argc, char** argv) {
    using namespace zephane;
    using namespace zephane::bench;
    if (argc < 2) {
        std::fprintf(stderr, "usage: skeletal_lod_bench FILE.skl\n");
        return 2;
    }
    const auto file = read_whole_file(argv[1]);
    if (!file) return 2;
    std::vector<std::uint8_t> ours;
    if (argc > 2 && std::string(argv[2]) == "--profile") { // the import alone, for a profiler
        for (int k = 0; k < 40; ++k) ours = import_bytes(*file, collapse_order);
        return 0;
    }
    const double fast = best_seconds(5, [&] { ours = import_bytes(*file, collapse_order); });
    const SkeletalModel model = load_whole_skmd_payload(ours).models[0];
    const int n = model.header.vertex_count, minimum = model.header.minimum_vertex_count;
    std::printf("model: %d vertices, minimum %d, %zu triangles\n", n, minimum,
                model.blocks.back().min_vertices_for_tri.size());

    {
        SklFile parsed;
        const double parse = best_seconds(5, [&] { parsed = read_skeleton_export(*file); });
        ModelBuild built;
        const double build = best_seconds(5, [&] { built = build_skeletal_model(parsed, "bench"); });
        SkeletalModelSet set;
        set.models.push_back(*built.model);
        const double save = best_seconds(5, [&] { (void)save_skmd_payload(set); });
        std::printf("parts: parse %.4f s, build %.4f s, save %.4f s\n", parse, build, save);
    }
    std::vector<std::uint8_t> plain;
    const double slow = best_seconds(1, [&] { plain = import_bytes(*file, test::reference_collapse_order); });
    std::printf("identical to the plain loop: %s\n", plain == ours ? "yes" : "NO");
    bool ok = plain == ours;
    std::printf("import vs plain loop: ours %.4f s, plain %.4f s, speed-up %.1f (target at least 50) %s\n", fast,
                slow, slow / fast, slow / fast >= 50 ? "PASS" : "FAIL");
    ok = ok && slow / fast >= 50;

    const Mesh full = model_at(model, n);
    const Mesh least = model_at(model, minimum);
    const double peer = best_seconds(5, [&] { (void)simplify(full, 3 * least.tris.size()); });
    ok = report("import vs meshopt_simplify to our minimum", fast, peer, 5.0) && ok;

    std::printf("| vertices | ours: vertices, triangles, mean, max | meshoptimizer: vertices, triangles, mean, max |\n");
    for (const int percent : {25, 50, 75}) {
        const Mesh a = model_at(model, n * percent / 100);
        const Mesh b = as_mesh(full, simplify(full, 3 * a.tris.size()));
        const auto [am, ax] = surface_distance(a, full);
        const auto [bm, bx] = surface_distance(b, full);
        std::printf("| %d %% | %zu, %zu, %.5f, %.5f | %zu, %zu, %.5f, %.5f |\n", percent, used_vertices(a), a.tris.size(),
                    am, ax, used_vertices(b), b.tris.size(), bm, bx);
    }
    return ok ? 0 : 1;
}
