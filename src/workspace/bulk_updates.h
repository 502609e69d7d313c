#pragma once
// Work on every loaded tag at once, for the File menu: bringing every tag to its type's
// current version (Update Tag Formats), and gathering the tags of the 'local' folder into one
// plugin file (Build Plugin From Local).

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tags/tag_database.h"

namespace zephane {

struct FormatUpdateSummary {
    std::map<tag_type, std::size_t> converted; // by type: older tags the updater converted
    std::size_t stamped = 0;                   // version 0 tags given the current version
    std::size_t locked = 0;                    // out-of-date tags left alone in locked files
    std::vector<std::string> failures;         // "proj:abcd 'name': why"
    std::vector<TagFile*> files;               // files that now need saving
    bool cancelled = false;
};

// Tells (tags done, tags in all); false stops the work where it is.
using BulkProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Runs the version check of opening (update_tag_version) on every tag of every file that can
// take changes; a tag that cannot be brought up to date is named in the failures and the
// others go on. Base files and patches are left as they are.
FormatUpdateSummary update_tag_formats(TagDatabase& db, const BulkProgress& progress = {});

struct LocalPluginSummary {
    std::size_t written = 0;   // tags in the plugin
    std::size_t hidden = 0;    // copies another local file's copy of the same tag won over
    std::size_t unreadable = 0; // tags whose payload could not be read
    std::size_t local_files = 0;
    std::string failure;        // why nothing was written; empty on success
};

// Writes every tag of the files under WORKSPACE/local into a new plugin file at `target`
// (copy_missing_tags, the copy a lookup finds first), leaving the database as it was.
LocalPluginSummary build_plugin_from_local(TagDatabase& db, const std::string& workspace,
                                           const std::string& target);

} // namespace zephane
