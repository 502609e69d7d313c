#include "cli/tool_run.h"
#include "definitions/register_tag_types.h"
#include "sound/sound_test_files.h"
#include "support/test_support.h"
#include "tags/tag_code.h"
#include "tags/tag_database.h"
#include "tags/tag_types.h"

#include <gtest/gtest.h>

namespace zephane::cli {
namespace {

using test::run;
using test::ToolRun;
using zephane::test::ScratchFolder;
namespace data = zephane::test;

// The payload of one tag as a fresh database reads it from disk.
std::vector<std::uint8_t> stored_payload(const std::string& path, tag_type type, tag_id id) {
    TagDatabase db;
    TagFile* file = db.read_tag_file(path, false);
    if (!file) return {};
    TagEntry* entry = db.find_tag_in_file(*file, type, id);
    const Payload* payload = entry ? db.get_tag_data(*entry) : nullptr;
    return payload ? *payload : std::vector<std::uint8_t>{};
}

TEST(ToolGenericTags, NewTagWritesTheTypesDefaultsOnceAndNamesTheTag) {
    ScratchFolder folder;
    const auto tags = folder / "new.tag";
    // The payload is the one Create Tag makes.
    register_tag_types();
    TagDatabase db;
    TagEntry* scratch = db.add_tag(db.create_tag_file(), fourcc("scen"), fourcc("rock"), 2, "x",
                                   0, 0, std::nullopt);
    tag_type_defaults(fourcc("scen"))(db, *scratch);
    const std::string size = std::to_string(scratch->data->size());

    const ToolRun made = run({"new-tag", tags, "scen:rock"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out, "scen:rock\t" + size + " bytes\n");
    EXPECT_NE(run({"list", tags}).out.find("scen\trock\t2\t" + size + "\trock\t"),
              std::string::npos)
        << run({"list", tags}).out;
    EXPECT_EQ(stored_payload(tags, fourcc("scen"), fourcc("rock")), *scratch->data);

    const auto before = data::read_bytes(tags);
    const ToolRun again = run({"new-tag", tags, "scen:rock", "--name", "Other"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("scen:rock is already in new.tag"), std::string::npos) << again.err;
    EXPECT_EQ(data::read_bytes(tags), before);

    ASSERT_EQ(run({"new-tag", tags, "unit:grun", "--name", "Grunts"}).status, 0);
    EXPECT_NE(run({"list", tags}).out.find("\tGrunts\t"), std::string::npos);

    // Types without a new-tag payload (raw files, projectiles) make nothing.
    EXPECT_EQ(run({"new-tag", tags, "proj:arro"}).status, 1);
    const ToolRun raw = run({"new-tag", folder / "raw.tag", "rawd:none"});
    EXPECT_EQ(raw.status, 1);
    EXPECT_FALSE(std::filesystem::exists(folder / "raw.tag"));
}

TEST(ToolGenericTags, RewriteKeepsEveryByteAReaderCarriesAndRefusesDamage) {
    ScratchFolder folder;
    // A projectile whose every byte differs, with a tail past the record.
    const auto odd = folder.write(
        "odd.tag", data::single_tag_file({fourcc("proj"), fourcc("odd_"), "odd",
                                          data::counting_bytes(256 + 12), 2}));
    const auto payload = stored_payload(odd, fourcc("proj"), fourcc("odd_"));
    const ToolRun rewritten = run({"rewrite", odd, "proj:odd_"});
    ASSERT_EQ(rewritten.status, 0) << rewritten.err;
    EXPECT_EQ(rewritten.out, "proj:odd_\t268 bytes\n");
    EXPECT_EQ(stored_payload(odd, fourcc("proj"), fourcc("odd_")), payload);

    // A sound goes through its payload reader and writer.
    const auto wav = folder.write("a.wav", data::pcm_wav(data::test_signal(900)));
    const auto sounds = folder / "s.tag";
    ASSERT_EQ(run({"import-wav", sounds, "soun:aaaa", wav}).status, 0);
    const auto sound = stored_payload(sounds, fourcc("soun"), fourcc("aaaa"));
    ASSERT_EQ(run({"rewrite", sounds, "soun:aaaa"}).status, 0);
    EXPECT_EQ(stored_payload(sounds, fourcc("soun"), fourcc("aaaa")), sound);

    // Refusals leave the file as it was.
    const auto shortp = folder.write(
        "short.tag", data::single_tag_file({fourcc("proj"), fourcc("shrt"), "short",
                                            data::counting_bytes(100), 2}));
    const auto short_bytes = data::read_bytes(shortp);
    const ToolRun refused = run({"rewrite", shortp, "proj:shrt"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("shorter than the 256-byte record"), std::string::npos)
        << refused.err;
    EXPECT_EQ(data::read_bytes(shortp), short_bytes);

    auto damaged_sound = sound;
    damaged_sound.resize(damaged_sound.size() - 40);
    const auto damaged = folder.write(
        "damaged.tag",
        data::single_tag_file({fourcc("soun"), fourcc("dmgd"), "damaged", damaged_sound, 1}));
    EXPECT_EQ(run({"rewrite", damaged, "soun:dmgd"}).status, 1);

    const auto text = folder.write(
        "text.tag", data::single_tag_file({fourcc("text"), fourcc("note"), "note",
                                           data::bytes_of("hello"), 1}));
    const ToolRun untyped = run({"rewrite", text, "text:note"});
    EXPECT_EQ(untyped.status, 1);
    EXPECT_NE(untyped.err.find("text tags have no structured reader"), std::string::npos);
    EXPECT_EQ(run({"rewrite", text, "text:none"}).status, 1);
}

} // namespace
} // namespace zephane::cli
