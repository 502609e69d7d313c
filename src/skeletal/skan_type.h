#pragma once
// The 'skan' and 'canm' rows' operations: new tags, dependency listing, the version 1 to 2
// updater and the rewrites.

namespace zephane {

void register_skeletal_animation_type();
void register_camera_animation_type();

} // namespace zephane
