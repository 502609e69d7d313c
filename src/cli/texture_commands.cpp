// txst-info, import-psd, collapse and export-texture: texture stacks from the command line.

#include <CLI/CLI.hpp>
#include <filesystem>
#include <ostream>

#include "cli/tool.h"
#include "textures/detail_collapse.h"
#include "textures/png_export.h"
#include "textures/psd_import.h"
#include "textures/texture_pixels.h"
#include "textures/texture_stack.h"

namespace zephane::cli {

namespace {

std::unique_ptr<StackSet> read_set_or_fail(TagDatabase& db, TagFile& file, const std::string& type_id) {
    TagEntry& entry = find_tag_or_fail(db, file, type_id);
    if (TagDatabase::get_tag_type(entry) != kTextureStackType)
        throw ToolError(type_id + " is not a texture stack (txst) tag");
    std::string problem;
    auto set = read_stack_set(db, entry, &problem);
    if (!set) throw ToolError(type_id + ": " + problem);
    return set;
}

void print_texture(ToolIo& io, std::size_t index, const stacked_texture& t) {
    io.out << "  texture " << index << ": " << channel_name(t.channels) << ", " << format_label(t.format)
           << ", " << layer_kind_label(t.layer_kind, t.layer) << ", layer " << int{t.layer} << ", "
           << t.width << " x " << t.height << ", " << t.size() << " bytes, origin " << t.origin_u << ' '
           << t.origin_v << ", dU " << t.du_u << ' ' << t.du_v << ", dV " << t.dv_u << ' ' << t.dv_v << '\n';
}

void info_command(ToolIo& io, const std::string& path, const std::string& type_id) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    const auto set = read_set_or_fail(db, file, type_id);
    io.out << set->stacks.size() << (set->stacks.size() == 1 ? " stack\n" : " stacks\n");
    for (std::size_t s = 0; s < set->stacks.size(); ++s) {
        const TextureStack& stack = set->stacks[s];
        io.out << "stack " << s << ": " << stack.textures.size() << " textures, flags " << stack.flags
               << ", word " << stack.word << '\n';
        for (std::size_t t = 0; t < stack.textures.size(); ++t) print_texture(io, t, *stack.textures[t]);
    }
}

void import_psd_command(ToolIo& io, const std::string& path, const std::string& psd) {
    std::string problem;
    const auto set = import_terrain_file(psd, &problem);
    if (!set) throw ToolError("cannot import " + psd + ": " + problem);
    auto payload = build_stack_payload(*set, &problem);
    if (!payload) throw ToolError("cannot store " + psd + ": " + problem);
    TagDatabase db;
    TagFile& file = open_tag_file(db, path, true);
    const std::string name = std::filesystem::path(psd).stem().string();
    TagEntry* entry = db.add_tag(&file, kTextureStackType, 0, tag_type_version(kTextureStackType), name, 0,
                                 0, std::move(*payload));
    if (!entry) throw ToolError("cannot add the texture stack to " + path);
    const tag_id id = entry->id;
    save_file(db, file);
    io.out << tag_id_to_text(id) << '\n';
}

// The document's layers as full-size textures in a new stack after the last one.
void import_psd_layers_command(ToolIo& io, const std::string& path, const std::string& type_id,
                               const std::string& psd) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_tag_or_fail(db, file, type_id);
    std::string problem;
    auto set = read_stack_set(db, entry, &problem);
    if (!set) throw ToolError("cannot read " + type_id + ": " + problem);
    const std::size_t stack = set->stacks.size();
    std::vector<stacked_texture*> inserted;
    import_psd_layers_file(*set, stack, 0, psd, &inserted, &problem);
    if (inserted.empty())
        throw ToolError("nothing imported from " + psd + (problem.empty() ? "" : ": " + problem));
    if (!write_stack_set(db, *set, entry, &problem)) throw ToolError("cannot store " + type_id + ": " + problem);
    save_file(db, file);
    io.out << inserted.size() << (inserted.size() == 1 ? " texture" : " textures") << " imported into stack "
           << stack << '\n';
}

tag_id parse_id(const std::string& text) {
    if (text.size() != 4) throw ToolError("'" + text + "' is not a tag id (four characters)");
    return text_to_tag_id(text);
}

void collapse_command(ToolIo& io, const std::string& path, const std::string& terrain, const std::string& detail) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    std::string problem;
    TagEntry* entry = collapse_terrain(db, file, parse_id(terrain), parse_id(detail), &problem);
    if (!entry) throw ToolError("cannot collapse: " + problem);
    const tag_id id = entry->id;
    save_file(db, file);
    io.out << tag_id_to_text(id) << '\n';
}

void export_command(const std::string& path, const std::string& type_id, std::size_t stack,
                    std::size_t index, const std::string& out) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    const auto set = read_set_or_fail(db, file, type_id);
    const stacked_texture* texture = texture_at(*set, stack, index);
    if (!texture)
        throw ToolError("no texture " + std::to_string(index) + " in stack " + std::to_string(stack));
    std::string problem;
    const auto pixels = decode_texture(*texture, true, &problem);
    if (!pixels) throw ToolError("cannot decode the texture: " + problem);
    if (!write_png_file(out, *pixels, &problem)) throw ToolError(problem);
}

} // namespace

void add_texture_commands(CLI::App& app, ToolIo& io) {
    auto* info = app.add_subcommand(
        "txst-info", "Show a texture stack tag: per stack its textures with channels, format, layer "
                     "kind, layer, size, bytes and placement");
    auto info_path = std::make_shared<std::string>(), info_tag = std::make_shared<std::string>();
    info->add_option("TAGFILE", *info_path, "tag file")->required();
    info->add_option("TYPE:ID", *info_tag, "the texture stack tag")->required();
    info->callback([&io, info_path, info_tag] { info_command(io, *info_path, *info_tag); });

    auto* import = app.add_subcommand(
        "import-psd", "Cut a Photoshop document into 128 x 128 terrain tiles (base colour map and "
                      "detail masks) as a new texture stack tag named after the file; prints its id");
    auto import_path = std::make_shared<std::string>(), psd = std::make_shared<std::string>();
    import->add_option("TAGFILE", *import_path, "tag file (made when missing)")->required();
    import->add_option("PSD", *psd, "Photoshop document")->required();
    import->callback([&io, import_path, psd] { import_psd_command(io, *import_path, *psd); });

    auto* layers = app.add_subcommand(
        "import-psd-layers", "Add each layer of a Photoshop document (sides powers of two) as a "
                             "full-size texture, in a new stack after the last one, and save");
    auto layers_path = std::make_shared<std::string>(), layers_tag = std::make_shared<std::string>();
    auto layers_psd = std::make_shared<std::string>();
    layers->add_option("TAGFILE", *layers_path, "tag file")->required();
    layers->add_option("TYPE:ID", *layers_tag, "the texture stack tag")->required();
    layers->add_option("PSD", *layers_psd, "Photoshop document")->required();
    layers->callback([&io, layers_path, layers_tag, layers_psd] {
        import_psd_layers_command(io, *layers_path, *layers_tag, *layers_psd);
    });

    auto* collapse = app.add_subcommand(
        "collapse", "Bake the detail textures of a detail stack into the base maps of a terrain "
                    "stack, as a new \"Collapsed Terrain Stack\" tag; prints its id");
    auto collapse_path = std::make_shared<std::string>();
    auto terrain = std::make_shared<std::string>(), detail = std::make_shared<std::string>();
    collapse->add_option("TAGFILE", *collapse_path, "tag file holding both texture stacks")->required();
    collapse->add_option("TERRAIN_ID", *terrain, "id of the terrain texture stack")->required();
    collapse->add_option("DETAIL_ID", *detail, "id of the detail texture stack")->required();
    collapse->callback([&io, collapse_path, terrain, detail] {
        collapse_command(io, *collapse_path, *terrain, *detail);
    });

    auto* exported = app.add_subcommand(
        "export-texture", "Write the decoded pixels of one texture as a PNG file");
    auto export_path = std::make_shared<std::string>(), export_tag = std::make_shared<std::string>();
    auto stack = std::make_shared<std::size_t>(0), index = std::make_shared<std::size_t>(0);
    auto out = std::make_shared<std::string>();
    exported->add_option("TAGFILE", *export_path, "tag file")->required();
    exported->add_option("TYPE:ID", *export_tag, "the texture stack tag")->required();
    exported->add_option("STACK", *stack, "stack index, from 0")->required();
    exported->add_option("INDEX", *index, "texture index within the stack, from 0")->required();
    exported->add_option("OUT", *out, "PNG file to write")->required();
    exported->callback([export_path, export_tag, stack, index, out] {
        export_command(*export_path, *export_tag, *stack, *index, *out);
    });
}

} // namespace zephane::cli
