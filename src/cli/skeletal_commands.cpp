// skmd-info, import-skl, reimport-skl, export-obj and build-collision: skeletal model sets
// from the command line; set-hierarchy, import-animation and skan-info: skeletal animations;
// import-camera: camera animations.

#include "cli/tool.h"
#include "base/posix_file.h"
#include "skeletal/box_tree_depth.h"
#include "skeletal/canm_payload.h"
#include "skeletal/skan_actions.h"
#include "skeletal/skan_import.h"
#include "skeletal/collision_build.h"
#include "skeletal/skl_import.h"
#include "skeletal/skmd_edit.h"
#include "skeletal/skmd_payload.h"
#include "skeletal/skmd_pose.h"
#include "skeletal/skmd_posed.h"
#include "skeletal/skmd_posed.h"
#include "base/byte_reader.h"
#include "tags/tag_types.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <algorithm>
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

void require_model_type(const std::string& type_id) {
    if (parse_type_id(type_id).first != kSkeletalModelTagType)
        throw ToolError(type_id + " is not a skeletal model tag (skmd)");
}

SkeletalModelSet read_set_or_fail(TagDatabase& db, TagEntry& entry, const std::string& type_id) {
    std::string failure;
    const Payload* payload = db.get_tag_data(entry, &failure);
    if (!payload) throw ToolError(type_id + ": the payload cannot be loaded: " + failure);
    try {
        return load_whole_skmd_payload(*payload);
    } catch (const FormatError& e) {
        throw ToolError(type_id + ": " + e.what());
    }
}

std::size_t model_or_fail(const SkeletalModelSet& set, long index) {
    if (index < 0 || static_cast<std::size_t>(index) >= set.models.size())
        throw ToolError("there is no model " + std::to_string(index) + " (the set has " +
                        std::to_string(set.models.size()) + ")");
    return static_cast<std::size_t>(index);
}

SkeletalModel build_or_fail(const std::string& skl) {
    const auto bytes = read_whole_file(skl);
    if (!bytes) throw ToolError("cannot read " + skl);
    ModelBuild build = build_skeletal_model(read_skeleton_export(*bytes), model_name_for(skl));
    if (!build.model) throw ToolError(skl + ": " + build.refusal);
    return std::move(*build.model);
}

void write_set(TagDatabase& db, TagFile& file, TagEntry& entry, const SkeletalModelSet& set) {
    db.set_tag_data(entry, save_skmd_payload(set));
    save_file(db, file);
}

void skmd_info(ToolIo& io, const std::string& path, const std::string& type_id) {
    require_model_type(type_id);
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_tag_or_fail(db, file, type_id);
    const SkeletalModelSet set = read_set_or_fail(db, entry, type_id);
    io.out << "animation: " << tag_id_to_text(set.header.animation) << '\n';
    io.out << "models: " << set.models.size() << '\n';
    for (std::size_t i = 0; i < set.models.size(); ++i) {
        io.out << "model " << i << '\n';
        print_model(io.out, set.header.entries[i], set.models[i]);
    }
}

// Every file is built before anything is saved: one refusal leaves the tag file as it was.
void import_skl(ToolIo& io, const std::string& path, const std::string& type_id,
                const std::vector<std::string>& skls, const std::string& name) {
    require_model_type(type_id);
    TagDatabase db;
    TagFile& file = open_tag_file(db, path, true);
    const auto [type, id] = parse_type_id(type_id);
    TagEntry* entry = db.find_tag_in_file(file, type, id);
    SkeletalModelSet set;
    if (entry) set = read_set_or_fail(db, *entry, type_id);
    if (set.models.size() + skls.size() > kMaxSkeletalModels)
        throw ToolError(type_id_text(type, id) + " has " + std::to_string(set.models.size()) +
                        " models; " + std::to_string(skls.size()) + " more would pass the 16 a set holds");
    for (const std::string& skl : skls) {
        skmd_model_entry& e = set.header.entries[set.models.size()];
        e = skmd_model_entry{};
        e.probability = kNewModelProbability;
        set.models.push_back(build_or_fail(skl));
    }
    if (!entry) {
        const std::string tag_name = name.empty() ? model_name_for(skls.front()) : name;
        entry = db.add_tag(&file, type, id, tag_type_version(type), tag_name, 0, 0, std::nullopt);
    }
    write_set(db, file, *entry, set);
    io.out << type_id_text(type, id) << ": " << set.models.size() << " models\n";
}

void reimport_skl(ToolIo& io, const std::string& path, const std::string& type_id, long index,
                  const std::string& skl) {
    require_model_type(type_id);
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_tag_or_fail(db, file, type_id);
    SkeletalModelSet set = read_set_or_fail(db, entry, type_id);
    const std::size_t m = model_or_fail(set, index);
    set.models[m] = build_or_fail(skl);
    write_set(db, file, entry, set);
    io.out << type_id << ": model " << m << " rebuilt, " << set.models[m].header.vertex_count
           << " vertices\n";
}

void export_obj(const std::string& path, const std::string& type_id, long index, long vertices,
                const std::string& out) {
    require_model_type(type_id);
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_tag_or_fail(db, file, type_id);
    const SkeletalModelSet set = read_set_or_fail(db, entry, type_id);
    const SkeletalModel& model = set.models[model_or_fail(set, index)];
    const PosedModel posed = pose_model(model, static_cast<int>(std::clamp<long>(vertices, 0, 65535)));
    std::string text = "# vertices " + std::to_string(posed.positions.size()) + " triangles " +
                       std::to_string(posed.triangle_count()) + "\n";
    for (const auto& p : posed.positions) {
        char line[96];
        std::snprintf(line, sizeof line, "v %.9g %.9g %.9g\n", double{p[0]}, double{p[1]}, double{p[2]});
        text += line;
    }
    for (std::size_t t = 0; t < posed.triangles.size(); t += 3) {
        char line[64];
        std::snprintf(line, sizeof line, "f %d %d %d\n", posed.triangles[t] + 1, posed.triangles[t + 1] + 1,
                      posed.triangles[t + 2] + 1);
        text += line;
    }
    if (!write_whole_file(out, std::vector<std::uint8_t>(text.begin(), text.end())))
        throw ToolError("cannot write " + out);
}

void collision_command(ToolIo& io, const std::string& path, const std::string& type_id, long index,
                       bool remove) {
    require_model_type(type_id);
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_tag_or_fail(db, file, type_id);
    SkeletalModelSet set = read_set_or_fail(db, entry, type_id);
    SkeletalModel& model = set.models[model_or_fail(set, index)];
    std::string refusal;
    if (remove) delete_collision(model);
    else if (!build_collision(model, refusal)) throw ToolError(type_id + ": " + refusal);
    write_set(db, file, entry, set);
    io.out << type_id << ": model " << index << ": " << model.collision_triangles.size()
           << " collision triangles, " << model.boxes.size() << " boxes, box tree depth "
           << (model.boxes.empty() ? "--" : depth_text(box_tree_depth(model.boxes))) << '\n';
}

// ---- Skeletal animations ---------------------------------------------------------------------

void require_animation_type(const std::string& type_id) {
    if (parse_type_id(type_id).first != kSkeletalAnimationTagType)
        throw ToolError(type_id + " is not a skeletal animation tag (skan)");
}

SklFile read_skl_or_fail(const std::string& skl) {
    const auto bytes = read_whole_file(skl);
    if (!bytes) throw ToolError("cannot read " + skl);
    return read_skeleton_export(*bytes);
}

SkeletalAnimationSet read_animations_or_fail(TagDatabase& db, TagEntry& entry, const std::string& type_id) {
    if (entry.version == 1) throw ToolError(type_id + ": " + kSkanVersion1Refusal);
    std::string failure;
    const Payload* payload = db.get_tag_data(entry, &failure);
    if (!payload) throw ToolError(type_id + ": the payload cannot be loaded: " + failure);
    try {
        return load_skan_payload(*payload);
    } catch (const FormatError& e) {
        throw ToolError(type_id + ": " + e.what());
    }
}

struct OriginChoice {
    std::string bone;
    bool none = false;
};

int origin_or_fail(const SklFile& file, const OriginChoice& choice, const std::string& skl) {
    if (choice.none) return -1;
    if (choice.bone.empty()) return default_origin_bone(file);
    const int bone = find_skl_bone(file, choice.bone);
    if (bone < 0) throw ToolError(skl + " has no bone named '" + choice.bone + "'");
    return bone;
}

void set_hierarchy(ToolIo& io, const std::string& path, const std::string& type_id, const std::string& skl,
                   const OriginChoice& choice) {
    require_animation_type(type_id);
    const SklFile parsed = read_skl_or_fail(skl);
    const int origin = origin_or_fail(parsed, choice, skl);
    TagDatabase db;
    TagFile& file = open_tag_file(db, path, true);
    const auto [type, id] = parse_type_id(type_id);
    TagEntry* entry = db.find_tag_in_file(file, type, id);
    SkeletalAnimationSet set;
    if (entry) set = read_animations_or_fail(db, *entry, type_id);
    std::vector<skan_bone_base> bones = build_skan_hierarchy(parsed, origin);
    if (bones.empty()) throw ToolError(skl + " has no bones for a hierarchy");
    set_skan_hierarchy(set, std::move(bones));
    if (!entry) entry = db.add_tag(&file, type, id, tag_type_version(type), import_name_for(skl, 31), 0, 0, std::nullopt);
    db.set_tag_data(*entry, save_skan_payload(set));
    save_file(db, file);
    io.out << type_id_text(type, id) << ": " << set.bones.size() << " bones, origin "
           << (origin < 0 ? "none" : parsed.bones[static_cast<std::size_t>(origin)].name) << '\n';
}

struct AnimationImportArgs {
    std::string path, type_id, skl, name, x = "relative", y = "relative", z = "relative", yaw = "relative";
    OriginChoice origin;
    bool loop = false;
};

AxisMotion axis_motion(const std::string& text) {
    return text == "absolute" ? AxisMotion::absolute : text == "zero" ? AxisMotion::zero : AxisMotion::relative;
}

void import_animation(ToolIo& io, const AnimationImportArgs& a) {
    require_animation_type(a.type_id);
    TagDatabase db;
    TagFile& file = open_tag_file(db, a.path);
    TagEntry& entry = find_tag_or_fail(db, file, a.type_id);
    SkeletalAnimationSet set = read_animations_or_fail(db, entry, a.type_id);
    if (!skan_has_hierarchy(set)) throw ToolError(a.type_id + ": " + kNoHierarchyText);
    const SklFile parsed = read_skl_or_fail(a.skl);
    AnimationImportOptions options;
    options.origin_bone = origin_or_fail(parsed, a.origin, a.skl);
    options.axes[0] = axis_motion(a.x);
    options.axes[1] = axis_motion(a.y);
    options.axes[2] = axis_motion(a.z);
    options.yaw = a.yaw == "absolute" ? YawMotion::absolute : YawMotion::relative;
    options.loopable = a.loop;
    const std::size_t kept = parsed.frames.size() - (a.loop && parsed.frames.size() >= 2 ? 1 : 0);
    if (kept > 0xFFFF) throw ToolError(a.skl + " has " + std::to_string(kept) + " frames; an animation holds 65535");
    set.animations.push_back(
        import_skan_animation(parsed, set.bones, options, a.name.empty() ? animation_name_for(a.skl) : a.name));
    db.set_tag_data(entry, save_skan_payload(set));
    save_file(db, file);
    const SkanAnimation& made = set.animations.back();
    io.out << a.type_id << ": animation " << set.animations.size() - 1 << " '" << skan_name(made.header.name)
           << "', " << made.frames.size() << " frames\n";
}

std::string fixed_text(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

void skan_info(ToolIo& io, const std::string& path, const std::string& type_id) {
    require_animation_type(type_id);
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_tag_or_fail(db, file, type_id);
    const SkeletalAnimationSet set = read_animations_or_fail(db, entry, type_id);
    std::ostream& out = io.out;
    out << "bones: " << set.bones.size() << '\n';
    for (std::size_t b = 0; b < set.bones.size(); ++b) {
        const skan_bone_base& bone = set.bones[b];
        out << "  bone " << b << " '" << skan_name(bone.name) << "' parent " << bone.parent << '\n';
    }
    out << "animations: " << set.animations.size() << '\n';
    for (std::size_t i = 0; i < set.animations.size(); ++i) {
        const SkanAnimation& a = set.animations[i];
        const skan_animation& h = a.header;
        double motion = 0;
        for (const SkanFrame& frame : a.frames) motion += frame.record.motion / 65536.0;
        out << "  animation " << i << " '" << skan_name(h.name) << "'\n";
        out << "    frames: " << a.frames.size() << ", bytes: " << skan_animation_size(set.bones.size(), a.frames.size())
            << ", flags: " << h.flags << '\n';
        out << "    frames/sec: " << fixed_text(h.frames_per_second / 256.0) << ", position exponent: "
            << h.position_exponent << '\n';
        out << "    fades: in " << fixed_text(h.fade_in) << ", interrupt " << fixed_text(h.interrupt_fade) << ", out "
            << fixed_text(h.fade_out) << '\n';
        out << "    motion total: " << fixed_text(motion) << '\n';
        for (std::size_t f = 0; f < a.frames.size(); ++f)
            if (a.frames[f].record.action != 0)
                out << "    action " << skan_frame_action_text(db, set.bones, a, static_cast<int>(f)) << '\n';
    }
    out << "states: " << set.states.size() << '\n';
    for (std::size_t i = 0; i < set.states.size(); ++i) {
        const SkanState& s = set.states[i];
        out << "  state " << i << " '" << skan_name(s.header.name) << "' flags " << s.header.flags << ", total "
            << s.header.total_probability << ", entries:";
        for (const skan_state_entry& e : s.entries) out << ' ' << e.animation << ':' << e.probability;
        out << '\n';
    }
}

void import_camera(ToolIo& io, const std::string& path, const std::string& ase, const std::string& name) {
    const auto bytes = read_whole_file(ase);
    if (!bytes) throw ToolError("cannot read " + ase);
    const AseCameraRead read = read_ase_camera(*bytes);
    if (!read.animation) throw ToolError(ase + ": " + read.refusal);
    TagDatabase db;
    TagFile& file = open_tag_file(db, path, true);
    const std::string tag_name = name.empty() ? import_name_for(ase, 31) : name;
    const tag_id id = db.make_tag_id(tag_name, kCameraAnimationTagType, nullptr);
    TagEntry* entry = db.add_tag(&file, kCameraAnimationTagType, id, tag_type_version(kCameraAnimationTagType),
                                 tag_name, 0, 0, save_canm_payload(*read.animation));
    save_file(db, file);
    io.out << read.animation->positions.size() << " position samples, " << read.animation->rotations.size()
           << " rotation samples\n";
    io.out << type_id_text(kCameraAnimationTagType, entry->id) << '\n';
}

} // namespace

void add_skeletal_commands(CLI::App& app, ToolIo& io) {
    auto* info = app.add_subcommand(
        "skmd-info", "Show a skeletal model set: models, counts, bands, sizes and collision data");
    auto path = std::make_shared<std::string>(), tag = std::make_shared<std::string>();
    info->add_option("TAGFILE", *path, "tag file")->required();
    info->add_option("TYPE:ID", *tag, "the model set, e.g. skmd:orc_")->required();
    info->callback([&io, path, tag] { skmd_info(io, *path, *tag); });

    struct Args {
        std::string path, type_id, name, out;
        std::vector<std::string> skls;
        long model = 0, vertices = 0;
    };
    auto imp = std::make_shared<Args>();
    auto* import = app.add_subcommand(
        "import-skl", "Append one model per skeleton-export file, creating the file and tag when missing");
    import->add_option("TAGFILE", imp->path, "tag file")->required();
    import->add_option("TYPE:ID", imp->type_id, "the model set, e.g. skmd:orc_")->required();
    import->add_option("SKL", imp->skls, "skeleton-export files, one model each")->required();
    import->add_option("--name", imp->name, "the tag's name when it is created");
    import->callback([&io, imp] { import_skl(io, imp->path, imp->type_id, imp->skls, imp->name); });

    auto re = std::make_shared<Args>();
    auto* reimport = app.add_subcommand("reimport-skl", "Rebuild one model from a skeleton-export file");
    reimport->add_option("TAGFILE", re->path, "tag file")->required();
    reimport->add_option("TYPE:ID", re->type_id, "the model set")->required();
    reimport->add_option("MODEL", re->model, "model number, from 0")->required();
    reimport->add_option("SKL", re->out, "skeleton-export file")->required();
    reimport->callback([&io, re] { reimport_skl(io, re->path, re->type_id, re->model, re->out); });

    auto ex = std::make_shared<Args>();
    auto* exp = app.add_subcommand(
        "export-obj", "Write a model in its rest pose at the level of detail for VERTICES as Wavefront OBJ");
    exp->add_option("TAGFILE", ex->path, "tag file")->required();
    exp->add_option("TYPE:ID", ex->type_id, "the model set")->required();
    exp->add_option("MODEL", ex->model, "model number, from 0")->required();
    exp->add_option("VERTICES", ex->vertices, "requested vertex count")->required();
    exp->add_option("OUT", ex->out, "the .obj file to write")->required();
    auto col = std::make_shared<Args>();
    auto remove = std::make_shared<bool>(false);
    auto* collision = app.add_subcommand(
        "build-collision", "(Re)build a model's collision box tree and triangles, or delete them");
    collision->add_option("TAGFILE", col->path, "tag file")->required();
    collision->add_option("TYPE:ID", col->type_id, "the model set")->required();
    collision->add_option("MODEL", col->model, "model number, from 0")->required();
    collision->add_flag("--delete", *remove, "remove the collision data instead");
    collision->callback([&io, col, remove] { collision_command(io, col->path, col->type_id, col->model, *remove); });

    exp->callback([ex] { export_obj(ex->path, ex->type_id, ex->model, ex->vertices, ex->out); });

    const auto add_origin = [](CLI::App* command, OriginChoice& origin) {
        auto* bone = command->add_option("--origin", origin.bone, "the origin bone (default: tag_origin_standard when the file has it)");
        auto* none = command->add_flag("--no-origin", origin.none, "no origin bone");
        bone->excludes(none);
    };
    struct HierarchyArgs {
        std::string path, type_id, skl;
        OriginChoice origin;
    };
    auto hier = std::make_shared<HierarchyArgs>();
    auto* hierarchy = app.add_subcommand(
        "set-hierarchy", "Build an animation tag's bone table from a skeleton-export file, creating the file and tag when missing");
    hierarchy->add_option("TAGFILE", hier->path, "tag file")->required();
    hierarchy->add_option("TYPE:ID", hier->type_id, "the animation tag, e.g. skan:orc_")->required();
    hierarchy->add_option("SKL", hier->skl, "skeleton-export file")->required();
    add_origin(hierarchy, hier->origin);
    hierarchy->callback([&io, hier] { set_hierarchy(io, hier->path, hier->type_id, hier->skl, hier->origin); });

    auto anim = std::make_shared<AnimationImportArgs>();
    auto* animation = app.add_subcommand("import-animation", "Append an animation from a skeleton-export file");
    animation->add_option("TAGFILE", anim->path, "tag file")->required();
    animation->add_option("TYPE:ID", anim->type_id, "the animation tag")->required();
    animation->add_option("SKL", anim->skl, "skeleton-export file")->required();
    add_origin(animation, anim->origin);
    const auto modes = CLI::IsMember({"relative", "absolute", "zero"});
    animation->add_option("--x", anim->x, "X motion: relative, absolute or zero")->check(modes);
    animation->add_option("--y", anim->y, "Y motion: relative, absolute or zero")->check(modes);
    animation->add_option("--z", anim->z, "Z motion: relative, absolute or zero")->check(modes);
    animation->add_option("--yaw", anim->yaw, "yaw: relative or absolute")->check(CLI::IsMember({"relative", "absolute"}));
    animation->add_flag("--loop", anim->loop, "make loopable (the last frame repeats the first)");
    animation->add_option("--name", anim->name, "the animation's name (default: the file name)");
    animation->callback([&io, anim] { import_animation(io, *anim); });

    auto sinfo = std::make_shared<HierarchyArgs>();
    auto* skan = app.add_subcommand("skan-info", "Show a skeletal animation tag: bones, animations, actions and states");
    skan->add_option("TAGFILE", sinfo->path, "tag file")->required();
    skan->add_option("TYPE:ID", sinfo->type_id, "the animation tag")->required();
    skan->callback([&io, sinfo] { skan_info(io, sinfo->path, sinfo->type_id); });

    auto cam = std::make_shared<HierarchyArgs>();
    auto* camera = app.add_subcommand("import-camera", "Add a camera animation from a 3D Studio ASE file; prints canm:<id>");
    camera->add_option("TAGFILE", cam->path, "tag file (created when missing)")->required();
    camera->add_option("ASE", cam->skl, "ASE file")->required();
    camera->add_option("--name", cam->type_id, "the tag's name (default: the file name)");
    camera->callback([&io, cam] { import_camera(io, cam->path, cam->skl, cam->type_id); });
}

} // namespace zephane::cli
