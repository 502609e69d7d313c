#include "skeletal/edge_collapse.h"

#include <algorithm>
#include <set>

#include "skeletal/collapse_state.h"

namespace zephane {

namespace {

using collapse::CollapseState;
using collapse::Shape;

// Each round picks what a full scan would pick (smallest cost, then candidate order, then
// target discovery order), but only the candidates around the last collapse are costed
// again: a candidate's cost depends only on the faces around its position group.
class IncrementalCollapse {
public:
    explicit IncrementalCollapse(const CollapseMesh& mesh)
        : s_(mesh), best_cost_(s_.vertex_count(), kCornerCost), best_target_(s_.vertex_count(), -1),
          queued_(s_.vertex_count(), false) {}

    CollapseOrder run() {
        std::vector<int> changed(s_.face_count());
        for (std::size_t f = 0; f < changed.size(); ++f) changed[f] = static_cast<int>(f);
        std::vector<int> touched(s_.vertex_count());
        for (std::size_t v = 0; v < touched.size(); ++v) touched[v] = static_cast<int>(v);
        for (;;) {
            for (const int f : changed) {
                const auto& corners = s_.corners(f);
                touched.insert(touched.end(), corners.begin(), corners.end());
                s_.check_face(f);
            }
            s_.mark_checkpoint();
            std::sort(touched.begin(), touched.end());
            touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
            // Only a vertex that lost a face can be left without one.
            for (const int v : touched)
                if (!s_.removed(v) && s_.faceless(v)) {
                    unqueue(v);
                    s_.remove_faceless(v);
                }
            for (const int v : affected(touched)) rescore(v);
            if (queue_.empty()) break;
            const int a = queue_.begin()->second;
            const int group = s_.group(a);
            changed = s_.collapse_group(a, best_target_[static_cast<std::size_t>(a)]);
            for (const int m : s_.members(group)) unqueue(m);
            touched.clear();
        }
        return s_.take_order();
    }

private:
    // The live members of the position groups of the touched vertices (in a reused list).
    const std::vector<int>& affected(const std::vector<int>& touched) {
        std::vector<int>& groups = group_scratch_;
        groups.clear();
        for (const int v : touched) groups.push_back(s_.group(v));
        std::sort(groups.begin(), groups.end());
        groups.erase(std::unique(groups.begin(), groups.end()), groups.end());
        std::vector<int>& out = affected_scratch_;
        out.clear();
        for (const int g : groups)
            for (const int m : s_.members(g))
                if (!s_.removed(m)) out.push_back(m);
        return out;
    }

    void unqueue(int v) {
        const auto i = static_cast<std::size_t>(v);
        if (queued_[i]) queue_.erase({best_cost_[i], v});
        queued_[i] = false;
    }

    // The candidate's best target: the first in discovery order with the smallest cost.
    void rescore(int a) {
        unqueue(a);
        const Shape shape = s_.classify(s_.group(a));
        double best = kCornerCost;
        int best_b = -1;
        for (const int b : s_.targets(a)) {
            const double c = s_.cost(a, b, shape);
            if (c < best) {
                best = c;
                best_b = b;
            }
        }
        if (best_b < 0) return;
        const auto i = static_cast<std::size_t>(a);
        best_cost_[i] = best;
        best_target_[i] = best_b;
        queued_[i] = true;
        queue_.insert({best, a});
    }

    CollapseState s_;
    // Candidates with a cost below the corner cost, by (cost, vertex).
    std::set<std::pair<double, int>> queue_;
    std::vector<double> best_cost_;
    std::vector<int> best_target_;
    std::vector<bool> queued_;
    std::vector<int> group_scratch_, affected_scratch_;
};

} // namespace

CollapseOrder collapse_order(const CollapseMesh& mesh) { return IncrementalCollapse(mesh).run(); }

} // namespace zephane
