// spri-info, grsp-info and grsp-edit: sprite definitions and ground sprites from the command
// line. grsp-edit changes one set's controls and commits as the ground sprites editor does.

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>

#include "base/byte_reader.h"
#include "base/posix_file.h"
#include "cli/tool.h"
#include "textures/grsp_payload.h"
#include "textures/sprite_definition.h"

namespace zephane::cli {

namespace {

std::string decimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

std::string reference(tag_id id) {
    return is_null_reference(id) ? "none" : tag_text(id);
}

const char* mode_name(std::int32_t mode) {
    switch (mode) {
    case kSpriteLoopsForever: return "Loops Forever";
    case kSpriteLoopsFinite: return "Loops Finite";
    case kSpriteExpiresByTime: return "Expires By Time";
    default: return nullptr;
    }
}

TagEntry& find_typed_or_fail(TagDatabase& db, TagFile& file, const std::string& type_id, tag_type type,
                             const char* what) {
    if (parse_type_id(type_id).first != type)
        throw ToolError(type_id + " is not a " + what + " tag (" + tag_text(type) + ")");
    return find_tag_or_fail(db, file, type_id);
}

const Payload& payload_or_fail(TagDatabase& db, TagEntry& entry, const std::string& type_id) {
    std::string failure;
    const Payload* payload = db.get_tag_data(entry, &failure);
    if (!payload) throw ToolError(type_id + ": " + failure);
    return *payload;
}

void print_points(std::ostream& out, const char* label, const sprite_point (&points)[4]) {
    out << ' ' << label;
    for (const sprite_point& p : points) out << " (" << decimal(p.x) << ", " << decimal(p.y) << ')';
}

void sprite_info(ToolIo& io, const std::string& path, const std::string& type_id) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_typed_or_fail(db, file, type_id, kSpriteTagType, "sprite definition");
    SpriteDefinition d;
    try {
        d = parse_sprite_payload(payload_or_fail(db, entry, type_id));
    } catch (const FormatError& e) {
        throw ToolError(type_id + ": " + e.what());
    }
    std::ostream& out = io.out;
    out << "name: " << entry.name << '\n';
    out << "type flags: " << hex(d.header.type_flags)
        << (d.header.type_flags & kSpriteDiesAtEndOfSequence ? " (Dies at end of sequence)" : "") << '\n';
    out << "frames: " << d.frames.size() << '\n';
    for (std::size_t i = 0; i < d.frames.size(); ++i) {
        const sprite_frame& f = d.frames[i];
        out << "frame " << i << ": texture stack " << reference(f.texture_stack) << ", stack " << f.stack_index
            << ", texture " << f.texture_index << ';';
        print_points(out, "corners", f.corners);
        out << ';';
        print_points(out, "texture coordinates", f.tex_coords);
        out << '\n';
    }
    out << "sequences: " << d.sequences.size() << '\n';
    for (std::size_t i = 0; i < d.sequences.size(); ++i) {
        const SpriteSequence& s = d.sequences[i];
        const char* mode = mode_name(s.record.mode);
        out << "sequence " << i << ": " << s.entries.size() << (s.entries.size() == 1 ? " entry" : " entries")
            << ", " << (mode ? mode : ("mode " + std::to_string(s.record.mode)).c_str()) << ", time "
            << s.record.time << ", probability " << s.record.probability << '\n';
        for (std::size_t k = 0; k < s.entries.size(); ++k) {
            const SpriteEntry& e = s.entries[k];
            out << "  " << k << "\tframe " << e.frame << "\tticks " << e.ticks << "\tcolor " << decimal(e.color[0])
                << ' ' << decimal(e.color[1]) << ' ' << decimal(e.color[2]) << ' ' << decimal(e.color[3])
                << "\trotation " << decimal(e.rotation) << "\tscale " << decimal(e.scale) << "\tsound "
                << reference(e.sound) << '\n';
        }
    }
}

GroundSprites read_ground_sprites_or_fail(TagDatabase& db, TagEntry& entry, const std::string& type_id) {
    try {
        return parse_ground_sprites(payload_or_fail(db, entry, type_id));
    } catch (const FormatError& e) {
        throw ToolError(type_id + ": " + e.what());
    }
}

void ground_sprites_info(ToolIo& io, const std::string& path, const std::string& type_id) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_typed_or_fail(db, file, type_id, kGroundSpritesTagType, "ground sprites");
    const GroundSprites sprites = read_ground_sprites_or_fail(db, entry, type_id);
    io.out << "name: " << entry.name << '\n';
    for (std::size_t s = 0; s < kGroundSpriteSets; ++s) {
        const GroundSpriteSet& set = sprites.sets[s];
        io.out << "set " << s << ": sprite " << reference(set.record.sprite) << ", density " << set.record.density
               << ", mask ";
        if (set.has_mask())
            io.out << mask_name(set.record) << ", " << set.mask.size() << " bytes at " << set.record.mask_offset;
        else
            io.out << "(none)";
        io.out << '\n';
    }
}

struct GroundSpritesEdit {
    std::string path, type_id, set, sprite, density, mask;
    bool density_given = false;
    bool clear_mask = false;
};

// A whole decimal number, or none.
std::optional<long long> whole_number(const std::string& text) {
    if (text.empty()) return std::nullopt;
    std::size_t used = 0;
    try {
        const long long value = std::stoll(text, &used, 10);
        if (used == text.size()) return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

tag_id sprite_id_or_fail(const std::string& text) {
    if (text == "none") return kNoTag;
    if (text.size() != 4) throw ToolError("--sprite takes a four-character id or none, not '" + text + "'");
    return text_to_tag_id(text);
}

// Every change is checked before the file is touched: a refusal leaves it as it was.
void ground_sprites_edit(ToolIo& io, const GroundSpritesEdit& edit) {
    const std::optional<long long> number = whole_number(edit.set);
    if (!number || *number < 0 || *number >= static_cast<long long>(kGroundSpriteSets))
        throw ToolError("there is no sprite set '" + edit.set + "' (sets are 0 to 3)");
    const std::optional<long long> density = whole_number(edit.density);
    if (edit.density_given && (!density || *density < std::numeric_limits<std::int16_t>::min() ||
                               *density > std::numeric_limits<std::int16_t>::max()))
        throw ToolError("--density '" + edit.density + "' is not a whole number from -32768 to 32767");
    if (edit.clear_mask && !edit.mask.empty()) throw ToolError("--mask and --clear-mask exclude each other");
    TagDatabase db;
    TagFile& file = open_tag_file(db, edit.path);
    TagEntry& entry = find_typed_or_fail(db, file, edit.type_id, kGroundSpritesTagType, "ground sprites");
    GroundSprites sprites = read_ground_sprites_or_fail(db, entry, edit.type_id);
    GroundSpriteSet& set = sprites.sets[static_cast<std::size_t>(*number)];
    if (!edit.sprite.empty()) set.record.sprite = sprite_id_or_fail(edit.sprite);
    if (edit.density_given) set.record.density = static_cast<std::int16_t>(*density);
    if (edit.clear_mask) clear_ground_sprite_mask(set);
    if (!edit.mask.empty()) {
        std::optional<std::vector<std::uint8_t>> bytes = read_whole_file(edit.mask);
        if (!bytes) throw ToolError("cannot read " + edit.mask);
        if (bytes->empty()) throw ToolError(edit.mask + " is empty; a mask needs at least one byte");
        set_ground_sprite_mask(set, std::filesystem::path(edit.mask).filename().string(), std::move(*bytes));
    }
    db.set_tag_data(entry, commit_ground_sprites(sprites));
    save_file(db, file);
    io.out << type_id_text(kGroundSpritesTagType, entry.id) << '\t' << entry.data->size() << " bytes\n";
}

} // namespace

void add_sprite_commands(CLI::App& app, ToolIo& io) {
    auto* info = app.add_subcommand("spri-info", "Show a sprite definition's frames and sequences");
    auto info_path = std::make_shared<std::string>(), info_tag = std::make_shared<std::string>();
    info->add_option("TAGFILE", *info_path, "tag file")->required();
    info->add_option("TYPE:ID", *info_tag, "the sprite definition, e.g. spri:fire")->required();
    info->callback([&io, info_path, info_tag] { sprite_info(io, *info_path, *info_tag); });

    auto* grsp = app.add_subcommand("grsp-info", "Show the four sprite sets of a ground sprites tag");
    auto grsp_path = std::make_shared<std::string>(), grsp_tag = std::make_shared<std::string>();
    grsp->add_option("TAGFILE", *grsp_path, "tag file")->required();
    grsp->add_option("TYPE:ID", *grsp_tag, "the ground sprites tag, e.g. grsp:moss")->required();
    grsp->callback([&io, grsp_path, grsp_tag] { ground_sprites_info(io, *grsp_path, *grsp_tag); });

    auto* edit = app.add_subcommand(
        "grsp-edit", "Change one sprite set of a ground sprites tag (sprite, density, mask), then save");
    auto args = std::make_shared<GroundSpritesEdit>();
    edit->add_option("TAGFILE", args->path, "tag file")->required();
    edit->add_option("TYPE:ID", args->type_id, "the ground sprites tag, e.g. grsp:moss")->required();
    edit->add_option("SET", args->set, "the sprite set, 0 to 3")->required();
    edit->add_option("--sprite", args->sprite, "the set's sprite definition id, or none");
    auto* density = edit->add_option("--density", args->density, "the set's density (-32768 to 32767)")
                        ->allow_extra_args(false);
    edit->add_option("--mask", args->mask, "a file taken over byte for byte as the set's mask");
    edit->add_flag("--clear-mask", args->clear_mask, "the set has no mask");
    edit->callback([&io, args, density] {
        args->density_given = density->count() > 0;
        ground_sprites_edit(io, *args);
    });
}

} // namespace zephane::cli
