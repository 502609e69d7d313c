// list, copy and verify: tag files as they are on disk.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <ostream>

#include "cli/tool.h"
#include "tags/tag_file_verify.h"

namespace zephane::cli {

namespace {

const char* kind_name(std::int32_t kind) {
    switch (kind) {
    case kFileKindSingle: return "single";
    case kFileKindPlugin: return "plugin";
    case kFileKindPatch: return "patch";
    case kFileKindBase: return "base";
    default: return nullptr;
    }
}

void list_file(ToolIo& io, const std::string& path) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    std::vector<const TagEntry*> entries;
    for (const TagGroup& group : file.groups)
        for (const TagEntry& entry : group.entries) entries.push_back(&entry);
    // Entries were made in the order of the tag headers.
    std::sort(entries.begin(), entries.end(),
              [](const TagEntry* a, const TagEntry* b) { return a->order < b->order; });
    const char* kind = kind_name(file.kind);
    io.out << (kind ? kind : std::to_string(file.kind).c_str()) << '\t' << entries.size() << '\n';
    for (const TagEntry* e : entries) {
        const tag_type type = TagDatabase::get_tag_type(*e);
        io.out << tag_id_to_text(type) << '\t' << tag_id_to_text(e->id) << '\t' << e->version << '\t'
               << e->size << '\t' << e->name << '\t' << tag_type_name(type) << '\n';
    }
}

TagSaveKind parse_save_kind(const std::string& text) {
    if (text == "auto") return TAG_FILE_TYPE_AUTO;
    if (text == "single") return TAG_FILE_TYPE_SINGLE;
    if (text == "plugin") return TAG_FILE_TYPE_PLUGIN;
    return TAG_FILE_TYPE_BASE;
}

void copy_file(const std::string& in, const std::string& out, const std::string& kind) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, in);
    TagFileFailure failure;
    if (!db.write_tag_file(out, file, true, parse_save_kind(kind), &failure))
        throw ToolError("cannot write " + out + ": " + failure.message);
}

int verify_files(ToolIo& io, const std::vector<std::string>& paths) {
    bool sound = true;
    for (const std::string& path : paths) {
        const std::string prefix = paths.size() > 1 ? path + ": " : "";
        const auto problems = verify_tag_file(path);
        if (problems.empty()) io.out << prefix << "OK\n";
        for (const std::string& problem : problems) io.out << prefix << problem << '\n';
        sound = sound && problems.empty();
    }
    return sound ? 0 : 1;
}

} // namespace

void add_tag_file_commands(CLI::App& app, ToolIo& io) {
    auto* list = app.add_subcommand("list", "List the kind and the tags of a tag file, in header order");
    auto list_path = std::make_shared<std::string>();
    list->add_option("FILE", *list_path, "tag file")->required();
    list->callback([&io, list_path] { list_file(io, *list_path); });

    auto* copy = app.add_subcommand("copy", "Read a tag file and write it again as a new file");
    auto in = std::make_shared<std::string>(), out = std::make_shared<std::string>();
    auto kind = std::make_shared<std::string>("auto");
    copy->add_option("IN", *in, "tag file to read")->required();
    copy->add_option("OUT", *out, "tag file to write")->required();
    copy->add_option("--kind", *kind, "save kind; auto decides from the folders holding OUT")
        ->check(CLI::IsMember({"auto", "single", "plugin", "base"}));
    copy->callback([in, out, kind] { copy_file(*in, *out, *kind); });

    auto* verify = app.add_subcommand(
        "verify", "Check file size, checksums, tag signatures and payload placement; prints OK or "
                  "one line per problem (prefixed with the file when several are given)");
    auto paths = std::make_shared<std::vector<std::string>>();
    verify->add_option("FILE", *paths, "tag files")->required();
    verify->callback([&io, paths] {
        if (verify_files(io, *paths) != 0) throw ToolError(""); // the problems are the output
    });
}

} // namespace zephane::cli
