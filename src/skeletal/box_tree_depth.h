#pragma once
// The depth of a model's collision box tree, as the form and skmd-info show it.

#include <vector>

#include "skeletal/skmd_records.h"

namespace zephane {

struct BoxTreeDepth {
    int minimum = 0;
    double average = 0;
    int maximum = 0;
};

// A leaf is depth 1; an inner box is 1 + its children's smallest minimum, mean average and
// largest maximum. Children must follow their parent (so a damaged tree cannot loop); a
// box whose children do not is counted as a leaf. No boxes: all zero.
BoxTreeDepth box_tree_depth(const std::vector<skmd_collision_box>& boxes);

} // namespace zephane
