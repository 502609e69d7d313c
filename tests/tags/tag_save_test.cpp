// Saving tag files: in place or through a temporary file, and never losing work when the
// disk, the permissions or another program get in the way.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "support/test_support.h"
#include "base/errors.h"
#include "tags/tag_file_verify.h"

namespace zephane {
namespace {

using test::ScratchFolder;
using test::TestTag;

constexpr tag_type kUnit = fourcc("unit");

std::vector<TestTag> some_tags(std::size_t count, std::size_t payload_size, std::uint8_t fill) {
    std::vector<TestTag> tags;
    for (std::size_t k = 0; k < count; ++k) {
        const std::string id = "t" + std::to_string(100 + k).substr(0, 3);
        tags.push_back({kUnit, text_to_tag_id(id), "Tag " + std::to_string(k),
                        Payload(payload_size, static_cast<std::uint8_t>(fill + k))});
    }
    return tags;
}

ino_t inode_of(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

std::vector<std::string> folder_names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string user_error_of(const std::function<void()>& action) {
    try {
        action();
    } catch (const UserError& error) {
        return error.what();
    }
    return "";
}

class Saving : public ::testing::Test {
protected:
    void SetUp() override {
        path = folder.write("plugins/work.tag", test::monolithic_file(1, some_tags(3, 100, 10), {}, "work"));
        file = db.read_tag_file(path, false);
        ASSERT_NE(file, nullptr);
    }
    TagEntry& tag(const char* id) { return *db.find_tag(kUnit, text_to_tag_id(id)); }

    ScratchFolder folder;
    std::string path;
    TagDatabase db;
    TagFile* file = nullptr;
};

TEST_F(Saving, SameSizeEditIsWrittenInPlace) {
    const auto before = test::read_bytes(path);
    const ino_t inode = inode_of(path);
    db.set_tag_data(tag("t101"), Payload(100, 0xEE));
    ASSERT_FALSE(file->needrewrite);
    db.save_tag_file(*file);
    const auto after = test::read_bytes(path);
    EXPECT_EQ(inode_of(path), inode) << "no temporary file replaced it";
    ASSERT_EQ(after.size(), before.size());
    const std::size_t payload = tag("t101").offset;
    for (std::size_t k = 0; k < after.size(); ++k) {
        if (k >= payload && k < payload + 100) ASSERT_EQ(after[k], 0xEE) << k;
        else ASSERT_EQ(after[k], before[k]) << "byte " << k << " outside the payload changed";
    }
    EXPECT_FALSE(TagDatabase::tag_file_needs_save(*file));
    EXPECT_FALSE(tag("t101").dirty);
    EXPECT_TRUE(tag("t101").data) << "payloads stay in memory after an in-place save";
}

TEST_F(Saving, RenameRewritesThroughATemporaryFile) {
    const ino_t inode = inode_of(path);
    db.set_tag_name(tag("t100"), "Renamed");
    db.save_tag_file(*file);
    EXPECT_NE(inode_of(path), inode);
    EXPECT_EQ(file->spec, path);
    EXPECT_EQ(folder_names(folder.path() / "plugins"), std::vector<std::string>{"work.tag"}) << "no temporary left";
    EXPECT_TRUE(verify_tag_file(path).empty());
    TagDatabase reread;
    reread.read_tag_file(path, false);
    EXPECT_EQ(reread.find_tag(kUnit, text_to_tag_id("t100"))->name, "Renamed");
    EXPECT_EQ(*reread.get_tag_data(*reread.find_tag(kUnit, text_to_tag_id("t102"))), Payload(100, 12));
    EXPECT_FALSE(TagDatabase::tag_file_needs_save(*file));
    // The file keeps working after the swap: an in-place save follows.
    db.set_tag_data(tag("t102"), Payload(100, 1));
    db.save_tag_file(*file);
    TagDatabase third;
    third.read_tag_file(path, false);
    EXPECT_EQ(*third.get_tag_data(*third.find_tag(kUnit, text_to_tag_id("t102"))), Payload(100, 1));
}

TEST_F(Saving, LocalFilesStaySingleAndNewFilesAreCreated) {
    const auto local = folder.write("local/one.tag", test::single_tag_file({kUnit, fourcc("dwar"), "Dwarf", {1, 2, 3}}));
    TagFile* one = db.read_tag_file(local, false);
    db.set_tag_data(*db.find_tag_in_file(*one, kUnit, fourcc("dwar")), Payload{4, 5, 6, 7});
    db.save_tag_file(*one);
    EXPECT_EQ(test::read_bytes(local), test::single_tag_file({kUnit, fourcc("dwar"), "Dwarf", {4, 5, 6, 7}}));

    // A second tag: the save is refused as the user's error before anything is created.
    int assertions = 0;
    const AssertionHandler previous =
        set_assertion_handler([&](const AssertionInfo&) { ++assertions; });
    db.add_tag(one, kUnit, fourcc("ogre"), 1, "Ogre", 0, 0, Payload{9});
    EXPECT_EQ(user_error_of([&] { db.save_tag_file(*one); }),
              "one.tag - A file in a folder named local holds exactly one tag.");
    set_assertion_handler(previous);
    EXPECT_EQ(assertions, 0);
    EXPECT_EQ(folder_names(folder.path() / "local"), std::vector<std::string>{"one.tag"});
    EXPECT_EQ(test::read_bytes(local), test::single_tag_file({kUnit, fourcc("dwar"), "Dwarf", {4, 5, 6, 7}}));

    TagFile* created = db.read_tag_file(folder / "plugins/new.tag", true);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->kind, kFileKindPlugin);
    db.add_tag(created, kUnit, fourcc("ghol"), 1, "Ghol", 0, 0, Payload{1});
    db.save_tag_file(*created);
    EXPECT_TRUE(verify_tag_file(folder / "plugins/new.tag").empty());
}

TEST_F(Saving, LockedAndUnsavedFiles) {
    file->kind = kFileKindBase;
    EXPECT_EQ(user_error_of([&] { db.save_tag_file(*file); }), "work.tag - Cannot modify base tags or patches.");
    file->kind = kFileKindPatch;
    EXPECT_NE(user_error_of([&] { db.save_tag_file(*file); }), "");
    TagFile* unsaved = db.create_tag_file();
    db.add_tag(unsaved, kUnit, fourcc("aaaa"), 1, "A", 0, 0, Payload{1});
    EXPECT_EQ(user_error_of([&] { db.save_tag_file(*unsaved); }), "");
    EXPECT_TRUE(TagDatabase::tag_file_needs_save(*unsaved)) << "no path: nothing happens";
}

// Every fault below must leave each change in memory: data, dirty flags, spec and flags.
class SavingFaults : public Saving {
protected:
    void change_everything() {
        db.set_tag_data(tag("t100"), Payload(100, 0x55));      // same size
        db.set_tag_data(tag("t102"), Payload(333, 0x66));      // new size: rewrite
    }
    std::string memory_intact() {
        const TagEntry& a = tag("t100");
        const TagEntry& c = tag("t102");
        if (!a.dirty || !a.data || *a.data != Payload(100, 0x55)) return "the same-size change was lost";
        if (!c.dirty || !c.data || *c.data != Payload(333, 0x66)) return "the resized payload was lost";
        if (!file->needupdate || !file->needrewrite) return "the file no longer needs saving";
        if (file->spec != path) return "the file's path changed";
        return "";
    }
    std::string expect_failure_keeps_memory(const std::string& expected_message_part) {
        const std::string message = user_error_of([&] { db.save_tag_file(*file); });
        if (message.empty()) return "the save did not fail";
        if (message.find(expected_message_part) == std::string::npos) return "unexpected message: " + message;
        return memory_intact();
    }
};

TEST_F(SavingFaults, ReadOnlyFile) {
    change_everything();
    test::open_to_everyone(folder.path());
    ::chmod(path.c_str(), 0444);
    const auto before = test::read_bytes(path);
    EXPECT_EQ(test::run_in_child([&] { return expect_failure_keeps_memory("work.tag - The file is read-only."); }), "");
    EXPECT_EQ(test::read_bytes(path), before);
}

TEST_F(SavingFaults, ReadOnlyFolderAllowsNoTemporaryFile) {
    change_everything();
    test::open_to_everyone(folder.path());
    ::chmod((folder.path() / "plugins").c_str(), 0555);
    EXPECT_EQ(test::run_in_child([&] { return expect_failure_keeps_memory("Cannot create a temporary file"); }), "");
    EXPECT_EQ(folder_names(folder.path() / "plugins"), std::vector<std::string>{"work.tag"});
}

TEST_F(SavingFaults, DiskFullPartWayThroughTheRewrite) {
    change_everything();
    test::open_to_everyone(folder.path());
    const auto before = test::read_bytes(path);
    EXPECT_EQ(test::run_in_child([&] { return expect_failure_keeps_memory("could not be written"); },
                                 {.file_size_limit = 400}),
              "");
    EXPECT_EQ(test::read_bytes(path), before) << "the original is untouched";
    EXPECT_EQ(folder_names(folder.path() / "plugins"), std::vector<std::string>{"work.tag"}) << "the partial temporary is removed";
}

TEST_F(SavingFaults, FileDeletedBeforeTheSave) {
    change_everything();
    std::filesystem::remove(path);
    // t101 still lives only on disk: without it the file cannot be written.
    EXPECT_EQ(expect_failure_keeps_memory("could not be written"), "");
    EXPECT_FALSE(file->read_only) << "a vanished file is not read-only";
    // Once every payload is in memory the file can be written again.
    db.set_tag_data(tag("t101"), Payload(100, 0x77));
    db.save_tag_file(*file);
    TagDatabase reread;
    reread.read_tag_file(path, false);
    EXPECT_EQ(*reread.get_tag_data(*reread.find_tag(kUnit, text_to_tag_id("t101"))), Payload(100, 0x77));
}

TEST_F(SavingFaults, FileChangedByAnotherProgram) {
    db.set_tag_data(tag("t100"), Payload(100, 0x55)); // in place
    const auto other = test::monolithic_file(1, some_tags(3, 100, 200), {}, "other");
    test::ScratchFolder elsewhere;
    const auto replacement = elsewhere.write("other.tag", other);
    std::filesystem::copy_file(replacement, path, std::filesystem::copy_options::overwrite_existing);
    const timespec times[2] = {{0, UTIME_NOW}, {1000, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    const std::string message = user_error_of([&] { db.save_tag_file(*file); });
    EXPECT_NE(message.find("changed by another program"), std::string::npos) << message;
    EXPECT_EQ(test::read_bytes(path), other) << "nothing was patched into the other program's file";
    EXPECT_TRUE(tag("t100").dirty);
    EXPECT_EQ(db.get_tag_data(tag("t101")), nullptr) << "payloads are not read from the changed file";
    db.set_tag_name(tag("t100"), "force a rewrite");
    EXPECT_NE(user_error_of([&] { db.save_tag_file(*file); }), "");
    EXPECT_EQ(test::read_bytes(path), other);
}

TEST(SavingKilled, TheFileAlwaysLoadsAsTheOldOrTheNewContent) {
    ScratchFolder folder;
    const auto old_tags = some_tags(40, 20000, 1);
    const auto path = folder.write("plugins/big.tag", test::monolithic_file(1, old_tags, {}, "big"));
    const auto old_bytes = test::read_bytes(path);
    std::mt19937 random(12345);
    const auto save_new_content = [&] {
        TagDatabase db;
        TagFile* file = db.read_tag_file(path, false);
        for (TagGroup& group : file->groups)
            for (TagEntry& entry : group.entries) {
                db.set_tag_data(entry, Payload(entry.size + 7, 0xA5));
                db.set_tag_name(entry, entry.name + " new");
            }
        db.save_tag_file(*file);
    };
    const auto started = std::chrono::steady_clock::now();
    if (::fork() == 0) {
        save_new_content();
        ::_exit(0);
    }
    ::wait(nullptr);
    const auto full = std::chrono::steady_clock::now() - started;
    const auto new_bytes = test::read_bytes(path);
    ASSERT_NE(new_bytes, old_bytes);

    // ZEPHANE_KILL_ROUNDS raises the count for a long run.
    const char* rounds_text = std::getenv("ZEPHANE_KILL_ROUNDS");
    const int rounds = rounds_text ? std::atoi(rounds_text) : 40;
    int saw_old = 0, saw_new = 0;
    for (int round = 0; round < rounds; ++round) {
        test::write_file_bytes(path, old_bytes);
        const auto delay = std::chrono::duration_cast<std::chrono::microseconds>(full) * (random() % 1000) / 800;
        const pid_t child = ::fork();
        if (child == 0) {
            save_new_content();
            ::_exit(0);
        }
        std::this_thread::sleep_for(delay);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const auto on_disk = test::read_bytes(path);
        ASSERT_TRUE(on_disk == old_bytes || on_disk == new_bytes) << "round " << round << ": a mix is on disk";
        (on_disk == old_bytes ? saw_old : saw_new)++;
        TagDatabase check;
        ASSERT_NE(check.read_tag_file(path, false), nullptr);
    }
    RecordProperty("old", saw_old);
    RecordProperty("new", saw_new);
}

} // namespace
} // namespace zephane
