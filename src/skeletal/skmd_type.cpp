#include "skeletal/skmd_type.h"

#include "base/byte_reader.h"
#include "skeletal/skmd_payload.h"
#include "tags/dependency_reporter.h"
#include "tags/tag_database.h"
#include "tags/tag_types.h"

namespace zephane {

namespace {

constexpr tag_type kAttachmentTypes[3] = {fourcc("skmd"), fourcc("loli"), fourcc("lpgr")};
constexpr std::uint32_t kNoAttachment = 3;

void skeletal_model_defaults(TagDatabase& db, TagEntry& entry) {
    db.set_tag_data(entry, save_skmd_payload(SkeletalModelSet{}));
}

void report(DependencyReporter& reporter, tag_type type, tag_id id) {
    if (!is_null_reference(id)) reporter.report_dependency(type, id);
}

void skeletal_model_dependencies(TagDatabase& db, TagEntry& entry, DependencyReporter& reporter) {
    const Payload* payload = db.get_tag_data(entry);
    if (!payload) return;
    SkmdLoad load;
    try {
        load = load_skmd_payload(*payload);
    } catch (const FormatError&) {
        return; // a payload the loader refuses lists nothing
    }
    report(reporter, fourcc("skan"), load.set.header.animation);
    for (const SkeletalModel& model : load.set.models) {
        report(reporter, fourcc("txst"), model.header.texture_stack);
        for (const skmd_bone& bone : model.bones) {
            const std::uint32_t kind = bone.flags & 3u;
            if (kind != kNoAttachment) report(reporter, kAttachmentTypes[kind], bone.attached);
        }
    }
}

} // namespace

void register_skeletal_model_type() {
    attach_tag_defaults(kSkeletalModelTagType, skeletal_model_defaults);
    attach_tag_dependencies(kSkeletalModelTagType, skeletal_model_dependencies);
    attach_tag_rewrite(kSkeletalModelTagType, rewrite_skmd_payload);
}

} // namespace zephane
