#include "skeletal/box_tree_depth.h"

#include <algorithm>

namespace zephane {

BoxTreeDepth box_tree_depth(const std::vector<skmd_collision_box>& boxes) {
    std::vector<BoxTreeDepth> depth(boxes.size());
    for (std::size_t i = boxes.size(); i-- > 0;) {
        const skmd_collision_box& box = boxes[i];
        const long first = box.first_child;
        const long count = box.child_count;
        const bool inner = count > 0 && first > static_cast<long>(i) &&
                           static_cast<std::size_t>(first + count) <= boxes.size();
        if (!inner) {
            depth[i] = {1, 1.0, 1};
            continue;
        }
        BoxTreeDepth d{1 << 30, 0.0, 0};
        for (long c = first; c < first + count; ++c) {
            const BoxTreeDepth& child = depth[static_cast<std::size_t>(c)];
            d.minimum = std::min(d.minimum, child.minimum);
            d.maximum = std::max(d.maximum, child.maximum);
            d.average += child.average;
        }
        depth[i] = {1 + d.minimum, 1 + d.average / static_cast<double>(count), 1 + d.maximum};
    }
    return boxes.empty() ? BoxTreeDepth{} : depth[0];
}

} // namespace zephane
