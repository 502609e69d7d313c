// build-foundation, deps, dump, load and update: the tag schema from the command line.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <fstream>
#include <ostream>

#include "cli/tool.h"
#include "definitions/field_json.h"
#include "base/byte_reader.h"
#include "base/errors.h"
#include "tags/foundation_build.h"
#include "base/posix_file.h"
#include "tags/tag_version.h"
#include "workspace/headless_build.h"
#include "workspace/workspace_loading.h"

namespace zephane::cli {

namespace {

void build_foundation(ToolIo& io, const std::string& workspace, const std::vector<std::string>& roots) {
    // Each failed list has had its line; the empty error only sets the exit status.
    if (run_headless_build(workspace, roots, "zephane-tool: ", io.out, io.err) != 0)
        throw ToolError("");
}

// Prints what the tag's dependencies operation reports, as the walk would take it.
class PrintingReporter : public DependencyReporter {
public:
    explicit PrintingReporter(std::ostream& out) : out_(out) {}
    void report_dependency(tag_type type, tag_id id) override {
        if (is_null_reference(type) || is_null_reference(id)) return;
        out_ << type_id_text(type, id) << '\n';
    }

private:
    std::ostream& out_;
};

void list_dependencies(ToolIo& io, const std::string& workspace, const std::string& path,
                       const std::string& type_id) {
    TagDatabase db;
    load_workspace_folders(db, workspace);
    TagEntry& tag = find_tag_or_fail(db, open_tag_file(db, path), type_id);
    if (const TagDependenciesOp dependencies = tag_type_dependencies(TagDatabase::get_tag_type(tag))) {
        PrintingReporter reporter(io.out);
        dependencies(db, tag, reporter);
    }
}

const Payload& payload_or_fail(TagDatabase& db, TagEntry& tag) {
    const Payload* payload = db.get_tag_data(tag);
    if (!payload) throw ToolError("cannot read the payload of '" + tag.name + "'");
    return *payload;
}

void dump_tag(ToolIo& io, const std::string& path, const std::string& type_id) {
    TagDatabase db;
    TagEntry& tag = find_tag_or_fail(db, open_tag_file(db, path), type_id);
    const tag_type type = TagDatabase::get_tag_type(tag);
    ordered_json document = {{"type", tag_text(type)},
                             {"id", tag_text(tag.id)},
                             {"name", tag.name},
                             {"version", tag.version}};
    document.update(payload_to_json(type, payload_or_fail(db, tag)));
    io.out << document.dump(2) << '\n';
}

void load_tag(const std::string& path, const std::string& type_id, const std::string& json_path) {
    std::ifstream in(json_path);
    if (!in) throw ToolError("cannot read " + json_path);
    ordered_json document;
    try {
        document = ordered_json::parse(in);
    } catch (const nlohmann::json::parse_error& e) {
        throw ToolError(json_path + ": " + e.what());
    }
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& tag = find_tag_or_fail(db, file, type_id);
    const tag_type type = TagDatabase::get_tag_type(tag);
    if (document.contains("type") && document["type"] != tag_text(type))
        throw ToolError(json_path + " describes a tag of type " + document["type"].dump());
    Payload payload;
    try {
        payload = payload_from_json(type, document, payload_or_fail(db, tag));
    } catch (const FieldJsonError& e) {
        throw ToolError(json_path + ": " + e.what());
    }
    if (payload == payload_or_fail(db, tag)) return;
    db.set_tag_data(tag, std::move(payload));
    save_file(db, file);
}

void update_tags(ToolIo& io, const std::string& path) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    std::vector<TagEntry*> tags;
    for (TagGroup& group : file.groups)
        for (TagEntry& entry : group.entries) tags.push_back(&entry);
    std::sort(tags.begin(), tags.end(), [](const TagEntry* a, const TagEntry* b) { return a->order < b->order; });
    std::vector<std::string> failures;
    for (TagEntry* tag : tags) {
        const std::int16_t before = tag->version;
        const std::string name = type_id_text(TagDatabase::get_tag_type(*tag), tag->id);
        try {
            const bool converted = update_tag_version(db, *tag);
            if (tag->version != before)
                io.out << name << " '" << tag->name << "': version " << before << " -> " << tag->version
                       << (converted ? " (converted)" : " (stamped)") << '\n';
        } catch (const InternalError& e) {
            failures.push_back(name + ": internal error \"" + e.expression() + "\" in " + e.module() +
                               ", line " + std::to_string(e.line()));
        } catch (const AssertionFailure& e) {
            failures.push_back(name + " '" + tag->name + "': assertion \"" + e.info().expression + "\" in " +
                               e.info().module + ", line " + std::to_string(e.info().line));
        } catch (const FormatError& e) {
            // The updater converts nothing it cannot read: the tag stays as it was.
            failures.push_back(name + " '" + tag->name + "': cannot be converted: " + e.what());
        }
    }
    if (TagDatabase::tag_file_needs_save(file)) save_file(db, file);
    if (!failures.empty()) {
        for (const std::string& failure : failures) io.err << "zephane-tool: " << failure << '\n';
        throw ToolError("");
    }
}

} // namespace

void add_definition_commands(CLI::App& app, ToolIo& io) {
    auto* build = app.add_subcommand(
        "build-foundation", "Build small.tag, small_localized.tag, large.tag and dependency_log.txt "
                            "in WORKSPACE/foundation_build from each root list");
    auto build_workspace = std::make_shared<std::string>(".");
    auto roots = std::make_shared<std::vector<std::string>>();
    build->add_option("--workspace", *build_workspace, "folder holding tags, local and plugins");
    build->add_option("ROOTLIST", *roots, "root lists of type:id tokens")->required();
    build->callback([&io, build_workspace, roots] { build_foundation(io, *build_workspace, *roots); });

    auto* deps = app.add_subcommand("deps", "Print type:id for each tag a tag references, in order");
    auto deps_workspace = std::make_shared<std::string>(".");
    auto deps_file = std::make_shared<std::string>(), deps_tag = std::make_shared<std::string>();
    deps->add_option("--workspace", *deps_workspace, "folder holding tags, local and plugins");
    deps->add_option("TAGFILE", *deps_file, "tag file")->required();
    deps->add_option("TYPE:ID", *deps_tag, "the tag")->required();
    deps->callback([&io, deps_workspace, deps_file, deps_tag] {
        list_dependencies(io, *deps_workspace, *deps_file, *deps_tag);
    });

    auto* dump = app.add_subcommand("dump", "Print a tag's payload as JSON through its field table");
    auto dump_file = std::make_shared<std::string>(), dump_tag_id = std::make_shared<std::string>();
    dump->add_option("TAGFILE", *dump_file, "tag file")->required();
    dump->add_option("TYPE:ID", *dump_tag_id, "the tag")->required();
    dump->callback([&io, dump_file, dump_tag_id] { dump_tag(io, *dump_file, *dump_tag_id); });

    auto* load = app.add_subcommand("load", "Write a tag's payload from JSON made by dump, and save");
    auto load_file = std::make_shared<std::string>(), load_tag_id = std::make_shared<std::string>();
    auto json_file = std::make_shared<std::string>();
    load->add_option("TAGFILE", *load_file, "tag file")->required();
    load->add_option("TYPE:ID", *load_tag_id, "the tag")->required();
    load->add_option("JSONFILE", *json_file, "the JSON document")->required();
    load->callback([load_file, load_tag_id, json_file] { load_tag(*load_file, *load_tag_id, *json_file); });

    auto* update = app.add_subcommand(
        "update", "Bring every tag of a file to its type's current version, save, print the changes");
    auto update_file = std::make_shared<std::string>();
    update->add_option("TAGFILE", *update_file, "tag file")->required();
    update->callback([&io, update_file] { update_tags(io, *update_file); });
}

} // namespace zephane::cli
