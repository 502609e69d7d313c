#pragma once
// The working state of the edge-collapse ordering: position groups, faces and their current
// corners, and the costs of a collapse. The product's incremental rounds and the plain scan
// the tests keep as their reference run over the same state.

#include <array>
#include <vector>

#include "skeletal/edge_collapse.h"

namespace zephane::collapse {

using Vec3 = std::array<double, 3>;

struct Shape {
    int feature_edges = 0;
    int neighbours[2] = {-1, -1}; // groups at the far ends of a feature line
    int ends[2] = {-1, -1};       // a vertex of each, the first met around the group
};

class CollapseState {
public:
    explicit CollapseState(const CollapseMesh& mesh);

    std::size_t vertex_count() const { return removed_.size(); }
    std::size_t face_count() const { return cur_.size(); }
    bool removed(int v) const { return removed_[static_cast<std::size_t>(v)]; }
    bool alive(int f) const { return alive_[static_cast<std::size_t>(f)]; }
    bool faceless(int v) const { return faces_of_[static_cast<std::size_t>(v)].empty(); }
    int group(int v) const { return group_[static_cast<std::size_t>(v)]; }
    const std::vector<int>& members(int g) const { return members_[static_cast<std::size_t>(g)]; }
    const std::array<int, 3>& corners(int f) const { return cur_[static_cast<std::size_t>(f)]; }
    int removals() const { return static_cast<int>(order_.removal.size()); }

    // Recomputes a live face's normal and area; a face whose corners are no longer distinct
    // or whose normal has no length dies, recorded at the current removal count.
    void check_face(int f);
    void mark_checkpoint() { order_.checkpoints.push_back(removals()); }
    // Removes a vertex left without faces.
    void remove_faceless(int v);

    Shape classify(int g) const;
    // Representatives of the vertices of a's faces outside its group, in discovery order, in
    // a scratch list that the next call reuses.
    const std::vector<int>& targets(int a) const;
    double cost(int a, int b, const Shape& shape) const;
    // Collapses every member of a's group that has faces onto b's group; returns the faces
    // whose corners moved.
    std::vector<int> collapse_group(int a, int b);

    CollapseOrder take_order() { return std::move(order_); }

private:
    Vec3 position(int v) const;
    // In face order, in a scratch list that the next call reuses.
    const std::vector<int>& group_faces(int g) const;
    int partner_in(int m, int g) const;
    double distance5(int a, int b) const;

    const CollapseMesh& mesh_;
    std::vector<int> group_;
    std::vector<std::vector<int>> members_;
    std::vector<std::array<int, 3>> cur_;
    std::vector<bool> alive_;
    std::vector<Vec3> normal_;
    std::vector<double> area_;
    std::vector<bool> removed_;
    std::vector<std::vector<int>> faces_of_; // live faces naming the vertex, in face order
    CollapseOrder order_;

    // Only the first two faces of an edge matter: a third makes it a feature edge anyway.
    struct Edge {
        int group;
        int first_vertex; // the first vertex of that group met
        int count;
        int faces[2];
    };
    mutable std::vector<Edge> edge_scratch_;
    mutable std::vector<int> face_scratch_;
    mutable std::vector<int> target_scratch_;
};

} // namespace zephane::collapse
