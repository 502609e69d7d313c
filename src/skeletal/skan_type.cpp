#include "skeletal/skan_type.h"

#include "base/errors.h"
#include "skeletal/canm_payload.h"
#include "skeletal/skan_payload.h"
#include "tags/dependency_reporter.h"
#include "tags/tag_database.h"
#include "tags/tag_types.h"

namespace zephane {

namespace {

void skeletal_animation_defaults(TagDatabase& db, TagEntry& entry) {
    db.set_tag_data(entry, save_skan_payload(SkeletalAnimationSet{}));
}

void skeletal_animation_dependencies(TagDatabase& db, TagEntry& entry, DependencyReporter& reporter) {
    const Payload* payload = db.get_tag_data(entry);
    if (!payload) return;
    SkeletalAnimationSet set;
    try {
        // A version 1 tag lists what its update would hold; the tag itself is left alone.
        set = entry.version == 1 ? load_skan_payload(update_skan_payload_v1(*payload)) : load_skan_payload(*payload);
    } catch (const FormatError&) {
        return; // a payload the loader refuses lists nothing
    }
    for (const SkanAnimation& animation : set.animations)
        for (const SkanFrame& frame : animation.frames) {
            const tag_type type = skan_action_tag_type(frame.record.action);
            if (type != 0 && !is_null_reference(frame.record.action_tag))
                reporter.report_dependency(type, frame.record.action_tag);
        }
}

// Leaves the tag as it was when its payload cannot be converted (FormatError).
void update_skeletal_animation(TagDatabase& db, TagEntry& tag) {
    ZEPHANE_CHECK(tag.version == 1, "tag->version == 1", kSkanModule);
    std::string failure;
    const Payload* payload = db.get_tag_data(tag, &failure);
    if (!payload) throw FormatError("skan v1 payload", 0, "cannot be read: " + failure);
    Payload updated = update_skan_payload_v1(*payload);
    db.set_tag_data(tag, std::move(updated));
    db.set_tag_version(tag, kSkanVersion);
}

} // namespace

void register_skeletal_animation_type() {
    attach_tag_defaults(kSkeletalAnimationTagType, skeletal_animation_defaults);
    attach_tag_dependencies(kSkeletalAnimationTagType, skeletal_animation_dependencies);
    attach_tag_updater(kSkeletalAnimationTagType, update_skeletal_animation);
    attach_tag_rewrite(kSkeletalAnimationTagType, rewrite_skan_payload);
}

void register_camera_animation_type() { attach_tag_rewrite(kCameraAnimationTagType, rewrite_canm_payload); }

} // namespace zephane
