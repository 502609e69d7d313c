#include "workspace/headless_build.h"

#include "base/posix_file.h"
#include "tags/foundation_build.h"
#include "workspace/workspace_loading.h"
#include "workspace/workspace_texts.h"

#include <ostream>

namespace zephane {

int run_headless_build(const std::string& workspace, const std::vector<std::string>& root_lists,
                       const std::string& program_prefix, std::ostream& out, std::ostream& err) {
    TagDatabase db;
    load_workspace_folders(db, workspace);
    int status = 0;
    for (const std::string& root : root_lists) {
        // The build would take an unreadable list for an empty one and write empty outputs.
        if (!read_whole_file(root)) {
            err << program_prefix << text::kCannotReadRootList << root << '\n';
            status = 1;
            continue;
        }
        FoundationBuild build(db);
        const FoundationResult result = build.run_foundation_build(root, workspace);
        if (!result.complete) {
            err << program_prefix << root << ": " << result.failure << '\n';
            status = 1;
            continue;
        }
        out << root << ": " << result.small << " small, " << result.small_localized
            << " small localized, " << result.large << " large, in " << build.output_folder()
            << '\n';
    }
    return status;
}

} // namespace zephane
