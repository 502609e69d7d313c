#pragma once
// The animation editor's dialogs: "Select Origin Bone" (the origin bone of an import or a
// hierarchy, with the motion modes and "Make Loopable") and "Animation Actions" (the action
// of each frame of an animation: its type, key frame, tag and bone).

#include "skeletal/skan_import.h"
#include "skeletal/skan_payload.h"

#include <optional>
#include <vector>

class QWidget;

namespace zephane {

class TTagEditForm;

namespace origin_bone_control {
inline constexpr int kResource = 165;
inline constexpr int kSelect = 1;
inline constexpr int kNone = 2;
inline constexpr int kCancel = 3;
inline constexpr int kBones = 10;
// Motion modes: kAxisModes + 10 × axis (0 X, 1 Y, 2 Z, 3 Yaw) + mode (0 Relative,
// 1 Absolute, 2 Zero; Yaw has no Zero).
inline constexpr int kAxisModes = 20;
inline constexpr int kMakeLoopable = 60;
constexpr int mode_id(int axis, int mode) { return kAxisModes + 10 * axis + mode; }
} // namespace origin_bone_control

namespace frame_action_control {
inline constexpr int kResource = 166;
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kFrameList = 10;
inline constexpr int kActionTypes = 20; // + action type 0..8
inline constexpr int kKeyFrame = 30;
inline constexpr int kTag = 31;         // "(tag name)" until a tag is chosen
inline constexpr int kBone = 32;
} // namespace frame_action_control

inline constexpr const char* kSklFileFilter = "Wend Skeleton Export|*.skl|All Files|*.*";

// "Select Origin Bone" for the parsed file. With `for_hierarchy` only the bone matters: the
// motion modes and "Make Loopable" are shown disabled. Nothing when cancelled; "None" gives
// origin_bone -1.
std::optional<AnimationImportOptions> run_origin_bone_dialog(QWidget* parent, const SklFile& file,
                                                             bool for_hierarchy);

// "Animation Actions" on a copy of the animation's frame records; true (and the records
// stored back) on OK. Tags are chosen with the editor's tag picker.
bool run_frame_actions_dialog(TTagEditForm& editor, const std::vector<skan_bone_base>& bones,
                              SkanAnimation& animation);

} // namespace zephane
