#include "cli/tool_run.h"
#include "definitions/definition_types.h"
#include "definitions/register_tag_types.h"
#include "support/test_support.h"
#include "tags/dependency_reporter.h"
#include "tags/tag_database.h"
#include "tags/tag_types.h"
#include "workspace/workspace_loading.h"

#include <gtest/gtest.h>
#include <set>

namespace zephane::cli {
namespace {

using test::run;
using zephane::test::ScratchFolder;

struct MissingReferences : DependencyReporter {
    explicit MissingReferences(const TagDatabase& database) : db(database) {}
    void report_dependency(tag_type type, tag_id id) override {
        if (id != kNoTag && id != 0 && !db.find_tag(type, id)) missing.push_back(tag_text(type) + ":" + tag_text(id));
    }
    const TagDatabase& db;
    std::vector<std::string> missing;
};

// Every editor has something real to open in the demo, and what the tags name exists.
TEST(ToolMakeDemo, HoldsATagOfEveryDefinitionTypeAndNoReferenceIsMissing) {
    ScratchFolder folder;
    const auto demo = folder / "demo";
    ASSERT_EQ(run({"make-demo", demo}).status, 0);
    register_tag_types();
    TagDatabase db;
    ASSERT_TRUE(load_workspace_folders(db, demo));
    std::set<tag_type> present;
    MissingReferences references(db);
    for (TagFile& file : db.files())
        for (TagGroup& group : file.groups)
            for (TagEntry& entry : group.entries) {
                present.insert(TagDatabase::get_tag_type(entry));
                if (const TagDependenciesOp deps = tag_type_dependencies(TagDatabase::get_tag_type(entry)))
                    deps(db, entry, references);
            }
    for (const DefinitionType& type : definition_types())
        EXPECT_TRUE(present.count(type.type)) << tag_text(type.type);
    EXPECT_TRUE(present.count(fourcc("bina")));
    EXPECT_TRUE(references.missing.empty()) << testing::PrintToString(references.missing);
}

} // namespace
} // namespace zephane::cli
