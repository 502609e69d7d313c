#include "skeletal/collision_build.h"
#include "skeletal/skmd_posed.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "skeletal/skl_import.h"
#include "skeletal/skmd_pose.h"

namespace zephane {

namespace {

using Vec3 = std::array<double, 3>;
using Triangle = std::array<Vec3, 3>;

constexpr std::size_t kMaxIndex = 32767; // box and triangle indices are 16-bit signed

template <typename T>
T round_clamped(double value) {
    if (std::isnan(value)) return 0;
    const double r = std::round(value); // halves away from zero
    return static_cast<T>(std::clamp(r, double{std::numeric_limits<T>::min()}, double{std::numeric_limits<T>::max()}));
}

Vec3 sub(const Vec3& a, const Vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double length(const Vec3& v) { return std::sqrt(dot(v, v)); }
Vec3 unit(const Vec3& v) {
    const double l = length(v);
    return l > 0 ? Vec3{v[0] / l, v[1] / l, v[2] / l} : Vec3{0, 0, 0};
}

struct Bounds {
    Vec3 lo{}, hi{};
    double volume() const { return (hi[0] - lo[0]) * (hi[1] - lo[1]) * (hi[2] - lo[2]); }
};

Bounds bounds_of(const std::vector<Triangle>& all, const std::vector<std::size_t>& set) {
    Bounds b;
    bool first = true;
    for (const std::size_t t : set)
        for (const Vec3& p : all[t])
            for (std::size_t c = 0; c < 3; ++c) {
                if (first || p[c] < b.lo[c]) b.lo[c] = p[c];
                if (first || p[c] > b.hi[c]) b.hi[c] = p[c];
                if (c == 2) first = false;
            }
    return b;
}

// Plane 0 is the triangle's own; planes 1 to 3 stand on its edges with normals pointing into
// it, so each passes through its edge. A triangle without area takes a plane through its
// longest edge instead of dividing by zero.
} // namespace

skmd_collision_triangle make_collision_triangle(const Triangle& t) {
    std::array<Vec3, 4> normals;
    Vec3 n = cross(sub(t[1], t[0]), sub(t[2], t[0]));
    if (length(n) > 0) {
        n = unit(n);
    } else {
        Vec3 longest{0, 0, 0};
        for (std::size_t e = 0; e < 3; ++e) {
            const Vec3 d = sub(t[(e + 1) % 3], t[e]);
            if (length(d) > length(longest)) longest = d;
        }
        // Any perpendicular of the longest edge: crossed with the axis it leans on least.
        const Vec3 d = unit(longest);
        const Vec3 axis = std::fabs(d[0]) <= std::fabs(d[1]) && std::fabs(d[0]) <= std::fabs(d[2]) ? Vec3{1, 0, 0}
                          : std::fabs(d[1]) <= std::fabs(d[2])                                        ? Vec3{0, 1, 0}
                                                                                                      : Vec3{0, 0, 1};
        n = length(d) > 0 ? unit(cross(d, axis)) : Vec3{0, 0, 1};
    }
    normals[0] = n;
    for (std::size_t e = 0; e < 3; ++e) normals[e + 1] = unit(cross(n, sub(t[(e + 1) % 3], t[e])));
    skmd_collision_triangle out{};
    for (std::size_t p = 0; p < 4; ++p) {
        Vec3 q;
        for (std::size_t c = 0; c < 3; ++c) {
            out.normals[p][c] = round_clamped<std::int16_t>(normals[p][c] * 16384.0);
            q[c] = out.normals[p][c];
        }
        const double smallest = std::min({dot(q, t[0]), dot(q, t[1]), dot(q, t[2])});
        out.offsets[p] = round_clamped<std::int32_t>(-smallest * 512.0);
    }
    return out;
}

namespace {

class TreeBuilder {
public:
    TreeBuilder(const std::vector<Triangle>& triangles, SkeletalModel& model) : all_(triangles), model_(model) {}

    void build(std::size_t at, const std::vector<std::size_t>& set, double volume) {
        const Bounds b = bounds_of(all_, set);
        skmd_collision_box& box = model_.boxes[at];
        for (std::size_t c = 0; c < 3; ++c) {
            box.minimum[c] = round_clamped<std::int16_t>(b.lo[c] * 512.0);
            box.maximum[c] = round_clamped<std::int16_t>(b.hi[c] * 512.0);
        }
        const std::size_t n = set.size();
        std::vector<std::size_t> best_left, best_right;
        double best_left_volume = 0, best_right_volume = 0;
        if (n >= 3) {
            double best = double(n - 2) * double(n - 2) + 4;
            for (std::size_t axis = 0; axis < 3; ++axis) {
                const double e = b.hi[axis] - b.lo[axis];
                const int k = static_cast<int>(std::min(std::round(e / 0.25), 10.0));
                for (int m = 1; m < k; ++m) {
                    const double plane = b.lo[axis] + m * e / k;
                    std::vector<std::size_t> left, right;
                    for (const std::size_t t : set) {
                        const double centre = (all_[t][0][axis] + all_[t][1][axis] + all_[t][2][axis]) / 3.0;
                        (centre < plane ? left : right).push_back(t);
                    }
                    if (left.size() < 2 || right.size() < 2) continue;
                    const double score = double(left.size()) * double(left.size()) + double(right.size()) * double(right.size());
                    const double lv = bounds_of(all_, left).volume(), rv = bounds_of(all_, right).volume();
                    if (score <= best && lv + rv < 1.5 * volume) {
                        best = score;
                        best_left = std::move(left);
                        best_right = std::move(right);
                        best_left_volume = lv;
                        best_right_volume = rv;
                    }
                }
            }
        }
        if (!best_left.empty()) {
            const std::size_t first = model_.boxes.size();
            model_.boxes.resize(first + 2);
            skmd_collision_box& parent = model_.boxes[at];
            parent.first_child = static_cast<std::int16_t>(std::min(first, kMaxIndex));
            parent.child_count = 2;
            parent.first_triangle = -1;
            parent.triangle_count = 0;
            build(first, best_left, best_left_volume);
            build(first + 1, best_right, best_right_volume);
            return;
        }
        skmd_collision_box& leaf = model_.boxes[at];
        leaf.first_child = -1;
        leaf.child_count = 0;
        leaf.first_triangle = static_cast<std::int16_t>(std::min(model_.collision_triangles.size(), kMaxIndex));
        leaf.triangle_count = static_cast<std::int16_t>(std::min(n, kMaxIndex));
        for (const std::size_t t : set) model_.collision_triangles.push_back(make_collision_triangle(all_[t]));
    }

private:
    const std::vector<Triangle>& all_;
    SkeletalModel& model_;
};

} // namespace

void delete_collision(SkeletalModel& model) {
    model.boxes.clear();
    model.collision_triangles.clear();
    model.header.collision_box_count = 0;
    model.header.collision_triangle_count = 0;
}

bool build_collision(SkeletalModel& model, std::string& refusal) {
    std::vector<Triangle> triangles;
    const PosedModel posed = pose_model(model, model.header.vertex_count);
    const double scale = model.header.scale;
    for (std::size_t t = 0; t + 2 < posed.triangles.size(); t += 3) {
        Triangle tri;
        for (std::size_t k = 0; k < 3; ++k)
            for (std::size_t c = 0; c < 3; ++c) tri[k][c] = double{posed.positions[posed.triangles[t + k]][c]} * scale;
        triangles.push_back(tri);
    }
    SkeletalModel built = model;
    delete_collision(built);
    if (!triangles.empty()) {
        if (triangles.size() > kMaxIndex) {
            refusal = "more than 32767 collision triangles";
            return false;
        }
        std::vector<std::size_t> all(triangles.size());
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
        built.boxes.resize(1);
        TreeBuilder(triangles, built).build(0, all, bounds_of(triangles, all).volume());
        if (built.boxes.size() > kMaxIndex) {
            refusal = "more than 32767 collision boxes";
            return false;
        }
    }
    built.header.collision_box_count = static_cast<std::uint16_t>(built.boxes.size());
    built.header.collision_triangle_count = static_cast<std::uint16_t>(built.collision_triangles.size());
    model = std::move(built);
    return true;
}

} // namespace zephane
