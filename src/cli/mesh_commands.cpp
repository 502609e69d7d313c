// new-mesh, mesh-info, mesh-edit and export-heights: maps from the command line.

#include "base/byte_reader.h"
#include "cli/tool.h"
#include "mesh/edit/brush.h"
#include "mesh/edit/mesh_markers_edit.h"
#include "mesh/edit/strokes.h"
#include "mesh/mesh.h"
#include "mesh/new_mesh.h"
#include "tags/tag_code.h"
#include "tags/tag_types.h"
#include "textures/png_export.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdio>
#include <memory>
#include <ostream>

namespace zephane::cli {

namespace {

const tag_type kMeshType = fourcc("mesh");

template <typename T>
T number_or_fail(const std::string& text, const char* what) {
    T value{};
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end) throw ToolError(std::string(what) + " is not a number: " + text);
    return value;
}

TagEntry& find_mesh_or_fail(TagDatabase& db, TagFile& file, const std::string& type_id) {
    if (parse_type_id(type_id).first != kMeshType) throw ToolError(type_id + " is not a mesh tag (mesh)");
    return find_tag_or_fail(db, file, type_id);
}

Mesh read_mesh_or_fail(TagDatabase& db, TagEntry& entry) {
    std::string failure;
    const Payload* payload = db.get_tag_data(entry, &failure);
    if (!payload) throw ToolError(type_id_text(kMeshType, entry.id) + ": " + failure);
    try {
        return load_mesh(*payload);
    } catch (const FormatError& e) {
        throw ToolError(type_id_text(kMeshType, entry.id) + ": " + e.what());
    }
}

void new_mesh(ToolIo& io, const std::string& path, const std::string& type_id, const std::string& width_text,
              const std::string& height_text, const std::string& name) {
    const auto [type, id] = parse_type_id(type_id);
    if (type != kMeshType) throw ToolError(type_id + " is not a mesh tag (mesh)");
    int width = 0, height = 0;
    try {
        width = number_or_fail<int>(width_text, "WIDTH");
        height = number_or_fail<int>(height_text, "HEIGHT");
    } catch (const ToolError&) {
        throw ToolError(kBadMeshSizesText);
    }
    if (!valid_new_mesh_size(width, height)) throw ToolError(kBadMeshSizesText);
    TagDatabase db;
    TagFile& file = open_tag_file(db, path, true);
    if (db.find_tag_in_file(file, type, id)) throw ToolError(type_id_text(type, id) + " is already in " + path);
    db.add_tag(&file, type, id, tag_type_version(type), name.empty() ? tag_id_to_text(id) : name, 0, 0,
               new_mesh_payload(width, height));
    save_file(db, file);
    io.out << type_id_text(type, id) << ": " << width << " x " << height << " cells, colormap "
           << mesh_colormap_side(width) << " x " << mesh_colormap_side(height) << "\n";
}

// A palette row as the map editor's palette list shows it.
std::string palette_row(TagDatabase& db, const Mesh& mesh, std::size_t index) {
    static const tag_type kKindTypes[12] = {0, fourcc("scen"), 0, fourcc("unit"), 0, fourcc("amso"),
                                            fourcc("geom"), 0, 0, fourcc("proj"), fourcc("lpgr"), fourcc("anim")};
    const marker_palette_entry& e = mesh.palette[index];
    char text[160];
    if (e.kind == 0) {
        std::snprintf(text, sizeof text, "Team %d", e.team);
        return text;
    }
    const tag_type type = e.kind < 12 ? kKindTypes[e.kind] : 0;
    std::string row = std::string(tag_id_to_text(e.tag)) + "  -  ";
    const TagEntry* tag = type ? db.find_tag(type, e.tag) : nullptr;
    if (tag) {
        row += tag->name;
    } else {
        std::snprintf(text, sizeof text, "<missing %s>", tag_type_name(type));
        row += text;
    }
    if (e.kind == kMonsterKind) {
        std::snprintf(text, sizeof text, " (team %d)", e.team);
        row += text;
    }
    int used = 0, flagged = 0;
    for (std::size_t m = 0; m < mesh.markers.size(); ++m) {
        if (!marker_uses(mesh, m, index)) continue;
        ++used;
        flagged += static_cast<int>(mesh.markers[m].flags & 1);
    }
    if (used) {
        std::snprintf(text, sizeof text, " (%d/%d)", used - flagged, used);
        row += text;
    }
    return row;
}

void mesh_info(ToolIo& io, const std::string& path, const std::string& type_id) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_mesh_or_fail(db, file, type_id);
    const Mesh mesh = read_mesh_or_fail(db, entry);
    std::ostream& out = io.out;
    out << "size: " << mesh.columns << " x " << mesh.rows << "\n";
    out << "cells: " << mesh.cells.size() * sizeof(mesh_cell) << " bytes\n";
    out << "marker palette: " << mesh.palette.size() * sizeof(marker_palette_entry) << " bytes\n";
    out << "markers: " << mesh.markers.size() * sizeof(mesh_marker) << " bytes\n";
    out << "block A: " << mesh.block_a.size() << " bytes\n";
    out << "block B: " << mesh.block_b.size() << " bytes\n";
    out << "block C: " << mesh.block_c.size() << " bytes\n";
    out << "map actions: " << mesh.actions.size() << " bytes\n";
    out << "palette entries: " << mesh.palette.size() << "\n";
    for (std::size_t p = 0; p < mesh.palette.size(); ++p) out << p << '\t' << palette_row(db, mesh, p) << "\n";
    out << "marker count: " << mesh.markers.size() << "\n";
}

std::vector<std::string> comma_list(const std::string& list) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        items.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return items;
}

ModifyFlags parse_modify(const std::string& list) {
    ModifyFlags flags{};
    for (const std::string& item : comma_list(list)) {
        if (item != "0" && item != "4" && item != "5")
            throw ToolError("--modify takes a comma list of 0, 4 and 5, not " + list);
        flags[static_cast<std::size_t>(item[0] - '0')] = true;
    }
    return flags;
}

// Reads the operations one by one and applies each to the mesh in memory.
class EditRun {
public:
    EditRun(Mesh& mesh, ModifyFlags modify, const std::vector<std::string>& words)
        : mesh_(mesh), modify_(modify), words_(words) {}

    int run() {
        int count = 0;
        while (at_ < words_.size()) {
            apply(words_[at_++]);
            ++count;
        }
        return count;
    }

private:
    const std::string& word(const std::string& op) {
        if (at_ >= words_.size()) throw ToolError(op + " needs more arguments");
        return words_[at_++];
    }
    double real(const std::string& op) { return number_or_fail<double>(word(op), op.c_str()); }
    long integer(const std::string& op) { return number_or_fail<long>(word(op), op.c_str()); }

    void apply(const std::string& op) {
        if (op == "render-from-physical") {
            set_render_height_from_physical(mesh_);
        } else if (op == "clear-pitch-roll") {
            clear_pitch_and_roll(mesh_);
        } else if (op == "delete-palette") {
            const long n = integer(op);
            if (n < 0 || static_cast<std::size_t>(n) >= mesh_.palette.size())
                throw ToolError("there is no palette entry " + std::to_string(n));
            delete_palette_entry(mesh_, static_cast<std::size_t>(n));
        } else if (op == "delete-markers") {
            delete_markers(word(op));
        } else if (op == "terrain") {
            const long type = integer(op);
            if (type < 0 || type > 15) throw ToolError("terrain types run from 0 to 15");
            const auto triangles = stroke(op);
            paint_terrain(mesh_, triangles, static_cast<int>(type));
        } else if (op == "water") {
            const std::uint16_t media = media_value(real(op));
            const double x0 = real(op), y0 = real(op), x1 = real(op), y1 = real(op);
            const auto triangles = stroke_triangles(mesh_, x0, y0, x1, y1);
            if (water_press_erases(mesh_, x0, y0, media))
                erase_water(mesh_, triangles);
            else
                paint_water(mesh_, triangles, media);
        } else if (op == "pull" || op == "smooth") {
            const double x = real(op), y = real(op), w = real(op), round = real(op), soft = real(op), dh = real(op);
            const Press press = press_brush(mesh_, x, y, w, round, soft);
            if (op == "pull")
                pull_grid(mesh_, press, dh, modify_);
            else
                smooth_grid(mesh_, press, dh, modify_);
        } else {
            throw ToolError("unknown operation " + op);
        }
    }

    std::vector<GridTriangle> stroke(const std::string& op) {
        const double x0 = real(op), y0 = real(op), x1 = real(op), y1 = real(op);
        return stroke_triangles(mesh_, x0, y0, x1, y1);
    }

    void delete_markers(const std::string& list) {
        std::vector<std::size_t> indices;
        for (const std::string& item : comma_list(list)) {
            const auto i = number_or_fail<long>(item, "delete-markers");
            if (i < 0 || static_cast<std::size_t>(i) >= mesh_.markers.size())
                throw ToolError("there is no marker " + std::to_string(i));
            indices.push_back(static_cast<std::size_t>(i));
        }
        clear_markers(mesh_, indices);
    }

    Mesh& mesh_;
    ModifyFlags modify_;
    const std::vector<std::string>& words_;
    std::size_t at_ = 0;
};

void mesh_edit(ToolIo& io, const std::string& path, const std::string& type_id, const std::string& modify,
               const std::vector<std::string>& ops) {
    const ModifyFlags flags = modify.empty() ? kNewEditorModifyFlags : parse_modify(modify);
    if (ops.empty()) throw ToolError("mesh-edit needs at least one operation");
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_mesh_or_fail(db, file, type_id);
    Mesh mesh = read_mesh_or_fail(db, entry);
    // Every operation runs before anything is saved: a refusal leaves the file as it was.
    const int count = EditRun(mesh, flags, ops).run();
    db.set_tag_data(entry, save_mesh(mesh));
    save_file(db, file);
    io.out << type_id_text(kMeshType, entry.id) << ": " << count << " operations\n";
}

void export_heights(const std::string& path, const std::string& type_id, const std::string& out, bool render) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_mesh_or_fail(db, file, type_id);
    const Mesh mesh = read_mesh_or_fail(db, entry);
    std::vector<std::uint16_t> pixels(mesh.cells.size());
    for (std::size_t c = 0; c < pixels.size(); ++c)
        pixels[c] = render ? mesh.cells[c].render_height : mesh.cells[c].physical_height;
    std::string problem;
    if (!write_gray16_png_file(out, mesh.columns, mesh.rows, pixels, &problem)) throw ToolError(problem);
}

} // namespace

void add_mesh_commands(CLI::App& app, ToolIo& io) {
    struct Args {
        std::string path, type_id, width, height, name, modify, out;
        std::vector<std::string> ops;
        bool render = false;
    };
    auto args = std::make_shared<Args>();

    auto* created = app.add_subcommand("new-mesh", "Add a new mesh of WIDTH × HEIGHT cells to a tag file");
    created->add_option("TAGFILE", args->path, "tag file (created when missing)")->required();
    created->add_option("TYPE:ID", args->type_id, "the mesh tag, e.g. mesh:isle")->required();
    created->add_option("WIDTH", args->width, "cell columns, a multiple of 32 from 32 to 512")->required();
    created->add_option("HEIGHT", args->height, "cell rows, a multiple of 32 from 32 to 512")->required();
    created->add_option("--name", args->name, "the tag's name (the id text when absent)");
    created->callback([&io, args] { new_mesh(io, args->path, args->type_id, args->width, args->height, args->name); });

    auto* info = app.add_subcommand("mesh-info", "Show a mesh's sizes, sections, palette and marker count");
    info->add_option("TAGFILE", args->path, "tag file")->required();
    info->add_option("TYPE:ID", args->type_id, "the mesh tag")->required();
    info->callback([&io, args] { mesh_info(io, args->path, args->type_id); });

    auto* edit = app.add_subcommand("mesh-edit", "Apply map editor operations to a mesh in order, then save once");
    edit->add_option("TAGFILE", args->path, "tag file")->required();
    edit->add_option("TYPE:ID", args->type_id, "the mesh tag")->required();
    edit->add_option("--modify", args->modify, "value indices the grid tools change: a comma list of 0, 4, 5");
    edit->add_option("OPS", args->ops, "operations and their arguments")->required();
    edit->callback([&io, args] { mesh_edit(io, args->path, args->type_id, args->modify, args->ops); });

    auto* heights = app.add_subcommand("export-heights", "Write a mesh's heights as a 16-bit gray PNG");
    heights->add_option("TAGFILE", args->path, "tag file")->required();
    heights->add_option("TYPE:ID", args->type_id, "the mesh tag")->required();
    heights->add_option("OUT", args->out, "PNG file to write")->required();
    heights->add_flag("--render", args->render, "render heights instead of physical ones");
    heights->callback([args] { export_heights(args->path, args->type_id, args->out, args->render); });
}

} // namespace zephane::cli
