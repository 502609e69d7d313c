#include "skeletal/collapse_state.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>

namespace zephane::collapse {

namespace {

Vec3 sub(const Vec3& a, const Vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

} // namespace

CollapseState::CollapseState(const CollapseMesh& mesh) : mesh_(mesh) {
    const std::size_t n = mesh.vertices.size();
    group_.resize(n);
    std::map<std::array<std::uint32_t, 3>, int> by_position;
    for (std::size_t v = 0; v < n; ++v) {
        std::array<std::uint32_t, 3> key{};
        for (std::size_t c = 0; c < 3; ++c) {
            float value = mesh.vertices[v][c];
            if (value == 0.0f) value = 0.0f; // -0 and 0 are one position
            std::memcpy(&key[c], &value, 4);
        }
        const auto [at, fresh] = by_position.emplace(key, static_cast<int>(members_.size()));
        if (fresh) members_.emplace_back();
        group_[v] = at->second;
        members_[static_cast<std::size_t>(at->second)].push_back(static_cast<int>(v));
    }
    cur_ = mesh.faces;
    alive_.assign(mesh.faces.size(), true);
    normal_.resize(mesh.faces.size());
    area_.resize(mesh.faces.size());
    removed_.assign(n, false);
    order_.target.assign(n, -1);
    order_.face_death.assign(mesh.faces.size(), -1);
    faces_of_.resize(n);
    for (std::size_t f = 0; f < cur_.size(); ++f)
        for (const int v : cur_[f]) faces_of_[static_cast<std::size_t>(v)].push_back(static_cast<int>(f));
}


Vec3 CollapseState::position(int v) const {
    const auto& p = mesh_.vertices[static_cast<std::size_t>(v)];
    return {p[0], p[1], p[2]};
}

void CollapseState::check_face(int fi) {
    const auto f = static_cast<std::size_t>(fi);
    if (!alive_[f]) return;
    const auto& v = cur_[f];
    bool dies = v[0] == v[1] || v[1] == v[2] || v[0] == v[2];
    if (!dies) {
        const Vec3 n = cross(sub(position(v[1]), position(v[0])), sub(position(v[2]), position(v[0])));
        const double length = std::sqrt(dot(n, n));
        dies = !(length > 0.0);
        if (!dies) {
            normal_[f] = {n[0] / length, n[1] / length, n[2] / length};
            area_[f] = 0.5 * length;
        }
    }
    if (dies) {
        alive_[f] = false;
        order_.face_death[f] = removals();
        for (const int corner : v) std::erase(faces_of_[static_cast<std::size_t>(corner)], fi);
    }
}

void CollapseState::remove_faceless(int v) {
    removed_[static_cast<std::size_t>(v)] = true;
    order_.removal.push_back(v);
    order_.checkpoints.push_back(removals());
}

// Live faces of a group's members, in face order.
const std::vector<int>& CollapseState::group_faces(int g) const {
    std::vector<int>& faces = face_scratch_;
    faces.clear();
    const auto& members = members_[static_cast<std::size_t>(g)];
    for (const int m : members)
        faces.insert(faces.end(), faces_of_[static_cast<std::size_t>(m)].begin(),
                     faces_of_[static_cast<std::size_t>(m)].end());
    if (members.size() > 1) { // one member's list is already in face order
        std::sort(faces.begin(), faces.end());
        faces.erase(std::unique(faces.begin(), faces.end()), faces.end());
    }
    return faces;
}

Shape CollapseState::classify(int g) const {
    // Edges from this group to each neighbouring group, with the faces along them.
    std::vector<Edge>& edges = edge_scratch_;
    edges.clear();
    for (const int f : group_faces(g)) {
        for (const int v : cur_[static_cast<std::size_t>(f)]) {
            const int other = group_[static_cast<std::size_t>(v)];
            if (other == g) continue;
            auto at = std::find_if(edges.begin(), edges.end(), [other](const Edge& e) { return e.group == other; });
            if (at == edges.end()) {
                edges.push_back({other, v, 0, {-1, -1}});
                at = edges.end() - 1;
            }
            if (at->count < 2) at->faces[at->count] = f;
            ++at->count;
        }
    }
    Shape shape;
    for (const Edge& e : edges) {
        const bool smooth = e.count == 2 &&
                            dot(normal_[static_cast<std::size_t>(e.faces[0])],
                                normal_[static_cast<std::size_t>(e.faces[1])]) > -0.85;
        if (smooth) continue;
        if (shape.feature_edges < 2) {
            shape.neighbours[shape.feature_edges] = e.group;
            shape.ends[shape.feature_edges] = e.first_vertex;
        }
        ++shape.feature_edges;
    }
    return shape;
}

const std::vector<int>& CollapseState::targets(int a) const {
    std::vector<int>& found = target_scratch_;
    found.clear();
    for (const int f : faces_of_[static_cast<std::size_t>(a)])
        for (const int v : cur_[static_cast<std::size_t>(f)])
            if (group_[static_cast<std::size_t>(v)] != group_[static_cast<std::size_t>(a)] &&
                std::find(found.begin(), found.end(), v) == found.end())
                found.push_back(v);
    return found;
}

// The member of group g that shares a live face with vertex m, or -1.
int CollapseState::partner_in(int m, int g) const {
    for (const int f : faces_of_[static_cast<std::size_t>(m)])
        for (const int v : cur_[static_cast<std::size_t>(f)])
            if (group_[static_cast<std::size_t>(v)] == g) return v;
    return -1;
}

double CollapseState::distance5(int a, int b) const {
    double sum = 0;
    for (std::size_t c = 0; c < 5; ++c) {
        const double d = double{mesh_.vertices[static_cast<std::size_t>(a)][c]} -
                         double{mesh_.vertices[static_cast<std::size_t>(b)][c]};
        sum += d * d;
    }
    return std::sqrt(sum);
}

double CollapseState::cost(int a, int b, const Shape& shape) const {
    const int ga = group_[static_cast<std::size_t>(a)];
    if (shape.feature_edges == 0) {
        const Vec3 d = sub(position(a), position(b));
        double sum = 0;
        for (const int f : group_faces(ga))
            sum += 0.5 * std::fabs(dot(normal_[static_cast<std::size_t>(f)], d)) * area_[static_cast<std::size_t>(f)];
        return sum;
    }
    if (shape.feature_edges != 2) return kCornerCost;
    const int gb = group_[static_cast<std::size_t>(b)];
    if (gb != shape.neighbours[0] && gb != shape.neighbours[1]) return kCornerCost;
    double total = 0;
    int count = 0;
    for (const int f : members_[static_cast<std::size_t>(ga)]) {
        if (removed_[static_cast<std::size_t>(f)]) continue;
        int g = partner_in(f, shape.neighbours[0]);
        int h = partner_in(f, shape.neighbours[1]);
        // A seam copy touching only one side measures against the candidate's own ends.
        if (g < 0) g = partner_in(a, shape.neighbours[0]);
        if (h < 0) h = partner_in(a, shape.neighbours[1]);
        if (g < 0) g = shape.ends[0];
        if (h < 0) h = shape.ends[1];
        total += distance5(f, g) + distance5(f, h) - distance5(g, h);
        ++count;
    }
    return total * 40.0 / count;
}

// Returns the faces whose corners moved.
std::vector<int> CollapseState::collapse_group(int a, int b) {
    std::vector<int> changed;
    const int gb = group_[static_cast<std::size_t>(b)];
    for (const int m : members_[static_cast<std::size_t>(group_[static_cast<std::size_t>(a)])]) {
        if (removed_[static_cast<std::size_t>(m)] || faces_of_[static_cast<std::size_t>(m)].empty()) continue;
        int t = partner_in(m, gb);
        if (t < 0) t = b;
        for (const int f : faces_of_[static_cast<std::size_t>(m)]) {
            changed.push_back(f);
            for (int& v : cur_[static_cast<std::size_t>(f)])
                if (v == m) v = t;
            auto& list = faces_of_[static_cast<std::size_t>(t)];
            const auto at = std::lower_bound(list.begin(), list.end(), f);
            if (at == list.end() || *at != f) list.insert(at, f);
        }
        faces_of_[static_cast<std::size_t>(m)].clear();
        removed_[static_cast<std::size_t>(m)] = true;
        order_.target[static_cast<std::size_t>(m)] = t;
        order_.removal.push_back(m);
    }
    std::sort(changed.begin(), changed.end());
    changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
    return changed;
}

} // namespace zephane::collapse
