#pragma once
// Hierarchies and animations of a skeletal animation tag from parsed skeleton-export files:
// what the "Select Origin Bone" dialog, "Specify" / "Change" and "Import..." call.

#include <string>
#include <vector>

#include "skeletal/skan_payload.h"
#include "skeletal/skl_reader.h"

namespace zephane {

inline constexpr const char* kOriginStandardBone = "tag_origin_standard";
inline constexpr const char* kUnnamedBone = "(unnamed bone)";
inline constexpr const char* kNoHierarchyText = "You must specify a hierarchy before importing animations.";
inline constexpr const char* kChangeHierarchyText = "Changing the hierarchy may require re-importing animations.";

enum class AxisMotion { relative, absolute, zero };
enum class YawMotion { relative, absolute };

// The choices of the "Select Origin Bone" dialog.
struct AnimationImportOptions {
    int origin_bone = -1; // index into SklFile::bones; -1: "None"
    AxisMotion axes[3] = {AxisMotion::relative, AxisMotion::relative, AxisMotion::relative}; // X, Y, Z
    YawMotion yaw = YawMotion::relative;
    bool loopable = false;
};

// The dialog's list: the file's bone names, "(unnamed bone)" for an empty one.
std::vector<std::string> origin_bone_choices(const SklFile& file);
// The bone named "tag_origin_standard" (the first), or -1.
int default_origin_bone(const SklFile& file);
// The first bone of that name, or -1.
int find_skl_bone(const SklFile& file, const std::string& name);

// Every bone of the file counts as in use except the origin bone; they keep file order and
// their parents are renumbered (a bone whose parent is the origin bone becomes a root). Rest
// poses come from the first frame: a root's relative to the origin bone's pose there, the
// others relative to their parent.
std::vector<skan_bone_base> build_skan_hierarchy(const SklFile& file, int origin_bone);

bool skan_has_hierarchy(const SkeletalAnimationSet& set);

// Replaces the bone table. The kept animations' poses follow their bones by name; a bone new
// to the hierarchy takes its rest pose in every frame, so every frame keeps one pose per bone.
void set_skan_hierarchy(SkeletalAnimationSet& set, std::vector<skan_bone_base> bones);

// One animation for the hierarchy `bones`: each hierarchy bone follows the file's bone of the
// same name (one the file lacks keeps its rest pose relative to its parent).
SkanAnimation import_skan_animation(const SklFile& file, const std::vector<skan_bone_base>& bones,
                                    const AnimationImportOptions& options, const std::string& name);

// An animation's name for an import of `path`: the file name without folder and extension,
// at most 63 characters.
std::string animation_name_for(const std::string& path);

} // namespace zephane
