// make-demo: writes a small but real workspace (tags, local and plugins folders) to try the
// editor on: string lists, texts, raw files, a picture, maps whose headers name their string
// lists, a plugin that overrides a base tag, and a foundation root list.

#include "cli/tool.h"
#include "mesh/mesh_header.h"
#include "tags/byte_swap.h"

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

// A map header: no cells, markers or other sections yet, named by its string list.
Payload map_payload(tag_id name_strings, tag_id intro_text) {
    mesh_header header{};
    for (std::uint32_t* reference :
         {&header.landscape, &header.media, &header.global_light, &header.connector,
          &header.particle_system, &header.ambient_sound, &header.wind, &header.strings252,
          &header.sound256, &header.strings492, &header.ground_sprites, &header.collection528,
          &header.stack532})
        *reference = kNoTag;
    header.data_start = static_cast<std::int32_t>(kMeshHeaderSize);
    header.team_count = 2;
    header.map_name_strings = name_strings;
    header.text = intro_text;
    Payload bytes(kMeshHeaderSize);
    byte_swap_copy("mesh header", bytes.data(), &header, sizeof header, 1, kMeshHeaderCodes);
    return bytes;
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

void make_demo(ToolIo& io, const std::string& folder) {
    const fs::path root(folder);
    std::error_code error;
    if (fs::exists(root / "tags", error) || fs::exists(root / "local", error) ||
        fs::exists(root / "plugins", error))
        throw ToolError(folder + " already holds a workspace; choose an empty folder");
    fs::create_directories(root, error);
    if (error) throw ToolError("cannot create " + folder + ": " + error.message());
    DemoWriter writer(io.out, root);

    // The shipped base tags: one monolithic, read-only file.
    writer.write("tags/base.tag", TAG_FILE_TYPE_BASE,
                 {
                     {kStli, fourcc("mapn"), "Map Names",
                      text_payload("Highland Crossing\nThe River Fords\n")},
                     {kStli, fourcc("unam"), "Unit Names",
                      text_payload("Dwarf\nTroll\nArcher\nJourneyman\n")},
                     {kStli, fourcc("hint"), "Loading Hints",
                      text_payload("Dwarves throw satchel charges.\nTrolls regenerate.\n")},
                     {kText, fourcc("intr"), "Introduction",
                      text_payload("The river has risen and the fords are held.\n")},
                     {kText, fourcc("cred"), "Credits", text_payload("Made with Zephane.\n")},
                     {kMesh, fourcc("high"), "Highland Crossing",
                      map_payload(fourcc("mapn"), fourcc("intr"))},
                     {kRawd, fourcc("read"), "readme.txt",
                      text_payload("Base tags of the demo workspace.\n")},
                 });
    // The author's working tags: one tag per file.
    writer.write(
        "local/maps/river fords.tag", TAG_FILE_TYPE_SINGLE,
        {{kMesh, fourcc("rivr"), "The River Fords", map_payload(fourcc("mapn"), fourcc("brif"))}});
    writer.write(
        "local/text/river briefing.tag", TAG_FILE_TYPE_SINGLE,
        {{kText, fourcc("brif"), "River Briefing", text_payload("Hold the fords until dawn.\n")}});
    writer.write("local/strings/unit names.tag", TAG_FILE_TYPE_SINGLE,
                 {{kStli, fourcc("unam"), "Unit Names (local)",
                   text_payload("Dwarf\nTroll\nArcher\nJourneyman\nBerserk\n")}});
    writer.write("local/images/banner.tag", TAG_FILE_TYPE_SINGLE,
                 {{kJpeg, fourcc("bann"), "banner.jpg", jpeg_payload(160, 96)}});
    // A plugin: overrides the local unit names and adds its own notes.
    writer.write("plugins/demo plugin.tag", TAG_FILE_TYPE_PLUGIN,
                 {
                     {kStli, fourcc("unam"), "Unit Names (plugin)",
                      text_payload("Dwarf\nTroll\nArcher\nJourneyman\nBerserk\nWarlock\n")},
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
