// Reading and writing tag files, byte for byte against files built independently.

#include <gtest/gtest.h>

#include <cstring>

#include "mesh/mesh_entry_points.h"
#include "support/test_support.h"
#include "base/byte_reader.h"
#include "base/errors.h"
#include "tags/tag_file_format.h"
#include "tags/tag_file_verify.h"
#include "tags/tag_file_writer.h"

namespace zephane {
namespace {

using test::ScratchFolder;
using test::TestTag;

std::vector<std::uint8_t> hello_file() {
    return {0x00, 0x00, 0x00, 0x00, 'H', 'e', 'l', 'l', 'o', 0, 0, 0, 0, 0, 0, 0, 0, 0,
            0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 't', 'e', 'x', 't',
            'h', 'e', 'l', 'l', 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x05,
            0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0xFF, 't', 'l', 'm', '2',
            'w', 'o', 'r', 'l', 'd'};
}

TEST(TagFileRead, TheSixtyNineByteTextFile) {
    ScratchFolder folder;
    const auto path = folder.write("hello.tag", hello_file());
    TagDatabase db;
    TagFile* file = db.read_tag_file(path, false);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->kind, kFileKindSingle);
    TagEntry* e = db.find_tag(fourcc("text"), fourcc("hell"));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->name, "Hello");
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(e->offset, 64u);
    EXPECT_EQ(e->size, 5u);
    EXPECT_FALSE(e->dirty);
    EXPECT_FALSE(e->data) << "payloads are read on demand";
    EXPECT_FALSE(TagDatabase::tag_file_needs_save(*file));
    ASSERT_NE(db.get_tag_data(*e), nullptr);
    EXPECT_EQ(*e->data, test::bytes_of("world"));
    EXPECT_EQ(db.read_tag_file(path, false), file) << "a path is loaded once";
}

TEST(TagFileWrite, SingleTagFileIsTheSixtyNineBytes) {
    ScratchFolder folder;
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    db.add_tag(file, fourcc("text"), fourcc("hell"), 1, "Hello", 0, 0, test::bytes_of("world"));
    std::filesystem::create_directories(folder.path() / "local");
    ASSERT_TRUE(db.write_tag_file(folder / "local/hello.tag", *file, true, TAG_FILE_TYPE_AUTO));
    EXPECT_EQ(test::read_bytes(folder / "local/hello.tag"), hello_file());
    EXPECT_EQ(file->kind, kFileKindSingle);
    ASSERT_TRUE(db.write_tag_file(folder / "single.tag", *file, false, TAG_FILE_TYPE_SINGLE));
    EXPECT_EQ(test::read_bytes(folder / "single.tag"), hello_file());
}

TEST(TagFileRead, SingleTagSizeComesFromTheFileLength) {
    ScratchFolder folder;
    auto bytes = hello_file();
    bytes[51] = 99; // the size field disagrees with the file
    TagDatabase db;
    ASSERT_NE(db.read_tag_file(folder.write("a.tag", bytes), false), nullptr);
    EXPECT_EQ(db.find_tag(fourcc("text"), fourcc("hell"))->size, 5u);
}

TEST(TagFileRead, RecognitionBySignature) {
    ScratchFolder folder;
    TagDatabase db;
    // 'dng2' at 124 wins over 'tlm2' at 60.
    auto both = test::monolithic_file(1, {{fourcc("text"), fourcc("aaaa"), "A", {1, 2}}});
    store_u32(both.data() + 60, fourcc("tlm2"));
    TagFile* mono = db.read_tag_file(folder.write("both.tag", both), false);
    ASSERT_NE(mono, nullptr);
    EXPECT_EQ(mono->kind, kFileKindPlugin);
    // Shorter than 128 bytes: still probed for 'tlm2' at 60.
    auto short_single = hello_file();
    EXPECT_NE(db.read_tag_file(folder.write("short.tag", short_single), false), nullptr);
    // Shorter than 64 bytes, or neither signature: not a tag file.
    TagFileFailure failure;
    EXPECT_EQ(db.read_tag_file(folder.write("tiny.tag", std::vector<std::uint8_t>(63)), false, &failure), nullptr);
    EXPECT_EQ(failure.reason, TagFileFailure::kNotTagFile);
    EXPECT_EQ(db.read_tag_file(folder.write("text.txt", std::vector<std::uint8_t>(500, 'a')), false), nullptr);
    EXPECT_EQ(db.read_tag_file(folder / "missing.tag", false, &failure), nullptr);
    EXPECT_EQ(failure.reason, TagFileFailure::kUnreadable);
    EXPECT_EQ(db.files().size(), 2u) << "refused files leave nothing behind";
}

TEST(TagFileRead, DamagedHeadersAreRefusedAndBadPayloadsStayAbsent) {
    ScratchFolder folder;
    TagDatabase db;
    const auto good = test::monolithic_file(1, {{fourcc("text"), fourcc("aaaa"), "A", {1, 2, 3}},
                                                 {fourcc("text"), fourcc("bbbb"), "B", {4, 5}}});
    auto too_many_tags = good;
    store_u16(too_many_tags.data() + 102, 0xFFFF);
    auto too_many_entry_points = good;
    store_u16(too_many_entry_points.data() + 100, 3);
    auto cut = good;
    cut.resize(128 + 64 + 10); // the second tag header runs past the end
    for (const auto& bytes : {too_many_tags, too_many_entry_points, cut}) {
        TagFileFailure failure;
        EXPECT_EQ(db.read_tag_file(folder.write("bad.tag", bytes), false, &failure), nullptr);
        EXPECT_EQ(failure.reason, TagFileFailure::kDamaged) << failure.message;
    }
    EXPECT_TRUE(db.files().empty());

    auto past_end = good;
    store_u32(past_end.data() + 128 + 44, 0xFFFFFF00); // first payload offset
    store_u32(past_end.data() + 128 + 64 + 48, 0x7FFFFFFF); // second payload size
    TagFile* file = db.read_tag_file(folder.write("past.tag", past_end), false);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(db.get_tag_data(*db.find_tag(fourcc("text"), fourcc("aaaa"))), nullptr);
    EXPECT_EQ(db.get_tag_data(*db.find_tag(fourcc("text"), fourcc("bbbb"))), nullptr);
    EXPECT_FALSE(db.write_tag_file(folder / "copy.tag", *file, true, TAG_FILE_TYPE_PLUGIN));
}

TEST(TagFileRead, StoredIdZeroGetsAnIdWithoutMarkingTheFile) {
    ScratchFolder folder;
    TagDatabase db;
    db.add_tag(db.create_tag_file(), fourcc("unit"), fourcc("dwar"), 1, "Dwarf", 0, 0, Payload{1});
    TagFile* file = db.read_tag_file(
        folder.write("z.tag", test::monolithic_file(1, {{fourcc("unit"), 0, "Dwarf", {1}}})), false);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->groups.front().entries.front().id, fourcc("dwas"));
    EXPECT_FALSE(file->needupdate);
    EXPECT_FALSE(file->groups.front().entries.front().dirty);
}

TEST(TagFileWrite, GroupsReverseOnEachWriteAndTagsKeepTheirOrder) {
    ScratchFolder folder;
    TagDatabase db;
    const std::vector<TestTag> tags = {{fourcc("unit"), fourcc("aaaa"), "A", {1}},
                                       {fourcc("proj"), fourcc("bbbb"), "B", {2, 2}},
                                       {fourcc("unit"), fourcc("cccc"), "C", {3, 3, 3}}};
    TagFile* file = db.read_tag_file(folder.write("in.tag", test::monolithic_file(1, tags)), false);
    ASSERT_TRUE(db.write_tag_file(folder / "out.tag", *file, false, TAG_FILE_TYPE_PLUGIN));
    TagDatabase again;
    TagFile* out = again.read_tag_file(folder / "out.tag", false);
    ASSERT_NE(out, nullptr);
    const auto names = [](TagFile& f) {
        std::vector<const TagEntry*> entries;
        for (auto& g : f.groups)
            for (auto& e : g.entries) entries.push_back(&e);
        std::sort(entries.begin(), entries.end(), [](auto* a, auto* b) { return a->order < b->order; });
        std::string text;
        for (auto* e : entries) text += e->name;
        return text;
    };
    EXPECT_EQ(names(*out), "BAC") << "the newest group (proj) is written first";
    ASSERT_TRUE(again.write_tag_file(folder / "out2.tag", *out, false, TAG_FILE_TYPE_PLUGIN));
    TagDatabase third;
    EXPECT_EQ(names(*third.read_tag_file(folder / "out2.tag", false)), "ACB");
    EXPECT_TRUE(verify_tag_file(folder / "out2.tag").empty());
}

TEST(TagFileWrite, MonolithicRoundTripKeepsEveryByte) {
    ScratchFolder folder;
    // A single group written back keeps its order exactly, so the bytes come back.
    const auto original = test::monolithic_file(
        1, {{fourcc("unit"), fourcc("aaaa"), "A", {1, 2, 3}, 2}, {fourcc("unit"), fourcc("bbbb"), "B", {}, 2},
            {fourcc("unit"), fourcc("cccc"), "C", std::vector<std::uint8_t>(1000, 7), 2}},
        {}, "round");
    TagDatabase db;
    TagFile* file = db.read_tag_file(folder.write("round.tag", original), false);
    file->preserved_word = 0;
    ASSERT_TRUE(db.write_tag_file(folder / "copy.tag", *file, true, TAG_FILE_TYPE_PLUGIN));
    auto copy = test::read_bytes(folder / "copy.tag");
    std::fill(copy.begin() + 36, copy.begin() + 100, 0);
    const auto [at, unused] = std::mismatch(copy.begin(), copy.end(), original.begin());
    EXPECT_EQ(at, copy.end()) << "first difference at byte " << (at - copy.begin());
}

TEST(TagFileWrite, CommittedSaveLeavesCleanTagsAtNewOffsets) {
    ScratchFolder folder;
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    db.add_tag(file, fourcc("unit"), fourcc("aaaa"), 1, "A", 0, 0, Payload(10, 1));
    db.add_tag(file, fourcc("unit"), fourcc("bbbb"), 1, "B", 0, 0, Payload(20, 2));
    ASSERT_TRUE(db.write_tag_file(folder / "small.tag", *file, true, TAG_FILE_TYPE_PLUGIN));
    EXPECT_EQ(file->spec, folder / "small.tag");
    EXPECT_EQ(file->kind, kFileKindPlugin);
    EXPECT_FALSE(TagDatabase::tag_file_needs_save(*file));
    for (auto& e : file->groups.front().entries) {
        EXPECT_FALSE(e.dirty);
        EXPECT_FALSE(e.data);
    }
    EXPECT_EQ(db.find_tag(fourcc("unit"), fourcc("aaaa"))->offset, 128u + 128u);
    EXPECT_EQ(db.find_tag(fourcc("unit"), fourcc("bbbb"))->offset, 128u + 128u + 10u);
    EXPECT_EQ(*db.get_tag_data(*db.find_tag(fourcc("unit"), fourcc("bbbb"))), Payload(20, 2));
    const auto bytes = test::read_bytes(folder / "small.tag");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()) + 4), "small");
    EXPECT_TRUE(verify_tag_file(folder / "small.tag").empty());
}

TEST(TagFileWrite, HeaderNamesAndKinds) {
    EXPECT_EQ(header_file_name("/x/small.tag"), "small");
    EXPECT_EQ(header_file_name("/x/archive.plugin"), "archive.plugin");
    EXPECT_EQ(header_file_name("/x/" + std::string(40, 'n') + ".tag"), std::string(32, 'n'));
    EXPECT_EQ(resolve_save_kind("/game/local/a.tag", 1), TAG_FILE_TYPE_SINGLE);
    EXPECT_EQ(resolve_save_kind("/game/local/sub/a.tag", 2), TAG_FILE_TYPE_AUTO);
    EXPECT_EQ(resolve_save_kind("/game/tags/a.tag", 2), TAG_FILE_TYPE_BASE);
    EXPECT_EQ(resolve_save_kind("/game/Tags/a.tag", 2), TAG_FILE_TYPE_PLUGIN) << "case-sensitive";
    EXPECT_EQ(resolve_save_kind("/game/plugins/a.tag", 1), TAG_FILE_TYPE_PLUGIN);
    EXPECT_EQ(resolve_save_kind("/tags/local/a.tag", 3), TAG_FILE_TYPE_AUTO) << "local is checked first";
}

TEST(TagFileWrite, BaseKindZeroesThePreservedWordAndLocksTheFile) {
    ScratchFolder folder;
    TagDatabase db;
    auto bytes = test::monolithic_file(1, {{fourcc("text"), fourcc("aaaa"), "A", {1}}});
    store_u16(bytes.data() + 2, 0x1234);
    TagFile* file = db.read_tag_file(folder.write("p.tag", bytes), false);
    EXPECT_EQ(file->preserved_word, 0x1234);
    ASSERT_TRUE(db.write_tag_file(folder / "plugin.tag", *file, false, TAG_FILE_TYPE_PLUGIN));
    EXPECT_EQ(load_u16(test::read_bytes(folder / "plugin.tag").data() + 2), 0x1234);
    ASSERT_TRUE(db.write_tag_file(folder / "base.tag", *file, true, TAG_FILE_TYPE_BASE));
    const auto base = test::read_bytes(folder / "base.tag");
    EXPECT_EQ(load_u16(base.data()), 3);
    EXPECT_EQ(load_u16(base.data() + 2), 0);
    EXPECT_TRUE(TagDatabase::tag_file_is_locked(*file));
    EXPECT_FALSE(db.write_tag_file(folder / "again.tag", *file, false, TAG_FILE_TYPE_PLUGIN));
}

TEST(TagFileWrite, RefusesToOverwriteItsOwnFile) {
    ScratchFolder folder;
    TagDatabase db;
    const auto path = folder.write("self.tag", test::monolithic_file(1, {{fourcc("text"), fourcc("aaaa"), "A", {1, 2}}}));
    TagFile* file = db.read_tag_file(path, false);
    const auto before = test::read_bytes(path);
    EXPECT_FALSE(db.write_tag_file(path, *file, true, TAG_FILE_TYPE_PLUGIN));
    EXPECT_FALSE(db.write_tag_file(folder.path().string() + "/./self.tag", *file, true, TAG_FILE_TYPE_PLUGIN));
    EXPECT_EQ(test::read_bytes(path), before);
}

TEST(TagFileWrite, FailedWriteKeepsChangedPayloads) {
    ScratchFolder folder;
    TagDatabase db;
    TagFile* file = db.read_tag_file(folder.write("a.tag", test::monolithic_file(1, {{fourcc("text"), fourcc("aaaa"), "A", {1, 2}},
                                                                                   {fourcc("text"), fourcc("bbbb"), "B", {3}}})), false);
    TagEntry* a = db.find_tag(fourcc("text"), fourcc("aaaa"));
    db.set_tag_data(*a, Payload{9, 9, 9});
    TagFileFailure failure;
    EXPECT_FALSE(db.write_tag_file(folder / "no/such/folder/x.tag", *file, true, TAG_FILE_TYPE_PLUGIN, &failure));
    EXPECT_FALSE(failure.message.empty());
    EXPECT_TRUE(a->dirty);
    ASSERT_TRUE(a->data);
    EXPECT_EQ(*a->data, (Payload{9, 9, 9}));
    EXPECT_EQ(file->spec, folder / "a.tag");
    EXPECT_TRUE(file->needrewrite);
}

TEST(TagFileWrite, MapsNeedTheEntryPointBuilder) {
    // The file format knows no map headers: without the mesh module's builder a file holding
    // maps is refused, before anything is written.
    set_entry_point_builder({});
    ScratchFolder folder;
    TagDatabase db;
    TagFile* maps = db.create_tag_file();
    db.add_tag(maps, fourcc("mesh"), fourcc("mapa"), 11, "Map A", 0, 0, Payload(2048, 0));
    TagFileFailure failure;
    EXPECT_FALSE(db.write_tag_file(folder / "maps.tag", *maps, false, TAG_FILE_TYPE_PLUGIN, &failure));
    EXPECT_EQ(failure.message, "a map's header could not be read to build the entry points");
    EXPECT_FALSE(std::filesystem::exists(folder / "maps.tag"));
    set_entry_point_builder(build_mesh_entry_points);
}

TEST(TagFileChecksums, RegisterIsTheComplementOfTheUsualCrc) {
    // The usual CRC-32 of "123456789" is 0xCBF43926; the raw register is its complement.
    EXPECT_EQ(tag_crc(kCrcInitial, test::bytes_of("123456789")), ~0xCBF43926u);
    const auto all = tag_crc(kCrcInitial, test::bytes_of("123456789"));
    const auto running = tag_crc(tag_crc(kCrcInitial, test::bytes_of("1234")), test::bytes_of("56789"));
    EXPECT_EQ(all, running);
    EXPECT_EQ(tag_crc(kCrcInitial, {}), kCrcInitial);
    EXPECT_EQ(tag_crc(running, {}), running) << "an empty payload continues the register";
}

TEST(TagFileLength, SeeksToTheEndAndBack) {
    ScratchFolder folder;
    const auto path = folder.write("len.bin", Payload(300, 1));
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    std::fseek(stream, 17, SEEK_SET);
    EXPECT_EQ(file_length(stream), 300u);
    EXPECT_EQ(std::ftell(stream), 17);
    std::fclose(stream);
}

} // namespace
} // namespace zephane
