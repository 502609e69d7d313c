// find, add-raw, rename, set-id, delete and merge: changes through the database, then a save.

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/tool.h"
#include "workspace/workspace_loading.h"

namespace zephane::cli {

namespace {

struct ChangedTag {
    tag_type type;
    tag_id id;
    std::string name;
};

ChangedTag describe(const TagEntry& entry) {
    return {TagDatabase::get_tag_type(entry), entry.id, entry.name};
}

void print_changes(ToolIo& io, const std::vector<ChangedTag>& changes) {
    for (const ChangedTag& change : changes)
        io.out << tag_id_to_text(change.type) << '\t' << tag_id_to_text(change.id) << '\t' << change.name << '\n';
}

void find_command(ToolIo& io, const std::string& workspace, const std::string& type_id) {
    TagDatabase db;
    load_workspace_folders(db, workspace);
    const auto [type, id] = parse_type_id(type_id);
    TagEntry* found = db.find_tag(type, id);
    if (!found) throw ToolError("no tag " + type_id_text(type, id) + " in the workspace " + workspace);
    io.out << *found->file->spec << '\n';
    for (TagFile& file : db.files())
        if (&file != found->file && db.find_tag_in_file(file, type, id))
            io.out << "duplicate\t" << file.spec.value_or("(unsaved tag file)") << '\n';
}

void add_raw_command(ToolIo& io, const std::string& tag_file, const std::vector<std::string>& files) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, tag_file, true);
    std::vector<ChangedTag> changes;
    for (const std::string& path : files) {
        TagEntry* entry = db.import_raw_file(file, path);
        if (!entry) throw ToolError("cannot import " + path + ": it is empty or cannot be read");
        changes.push_back(describe(*entry));
    }
    save_file(db, file);
    print_changes(io, changes);
}

void rename_command(ToolIo& io, const std::string& tag_file, const std::string& type_id, const std::string& name) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, tag_file);
    TagEntry& entry = find_tag_or_fail(db, file, type_id);
    db.set_tag_name(entry, name);
    const ChangedTag change = describe(entry);
    save_file(db, file);
    print_changes(io, {change});
}

void set_id_command(ToolIo& io, const std::string& tag_file, const std::string& type_id, const std::string& new_id) {
    if (new_id.size() != 4) throw ToolError("'" + new_id + "' is not a tag id of four characters");
    TagDatabase db;
    TagFile& file = open_tag_file(db, tag_file);
    TagEntry& entry = find_tag_or_fail(db, file, type_id);
    db.set_tag_id(entry, text_to_tag_id(new_id));
    const ChangedTag change = describe(entry);
    save_file(db, file);
    print_changes(io, {change});
}

void delete_command(ToolIo& io, const std::string& tag_file, const std::string& type_id) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, tag_file);
    TagEntry& entry = find_tag_or_fail(db, file, type_id);
    const ChangedTag change = describe(entry);
    db.delete_tag(entry);
    save_file(db, file);
    print_changes(io, {change});
}

void merge_command(ToolIo& io, const std::string& from_path, const std::string& to_path) {
    TagDatabase db;
    TagFile& from = open_tag_file(db, from_path);
    TagFile& to = open_tag_file(db, to_path, true);
    std::vector<const TagEntry*> before;
    for (const TagGroup& group : to.groups)
        for (const TagEntry& entry : group.entries) before.push_back(&entry);
    db.copy_missing_tags(from, to);
    std::vector<ChangedTag> changes;
    std::vector<const TagEntry*> added;
    for (const TagGroup& group : to.groups)
        for (const TagEntry& entry : group.entries)
            if (std::find(before.begin(), before.end(), &entry) == before.end()) added.push_back(&entry);
    std::sort(added.begin(), added.end(), [](const TagEntry* a, const TagEntry* b) { return a->order < b->order; });
    for (const TagEntry* entry : added) changes.push_back(describe(*entry));
    save_file(db, to);
    print_changes(io, changes);
}

} // namespace

void add_database_commands(CLI::App& app, ToolIo& io) {
    struct Arguments {
        std::string workspace = ".";
        std::string tag_file, type_id, name, new_id, from, to;
        std::vector<std::string> files;
    };
    auto args = std::make_shared<Arguments>();

    auto* find = app.add_subcommand("find", "Print the file a lookup of TYPE:ID returns in a workspace, "
                                            "then 'duplicate<TAB>path' for every other file holding it");
    find->add_option("--workspace", args->workspace, "folder holding tags, local and plugins")->capture_default_str();
    find->add_option("TYPE:ID", args->type_id, "the tag")->required();
    find->callback([&io, args] { find_command(io, args->workspace, args->type_id); });

    const char* changes = "; prints one line per changed tag: type, id, name";
    auto* add_raw = app.add_subcommand(
        "add-raw", std::string("Add files as 'jpeg' (.jpg) or 'rawd' tags, creating TAGFILE when missing") + changes);
    add_raw->add_option("TAGFILE", args->tag_file, "tag file")->required();
    add_raw->add_option("FILE", args->files, "files to add")->required();
    add_raw->callback([&io, args] { add_raw_command(io, args->tag_file, args->files); });

    auto* rename = app.add_subcommand("rename", std::string("Rename a tag and save") + changes);
    rename->add_option("TAGFILE", args->tag_file, "tag file")->required();
    rename->add_option("TYPE:ID", args->type_id, "the tag")->required();
    rename->add_option("NAME", args->name, "new name (31 characters at most)")->required();
    rename->callback([&io, args] { rename_command(io, args->tag_file, args->type_id, args->name); });

    auto* set_id = app.add_subcommand("set-id", std::string("Give a tag a new id and save") + changes);
    set_id->add_option("TAGFILE", args->tag_file, "tag file")->required();
    set_id->add_option("TYPE:ID", args->type_id, "the tag")->required();
    set_id->add_option("NEWID", args->new_id, "new id, four characters")->required();
    set_id->callback([&io, args] { set_id_command(io, args->tag_file, args->type_id, args->new_id); });

    auto* remove = app.add_subcommand("delete", std::string("Delete a tag and save") + changes);
    remove->add_option("TAGFILE", args->tag_file, "tag file")->required();
    remove->add_option("TYPE:ID", args->type_id, "the tag")->required();
    remove->callback([&io, args] { delete_command(io, args->tag_file, args->type_id); });

    auto* merge = app.add_subcommand(
        "merge", std::string("Copy into TO every tag of FROM that TO lacks (by type and id), then save TO") + changes);
    merge->add_option("FROM", args->from, "tag file to copy from")->required();
    merge->add_option("TO", args->to, "tag file to copy into (created when missing)")->required();
    merge->callback([&io, args] { merge_command(io, args->from, args->to); });
}

} // namespace zephane::cli
