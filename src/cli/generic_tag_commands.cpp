// new-tag and rewrite: the type table's own operations on one tag, for every type that has
// them.

#include <CLI/CLI.hpp>
#include <ostream>

#include "base/byte_reader.h"
#include "cli/tool.h"
#include "tags/tag_types.h"

namespace zephane::cli {

namespace {

void new_tag(ToolIo& io, const std::string& path, const std::string& type_id,
             const std::string& name) {
    const auto [type, id] = parse_type_id(type_id);
    const TagDefaultsOp defaults = tag_type_defaults(type);
    if (!defaults) throw ToolError(std::string(tag_id_to_text(type)) + " has no new-tag payload");
    TagDatabase db;
    TagFile& file = open_tag_file(db, path, true);
    if (db.find_tag_in_file(file, type, id))
        throw ToolError(type_id_text(type, id) + " is already in " +
                        TagDatabase::tag_file_display_name(file));
    TagEntry* entry = db.add_tag(&file, type, id, tag_type_version(type),
                                 name.empty() ? tag_id_to_text(id) : name, 0, 0, std::nullopt);
    defaults(db, *entry);
    if (!entry->data) throw ToolError("the defaults of " + type_id_text(type, id) + " made no payload");
    save_file(db, file);
    io.out << type_id_text(type, id) << '\t' << entry->data->size() << " bytes\n";
}

void rewrite_tag(ToolIo& io, const std::string& path, const std::string& type_id) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_tag_or_fail(db, file, type_id);
    const tag_type type = TagDatabase::get_tag_type(entry);
    const TagRewriteOp rewrite = tag_type_rewrite(type);
    if (!rewrite)
        throw ToolError(std::string(tag_id_to_text(type)) + " tags have no structured reader");
    std::string failure;
    const Payload* payload = db.get_tag_data(entry, &failure);
    if (!payload) throw ToolError(type_id + ": " + failure);
    Payload rewritten;
    try {
        rewritten = rewrite(*payload, entry.version);
    } catch (const FormatError& e) {
        throw ToolError(type_id + ": " + e.what());
    }
    db.set_tag_data(entry, std::move(rewritten));
    save_file(db, file);
    io.out << type_id_text(type, entry.id) << '\t' << entry.data->size() << " bytes\n";
}

} // namespace

void add_generic_tag_commands(CLI::App& app, ToolIo& io) {
    auto* create = app.add_subcommand("new-tag", "Add a tag with its type's new-tag payload");
    auto path = std::make_shared<std::string>(), type_id = std::make_shared<std::string>();
    auto name = std::make_shared<std::string>();
    create->add_option("TAGFILE", *path, "tag file (created when missing)")->required();
    create->add_option("TYPE:ID", *type_id, "type and id of the new tag")->required();
    create->add_option("--name", *name, "the tag's name (default: the id)");
    create->callback([&io, path, type_id, name] { new_tag(io, *path, *type_id, *name); });

    auto* rewrite = app.add_subcommand(
        "rewrite", "Read a tag through its type's reader and write it again through its writer");
    auto rpath = std::make_shared<std::string>(), rtype_id = std::make_shared<std::string>();
    rewrite->add_option("TAGFILE", *rpath, "tag file")->required();
    rewrite->add_option("TYPE:ID", *rtype_id, "the tag")->required();
    rewrite->callback([&io, rpath, rtype_id] { rewrite_tag(io, *rpath, *rtype_id); });
}

} // namespace zephane::cli
