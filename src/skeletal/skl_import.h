#pragma once
// Building a skeletal model (bones, levels of detail, shadow cylinders, import defaults) from a
// parsed skeleton-export file.

#include <optional>
#include <string>

#include "skeletal/edge_collapse.h"
#include "skeletal/skl_reader.h"
#include "skeletal/skmd_payload.h"

namespace zephane {

struct ModelBuild {
    std::optional<SkeletalModel> model;
    std::string refusal; // why there is no model
};

using CollapseFunction = CollapseOrder (*)(const CollapseMesh&);

// `name` is the model's name (cut to 31 characters). The collapse ordering can be replaced
// (tests compare the incremental one with the plain scan).
ModelBuild build_skeletal_model(const SklFile& file, const std::string& name,
                                CollapseFunction collapse = collapse_order);

// The model's name for an import of `path`: the file name without its folder and extension.
std::string model_name_for(const std::string& path);
// The same, cut to `limit` characters (animations and camera paths keep more).
std::string import_name_for(const std::string& path, std::size_t limit);

// The rest-pose position of every vertex below `count` (model units, scale not applied), from
// the block that draws that many vertices.
std::vector<std::array<float, 3>> rest_positions(const SkeletalModel& model, const SkmdLodBlock& block,
                                                 std::size_t count);

// Fits the shadow cylinders of the bones whose names call for one.
void fit_shadow_cylinders(std::vector<skmd_bone>& bones);

} // namespace zephane
