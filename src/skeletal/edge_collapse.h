#pragma once
// The greedy edge-collapse ordering that gives a skeletal model its levels of detail.

#include <array>
#include <vector>

namespace zephane {

struct CollapseMesh {
    std::vector<std::array<float, 5>> vertices; // x, y, z, u, v
    std::vector<std::array<int, 3>> faces;
};

inline constexpr double kCornerCost = 100000000.0;

struct CollapseOrder {
    std::vector<int> removal;    // vertices in the order they were removed
    std::vector<int> target;     // per vertex: the vertex it collapsed onto; -1 when it was
                                 // removed for having no faces left, or never removed
    std::vector<int> face_death; // per face: removals done when it died; -1 when it never did
    // Removal counts at which every face is whole (after a round's face check and after each
    // faceless removal): the only vertex counts the levels of detail deliver.
    std::vector<int> checkpoints;
};

// Vertices sharing a position collapse together; costs, candidate order and tie-breaking as
// the model builder documents. Rounds end when every remaining candidate is a corner.
CollapseOrder collapse_order(const CollapseMesh& mesh);

} // namespace zephane
