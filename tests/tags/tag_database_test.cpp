// The tag database: lookups, tag operations, ids, structured access, notifications.

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "base/errors.h"
#include "tags/tag_clipboard.h"
#include "tags/tag_file_format.h"

namespace zephane {
namespace {

using test::RecordingObserver;
using test::ScratchFolder;

constexpr tag_type kUnit = fourcc("unit");
constexpr tag_type kProj = fourcc("proj");

class Database : public ::testing::Test {
protected:
    TagEntry* add(TagFile* file, tag_type type, const char* id, const char* name, Payload data = {1}) {
        return db.add_tag(file, type, fourcc_text(id), 1, name, 0, 0, std::move(data));
    }
    static tag_id fourcc_text(const char* id) { return id ? text_to_tag_id(id) : 0; }
    // As after a save: nothing changed, nothing dirty.
    static void mark_saved(TagFile& file) {
        file.needupdate = file.needrewrite = false;
        for (TagGroup& group : file.groups)
            for (TagEntry& entry : group.entries) entry.dirty = false;
    }
    TagDatabase db;
};

TEST_F(Database, LaterLoadedFilesWinLookups) {
    ScratchFolder folder;
    const auto a = folder.write("a.tag", test::monolithic_file(1, {{kUnit, fourcc("dwar"), "From A", {1}}}));
    const auto b = folder.write("b.tag", test::monolithic_file(1, {{kUnit, fourcc("dwar"), "From B", {2}}}));
    db.read_tag_file(a, false);
    TagFile* fb = db.read_tag_file(b, false);
    EXPECT_EQ(db.find_tag(kUnit, fourcc("dwar"))->name, "From B");
    EXPECT_EQ(db.find_tag(kUnit, fourcc("dwar"))->file, fb);
    EXPECT_EQ(db.find_tag(kProj, fourcc("dwar")), nullptr);
    // Within one file the newest entry of the group comes first.
    add(fb, kUnit, "dwar", "Newer in B");
    EXPECT_EQ(db.find_tag(kUnit, fourcc("dwar"))->name, "Newer in B");
    EXPECT_EQ(db.count_tags(*db.find_tag_group(*fb, kUnit, false), fourcc("dwar")), 2u);
    EXPECT_EQ(db.count_tags(*db.find_tag_group(*fb, kUnit, false), 0), 2u);
}

TEST_F(Database, RevertKeepsTheFilesPlaceInLookups) {
    ScratchFolder folder;
    TagFile* local = db.read_tag_file(folder.write("local/d.tag", test::single_tag_file({kUnit, fourcc("dwar"), "Local", {1}})), false);
    db.read_tag_file(folder.write("plugins/p.tag", test::monolithic_file(1, {{kUnit, fourcc("dwar"), "Plugin", {2}}})), false);
    db.set_tag_name(local->groups.front().entries.front(), "Changed");
    TagFile* reverted = db.revert_tag_file(*local);
    ASSERT_NE(reverted, nullptr);
    EXPECT_EQ(reverted->groups.front().entries.front().name, "Local");
    EXPECT_EQ(db.find_tag(kUnit, fourcc("dwar"))->name, "Plugin") << "the plugin still wins";
    EXPECT_EQ(&db.files().back(), reverted);
}

TEST_F(Database, IndexAgreesWithTheListWalkThroughChanges) {
    // Build files, move tags between types and ids, delete some, and compare every lookup with
    // a plain walk of the lists.
    std::vector<TagFile*> files;
    for (int f = 0; f < 4; ++f) files.push_back(db.create_tag_file());
    const char* ids[] = {"aaaa", "bbbb", "cccc"};
    for (int k = 0; k < 24; ++k) add(files[static_cast<std::size_t>(k % 4)], k % 3 ? kUnit : kProj, ids[k % 3], "t");
    db.set_tag_id(*db.find_tag(kUnit, fourcc("bbbb")), fourcc("cccc"));
    db.set_tag_type(*db.find_tag(kProj, fourcc("aaaa")), kUnit);
    db.delete_tag(*db.find_tag(kUnit, fourcc("cccc")));
    const auto walk = [&](tag_type type, tag_id id) -> TagEntry* {
        for (TagFile& file : db.files())
            for (TagGroup& group : file.groups)
                if (group.type == type)
                    for (TagEntry& e : group.entries)
                        if (e.id == id) return &e;
        return nullptr;
    };
    for (tag_type type : {kUnit, kProj})
        for (const char* id : ids) {
            EXPECT_EQ(db.find_tag(type, fourcc_text(id)), walk(type, fourcc_text(id))) << id;
            for (TagFile* file : files) {
                TagEntry* in_file = db.find_tag_in_file(*file, type, fourcc_text(id));
                TagGroup* group = db.find_tag_group(*file, type, false);
                TagEntry* expected = nullptr;
                if (group)
                    for (TagEntry& e : group->entries)
                        if (!expected && e.id == fourcc_text(id)) expected = &e;
                EXPECT_EQ(in_file, expected);
            }
        }
}

TEST_F(Database, ArrangeGivesTheFileAnOrderAndLookupsFollowIt) {
    TagFile* file = db.create_tag_file();
    TagEntry* first = add(file, kUnit, "dwar", "First");
    TagEntry* arrow = add(file, kProj, "arrw", "Arrow");
    TagEntry* second = add(file, kUnit, "dwar", "Second"); // a duplicate, nearer the head
    TagEntry* troll = add(file, kUnit, "trow", "Troll");
    ASSERT_EQ(db.find_tag(kUnit, fourcc("dwar")), second);
    mark_saved(*file);

    // Units after projectiles, the first dwarf at the head; the troll, not listed, last.
    db.arrange_tag_file(*file, {arrow, first, second});
    std::vector<std::string> names;
    for (TagGroup& group : file->groups)
        for (TagEntry& entry : group.entries) names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Arrow", "First", "Second", "Troll"}));
    EXPECT_EQ(db.find_tag(kUnit, fourcc("dwar")), first);
    EXPECT_EQ(db.find_tag_in_file(*file, kUnit, fourcc("dwar")), first);
    EXPECT_EQ(db.find_tag(kUnit, fourcc("trow")), troll);
    EXPECT_EQ(db.total_tag_count(), 4u);
    EXPECT_FALSE(TagDatabase::tag_file_needs_save(*file)); // the caller decides the flags
    db.check_file(*file);
}

TEST_F(Database, AddTagNamesAndIds) {
    TagFile* file = db.create_tag_file();
    TagEntry* untitled = db.add_tag(file, kProj, 0, 1, "", 0, 0, Payload{1});
    EXPECT_EQ(untitled->name, "Untitled Projectile");
    EXPECT_EQ(untitled->id, fourcc("unpr"));
    EXPECT_EQ(db.add_tag(file, fourcc("qqqq"), 0, 1, "", 0, 0, Payload{1})->name, "Untitled UNKNOWN TYPE");
    EXPECT_EQ(db.add_tag(file, kUnit, 0, 1, std::string(40, 'n'), 0, 0, Payload{1})->name, std::string(31, 'n'));
    EXPECT_TRUE(untitled->dirty);
    EXPECT_TRUE(file->needupdate);
    EXPECT_TRUE(file->needrewrite);
    EXPECT_EQ(db.add_tag(nullptr, kUnit, 0, 1, "x", 0, 0, std::nullopt), nullptr);
}

TEST_F(Database, MakeTagIdScopes) {
    TagFile* one = db.create_tag_file();
    TagFile* two = db.create_tag_file();
    add(one, kUnit, "dwar", "Dwarf");
    EXPECT_EQ(db.make_tag_id("Dwarf", kUnit, nullptr), fourcc("dwas"));
    for (const char* id : {"dwas", "dwat", "dwau", "dwav", "dwaw", "dwax", "dway", "dwaz"}) add(two, kUnit, id, "x");
    EXPECT_EQ(db.make_tag_id("Dwarf", kUnit, nullptr), fourcc("dwb0"));
    EXPECT_EQ(db.make_tag_id("Dwarf", kUnit, one), fourcc("dwas")) << "clashes in other files do not count";
    EXPECT_EQ(db.make_tag_id("Dwarf", kProj, nullptr), fourcc("dwar")) << "other types do not count";
    add(one, kProj, "dwas", "x");
    EXPECT_EQ(db.make_tag_id("Dwarf", 0, one), fourcc("dwat")) << "unique across the file's groups";
    EXPECT_EQ(db.make_tag_id("Dwarf", 0, nullptr), fourcc("dwar")) << "name only";
}

TEST_F(Database, TagOperationsSetFlagsAndNotify) {
    RecordingObserver observer;
    db.set_observer(&observer);
    TagFile* file = db.create_tag_file();
    TagEntry* e = add(file, kUnit, "dwar", "Dwarf");
    EXPECT_EQ(observer.changes.back(), (RecordingObserver::Change{file, kUnit, fourcc("dwar")}));
    mark_saved(*file);

    observer.clear();
    db.set_tag_data(*e, Payload{1}); // same size
    EXPECT_TRUE(e->dirty);
    EXPECT_TRUE(file->needupdate);
    EXPECT_FALSE(file->needrewrite);
    db.set_tag_data(*e, Payload{1, 2});
    EXPECT_TRUE(file->needrewrite);
    EXPECT_EQ(observer.changes.size(), 2u);

    observer.clear();
    mark_saved(*file);
    db.set_tag_version(*e, 1);
    EXPECT_TRUE(observer.changes.empty()) << "an unchanged version is no change";
    db.set_tag_version(*e, 2);
    EXPECT_TRUE(file->needrewrite);

    observer.clear();
    db.set_tag_id(*e, fourcc("ghol"));
    ASSERT_EQ(observer.changes.size(), 2u);
    EXPECT_EQ(observer.changes[0].id, fourcc("dwar"));
    EXPECT_EQ(observer.changes[1].id, fourcc("ghol"));
    EXPECT_EQ(db.find_tag(kUnit, fourcc("dwar")), nullptr);
    EXPECT_EQ(db.find_tag(kUnit, fourcc("ghol")), e);

    observer.clear();
    mark_saved(*file);
    db.set_tag_name(*e, e->name);
    EXPECT_EQ(observer.changes.size(), 1u) << "setting the same name still notifies";
    EXPECT_TRUE(file->needrewrite);
    db.set_observer(nullptr);
}

TEST_F(Database, EmptiedGroupsDisappear) {
    TagFile* file = db.create_tag_file();
    TagEntry* unit = add(file, kUnit, "dwar", "Dwarf");
    TagEntry* proj = add(file, kProj, "arro", "Arrow");
    EXPECT_EQ(file->groups.size(), 2u);
    mark_saved(*file);
    db.set_tag_type(*proj, kUnit);
    EXPECT_EQ(file->groups.size(), 1u);
    EXPECT_EQ(TagDatabase::get_tag_type(*proj), kUnit);
    EXPECT_EQ(&file->groups.front().entries.front(), proj) << "moved to the head of its new group";
    EXPECT_FALSE(file->needrewrite) << "the type move leaves the flags to its caller";
    auto payload = db.delete_tag(*unit);
    ASSERT_TRUE(payload);
    db.delete_tag(*proj);
    EXPECT_TRUE(file->groups.empty());
    EXPECT_TRUE(file->needrewrite);
    db.check_file(*file);
}

TEST_F(Database, IterationSkipsEmptyFiles) {
    TagFile* first = db.create_tag_file();
    db.create_tag_file(); // empty, between the two
    TagFile* last = db.create_tag_file();
    TagEntry* a = add(last, kUnit, "aaaa", "A");
    TagEntry* b = add(last, kProj, "bbbb", "B");
    TagEntry* c = add(first, kUnit, "cccc", "C");
    std::vector<TagEntry*> seen;
    for (TagEntry* e = db.next_tag(nullptr); e; e = db.next_tag(e)) seen.push_back(e);
    EXPECT_EQ(seen, (std::vector<TagEntry*>{b, a, c}));
    TagEntry* dup = add(first, kUnit, "aaaa", "A again");
    EXPECT_EQ(db.find_duplicate_tag(*a, false), dup);
    EXPECT_EQ(db.find_duplicate_tag(*dup, false), nullptr);
    EXPECT_EQ(db.find_duplicate_tag(*dup, true), a);
    EXPECT_EQ(db.find_duplicate_tag(*a, true), a) << "from the start it may find the tag itself";
}

TEST_F(Database, StructuredAccessGrowsAndKeepsTails) {
    const bs_code codes[] = {BS_GROUP_BEGIN, 16, BS_SWAP32, BS_GROUP_END};
    struct Record {
        std::uint32_t values[16];
    };
    TagFile* file = db.create_tag_file();
    Payload long_payload(100);
    for (std::size_t k = 0; k < long_payload.size(); ++k) long_payload[k] = static_cast<std::uint8_t>(k);
    TagEntry* big = add(file, kUnit, "big_", "big", long_payload);
    TagEntry* small = add(file, kUnit, "smal", "small", Payload(40, 0xAB));

    Record record{};
    ASSERT_TRUE(db.read_struct("record", *big, record, codes));
    EXPECT_EQ(record.values[0], 0x00010203u);
    EXPECT_FALSE(db.tag_struct_differs("record", big, &record, sizeof record, 1, codes, false));
    EXPECT_TRUE(db.tag_struct_differs("record", big, &record, sizeof record, 1, codes, true));
    record.values[1] = 7;
    EXPECT_TRUE(db.tag_struct_differs("record", big, &record, sizeof record, 1, codes, false));

    mark_saved(*file);
    ASSERT_TRUE(db.write_struct("record", *big, record, codes));
    EXPECT_EQ(big->size, 100u);
    EXPECT_EQ((*big->data)[7], 7);
    EXPECT_EQ((*big->data)[64], 64);
    EXPECT_EQ((*big->data)[99], 99);
    EXPECT_FALSE(file->needrewrite);

    EXPECT_FALSE(db.read_struct("record", *small, record, codes)) << "payload shorter than the record";
    ASSERT_TRUE(db.write_struct("record", *small, record, codes));
    EXPECT_EQ(small->size, 64u);
    EXPECT_TRUE(file->needrewrite);

    TagEntry* empty = add(file, kUnit, "empt", "empty", Payload{});
    EXPECT_FALSE(db.write_struct("record", *empty, record, codes));
    const bs_code wrong[] = {BS_GROUP_BEGIN, 1, BS_SWAP32, BS_GROUP_END};
    EXPECT_THROW(db.read_struct("record", *big, record, wrong), InternalError);
    EXPECT_THROW(db.read_tag_struct(nullptr, big, &record, 64, 1, codes), AssertionFailure);
}

TEST_F(Database, FormsAttachOnce) {
    TagFile* file = db.create_tag_file();
    TagEntry* e = add(file, kUnit, "aaaa", "A");
    int window = 0, other = 0;
    db.set_tag_form(*e, &window);
    db.set_tag_form(*e, &window);
    EXPECT_THROW(db.set_tag_form(*e, &other), AssertionFailure);
    db.set_tag_form(*e, nullptr);
    db.set_file_form(*file, &window);
    EXPECT_THROW(db.set_file_form(*file, &other), AssertionFailure);
    EXPECT_THROW(db.close_tag_file(*file), AssertionFailure) << "a file closes after its window";
    db.set_file_form(*file, nullptr);
    RecordingObserver observer;
    db.set_observer(&observer);
    db.close_tag_file(*file);
    EXPECT_EQ(observer.changes.size(), 1u);
    EXPECT_EQ(observer.closing, std::vector<TagFile*>{file});
    EXPECT_TRUE(db.files().empty());
    db.set_observer(nullptr);
}

TEST_F(Database, CopyMissingTagsAndRawImports) {
    ScratchFolder folder;
    TagFile* from = db.create_tag_file();
    TagFile* to = db.create_tag_file();
    add(from, kUnit, "aaaa", "A", Payload{1});
    add(from, kUnit, "bbbb", "B", Payload{2});
    add(to, kUnit, "aaaa", "A in target", Payload{3});
    EXPECT_TRUE(db.copy_missing_tags(*from, *to));
    EXPECT_EQ(db.find_tag_in_file(*to, kUnit, fourcc("aaaa"))->name, "A in target");
    TagEntry* copied = db.find_tag_in_file(*to, kUnit, fourcc("bbbb"));
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->dirty);
    EXPECT_EQ(*copied->data, Payload{2});

    TagEntry* jpeg = db.import_raw_file(*to, folder.write("Photo.JPG", Payload{0xFF, 0xD8}));
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(TagDatabase::get_tag_type(*jpeg), fourcc("jpeg"));
    EXPECT_EQ(jpeg->name, "Photo.JPG");
    EXPECT_EQ(jpeg->id, fourcc("phjp"));
    EXPECT_EQ(jpeg->version, 0);
    TagEntry* raw = db.import_raw_file(*to, folder.write("notes.jpeg", Payload{1}));
    EXPECT_EQ(TagDatabase::get_tag_type(*raw), fourcc("rawd")) << "jpeg has four characters";
    EXPECT_EQ(db.import_raw_file(*to, folder.write("empty.bin", Payload{})), nullptr);
    EXPECT_EQ(db.import_raw_file(*to, folder / "missing.bin"), nullptr);
}

TEST_F(Database, ClipboardCopyCutPaste) {
    TagClipboard clipboard;
    TagFile* source = db.create_tag_file();
    TagFile* target = db.create_tag_file();
    TagEntry* a = add(source, kUnit, "dwar", "Dwarf", Payload{1, 2});
    add(source, kUnit, "none", "Empty", Payload{});
    clipboard.clipboard_reset(0);
    EXPECT_TRUE(clipboard.clipboard_add(db, *a, true));
    EXPECT_FALSE(clipboard.clipboard_add(db, *db.find_tag(kUnit, fourcc("none")), true));
    EXPECT_EQ(clipboard.capacity(), 20u);
    auto first = clipboard.paste(db, *target);
    auto second = clipboard.paste(db, *target);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0]->id, fourcc("dwar"));
    EXPECT_EQ(second[0]->id, fourcc("dwas")) << "a second paste into one file gets a new id";
    EXPECT_EQ(*second[0]->data, (Payload{1, 2}));

    clipboard.clipboard_reset(0);
    EXPECT_TRUE(clipboard.clipboard_add(db, *a, false));
    EXPECT_FALSE(a->data) << "cut hands the payload over";
    db.delete_tag(*a);
    EXPECT_EQ(clipboard.records().front().payload, (Payload{1, 2}));
    for (int k = 0; k < 21; ++k) clipboard.clipboard_add(db, *first[0], true);
    EXPECT_EQ(clipboard.capacity(), 25u);

    // Forgetting a closed file must not read its (already deleted) entries.
    clipboard.clipboard_reset(0);
    clipboard.clipboard_add(db, *first[0], true);
    TagFile* scratch = db.create_tag_file();
    clipboard.paste(db, *scratch);
    db.close_tag_file(*scratch);
    clipboard.forget_file(*scratch);
    EXPECT_EQ(clipboard.records().front().pasted, nullptr);
}

TEST_F(Database, FoldersLoadInNameOrderRegardlessOfCase) {
    ScratchFolder folder;
    const auto tag = [](const char* name) {
        return test::single_tag_file({kUnit, fourcc("dwar"), name, {1}});
    };
    folder.write("ws/B.tag", tag("B"));
    folder.write("ws/a.tag", tag("a"));
    folder.write("ws/sub/c.tag", tag("sub c"));
    folder.write("ws/C.tag", tag("C"));
    folder.write("ws/c.tag", tag("c"));
    folder.write("ws/.DS_Store", tag("ds store"));
    folder.write("ws/.ds_store", tag("other spelling"));
    folder.write("ws/readme.txt", test::bytes_of("not a tag file at all, just words, long enough to be probed"));
    db.load_tag_folder(folder / "ws", true);
    std::vector<std::string> order;
    for (auto it = db.files().rbegin(); it != db.files().rend(); ++it)
        order.push_back(it->groups.front().entries.front().name);
    EXPECT_EQ(order, (std::vector<std::string>{"other spelling", "a", "B", "C", "c", "sub c"}));
    EXPECT_EQ(db.find_tag(kUnit, fourcc("dwar"))->name, "sub c");

    TagDatabase flat;
    flat.load_tag_folder(folder / "ws", false);
    EXPECT_EQ(flat.files().size(), 5u);
}

} // namespace
} // namespace zephane
