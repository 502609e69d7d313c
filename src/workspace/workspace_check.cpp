#include "workspace/workspace_check.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <tuple>

#include "base/errors.h"
#include "tags/dependency_reporter.h"
#include "tags/tag_file_verify.h"
#include "tags/tag_payload_reader.h"
#include "workspace/workspace_loading.h"

namespace zephane {

namespace {

namespace fs = std::filesystem;

bool no_tag(std::uint32_t value) { return value == 0 || value == kNoTag; }

// The file's name below the workspace, or its whole path when it lies outside.
std::string relative_name(const std::string& path, const std::string& workspace) {
    const fs::path relative = fs::path(path).lexically_normal().lexically_relative(
        fs::path(workspace).lexically_normal());
    if (relative.empty() || *relative.begin() == "..") return path;
    return relative.generic_string();
}

// The workspace folder ('tags', 'local', 'plugins') a relative name lies in; empty outside.
std::string top_folder(const std::string& relative) {
    const fs::path path(relative);
    if (path.is_absolute() || path.begin() == path.end()) return {};
    const std::string first = path.begin()->string();
    for (const char* name : kWorkspaceFolders)
        if (first == name && std::next(path.begin()) != path.end()) return first;
    return {};
}

class Collector : public DependencyReporter {
public:
    void report_dependency(tag_type type, tag_id id) override {
        if (!no_tag(type) && !no_tag(id)) references.emplace_back(type, id);
    }
    std::vector<std::pair<tag_type, tag_id>> references;
};

struct Checker {
    TagDatabase& db;
    const std::string& workspace;
    TagPayloadReader payloads;
    std::vector<WorkspaceProblem> problems;

    WorkspaceProblem& add(const TagFile& file, const TagEntry* entry, WorkspaceProblem::Kind kind,
                          std::string message) {
        WorkspaceProblem problem;
        problem.spec = file.spec.value_or(std::string());
        problem.file = file.spec ? relative_name(*file.spec, workspace) : text_unsaved();
        problem.has_tag = entry != nullptr;
        if (entry) {
            problem.type = TagDatabase::get_tag_type(*entry);
            problem.id = entry->id;
        }
        problem.kind = kind;
        problem.message = std::move(message);
        problems.push_back(std::move(problem));
        return problems.back();
    }
    static std::string text_unsaved() { return "(unsaved tag file)"; }

    void check_tag(TagFile& file, TagEntry& tag) {
        const tag_type type = TagDatabase::get_tag_type(tag);
        const TagTypeRow* row = find_tag_type(type);
        if (!row) {
            add(file, &tag, WorkspaceProblem::kUnknownType,
                std::string("type ") + tag_id_to_text(type) + " is not in the type table");
            return;
        }
        if (tag.version > row->version) {
            add(file, &tag, WorkspaceProblem::kNewerVersion,
                "version " + std::to_string(tag.version) + " is above the current version " +
                    std::to_string(row->version) + " of " + tag_id_to_text(type));
            return; // the readers know no format above their own
        }
        const TagRewriteOp rewrite = tag_type_rewrite(type);
        const TagDependenciesOp dependencies = tag_type_dependencies(type);
        if (!rewrite && !dependencies) return;

        const bool was_loaded = tag.data.has_value();
        std::string failure;
        const Payload* payload = payloads.get(tag, &failure);
        if (!payload) {
            add(file, &tag, WorkspaceProblem::kDamagedPayload,
                "the payload cannot be read" + (failure.empty() ? std::string() : ": " + failure));
            return;
        }
        bool sound = true;
        if (rewrite) {
            try {
                rewrite(*payload, tag.version);
            } catch (const std::exception& error) {
                add(file, &tag, WorkspaceProblem::kDamagedPayload, error.what());
                sound = false;
            }
        }
        if (sound && dependencies) {
            Collector collector;
            try {
                dependencies(db, tag, collector);
            } catch (const std::exception& error) {
                add(file, &tag, WorkspaceProblem::kDamagedPayload, error.what());
                collector.references.clear();
            }
            std::set<std::pair<tag_type, tag_id>> said;
            for (const auto& [ref_type, ref_id] : collector.references) {
                if (!said.insert({ref_type, ref_id}).second || db.find_tag(ref_type, ref_id)) continue;
                add(file, &tag, WorkspaceProblem::kDanglingReference,
                    std::string("references ") + tag_id_to_text(ref_type) + ":" +
                        tag_id_to_text(ref_id) + ", which no loaded file has");
            }
        }
        if (!was_loaded) db.release_tag_data(tag);
    }

    // Copies of one tag in two files of one workspace folder: the folder is read in name
    // order, so the names alone decide which copy a lookup finds.
    void check_duplicates(const std::vector<TagFile*>& files) {
        std::map<std::pair<std::string, std::uint64_t>, std::vector<TagEntry*>> copies;
        for (TagFile* file : files) {
            if (!file->spec) continue;
            const std::string folder = top_folder(relative_name(*file->spec, workspace));
            if (folder.empty()) continue;
            for (TagGroup& group : file->groups)
                for (TagEntry& entry : group.entries)
                    copies[{folder, (std::uint64_t{group.type} << 32) | entry.id}].push_back(&entry);
        }
        for (auto& [key, entries] : copies) {
            if (entries.size() < 2) continue;
            // The winner is the copy a lookup finds: in the file nearest the list's head.
            const TagEntry* winner = *std::max_element(
                entries.begin(), entries.end(),
                [](const TagEntry* a, const TagEntry* b) { return a->file->order < b->file->order; });
            // Each file holding a copy says so: the winner names the files it hides, the others
            // the file that hides them.
            std::vector<const TagFile*> holders;
            for (const TagEntry* entry : entries)
                if (std::find(holders.begin(), holders.end(), entry->file) == holders.end())
                    holders.push_back(entry->file);
            if (holders.size() < 2) continue;
            constexpr std::size_t kNamed = 3; // files the winner names; the rest are counted
            std::string hidden;
            std::size_t named = 0;
            for (const TagFile* file : holders)
                if (file != winner->file && named++ < kNamed)
                    hidden += (hidden.empty() ? "" : ", ") + relative_name(*file->spec, workspace);
            if (named > kNamed) hidden += " and " + std::to_string(named - kNamed) + " more files";
            const std::string winner_name = relative_name(*winner->file->spec, workspace);
            for (const TagFile* file : holders) {
                const TagEntry* entry = *std::find_if(entries.begin(), entries.end(),
                                                      [file](const TagEntry* e) { return e->file == file; });
                add(*entry->file, entry, WorkspaceProblem::kDuplicateInFolder,
                    file == winner->file
                        ? "also in " + hidden + "; this copy wins only because of the file names"
                        : "also in " + winner_name + ", whose copy wins only because of the file names");
            }
        }
    }

    void check_disk_files(std::size_t& done, std::size_t total, const WorkspaceCheckProgress& progress) {
        for (const char* name : kWorkspaceFolders) {
            std::error_code error;
            std::vector<fs::path> paths;
            for (auto it = fs::recursive_directory_iterator(fs::path(workspace) / name, error);
                 !error && it != fs::recursive_directory_iterator(); it.increment(error))
                if (it->is_regular_file(error) && it->path().filename() != ".DS_Store")
                    paths.push_back(it->path());
            for (const fs::path& path : paths) {
                if (progress) progress(done, total);
                ++done;
                for (std::string& line : verify_tag_file(path.string())) {
                    WorkspaceProblem problem;
                    problem.spec = path.string();
                    problem.file = relative_name(path.string(), workspace);
                    problem.has_tag = false;
                    problem.kind = WorkspaceProblem::kBadFile;
                    problem.message = std::move(line);
                    problems.push_back(std::move(problem));
                }
            }
        }
    }
};

} // namespace

const char* workspace_problem_kind_name(WorkspaceProblem::Kind kind) {
    switch (kind) {
    case WorkspaceProblem::kDanglingReference: return "dangling-reference";
    case WorkspaceProblem::kDuplicateInFolder: return "duplicate-in-folder";
    case WorkspaceProblem::kDamagedPayload: return "damaged-payload";
    case WorkspaceProblem::kNewerVersion: return "newer-version";
    case WorkspaceProblem::kUnknownType: return "unknown-type";
    case WorkspaceProblem::kBadFile: return "bad-file";
    }
    return "bad-file";
}

std::string workspace_problem_tag_text(const WorkspaceProblem& problem) {
    if (!problem.has_tag) return "-";
    return std::string(tag_id_to_text(problem.type)) + ":" + tag_id_to_text(problem.id);
}

std::string workspace_problem_line(const WorkspaceProblem& problem) {
    return problem.file + '\t' + workspace_problem_tag_text(problem) + '\t' +
           workspace_problem_kind_name(problem.kind) + '\t' + problem.message;
}

std::vector<WorkspaceProblem> check_workspace(TagDatabase& db, const std::string& workspace,
                                              const WorkspaceCheckProgress& progress) {
    // A reader's broken promise about one payload ends that payload's check, not the run.
    const AssertionHandler previous =
        set_assertion_handler([](const AssertionInfo& info) { throw AssertionFailure(info); });
    Checker checker{db, workspace, TagPayloadReader(db), {}};
    std::vector<TagFile*> files;
    for (TagFile& file : db.files())
        if (file.spec) files.push_back(&file);
    const std::size_t total = files.size() + count_workspace_files(workspace);
    std::size_t done = 0;
    try {
        for (TagFile* file : files) {
            if (progress) progress(done, total);
            ++done;
            for (TagGroup& group : file->groups)
                for (TagEntry& entry : group.entries) checker.check_tag(*file, entry);
        }
        checker.payloads.close_files();
        checker.check_duplicates(files);
        checker.check_disk_files(done, total, progress);
    } catch (...) {
        set_assertion_handler(previous);
        throw;
    }
    set_assertion_handler(previous);
    if (progress) progress(total, total);

    std::vector<WorkspaceProblem>& problems = checker.problems;
    std::stable_sort(problems.begin(), problems.end(),
                     [](const WorkspaceProblem& a, const WorkspaceProblem& b) {
                         return std::tie(a.file, a.has_tag, a.type, a.id) <
                                std::tie(b.file, b.has_tag, b.type, b.id);
                     });
    return std::move(problems);
}

std::vector<WorkspaceProblem> check_workspace_folders(const std::string& workspace) {
    TagDatabase db;
    load_workspace_folders(db, workspace);
    return check_workspace(db, workspace);
}

} // namespace zephane
