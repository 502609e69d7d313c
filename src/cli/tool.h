#pragma once
// zephane-tool: the core behind a command line. Each subsystem adds its commands through
// one registration function; every command writes to the streams it is given, so tests run
// the tool in-process.

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tags/tag_database.h"

namespace CLI {
class App;
}

namespace zephane::cli {

struct ToolIo {
    std::ostream& out;
    std::ostream& err;
};

// A failure a command reports as one line on stderr, ending with exit status 1.
class ToolError : public std::runtime_error {
public:
    explicit ToolError(const std::string& message) : std::runtime_error(message) {}
};

int run_tool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

void add_tag_file_commands(CLI::App& app, ToolIo& io);
void add_database_commands(CLI::App& app, ToolIo& io);
void add_texture_commands(CLI::App& app, ToolIo& io);
void add_sprite_commands(CLI::App& app, ToolIo& io);
void add_sound_commands(CLI::App& app, ToolIo& io);
void add_skeletal_commands(CLI::App& app, ToolIo& io);
void add_definition_commands(CLI::App& app, ToolIo& io);
void add_dialog_commands(CLI::App& app, ToolIo& io);
void add_demo_commands(CLI::App& app, ToolIo& io);
void add_mesh_commands(CLI::App& app, ToolIo& io);
void add_generic_tag_commands(CLI::App& app, ToolIo& io);
void add_workspace_commands(CLI::App& app, ToolIo& io);

// "TYPE:ID", four characters each side.
std::pair<tag_type, tag_id> parse_type_id(const std::string& text);
std::string type_id_text(tag_type type, tag_id id);

// Reads one tag file; with create, a missing file becomes a new empty one at that path.
TagFile& open_tag_file(TagDatabase& db, const std::string& path, bool create = false);
TagEntry& find_tag_or_fail(TagDatabase& db, TagFile& file, const std::string& type_id);
// Saves: save_tag_file for a file read from disk, an AUTO write for one never written.
void save_file(TagDatabase& db, TagFile& file);

} // namespace zephane::cli
