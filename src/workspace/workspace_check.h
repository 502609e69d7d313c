#pragma once
// The workspace check: every loaded tag file of a workspace examined for what loading lets
// pass silently — references to tags no loaded file has, copies of one tag in two files of a
// folder (where the file names alone decide which one wins), payloads the type's reader
// refuses, versions above the type's current one, types the table does not know, and what
// `verify` finds in each file on disk. A damaged file never stops the check of the others.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tags/tag_database.h"

namespace zephane {

struct WorkspaceProblem {
    enum Kind {
        kDanglingReference,
        kDuplicateInFolder,
        kDamagedPayload,
        kNewerVersion,
        kUnknownType,
        kBadFile,
    };
    std::string file;    // relative to the workspace ("tags/name.tag"); the whole path outside it
    std::string spec;    // the file's path as loaded (for opening the tag)
    bool has_tag = true; // false for a problem of the whole file (type:id "-")
    tag_type type = 0;
    tag_id id = 0;
    Kind kind = kBadFile;
    std::string message;
};

// "dangling-reference", "duplicate-in-folder", ...
const char* workspace_problem_kind_name(WorkspaceProblem::Kind kind);
// "TYPE:ID", or "-" for a problem of the whole file.
std::string workspace_problem_tag_text(const WorkspaceProblem& problem);
// <file> TAB <type>:<id> TAB <kind> TAB <message>
std::string workspace_problem_line(const WorkspaceProblem& problem);

// Checks the tag files `db` has loaded (with the other loaded files counting for references)
// and every file on disk in the workspace's three folders. Sorted by file, then type, then id.
// `progress`, when given, hears (files done, files in all) as the check goes.
using WorkspaceCheckProgress = std::function<void(std::size_t done, std::size_t total)>;
std::vector<WorkspaceProblem> check_workspace(TagDatabase& db, const std::string& workspace,
                                              const WorkspaceCheckProgress& progress = {});

// Loads the workspace's folders into a fresh database and checks it.
std::vector<WorkspaceProblem> check_workspace_folders(const std::string& workspace);

} // namespace zephane
