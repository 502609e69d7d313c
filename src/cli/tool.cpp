#include "cli/tool.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <ostream>

#include "definitions/register_tag_types.h"
#include "base/errors.h"
#include "base/posix_file.h"
#include "tags/tag_file_writer.h"

namespace zephane::cli {

std::pair<tag_type, tag_id> parse_type_id(const std::string& text) {
    const auto colon = text.find(':');
    if (colon != 4 || text.size() != 9) throw ToolError("'" + text + "' is not TYPE:ID (four characters each)");
    return {text_to_tag_id(text.substr(0, 4)), text_to_tag_id(text.substr(5, 4))};
}

std::string type_id_text(tag_type type, tag_id id) {
    return std::string(tag_id_to_text(type)) + ":" + tag_id_to_text(id);
}

TagFile& open_tag_file(TagDatabase& db, const std::string& path, bool create) {
    TagFileFailure failure;
    TagFile* file = db.read_tag_file(path, create, &failure);
    if (!file) throw ToolError(failure.message.empty() ? "cannot read " + path : failure.message);
    return *file;
}

TagEntry& find_tag_or_fail(TagDatabase& db, TagFile& file, const std::string& type_id) {
    const auto [type, id] = parse_type_id(type_id);
    TagEntry* entry = db.find_tag_in_file(file, type, id);
    if (!entry) throw ToolError("no tag " + type_id_text(type, id) + " in " + TagDatabase::tag_file_display_name(file));
    return *entry;
}

void save_file(TagDatabase& db, TagFile& file) {
    if (file.spec) {
        db.save_tag_file(file);
        return;
    }
    throw ToolError("the file has no path to save to");
}

int run_tool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    register_tag_types();
    ToolIo io{out, err};
    CLI::App app{"zephane-tool: list, check, copy and change tag files from the command line",
                 "zephane-tool"};
    app.require_subcommand(1);
    add_tag_file_commands(app, io);
    add_generic_tag_commands(app, io);
    add_texture_commands(app, io);
    add_sprite_commands(app, io);
    add_sound_commands(app, io);
    add_skeletal_commands(app, io);
    add_definition_commands(app, io);
    add_dialog_commands(app, io);
    add_database_commands(app, io);
    add_demo_commands(app, io);
    add_mesh_commands(app, io);
    add_workspace_commands(app, io);

    // A first word that names no command is said as such (not "A subcommand is required").
    if (args.size() > 1 && !args[1].empty() && args[1][0] != '-') {
        const auto commands = app.get_subcommands([](const CLI::App*) { return true; });
        const bool known = std::any_of(commands.begin(), commands.end(), [&](const CLI::App* c) {
            return c->check_name(args[1]);
        });
        if (!known) {
            err << "zephane-tool: unknown command '" << args[1] << "'; see zephane-tool --help\n";
            return 2;
        }
    }

    // Assertions stop the command with a report instead of asking anyone.
    const AssertionHandler previous = set_assertion_handler([](const AssertionInfo& info) {
        throw AssertionFailure(info);
    });
    int status = 0;
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend() - (args.empty() ? 0 : 1));
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        // Help (of the tool or of one command) exits 0; usage errors exit 2.
        status = app.exit(e, out, err) == 0 ? 0 : 2;
    } catch (const ToolError& e) {
        if (*e.what()) err << "zephane-tool: " << e.what() << "\n";
        status = 1;
    } catch (const UserError& e) {
        err << "zephane-tool: " << e.what() << "\n";
        status = 1;
    } catch (const std::exception& e) {
        err << "zephane-tool: " << e.what() << "\n";
        status = 1;
    }
    set_assertion_handler(previous);
    return status;
}

} // namespace zephane::cli
