#pragma once
// The text of a frame's action, as the frame actions list of the animation editor shows it.

#include <string>

#include "skeletal/skan_payload.h"

namespace zephane {

class TagDatabase;

// "%d. " then the action's word ("sound ", "attach model ", ... or "invalid %d "; nothing for
// type 0), "ACTION KEYFRAME " when bit 11 is set, for actions with a tag its name,
// "(unassigned tag)" or "(missing %s/%s)", then " at " and the bone's name or "invalid %d".
// A frame outside the animation gives "bad frame %d".
std::string skan_frame_action_text(const TagDatabase& db, const std::vector<skan_bone_base>& bones,
                                   const SkanAnimation& animation, int frame);

} // namespace zephane
