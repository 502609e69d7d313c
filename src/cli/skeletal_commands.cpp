// skmd-info: skeletal model sets from the command line.

#include "cli/tool.h"
#include "skeletal/box_tree_depth.h"
#include "skeletal/skmd_payload.h"
#include "base/byte_reader.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>

namespace zephane::cli {

namespace {

std::string depth_text(const BoxTreeDepth& d) {
    char text[64];
    std::snprintf(text, sizeof text, "%d, %.1f, %d", d.minimum, d.average, d.maximum);
    return text;
}

std::string sizes_text(const std::int32_t (&size)[3]) {
    return std::to_string(size[0]) + " " + std::to_string(size[1]) + " " + std::to_string(size[2]);
}

void print_model(std::ostream& out, const skmd_model_entry& entry, const SkeletalModel& m) {
    const skmd_model_header& h = m.header;
    out << "  name: " << std::string(h.name, strnlen(h.name, sizeof h.name)) << '\n';
    out << "  texture stack: " << tag_id_to_text(h.texture_stack) << '\n';
    out << "  probability: " << entry.probability << ", flags: " << entry.flags << '\n';
    out << "  size: " << entry.size << " bytes\n";
    out << "  vertices: minimum " << h.minimum_vertex_count << ", full " << h.vertex_count
        << ", limit " << h.vertex_limit << '\n';
    out << "  bones: " << m.bones.size() << '\n';
    out << "  scale: " << h.scale << '\n';
    out << "  collision: " << sizes_text(h.collision_size) << '\n';
    out << "  click: " << sizes_text(h.click_size) << '\n';
    out << "  hilight: " << sizes_text(h.highlight_size) << '\n';
    out << "  levels of detail: " << m.blocks.size() << '\n';
    for (std::size_t k = 0; k < m.blocks.size(); ++k) {
        const skmd_lod_entry& band = h.lods[k];
        const SkmdLodBlock& b = m.blocks[k];
        out << "    band " << k << ": " << band.lowest << ".." << band.highest << ", triangles "
            << b.min_vertices_for_tri.size() << ", quadverts " << b.quadverts.size()
            << ", weight refs " << b.weight_refs.size() << ", size " << band.size << '\n';
    }
    out << "  collision triangles: " << m.collision_triangles.size() << ", boxes: " << m.boxes.size()
        << ", box tree depth: " << (m.boxes.empty() ? "--" : depth_text(box_tree_depth(m.boxes)))
        << '\n';
}

void skmd_info(ToolIo& io, const std::string& path, const std::string& type_id) {
    if (parse_type_id(type_id).first != kSkeletalModelTagType)
        throw ToolError(type_id + " is not a skeletal model tag (skmd)");
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_tag_or_fail(db, file, type_id);
    const Payload* payload = db.get_tag_data(entry);
    if (!payload) throw ToolError(type_id + ": the payload cannot be loaded");
    SkeletalModelSet set;
    try {
        set = load_whole_skmd_payload(*payload);
    } catch (const FormatError& e) {
        throw ToolError(type_id + ": " + e.what());
    }
    io.out << "animation: " << tag_id_to_text(set.header.animation) << '\n';
    io.out << "models: " << set.models.size() << '\n';
    for (std::size_t i = 0; i < set.models.size(); ++i) {
        io.out << "model " << i << '\n';
        print_model(io.out, set.header.entries[i], set.models[i]);
    }
}

} // namespace

void add_skeletal_commands(CLI::App& app, ToolIo& io) {
    auto* info = app.add_subcommand(
        "skmd-info", "Show a skeletal model set: models, counts, bands, sizes and collision data");
    auto path = std::make_shared<std::string>(), tag = std::make_shared<std::string>();
    info->add_option("TAGFILE", *path, "tag file")->required();
    info->add_option("TYPE:ID", *tag, "the model set, e.g. skmd:orc_")->required();
    info->callback([&io, path, tag] { skmd_info(io, *path, *tag); });
}

} // namespace zephane::cli
