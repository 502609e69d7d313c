// make-demo: writes a small but real workspace (tags, local and plugins folders) to try the
// editor on: string lists, texts, raw files, a picture, maps whose headers name their string
// lists, a tag of every definition type, a dialog, a plugin that overrides a base tag, and a
// foundation root list.

#include "cli/tool.h"
#include "definitions/definition_types.h"
#include "definitions/field_json.h"
#include "dialogs/dialog_payload.h"
#include "mesh/mesh_header.h"
#include "mesh/new_mesh.h"
#include "textures/texture_pixels.h"
#include "textures/texture_stack.h"
#include "base/byte_reader.h"
#include "base/byte_swap.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <jpeglib.h>
#include <memory>
#include <ostream>

namespace zephane::cli {

namespace {

namespace fs = std::filesystem;

Payload text_payload(const std::string& text) {
    if (text.empty()) return Payload{0}; // an empty text is stored as one NUL
    Payload bytes(text.size());
    // Lines are separated by carriage returns.
    std::transform(text.begin(), text.end(), bytes.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c == '\n' ? '\r' : c); });
    return bytes;
}

// A 32 × 32 map with its new-mesh header and cells, naming its string list, text, wind and
// light, and a palette placing the given units, scenery and ambient sounds.
struct PaletteEntry {
    std::uint16_t kind; // 1 scenery, 3 unit, 5 ambient sound
    tag_id id;
};
Payload map_payload(tag_id names, tag_id text, tag_id wind, tag_id light,
                    const std::vector<PaletteEntry>& palette) {
    constexpr int kSide = 32;
    constexpr std::size_t kPaletteEntrySize = 32;
    const Payload fresh = new_mesh_payload(kSide, kSide);
    mesh_header header = new_mesh_header(kSide, kSide);
    header.map_name_strings = names;
    header.text = text;
    header.wind = wind;
    header.global_light = light;
    const auto palette_size = static_cast<std::int32_t>(palette.size() * kPaletteEntrySize);
    header.palette_count = static_cast<std::int32_t>(palette.size());
    header.palette_size = palette_size;
    header.data_size = header.cells_size + palette_size;
    // The sections after the palette are empty and start where it ends.
    for (std::int32_t* offset :
         {&header.marker_offset, &header.action_offset, &header.block_a_offset,
          &header.block_b_offset, &header.block_c_offset})
        *offset = header.cells_size + palette_size;
    Payload bytes(kMeshHeaderSize);
    byte_swap_copy("mesh header", bytes.data(), &header, sizeof header, 1, kMeshHeaderCodes);
    bytes.insert(bytes.end(), fresh.begin() + static_cast<std::ptrdiff_t>(kMeshHeaderSize),
                 fresh.end());
    for (const PaletteEntry& entry : palette) {
        std::uint8_t record[kPaletteEntrySize] = {};
        store_u16(record, entry.kind);
        store_u32(record + 4, entry.id);
        bytes.insert(bytes.end(), record, record + kPaletteEntrySize);
    }
    return bytes;
}

// A definition record: the type's new-tag defaults (for a type without them, an empty record
// with every reference cleared), then the named fields set as zephane-tool load sets them.
Payload definition(tag_type type, const ordered_json& fields) {
    Payload base;
    if (const TagDefaultsOp defaults = tag_type_defaults(type)) {
        TagDatabase scratch;
        TagEntry* tag = scratch.add_tag(scratch.create_tag_file(), type, fourcc("demo"), 1, "demo",
                                        0, 0, std::nullopt);
        defaults(scratch, *tag);
        if (!tag->data) throw ToolError("the defaults of " + tag_text(type) + " made no payload");
        base = *tag->data;
    } else {
        const DefinitionType* known = find_definition_type(type);
        if (!known || !known->layout) throw ToolError("no record layout for " + tag_text(type));
        ordered_json none = ordered_json::object();
        for (const FieldDef& field : known->layout->fields) {
            if (field.encoding != Encoding::tag_reference) continue;
            none[field.name] = field.count == 1
                                   ? ordered_json(nullptr)
                                   : ordered_json(std::vector<std::nullptr_t>(field.count));
        }
        base = payload_from_json(type, {{"record", none}}, Payload(known->layout->size, 0));
    }
    return payload_from_json(type, {{"record", fields.is_null() ? ordered_json::object() : fields}},
                             base);
}

// A small landscape picture, compressed with libjpeg.
Payload jpeg_payload(int width, int height) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 85, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            const bool sky = y < height / 2 - (x % 40 < 20 ? x % 20 : 20 - x % 20);
            row[static_cast<std::size_t>(x) * 3 + 0] =
                static_cast<JSAMPLE>(sky ? 120 + y : 40 + x % 30);
            row[static_cast<std::size_t>(x) * 3 + 1] =
                static_cast<JSAMPLE>(sky ? 170 + y / 2 : 110 + y / 3);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<JSAMPLE>(sky ? 230 : 50);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const std::unique_ptr<unsigned char, decltype(&std::free)> owned(buffer, &std::free);
    return Payload(buffer, buffer + size);
}

struct DemoTag {
    tag_type type;
    tag_id id;
    std::string name;
    Payload payload;
};

class DemoWriter {
public:
    DemoWriter(std::ostream& out, fs::path root) : out_(out), root_(std::move(root)) {}

    void write(const std::string& relative, TagSaveKind kind, const std::vector<DemoTag>& tags) {
        TagDatabase db;
        TagFile* file = db.create_tag_file();
        for (const DemoTag& tag : tags)
            db.add_tag(file, tag.type, tag.id, tag_type_version(tag.type), tag.name, 0,
                       static_cast<std::uint32_t>(tag.payload.size()), tag.payload);
        const fs::path path = root_ / relative;
        fs::create_directories(path.parent_path());
        TagFileFailure failure;
        if (!db.write_tag_file(path.string(), *file, true, kind, &failure, true))
            throw ToolError("cannot write " + path.string() + ": " + failure.message);
        out_ << relative << '\t' << tags.size() << (tags.size() == 1 ? " tag\n" : " tags\n");
    }

    void write_text(const std::string& relative, const std::string& text) {
        const fs::path path = root_ / relative;
        std::ofstream file(path);
        file << text;
        if (!file) throw ToolError("cannot write " + path.string());
        out_ << relative << '\n';
    }

private:
    std::ostream& out_;
    fs::path root_;
};

constexpr tag_type kStli = fourcc("stli");
constexpr tag_type kText = fourcc("text");
constexpr tag_type kMesh = fourcc("mesh");
constexpr tag_type kRawd = fourcc("rawd");
constexpr tag_type kJpeg = fourcc("jpeg");
constexpr tag_type kUnit = fourcc("unit");
constexpr tag_type kMons = fourcc("mons");
constexpr tag_type kProj = fourcc("proj");
constexpr tag_type kPrgr = fourcc("prgr");
constexpr tag_type kObje = fourcc("obje");
constexpr tag_type kScen = fourcc("scen");
constexpr tag_type kAmso = fourcc("amso");
constexpr tag_type kWind = fourcc("wind");
constexpr tag_type kGlli = fourcc("glli");
constexpr tag_type kArti = fourcc("arti");

// A projectile group of one part: three satchel charges thrown from the centre.
Payload satchel_explosion() {
    ordered_json parts = ordered_json::array();
    parts.push_back({{"projectile", "proj:sach"}, {"flags", {"Is Central"}}, {"count_lower", 3}});
    for (std::size_t k = 1; k < 15; ++k) parts.push_back(ordered_json::object());
    return definition(fourcc("prgr"), {{"number_of_parts", 1}, {"parts", parts}});
}

// Dwarves in two skins: red and gold, and blue and silver.
Payload dwarf_units() {
    // Components are stored as 0-255 × 257.
    const auto rgb = [](int r, int g, int b) { return ordered_json{r * 257, g * 257, b * 257}; };
    ordered_json variations = ordered_json::array();
    variations.push_back({{"colour_a", rgb(170, 40, 30)}, {"colour_b", rgb(230, 190, 60)}});
    variations.push_back({{"colour_a", rgb(40, 70, 160)}, {"colour_b", rgb(200, 200, 210)}});
    for (int k = 2; k < 4; ++k) variations.push_back(ordered_json::object());
    return definition(fourcc("unit"),
                      {{"monster", "mons:dwar"}, {"number_of_skin_variations", 2}, {"variations", variations}});
}

// A small options dialog, as the dialog builder would have made it from an interface file.
Payload options_dialog() {
    DialogPayload dialog;
    dialog.header = {kDialogVersion, 0, 80, 100, 80 + 180, 100 + 320};
    const auto control = [&](const char* kind, std::int16_t id, std::int16_t left, std::int16_t top,
                             std::int16_t right, std::int16_t bottom, const char* text) {
        dlog_control c{};
        c.kind = load_u32(reinterpret_cast<const std::uint8_t*>(kind));
        c.id = id;
        c.top = top;
        c.left = left;
        c.bottom = bottom;
        c.right = right;
        dialog.controls.push_back(c);
        dialog.texts.emplace_back(text);
    };
    control("stat", 10, 16, 14, 200, 30, "Difficulty:");
    control("popu", 11, 16, 34, 200, 54, "");
    control("chek", 12, 16, 66, 300, 84, "Show Blood");
    control("chek", 13, 16, 90, 300, 108, "Auto-Save Replays");
    control("butt", 1, 148, 140, 224, 164, "Cancel");
    control("butt", 2, 232, 140, 304, 164, "OK");
    dialog.header.control_count = static_cast<std::int16_t>(dialog.controls.size());
    return write_dialog_payload(dialog);
}

// A texture of generated pixels: colour bands, a soft disc as alpha or mask.
std::unique_ptr<stacked_texture> demo_texture(int side, int channels, std::uint8_t kind, std::uint8_t layer,
                                              int quality) {
    PixelImage image{side, side, channels, std::vector<std::uint8_t>(std::size_t(side) * side * channels)};
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            std::uint8_t* p = &image.pixels[(std::size_t(y) * side + x) * channels];
            const int dx = x - side / 2, dy = y - side / 2;
            const int disc = std::clamp(255 - (dx * dx + dy * dy) * 255 / (side * side / 4), 0, 255);
            if (channels == 1) {
                p[0] = static_cast<std::uint8_t>(disc);
                continue;
            }
            p[0] = static_cast<std::uint8_t>(x * 255 / side);
            p[1] = static_cast<std::uint8_t>(96 + (y * 128 / side));
            p[2] = static_cast<std::uint8_t>(((x / 16 + y / 16) % 2) ? 200 : 60);
            if (channels == 4) p[3] = static_cast<std::uint8_t>(disc);
        }
    auto texture = std::make_unique<stacked_texture>();
    texture->channels = static_cast<std::uint8_t>(channels);
    texture->layer_kind = kind;
    texture->layer = layer;
    texture->width = texture->height = static_cast<std::uint16_t>(side);
    texture->set_data(image.pixels, kFormatRaw);
    if (quality > 0) recompress_texture(*texture, quality);
    return texture;
}

Payload demo_textures() {
    StackSet set;
    insert_texture(set, 0, -1, demo_texture(256, 3, kLayerBaseTexture, 0, 85));
    insert_texture(set, 0, -1, demo_texture(128, 1, kLayerDetailMask, 0, 85));
    insert_texture(set, 1, -1, demo_texture(128, 4, kLayerBaseTexture, 0, 0));
    auto detail = demo_texture(64, 3, kLayerDetailTexture, 1, 0);
    detail->du_u = 16384;
    detail->dv_v = 16384;
    insert_texture(set, 2, -1, std::move(detail));
    return *build_stack_payload(set);
}

void make_demo(ToolIo& io, const std::string& folder) {
    const fs::path root(folder);
    std::error_code error;
    if (fs::exists(root / "tags", error) || fs::exists(root / "local", error) ||
        fs::exists(root / "plugins", error))
        throw ToolError(folder + " already holds a workspace; choose an empty folder");
    fs::create_directories(root, error);
    if (error) throw ToolError("cannot create " + folder + ": " + error.message());
    DemoWriter writer(io.out, root);

    // The shipped base tags: one monolithic, read-only file of shared tags.
    writer.write(
        "tags/base.tag", TAG_FILE_TYPE_BASE,
        {
            {kStli, fourcc("mapn"), "Map Names",
             text_payload("Highland Crossing\nThe River Fords\n")},
            {kStli, fourcc("unam"), "Unit Names", text_payload("Dwarf\nTroll\n")},
            {kStli, fourcc("hint"), "Loading Hints",
             text_payload("Dwarves throw satchel charges.\nTrolls regenerate.\n")},
            {kText, fourcc("intr"), "Introduction",
             text_payload("The river has risen and the fords are held.\n")},
            {kText, fourcc("cred"), "Credits", text_payload("Made with Zephane.\n")},
            {kObje, fourcc("dwar"), "Dwarf Body", definition(kObje, {})},
            {kObje, fourcc("trol"), "Troll Body", definition(kObje, {})},
            {kObje, fourcc("sach"), "Satchel", definition(kObje, {})},
            {kObje, fourcc("tree"), "Pine Wood", definition(kObje, {})},
            {kPrgr, fourcc("boom"), "Satchel Explosion", satchel_explosion()},
            {kPrgr, fourcc("blod"), "Blood Spray", definition(kPrgr, {})},
            {kProj, fourcc("sach"), "Satchel Charge",
             definition(kProj, {{"detonation_group", "prgr:boom"}, {"object", "obje:sach"}})},
            {kWind, fourcc("brez"), "Light Breeze", definition(kWind, {})},
            {kGlli, fourcc("dawn"), "Grey Dawn", definition(kGlli, {})},
            {kMesh, fourcc("high"), "Highland Crossing",
             map_payload(fourcc("mapn"), fourcc("intr"), fourcc("brez"), fourcc("dawn"),
                         {{3, fourcc("dwar")},
                          {3, fourcc("trol")},
                          {1, fourcc("tree")},
                          {5, fourcc("rivr")}})},
            {kRawd, fourcc("read"), "readme.txt",
             text_payload("Base tags of the demo workspace.\n")},
        });
    // The author's working tags: one tag per file.
    const std::vector<std::pair<std::string, DemoTag>> local = {
        {"units/dwarf.tag",
         {kUnit, fourcc("dwar"), "Dwarf", dwarf_units()}},
        {"units/troll.tag",
         {kUnit, fourcc("trol"), "Troll", definition(kUnit, {{"monster", "mons:trol"}})}},
        {"monsters/dwarf.tag",
         {kMons, fourcc("dwar"), "Dwarf",
          definition(kMons, {{"ammunition_projectile", "proj:sach"},
                             {"number_of_attacks", 1},
                             {"attacks", {{{"projectile", "proj:sach"}, {"maximum_range", 8.0}, {"repetitions", 1}},
                                          ordered_json::object(), ordered_json::object(), ordered_json::object()}},
                             {"object", "obje:dwar"},
                             {"names", "stli:unam"},
                             {"impact_group", "prgr:blod"}})}},
        {"monsters/troll.tag",
         {kMons, fourcc("trol"), "Troll",
          definition(
              kMons,
              {{"object", "obje:trol"}, {"names", "stli:unam"}, {"impact_group", "prgr:blod"}})}},
        {"scenery/pine tree.tag",
         {kScen, fourcc("tree"), "Pine Tree", definition(kScen, {{"object", "obje:tree"}})}},
        {"sounds/river.tag", {kAmso, fourcc("rivr"), "River", definition(kAmso, {})}},
        {"artifacts/sword.tag",
         {kArti, fourcc("swrd"), "Sword of Dawn",
          definition(kArti, {{"monster_restriction", "mons:dwar"}})}},
        {"maps/river fords.tag",
         {kMesh, fourcc("rivr"), "The River Fords",
          map_payload(fourcc("mapn"), fourcc("brif"), fourcc("brez"), fourcc("dawn"),
                      {{3, fourcc("dwar")}, {1, fourcc("tree")}})}},
        {"text/river briefing.tag",
         {kText, fourcc("brif"), "River Briefing", text_payload("Hold the fords until dawn.\n")}},
        {"strings/unit names.tag",
         {kStli, fourcc("unam"), "Unit Names (local)", text_payload("Dwarf\nTroll\nBerserk\n")}},
        {"images/banner.tag", {kJpeg, fourcc("bann"), "banner.jpg", jpeg_payload(160, 96)}},
        {"textures/demo textures.tag",
         {kTextureStackType, fourcc("demo"), "Demo Textures", demo_textures()}},
        // One of every other definition type, referring to each other where they can.
        {"effects/torch light.tag",
         {fourcc("loli"), fourcc("torc"), "Torch Light", definition(fourcc("loli"), {})}},
        {"effects/drifting smoke.tag",
         {fourcc("phys"), fourcc("drft"), "Drifting Smoke", definition(fourcc("phys"), {})}},
        {"effects/ripples.tag",
         {fourcc("lpgr"), fourcc("ripl"), "Ripples",
          definition(fourcc("lpgr"), {{"physics", "phys:drft"}, {"local_light", "loli:torc"}})}},
        {"effects/river water.tag",
         {fourcc("medi"), fourcc("watr"), "River Water",
          definition(fourcc("medi"), {{"surface_effect", "lpgr:ripl"}})}},
        {"effects/light rain.tag",
         {fourcc("part"), fourcc("rain"), "Light Rain",
          definition(fourcc("part"), {{"ambient_sound", "amso:rivr"}, {"splash_group", "lpgr:ripl"}})}},
        {"effects/chain lightning.tag",
         {fourcc("ligh"), fourcc("chai"), "Chain Lightning", definition(fourcc("ligh"), {})}},
        {"effects/mud.tag", {fourcc("meef"), fourcc("mud_"), "Mud", definition(fourcc("meef"), {})}},
        {"effects/dusk lighting.tag",
         {fourcc("meli"), fourcc("dusk"), "Dusk Lighting", definition(fourcc("meli"), {})}},
        {"units/wedge.tag", {fourcc("form"), fourcc("wedg"), "Wedge", definition(fourcc("form"), {})}},
        {"units/dwarf collection.tag",
         {fourcc("core"), fourcc("dwar"), "Dwarf Collection", definition(fourcc("core"), {})}},
        {"units/unit template.tag",
         {fourcc("temp"), fourcc("unit"), "Unit Template", text_payload("name\ncost\n")}},
        {"scenery/rope bridge.tag",
         {fourcc("conn"), fourcc("brid"), "Rope Bridge", definition(fourcc("conn"), {})}},
        {"sounds/battle cries.tag",
         {fourcc("soli"), fourcc("crie"), "Battle Cries", definition(fourcc("soli"), {})}},
        {"interface/observer.tag",
         {fourcc("obpc"), fourcc("obsv"), "Observer", definition(fourcc("obpc"), {})}},
        {"interface/game parameters.tag",
         {fourcc("game"), fourcc("game"), "Game Parameters", definition(fourcc("game"), {})}},
        {"interface/options.tag", {kDialogTagType, fourcc("optn"), "Options", options_dialog()}},
    };
    for (const auto& [path, tag] : local)
        writer.write("local/" + path, TAG_FILE_TYPE_SINGLE, {tag});
    // A plugin: its unit names hide the local ones, its satchel charge the base one.
    writer.write(
        "plugins/demo plugin.tag", TAG_FILE_TYPE_PLUGIN,
        {
            {kStli, fourcc("unam"), "Unit Names (plugin)",
             text_payload("Dwarf\nTroll\nBerserk\nWarlock\n")},
            {kProj, fourcc("sach"), "Satchel Charge (plugin)",
             definition(kProj, {{"detonation_group", "prgr:boom"}, {"object", "obje:sach"}})},
            {kRawd, fourcc("note"), "notes.txt",
             text_payload("Plugin tags hide local ones with the same type and id.\n")},
        });
    // What the foundation build starts from: the two maps.
    writer.write_text("roots.txt", "mesh:high\nmesh:rivr\n");
}

} // namespace

void add_demo_commands(CLI::App& app, ToolIo& io) {
    auto folder = std::make_shared<std::string>();
    auto* demo =
        app.add_subcommand("make-demo", "Write a small demo workspace (tags, local, plugins and a "
                                        "foundation root list) into DIR; prints each file written");
    demo->add_option("DIR", *folder, "an empty or new folder")->required();
    demo->callback([&io, folder] { make_demo(io, *folder); });
}

} // namespace zephane::cli
