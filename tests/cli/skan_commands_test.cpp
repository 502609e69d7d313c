#include "cli/tool_run.h"

#include <gtest/gtest.h>

#include <cstring>

#include "skeletal/canm_payload.h"
#include "skeletal/skan_bytes.h"
#include "skeletal/skan_payload.h"
#include "skeletal/skl_builder.h"
#include "support/test_support.h"

namespace zephane::cli {
namespace {

using test::run;
using test::ToolRun;
using zephane::test::read_bytes;
using zephane::test::ScratchFolder;
using zephane::test::SklText;

std::vector<std::uint8_t> skl_bytes(bool with_origin, double step = 2) {
    SklText s;
    if (with_origin) s.bones = {{-1, "tag_origin_standard"}, {0, "Pelvis"}, {1, "Spine"}};
    else s.bones = {{-1, "Pelvis"}, {0, "Spine"}};
    for (int f = 0; f < 3; ++f) {
        std::vector<zephane::test::SklTextPose> poses(s.bones.size());
        for (std::size_t b = 0; b < poses.size(); ++b) {
            poses[b].offset[0] = step * f;
            poses[b].offset[2] = double(b);
        }
        s.frames.push_back(poses);
    }
    return s.bytes();
}

struct Loaded {
    std::int16_t version = 0;
    std::string name;
    std::vector<std::uint8_t> payload;
};

Loaded load_tag(const std::string& path, tag_type type, tag_id id) {
    TagDatabase db;
    TagFile* file = db.read_tag_file(path, false);
    if (!file) return {};
    TagEntry* entry = db.find_tag_in_file(*file, type, id);
    if (!entry) return {};
    return {entry->version, entry->name, *db.get_tag_data(*entry)};
}

SkeletalAnimationSet load_set(const std::string& path) {
    return load_skan_payload(load_tag(path, fourcc("skan"), fourcc("walk")).payload);
}

TEST(ToolSkan, SetHierarchyCreatesTheTagAndTakesTheStandardOriginByDefault) {
    ScratchFolder folder;
    const std::string skl = folder.write("hero_rig.skl", skl_bytes(true));
    const std::string tags = folder / "anims.tag";
    const ToolRun made = run({"set-hierarchy", tags, "skan:walk", skl});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out, "skan:walk: 2 bones, origin tag_origin_standard\n");
    const Loaded tag = load_tag(tags, fourcc("skan"), fourcc("walk"));
    EXPECT_EQ(tag.name, "hero_rig");
    EXPECT_EQ(tag.version, 2);
    SkeletalAnimationSet set = load_skan_payload(tag.payload);
    ASSERT_EQ(set.bones.size(), 2u);
    EXPECT_STREQ(set.bones[0].name, "Pelvis");

    ASSERT_EQ(run({"set-hierarchy", tags, "skan:walk", skl, "--no-origin"}).status, 0);
    EXPECT_EQ(load_set(tags).bones.size(), 3u);
    ASSERT_EQ(run({"set-hierarchy", tags, "skan:walk", skl, "--origin", "Pelvis"}).status, 0);
    set = load_set(tags);
    ASSERT_EQ(set.bones.size(), 2u);
    EXPECT_STREQ(set.bones[0].name, "tag_origin_standard");
    EXPECT_STREQ(set.bones[1].name, "Spine");
    EXPECT_EQ(set.bones[1].parent, -1); // its parent was the origin

    const auto before = read_bytes(tags);
    const ToolRun wrong = run({"set-hierarchy", tags, "skan:walk", skl, "--origin", "Tail"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.err.find("no bone named 'Tail'"), std::string::npos) << wrong.err;
    EXPECT_EQ(read_bytes(tags), before);
    EXPECT_EQ(run({"set-hierarchy", folder / "new.tag", "skan:walk", skl, "--origin", "Tail"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(folder / "new.tag"));
    EXPECT_EQ(run({"set-hierarchy", tags, "skan:walk", skl, "--origin", "Pelvis", "--no-origin"}).status, 2);
}

TEST(ToolSkan, ImportAnimationNeedsAHierarchyAndAppends) {
    ScratchFolder folder;
    const std::string skl = folder.write("run_cycle.skl", skl_bytes(true));
    const std::string tags = folder / "anims.tag";
    ASSERT_EQ(run({"new-tag", tags, "skan:walk"}).status, 0);
    const auto empty = read_bytes(tags);
    const ToolRun refused = run({"import-animation", tags, "skan:walk", skl});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "zephane-tool: skan:walk: You must specify a hierarchy before importing animations.\n");
    EXPECT_EQ(read_bytes(tags), empty);

    ASSERT_EQ(run({"set-hierarchy", tags, "skan:walk", skl}).status, 0);
    const ToolRun first = run({"import-animation", tags, "skan:walk", skl});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "skan:walk: animation 0 'run_cycle', 3 frames\n");
    const ToolRun second = run({"import-animation", tags, "skan:walk", skl, "--x", "absolute", "--yaw", "absolute",
                                "--loop", "--name", "stand"});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out, "skan:walk: animation 1 'stand', 2 frames\n");
    const ToolRun zero = run({"import-animation", tags, "skan:walk", skl, "--x", "zero", "--no-origin"});
    ASSERT_EQ(zero.status, 0) << zero.err;

    const SkeletalAnimationSet set = load_set(tags);
    ASSERT_EQ(set.animations.size(), 3u);
    EXPECT_EQ(set.animations[0].frames[1].record.motion, 2 * 65536); // relative: recorded
    EXPECT_EQ(set.animations[1].frames[1].record.motion, 0);         // absolute: in the poses
    EXPECT_EQ(set.animations[1].header.flags, kSkanLoopable);
    EXPECT_GT(set.animations[1].frames[1].poses[0].position[0], 0);
    EXPECT_EQ(set.animations[0].frames[1].poses[0].position[0], 0);
    EXPECT_EQ(set.animations[2].frames[1].record.motion, 0); // no origin: nothing moves it

    EXPECT_EQ(run({"import-animation", tags, "skan:walk", skl, "--x", "sideways"}).status, 2);
    EXPECT_EQ(run({"import-animation", tags, "skan:none", skl}).status, 1);

    // A new hierarchy keeps the animations (their poses follow the bones by name) and states.
    const std::string other = folder.write("rig2.skl", skl_bytes(false));
    ASSERT_EQ(run({"set-hierarchy", tags, "skan:walk", other, "--no-origin"}).status, 0);
    EXPECT_EQ(load_set(tags).animations.size(), 3u);

    const ToolRun info = run({"skan-info", tags, "skan:walk"});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("bones: 2\n  bone 0 'Pelvis' parent -1\n  bone 1 'Spine' parent 0\nanimations: 3\n"
                            "  animation 0 'run_cycle'\n    frames: 3, bytes: 204, flags: 0\n"
                            "    frames/sec: 30.0000, position exponent: 14\n"
                            "    fades: in 0.1250, interrupt 0.5000, out 0.1250\n    motion total: 4.0000\n"),
              std::string::npos)
        << info.out;
    EXPECT_NE(info.out.find("\nstates: 0\n"), std::string::npos);
}

std::vector<std::uint8_t> v1_payload(float scale, std::uint32_t frames_claimed) {
    zephane::test::BeBytes e;
    const float identity[4] = {0, 0, 0, 1}, origin[3] = {0, 0, 0};
    e.header(1, 1, 0).bone("root", -1, identity, origin).zeros(4);
    e.name("old").i16(-1).u16(frames_claimed).u16(0).u16(0).f32(30).f32(scale).f32(0).f32(0).f32(0);
    e.f32(1.0f).u16(0).raw({0xFF, 0xFF}).u32(0xFFFFFFFFu).pose({100, 0, 0, 0, 0, 0, 32000}).zeros(2);
    return e.b;
}

TEST(ToolSkan, UpdateConvertsVersion1TagsAndNamesTheOnesItCannot) {
    ScratchFolder folder;
    const std::string both = folder.write(
        "both.tag", zephane::test::monolithic_file(1, {{fourcc("skan"), fourcc("good"), "good", v1_payload(0.5f, 1), 1},
                                                       {fourcc("skan"), fourcc("bad_"), "bad", v1_payload(0.5f, 9), 1}}));
    const ToolRun updated = run({"update", both});
    EXPECT_EQ(updated.status, 1);
    EXPECT_NE(updated.err.find("skan:bad_ 'bad': cannot be converted"), std::string::npos) << updated.err;
    const Loaded good = load_tag(both, fourcc("skan"), fourcc("good"));
    EXPECT_EQ(good.version, 2);
    const SkeletalAnimationSet set = load_skan_payload(good.payload);
    EXPECT_EQ(set.animations[0].frames[0].record.motion, 65536);
    EXPECT_EQ(set.animations[0].frames[0].poses[0].position[0], 100);
    EXPECT_EQ(set.animations[0].header.position_exponent, 1);
    const Loaded bad = load_tag(both, fourcc("skan"), fourcc("bad_"));
    EXPECT_EQ(bad.version, 1);
    EXPECT_EQ(bad.payload, v1_payload(0.5f, 9));

    // Nothing else changed: the file is not written.
    const std::string only = folder.write(
        "only.tag", zephane::test::single_tag_file({fourcc("skan"), fourcc("bad_"), "bad", v1_payload(0.5f, 9), 1}));
    const auto before = read_bytes(only);
    EXPECT_EQ(run({"update", only}).status, 1);
    EXPECT_EQ(read_bytes(only), before);

    // rewrite refuses version 1 and reads version 2 again byte for byte.
    const ToolRun rewrite = run({"rewrite", only, "skan:bad_"});
    EXPECT_EQ(rewrite.status, 1);
    EXPECT_EQ(rewrite.err, "zephane-tool: skan:bad_: version 1: run update first\n");
    const ToolRun again = run({"rewrite", both, "skan:good"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(load_tag(both, fourcc("skan"), fourcc("good")).payload, good.payload);
}

TEST(ToolCamera, ImportCameraAddsANamedTagAndPrintsItsIdLast) {
    ScratchFolder folder;
    const std::string ase = folder.write(
        "fly_by.ASE", zephane::test::bytes_of("*CONTROL_POS_TRACK {\n*CONTROL_POS_SAMPLE 0 1 2 3\n}\n"
                                              "*CONTROL_ROT_TRACK {\n// none yet\n}\n"));
    const std::string tags = folder / "cams.tag";
    const ToolRun made = run({"import-camera", tags, ase});
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string last = made.out.substr(made.out.rfind('\n', made.out.size() - 2) + 1);
    ASSERT_EQ(last.size(), 10u) << made.out;
    EXPECT_EQ(last.substr(0, 5), "canm:");
    TagDatabase db;
    TagFile* file = db.read_tag_file(tags, false);
    ASSERT_TRUE(file);
    const tag_id id = text_to_tag_id(last.substr(5, 4));
    TagEntry* entry = db.find_tag_in_file(*file, fourcc("canm"), id);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name, "fly_by");
    EXPECT_EQ(db.get_tag_data(*entry)->size(), 32u);
    EXPECT_EQ(id, TagDatabase{}.make_tag_id("fly_by", fourcc("canm"), nullptr));

    const ToolRun named = run({"import-camera", tags, ase, "--name", "Sweep"});
    ASSERT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(run({"rewrite", tags, named.out.substr(named.out.rfind("canm:"), 9)}).status, 0);

    const std::string broken = folder.write("broken.ase", zephane::test::bytes_of("*CONTROL_POS_TRACK { }\n"));
    const auto before = read_bytes(tags);
    const ToolRun refused = run({"import-camera", tags, broken});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("no *CONTROL_ROT_TRACK"), std::string::npos) << refused.err;
    EXPECT_EQ(read_bytes(tags), before);
    const std::string unopened = folder.write("open.ase", zephane::test::bytes_of("*CONTROL_POS_TRACK ( }"));
    EXPECT_EQ(run({"import-camera", folder / "fresh.tag", unopened}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(folder / "fresh.tag"));
}

} // namespace
} // namespace zephane::cli
