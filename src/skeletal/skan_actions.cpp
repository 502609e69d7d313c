#include "skeletal/skan_actions.h"

#include "tags/tag_database.h"

namespace zephane {

namespace {

constexpr const char* kActionWords[] = {"",         "sound ",           "attach model ",    "attach light ",
                                        "attach particles ", "delete attachment ", "emit as ", "normal footprint ",
                                        "giant footprint "};

} // namespace

std::string skan_frame_action_text(const TagDatabase& db, const std::vector<skan_bone_base>& bones,
                                   const SkanAnimation& animation, int frame) {
    if (frame < 0 || static_cast<std::size_t>(frame) >= animation.frames.size())
        return "bad frame " + std::to_string(frame);
    const skan_frame& record = animation.frames[static_cast<std::size_t>(frame)].record;
    std::string text = std::to_string(frame) + ". ";
    const unsigned type = record.action & kSkanActionTypeMask;
    if (type < std::size(kActionWords)) text += kActionWords[type];
    else text += "invalid " + std::to_string(type) + " ";
    if (record.action & kSkanKeyFrame) text += "ACTION KEYFRAME ";
    if (const tag_type tag_kind = skan_action_tag_type(record.action)) {
        if (is_null_reference(record.action_tag)) {
            text += "(unassigned tag)";
        } else if (const TagEntry* tag = db.find_tag(tag_kind, record.action_tag)) {
            text += tag->name;
        } else {
            text += std::string("(missing ") + tag_id_to_text(record.action_tag) + "/" + tag_id_to_text(tag_kind) + ")";
        }
    }
    const int bone = skan_action_bone(record);
    if (bone >= 0 && static_cast<std::size_t>(bone) < bones.size())
        text += " at " + skan_name(bones[static_cast<std::size_t>(bone)].name);
    else
        text += " at invalid " + std::to_string(bone);
    return text;
}

} // namespace zephane
