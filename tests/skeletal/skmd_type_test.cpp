#include "skeletal/skmd_type.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "skeletal/skmd_payload.h"
#include "support/test_support.h"
#include "tags/dependency_reporter.h"
#include "tags/tag_database.h"
#include "tags/tag_types.h"

namespace zephane {
namespace {

TEST(SkmdType, NewTagAndDependencies) {
    detach_all_tag_operations();
    register_skeletal_model_type();
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    TagEntry* fresh = db.add_tag(file, kSkeletalModelTagType, fourcc("new "), 1, "", 0, 0, std::nullopt);
    tag_type_defaults(kSkeletalModelTagType)(db, *fresh);
    ASSERT_NE(db.get_tag_data(*fresh), nullptr);
    EXPECT_EQ(*db.get_tag_data(*fresh), std::vector<std::uint8_t>(268, 0));

    SkeletalModelSet set;
    set.header.animation = fourcc("walk");
    SkeletalModel model;
    model.header.texture_stack = fourcc("skin");
    model.real_vertex_counts = {0};
    // Kinds 0, 1, 2 name 'skmd', 'loli', 'lpgr'; kind 3 is no attachment whatever its id.
    const tag_id ids[4] = {fourcc("hat "), fourcc("lamp"), fourcc("fire"), fourcc("gone")};
    for (std::uint32_t kind = 0; kind < 4; ++kind) {
        skmd_bone bone{};
        bone.parent = -1;
        bone.flags = kind | 12u;
        bone.attached = ids[kind];
        model.bones.push_back(bone);
    }
    set.models.push_back(model);
    TagEntry* full = db.add_tag(file, kSkeletalModelTagType, fourcc("full"), 1, "", 0, 0,
                                save_skmd_payload(set));
    test::RecordingReporter recorder;
    tag_type_dependencies(kSkeletalModelTagType)(db, *fresh, recorder);
    EXPECT_TRUE(recorder.reported.empty());
    tag_type_dependencies(kSkeletalModelTagType)(db, *full, recorder);
    EXPECT_EQ(recorder.reported, (std::vector<std::pair<tag_type, tag_id>>{
                                 {fourcc("skan"), fourcc("walk")},
                                 {fourcc("txst"), fourcc("skin")},
                                 {fourcc("skmd"), fourcc("hat ")},
                                 {fourcc("loli"), fourcc("lamp")},
                                 {fourcc("lpgr"), fourcc("fire")}}));
    detach_all_tag_operations();
}

} // namespace
} // namespace zephane
