#pragma once
// The changes the model set editor makes to a skeletal model set: adding and deleting models,
// the model scale with its size adjustment, turning a model inside out, and the texts and
// measures it shows (the model's own extent, a bone's shadow cylinder).

#include <cstdint>
#include <string>

#include "skeletal/skmd_payload.h"

namespace zephane {

// A new model's selection probability (the editor's "Probability:").
inline constexpr std::uint16_t kNewModelProbability = 1;

// Shadow cylinder axis (bone flags bits 2-3) and attachment kind (bits 0-1).
inline constexpr std::uint32_t kNoShadowAxis = 3;
inline constexpr std::uint32_t kNoAttachmentKind = 3;
std::uint32_t shadow_axis(const skmd_bone& bone);
void set_shadow_axis(skmd_bone& bone, std::uint32_t axis);
std::uint32_t attachment_kind(const skmd_bone& bone);
void set_attachment_kind(skmd_bone& bone, std::uint32_t kind);
// The tag type an attachment kind names ('skmd', 'loli', 'lpgr'); 0 for none.
tag_type attachment_type(std::uint32_t kind);

// Appends the model with a fresh entry; false (and nothing changed) when 16 are present.
bool add_model(SkeletalModelSet& set, SkeletalModel model);
// Removes the model and closes the gap in the entry list; the last entry becomes zero.
void delete_model(SkeletalModelSet& set, std::size_t index);

// The model scale; the nine collision, click and highlight values follow it (multiplied by
// new ÷ old, rounded half away from zero) when `adjust_sizes` is set and the old scale is not
// zero.
void change_model_scale(skmd_model_header& header, float scale, bool adjust_sizes);

// In every level-of-detail block: negates the directions (quadverts with w = 0) and swaps the
// first two vertex indices of every triangle.
void turn_inside_out(SkeletalModel& model);

// The full-detail model's own extent in its rest pose, in model units without the scale:
// the largest distance of a vertex from the vertical axis, the lowest and highest heights.
struct ModelExtent {
    float radius = 0;
    float lowest = 0;
    float highest = 0;
};
ModelExtent model_extent(const SkeletalModel& model);

std::string bone_name(const skmd_bone& bone);
// The bone's row in the shadow list: its name, followed for a bone with a cylinder by
// " -> %c-axis, near: %.2f, far: %.2f, radius: %.2f".
std::string shadow_row_text(const skmd_bone& bone);

} // namespace zephane
