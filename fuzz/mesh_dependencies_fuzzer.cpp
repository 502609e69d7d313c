// Arbitrary bytes as a mesh payload: list the tags the map depends on. Sections that lie
// outside the payload are skipped and a parameter running past its block ends the walk, so
// every reference listed comes from the header or from four bytes of the payload.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "mesh/mesh_dependencies.h"
#include "tags/dependency_reporter.h"
#include "tags/tag_database.h"

namespace {

constexpr std::size_t kHeaderReferences = 26 + 2; // the header's references and its two maps

struct CountingReporter : zephane::DependencyReporter {
    void report_dependency(zephane::tag_type, zephane::tag_id) override { ++count; }
    std::size_t count = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    TagDatabase db;
    TagEntry& mesh = *db.add_tag(db.create_tag_file(), fourcc("mesh"), fourcc("fuzz"), 11, "Map", 0, 0,
                                 Payload(data, data + size));
    CountingReporter reporter;
    mesh_dependencies(db, mesh, reporter);
    if (reporter.count > kHeaderReferences + size / 4) std::abort();
    return 0;
}
