// The foundation build on workspaces made on disk: where each tag lands, where it is taken
// from, what the log says, and how the build ends when a payload or a file fails.
//
// Every type here reports the references its payload lists as 8-byte type/id pairs, so each
// test draws the graph it needs. Maps are padded to a whole mesh header.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/test_support.h"
#include "base/byte_reader.h"
#include "mesh/mesh_entry_points.h"
#include "tags/tag_file_writer.h"
#include "tags/foundation_build.h"

namespace zephane {
namespace {

using test::ScratchFolder;
using test::TestTag;

void listed_references(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    const Payload* payload = db.get_tag_data(tag);
    if (!payload) return;
    for (std::size_t at = 0; at + 8 <= payload->size(); at += 8) {
        const tag_type type = load_u32(payload->data() + at);
        if (type == 0) return;
        reporter.report_dependency(type, load_u32(payload->data() + at + 4));
    }
}

Payload refs(const std::vector<std::string>& type_ids, std::size_t pad_to = 0) {
    Payload p;
    for (const std::string& t : type_ids) {
        p.resize(p.size() + 8);
        store_u32(p.data() + p.size() - 8, text_to_tag_id(t.substr(0, 4)));
        store_u32(p.data() + p.size() - 4, text_to_tag_id(t.substr(5, 4)));
    }
    if (p.size() < pad_to) p.resize(pad_to, 0);
    return p;
}

TestTag tag(const std::string& type_id, const std::string& name, Payload payload) {
    return {text_to_tag_id(type_id.substr(0, 4)), text_to_tag_id(type_id.substr(5, 4)), name,
            std::move(payload)};
}

TestTag map(const std::string& id, const std::vector<std::string>& references) {
    return tag("mesh:" + id, "Map " + id, refs(references, 1024));
}

class FoundationBuildTest : public ::testing::Test {
protected:
    void SetUp() override {
        detach_all_tag_operations();
        for (std::size_t k = 0; k < kTagTypeCount; ++k)
            attach_tag_dependencies(tag_type_at(k), listed_references);
        set_entry_point_builder(build_mesh_entry_points); // the outputs hold maps
    }
    void TearDown() override { detach_all_tag_operations(); }

    void local(const TestTag& t, const std::string& file = "") {
        folder.write("local/" + (file.empty() ? tag_text(t.id) + ".tag" : file), test::single_tag_file(t));
    }
    // Loads the workspace and builds from the root list text.
    FoundationResult build(const std::string& roots) {
        const std::string list = folder.write("roots.txt", test::bytes_of(roots));
        for (const char* name : {"tags", "local", "plugins"})
            if (std::filesystem::is_directory(folder / name)) db.load_tag_folder(folder / name, true);
        FoundationBuild build(db);
        const FoundationResult result = build.run_foundation_build(list, folder.path().string());
        records = build.records();
        return result;
    }
    // type:id of each tag of an output, in file order.
    std::vector<std::string> output(const char* name) {
        TagDatabase reader;
        TagFile* file = reader.read_tag_file(folder / (std::string("foundation_build/") + name), false);
        if (!file) return {"(missing)"};
        EXPECT_EQ(file->kind, kFileKindBase) << name;
        std::vector<const TagEntry*> entries;
        for (const TagGroup& group : file->groups)
            for (const TagEntry& entry : group.entries) entries.push_back(&entry);
        std::sort(entries.begin(), entries.end(), [](auto* a, auto* b) { return a->order < b->order; });
        std::vector<std::string> out;
        for (const TagEntry* e : entries) out.push_back(tag_text(TagDatabase::get_tag_type(*e)) + ":" + tag_text(e->id));
        return out;
    }
    std::vector<std::string> log() {
        std::ifstream in(folder / "foundation_build/dependency_log.txt");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    bool small(const std::string& type_id) const {
        for (const FoundationRecord& r : records)
            if (tag_text(r.type) + ":" + tag_text(r.id) == type_id) return r.small;
        ADD_FAILURE() << type_id << " not recorded";
        return false;
    }

    ScratchFolder folder;
    TagDatabase db;
    std::vector<FoundationRecord> records;
};

using Lines = std::vector<std::string>;

TEST_F(FoundationBuildTest, MapsShareWhatBothUse) {
    local(map("abcd", {"unit:shar", "unit:priv"}));
    local(map("efgh", {"unit:shar"}));
    local(tag("unit:shar", "Shared", refs({"obje:objs"})));
    local(tag("unit:priv", "Private", refs({})));
    local(tag("obje:objs", "Object", refs({})));
    const FoundationResult result = build("mesh:abcd mesh:efgh");
    ASSERT_TRUE(result.complete) << result.failure;
    // Groups newest first, each group's tags in the order they were recorded.
    EXPECT_EQ(output("large.tag"), (Lines{"unit:priv", "mesh:abcd", "mesh:efgh"}));
    EXPECT_EQ(output("small.tag"), (Lines{"obje:objs", "unit:shar"}));
    EXPECT_EQ(output("small_localized.tag"), Lines{});
    EXPECT_EQ(log(), Lines{});
    EXPECT_EQ(records[2].map, fourcc("abcd")); // first reached under abcd, then shared
}

TEST_F(FoundationBuildTest, TagsFirstReachedInsideAMapArePromotedWithTheirReferences) {
    local(map("abcd", {"obje:rock"}));
    local(tag("unit:dwar", "Dwarf", refs({"obje:rock", "mons:dwrf"})));
    local(tag("obje:rock", "Rock", refs({"proj:chip"})));
    local(tag("proj:chip", "Chip", refs({})));
    local(tag("mons:dwrf", "Dwarf", refs({})));
    ASSERT_TRUE(build("mesh:abcd unit:dwar").complete);
    EXPECT_FALSE(small("mesh:abcd"));
    for (const char* t : {"unit:dwar", "obje:rock", "proj:chip", "mons:dwrf"}) EXPECT_TRUE(small(t)) << t;
    EXPECT_EQ(output("large.tag"), Lines{"mesh:abcd"});
    EXPECT_EQ(records.size(), 5u);
}

TEST_F(FoundationBuildTest, CollectionsFontsDialogsAndLocalizedTypes) {
    local(map("abcd", {".256:coll", ".256:MTit", "font:fnt1", "bina:dlg1", "stli:strs", "soun:snd1"}));
    local(tag(".256:coll", "Collection", {1}));
    local(tag(".256:MTit", "Title", {2}));
    local(tag("font:fnt1", "Font", {3}));
    local(tag("bina:dlg1", "Dialog", {4}));
    local(tag("stli:strs", "Strings", {'a', '\r', 'b'}));
    local(tag("soun:snd1", "Sound", {5}));
    ASSERT_TRUE(build("mesh:abcd").complete);
    EXPECT_EQ(output("small.tag"), Lines{".256:coll"});
    EXPECT_EQ(output("small_localized.tag"), (Lines{"stli:strs", "bina:dlg1", "font:fnt1", ".256:MTit"}));
    EXPECT_EQ(output("large.tag"), (Lines{"soun:snd1", "mesh:abcd"}));
    EXPECT_TRUE(small("font:fnt1"));
    EXPECT_TRUE(small("bina:dlg1"));
    EXPECT_FALSE(small("stli:strs"));
}

TEST_F(FoundationBuildTest, SourcesAndDuplicates) {
    folder.write("tags/base.tag",
                 test::monolithic_file(3, {tag("unit:both", "Base Both", {1}), tag("unit:base", "Base Only", {2})}));
    local(tag("unit:both", "Local Both", {3}));
    local(tag("unit:dupl", "Local Dup", {4}));
    folder.write("plugins/plug.tag", test::monolithic_file(1, {tag("unit:dupl", "Plugin Dup", {5})}));
    ASSERT_TRUE(build("unit:both unit:base unit:dupl").complete);
    EXPECT_EQ(log(), (Lines{
                         "used foundation tag 'Base Only' (unit/base) in file base.tag (referenced from initial seeding)",
                         "duplicate tag 'Plugin Dup' (unit/dupl) in file plug.tag (referenced from initial seeding)",
                         "duplicate tag 'Local Dup' (unit/dupl) in file dupl.tag (referenced from initial seeding)",
                     }));
    TagDatabase reader;
    TagFile* small = reader.read_tag_file(folder / "foundation_build/small.tag", false);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(*reader.get_tag_data(*reader.find_tag(fourcc("unit"), fourcc("both"))), Payload{3});
    EXPECT_EQ(*reader.get_tag_data(*reader.find_tag(fourcc("unit"), fourcc("base"))), Payload{2});
    TagEntry* dupl = reader.find_tag(fourcc("unit"), fourcc("dupl"));
    EXPECT_EQ(*reader.get_tag_data(*dupl), Payload{5});
    EXPECT_EQ(dupl->name, "Plugin Dup");
}

TEST_F(FoundationBuildTest, UnknownMissingAndIgnoredReferences) {
    Payload dwarf = refs({"zzzz:abcd", "proj:gone", "proj:____", "obje:rock"});
    store_u32(dwarf.data() + 28, 0); // a reference to id 0
    dwarf.resize(40);
    store_u32(dwarf.data() + 32, fourcc("mons"));
    store_u32(dwarf.data() + 36, kNoTag);
    local(tag("unit:dwar", "Dwarf", dwarf));
    // A token whose fifth character is not ':' is dropped; a token cut by the end is ignored.
    ASSERT_TRUE(build("xxxxyunit:dwar\r\n\tunit:none mesh").complete);
    EXPECT_EQ(log(), (Lines{
                         "unknown tag type zzzz of id abcd (referenced from 'Dwarf' (unit/dwar) in file dwar.tag)",
                         "missing tag proj/gone (referenced from 'Dwarf' (unit/dwar) in file dwar.tag)",
                         "missing tag unit/none (referenced from initial seeding)",
                     }));
    EXPECT_EQ(records.size(), 1u);
}

TEST_F(FoundationBuildTest, OldOutputsGoAndReleasedSourcesStayOnDisk) {
    local(tag("unit:dwar", "Dwarf", refs({})));
    for (const char* old : {"small.tag", "large.tag", "large_localized.tag", "small_localized.tag"})
        folder.write(std::string("foundation_build/") + old, {1, 2, 3});
    ASSERT_TRUE(build("unit:dwar").complete);
    EXPECT_FALSE(std::filesystem::exists(folder / "foundation_build/large_localized.tag"));
    EXPECT_EQ(output("large.tag"), Lines{});
    EXPECT_EQ(output("small.tag"), Lines{"unit:dwar"});
    TagEntry* source = db.find_tag(fourcc("unit"), fourcc("dwar"));
    EXPECT_FALSE(source->data.has_value());
    EXPECT_EQ(db.files().size(), 1u); // the outputs are closed
}

TEST_F(FoundationBuildTest, APayloadThatCannotBeReadEndsTheBuild) {
    local(tag("unit:dwar", "Dwarf", refs({"obje:rock"})));
    local(tag("obje:rock", "Rock", {9}));
    for (const char* name : {"tags", "local", "plugins"})
        if (std::filesystem::is_directory(folder / name)) db.load_tag_folder(folder / name, true);
    std::filesystem::remove(folder / "local/rock.tag");
    FoundationBuild build(db);
    build.begin_foundation_build(folder.path().string());
    build.report_dependency(fourcc("unit"), fourcc("dwar"));
    const FoundationResult result = build.build_foundation_files();
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(log(), Lines{"out of memory building monolithic"});
    EXPECT_FALSE(std::filesystem::exists(folder / "foundation_build/small.tag"));
}

TEST_F(FoundationBuildTest, AFileThatCannotBeWrittenSkipsTheRest) {
    local(tag("unit:dwar", "Dwarf", refs({})));
    std::filesystem::create_directories(folder / "foundation_build/small_localized.tag/in-the-way");
    const FoundationResult result = build("unit:dwar");
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(result.failure, "could not write small_localized.tag");
    EXPECT_EQ(log(), Lines{"could not write small_localized.tag"});
    EXPECT_EQ(output("small.tag"), Lines{"unit:dwar"});
    EXPECT_FALSE(std::filesystem::exists(folder / "foundation_build/large.tag"));
}

TEST_F(FoundationBuildTest, TheLimitIsLoggedOnce) {
    TagFile* file = db.create_tag_file();
    const std::size_t count = FoundationBuild::kRecordLimit + 3;
    for (std::size_t k = 0; k < count; ++k)
        db.add_tag(file, fourcc("unit"), static_cast<tag_id>(0x41000000u + k), 1, "u", 0, 0, Payload{});
    FoundationBuild build(db);
    build.begin_foundation_build(folder.path().string());
    for (std::size_t k = 0; k < count; ++k) build.report_dependency(fourcc("unit"), static_cast<tag_id>(0x41000000u + k));
    EXPECT_EQ(build.records().size(), FoundationBuild::kRecordLimit);
    EXPECT_TRUE(build.build_foundation_files().complete);
    EXPECT_EQ(log(), Lines{"limit of 50000 tags exceeded (referenced from initial seeding)"});
}

TEST(FoundationDescriptions, TagsAndCollections) {
    TagDatabase db;
    TagEntry* unsaved = db.add_tag(db.create_tag_file(), fourcc("unit"), fourcc("dwar"), 1, "Dwarf", 0, 0, Payload{});
    EXPECT_EQ(describe_tag(unsaved), "'Dwarf' (unit/dwar) in unsaved file");
    EXPECT_EQ(describe_tag(nullptr), "NULL tag pointer");
    EXPECT_TRUE(is_localized_collection(fourcc(".256"), fourcc("inmt")));
    EXPECT_TRUE(is_localized_collection(fourcc(".256"), fourcc("OLB7")));
    EXPECT_FALSE(is_localized_collection(fourcc(".256"), fourcc("mtit")));
    EXPECT_FALSE(is_localized_collection(fourcc("stli"), fourcc("MTit")));
}

} // namespace
} // namespace zephane
