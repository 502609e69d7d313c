#pragma once
// The level-of-detail collapse order as a plain loop: every round checks every face and
// costs every candidate against every target. The product's incremental rounds must give
// exactly the same order.

#include "skeletal/collapse_state.h"
#include "skeletal/edge_collapse.h"

namespace zephane::test {

inline CollapseOrder reference_collapse_order(const CollapseMesh& mesh) {
    collapse::CollapseState s(mesh);
    for (;;) {
        for (std::size_t f = 0; f < s.face_count(); ++f) s.check_face(static_cast<int>(f));
        s.mark_checkpoint();
        for (std::size_t v = 0; v < s.vertex_count(); ++v)
            if (!s.removed(static_cast<int>(v)) && s.faceless(static_cast<int>(v))) s.remove_faceless(static_cast<int>(v));
        int best_a = -1, best_b = -1;
        double best = kCornerCost;
        for (std::size_t v = 0; v < s.vertex_count(); ++v) {
            const int a = static_cast<int>(v);
            if (s.removed(a)) continue;
            const collapse::Shape shape = s.classify(s.group(a));
            for (const int b : s.targets(a)) {
                const double c = s.cost(a, b, shape);
                if (c < best) {
                    best = c;
                    best_a = a;
                    best_b = b;
                }
            }
        }
        if (best_a < 0) break;
        s.collapse_group(best_a, best_b);
    }
    return s.take_order();
}

} // namespace zephane::test
