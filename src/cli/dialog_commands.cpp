// import-cin: Dialog tags from an interface description file.

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "base/posix_file.h"
#include "cli/tool.h"
#include "dialogs/dialog_builder.h"
#include "dialogs/dialog_payload.h"
#include "workspace/workspace_loading.h"

namespace zephane::cli {

namespace {

void import_cin(ToolIo& io, const std::string& workspace, const std::string& path, const std::string& cin) {
    // Read and check the whole description before touching the tag file: all or nothing.
    const std::optional<std::vector<std::uint8_t>> data = read_whole_file(cin);
    if (!data) throw ToolError("cannot read " + cin + " (fp)");
    std::vector<BuiltDialog> dialogs;
    try {
        dialogs = read_interface_description(*data);
    } catch (const DialogCheckFailure& failure) {
        throw ToolError(cin + ": check failed: " + failure.what());
    }
    TagDatabase db;
    if (!workspace.empty()) load_workspace_folders(db, workspace);
    TagFile& file = open_tag_file(db, path, true);
    std::vector<TagEntry*> made;
    try {
        made = add_dialog_tags(db, file, dialogs);
    } catch (const DialogCheckFailure& failure) {
        throw ToolError(cin + ": check failed: " + failure.what());
    }
    save_file(db, file);
    for (const TagEntry* entry : made)
        io.out << type_id_text(kDialogTagType, entry->id) << '\t' << entry->name << '\n';
}

} // namespace

void add_dialog_commands(CLI::App& app, ToolIo& io) {
    struct Args {
        std::string workspace, tag_file, cin;
    };
    auto args = std::make_shared<Args>();
    auto* command = app.add_subcommand("import-cin", "Add one Dialog tag per window of an interface "
                                                     "description file; TAGFILE is created when missing");
    command->add_option("--workspace", args->workspace, "folder holding tags, local and plugins");
    command->add_option("TAGFILE", args->tag_file, "tag file")->required();
    command->add_option("CIN", args->cin, "interface description file")->required();
    command->callback([&io, args] { import_cin(io, args->workspace, args->tag_file, args->cin); });
}

} // namespace zephane::cli
