// zephane-tool check: one planted problem of each kind in one workspace, a clean workspace, the
// JSON form and the usage errors.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/tool_run.h"
#include "definitions/definition_record.h"
#include "definitions/proj.h"
#include "support/test_support.h"
#include "tags/tag_file_verify.h"

namespace zephane::cli {
namespace {

using test::run;
using zephane::test::ScratchFolder;
using zephane::test::TestTag;
namespace data = zephane::test;

constexpr tag_type kProj = fourcc("proj");

// A projectile that references `contrail` (no tag when kNoTag).
TestTag projectile(const char (&id)[5], tag_id contrail = kNoTag, std::int16_t version = 0) {
    projectile_definition p{};
    p.contrail = contrail;
    std::vector<std::uint8_t> bytes;
    definition_file_bytes(p, bytes);
    return {kProj, fourcc(id), std::string("Projectile ") + id, bytes,
            version ? version : tag_type_version(kProj)};
}

// What verify says of a file, as the check's lines for it end.
std::string verify_lines(const std::string& path, const std::string& file) {
    std::string lines;
    for (const std::string& problem : verify_tag_file(path)) lines += file + "\t-\tbad-file\t" + problem + "\n";
    return lines;
}

// A base file and a local projectile that references one of its tags.
void write_clean_workspace(const ScratchFolder& ws) {
    ws.write("tags/base.tag", data::monolithic_file(3, {projectile("base")}));
    ws.write("local/good.tag", data::single_tag_file(projectile("good", fourcc("base"))));
}

TEST(ToolCheck, ACleanWorkspaceSaysNothing) {
    ScratchFolder ws;
    write_clean_workspace(ws);
    const auto result = run({"check", "--workspace", ws.path().string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    const auto json = run({"check", "--workspace", ws.path().string(), "--json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(nlohmann::json::parse(json.out), nlohmann::json::array());
}

TEST(ToolCheck, OneProblemOfEachKindSortedByFileTypeAndId) {
    ScratchFolder ws;
    write_clean_workspace(ws);
    ws.write("local/dangling.tag", data::single_tag_file(projectile("dang", fourcc("miss"))));
    // Two copies in one folder: 'b.tag' is read after 'a.tag', so its copy wins.
    ws.write("plugins/a.tag", data::monolithic_file(1, {projectile("dupl"), projectile("zzzz")}));
    ws.write("plugins/b.tag", data::single_tag_file(projectile("dupl")));
    // The same tag in 'local' and 'plugins' is the documented precedence, not a problem.
    ws.write("plugins/c.tag", data::single_tag_file(projectile("good", fourcc("base"))));
    ws.write("local/short.tag", data::single_tag_file({kProj, fourcc("shrt"), "Short", {1, 2, 3}, 1}));
    ws.write("local/newer.tag", data::single_tag_file(projectile("newr", kNoTag, 99)));
    ws.write("local/unknown.tag", data::single_tag_file({fourcc("zqzq"), fourcc("what"), "What", {1}}));
    // A monolithic file whose data checksum no longer matches its payloads.
    std::vector<std::uint8_t> damaged = data::monolithic_file(1, {projectile("crc_")});
    damaged.back() ^= 0xFF;
    ws.write("plugins/damaged.tag", damaged);
    ws.write("local/notes.txt", data::bytes_of(std::string(200, 'x')));

    const auto result = run({"check", "--workspace", ws.path().string()});
    EXPECT_EQ(result.status, 1) << result.err;
    const std::string version = std::to_string(tag_type_version(kProj));
    EXPECT_EQ(result.out,
              "local/dangling.tag\tproj:dang\tdangling-reference\treferences proj:miss, which no "
              "loaded file has\n"
              "local/newer.tag\tproj:newr\tnewer-version\tversion 99 is above the current version " +
                  version + " of proj\n"
              "local/notes.txt\t-\tbad-file\tnot a tag file: neither signature is present\n"
              "local/short.tag\tproj:shrt\tdamaged-payload\tprojectile definition at byte 3: the "
              "payload is shorter than the " +
                  std::to_string(sizeof(projectile_definition)) + "-byte record\n"
              "local/unknown.tag\tzqzq:what\tunknown-type\ttype zqzq is not in the type table\n"
              "plugins/a.tag\tproj:dupl\tduplicate-in-folder\talso in plugins/b.tag, whose copy "
              "wins only because of the file names\n"
              "plugins/b.tag\tproj:dupl\tduplicate-in-folder\talso in plugins/a.tag; this copy "
              "wins only because of the file names\n" +
                  verify_lines(ws / "plugins/damaged.tag", "plugins/damaged.tag"));
    ASSERT_FALSE(verify_tag_file(ws / "plugins/damaged.tag").empty());

    const auto json = run({"check", "--workspace", ws.path().string(), "--json"});
    EXPECT_EQ(json.status, 1);
    const nlohmann::json problems = nlohmann::json::parse(json.out);
    ASSERT_GE(problems.size(), 8u);
    EXPECT_EQ(problems[0], (nlohmann::json{{"file", "local/dangling.tag"},
                                           {"type", "proj"},
                                           {"id", "dang"},
                                           {"kind", "dangling-reference"},
                                           {"message", "references proj:miss, which no loaded file has"}}));
    EXPECT_EQ(problems[2]["type"], "-");
    EXPECT_EQ(problems[2]["kind"], "bad-file");
}

TEST(ToolCheck, UsageErrorsExitTwo) {
    ScratchFolder ws;
    EXPECT_EQ(run({"check"}).status, 2);
    EXPECT_EQ(run({"check", "--workspace", ws / "missing"}).status, 2);
    EXPECT_EQ(run({"check", "--workspace", ws.path().string(), "--bogus"}).status, 2);
    // A folder without any tag folder is an empty workspace: nothing to say.
    EXPECT_EQ(run({"check", "--workspace", ws.path().string()}).status, 0);
}

} // namespace
} // namespace zephane::cli
