#include "mesh/mesh_dependencies.h"
#include "mesh/mesh_entry_points.h"
#include "tags/tag_file_writer.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "mesh/mesh.h"
#include "mesh/mesh_header.h"
#include "base/byte_reader.h"

namespace zephane {

namespace {

struct HeaderReference {
    std::size_t offset;
    tag_type type;
};

constexpr HeaderReference kHeaderReferences[] = {
    {offsetof(mesh_header, landscape), fourcc("txst")},
    {offsetof(mesh_header, media), fourcc("medi")},
    {offsetof(mesh_header, global_light), fourcc("glli")},
    {offsetof(mesh_header, connector), fourcc("conn")},
    {offsetof(mesh_header, particle_system), fourcc("part")},
    {offsetof(mesh_header, ambient_sound), fourcc("amso")},
    {offsetof(mesh_header, map_name_strings), fourcc("stli")},
    {offsetof(mesh_header, collections) + 0, fourcc(".256")},
    {offsetof(mesh_header, collections) + 4, fourcc(".256")},
    {offsetof(mesh_header, collections) + 8, fourcc(".256")},
    {offsetof(mesh_header, text), fourcc("text")},
    {offsetof(mesh_header, wind), fourcc("wind")},
    {offsetof(mesh_header, strings252), fourcc("stli")},
    {offsetof(mesh_header, sound256), fourcc("soun")},
    {offsetof(mesh_header, strings492), fourcc("stli")},
    {offsetof(mesh_header, stacks516) + 0, fourcc("txst")},
    {offsetof(mesh_header, stacks516) + 4, fourcc("txst")},
    {offsetof(mesh_header, ground_sprites), fourcc("grsp")},
    {offsetof(mesh_header, collection528), fourcc(".256")},
    {offsetof(mesh_header, stack532), fourcc("txst")},
    {offsetof(mesh_header, jpegs) + 0, fourcc("jpeg")},
    {offsetof(mesh_header, jpegs) + 4, fourcc("jpeg")},
    {offsetof(mesh_header, texts560) + 0, fourcc("text")},
    {offsetof(mesh_header, texts560) + 4, fourcc("text")},
    {offsetof(mesh_header, quicktimes) + 0, fourcc("quik")},
    {offsetof(mesh_header, quicktimes) + 4, fourcc("quik")},
};

constexpr std::size_t kPaletteEntrySize = 32;
constexpr std::size_t kPaletteTagOffset = 4; // after the 16-bit kind and 2 bytes we do not read
constexpr std::size_t kActionRecordSize = 64;
constexpr std::size_t kParameterHeaderSize = 8;
constexpr unsigned kLastParameterType = 22;

// The tag type of a palette entry kind that names a tag the map needs.
tag_type palette_kind_type(unsigned kind) {
    switch (kind) {
    case 1: return fourcc("scen");
    case 3: return fourcc("unit");
    case 5: return fourcc("amso");
    case 9: return fourcc("proj");
    case 10: return fourcc("lpgr");
    default: return 0;
    }
}

tag_type parameter_reference_type(unsigned type) {
    switch (type) {
    case 9: return fourcc("prgr");
    case 10: return fourcc("stli");
    case 11: return fourcc("soun");
    case 12: return fourcc("proj");
    case 22: return fourcc("scen");
    default: return 0;
    }
}

// A section of the data area, or an empty reader when it does not lie inside the payload.
ByteReader section(const Payload& payload, const mesh_header& h, std::int64_t offset,
                   std::int64_t size) {
    if (offset < 0 || size <= 0 || h.data_start < 0) return ByteReader({});
    ByteReader whole(payload);
    try {
        whole.seek(static_cast<std::size_t>(std::int64_t{h.data_start} + offset), "section");
        return whole.sub(static_cast<std::size_t>(size), "section");
    } catch (const FormatError&) {
        return ByteReader({}); // damaged sections are skipped, not reported
    }
}

void report_palette(const Payload& payload, const mesh_header& h, DependencyReporter& reporter) {
    if (h.palette_count <= 0) return;
    ByteReader palette = section(payload, h, h.palette_offset,
                                 std::int64_t{h.palette_count} * std::int64_t{kPaletteEntrySize});
    while (palette.remaining() >= kPaletteEntrySize) {
        ByteReader entry = palette.sub(kPaletteEntrySize, "palette entry");
        const unsigned kind = entry.u16("palette kind");
        entry.seek(kPaletteTagOffset, "palette tag");
        const tag_id id = entry.u32("palette tag");
        if (const tag_type type = palette_kind_type(kind)) reporter.report_dependency(type, id);
    }
}

// Action records first, then parameter records up to the end of the block.
void report_map_actions(const Payload& payload, const mesh_header& h, DependencyReporter& reporter) {
    ByteReader block = section(payload, h, h.action_offset, h.action_size);
    if (h.action_count < 0) return;
    const std::uint64_t records = std::uint64_t(h.action_count) * kActionRecordSize;
    if (records > block.size()) return;
    block.seek(static_cast<std::size_t>(records), "parameters");
    while (block.remaining() >= kParameterHeaderSize) {
        ByteReader parameter = block.sub(kParameterHeaderSize, "parameter header");
        const unsigned type = parameter.u16("parameter type");
        const std::size_t count = parameter.u16("parameter count");
        if (type > kLastParameterType) return; // the rest of the block is one element
        const std::size_t bytes = count * map_action_element_size(type);
        if (bytes > block.remaining()) return; // damaged: the elements run past the block
        ByteReader elements = block.sub(bytes, "parameter elements");
        if (const tag_type reference = parameter_reference_type(type)) {
            for (std::size_t k = 0; k < count; ++k)
                reporter.report_dependency(reference, elements.u32("parameter element"));
        }
        // Elements are padded to whole words; the last padding may be cut by the block's end.
        const std::size_t padding = ((bytes + 3) & ~std::size_t{3}) - bytes;
        block.skip(std::min(padding, block.remaining()), "parameter padding");
    }
}

} // namespace

std::size_t map_action_element_size(unsigned type) {
    if ((type >= 2 && type <= 4) || (type >= 15 && type <= 17) || (type >= 19 && type <= 21)) return 2;
    if (type >= 5 && type <= 12) return 4;
    if (type == 13) return 8;
    if (type == 14) return 16;
    if (type == 18) return 12;
    if (type == 22) return 4;
    return 1;
}

void mesh_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    mesh_header h{};
    if (!db.read_struct("mesh header", tag, h, kMeshHeaderCodes)) return;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&h);
    const auto native_u32 = [bytes](std::size_t offset) {
        std::uint32_t value;
        std::memcpy(&value, bytes + offset, sizeof value);
        return value;
    };
    for (const HeaderReference& reference : kHeaderReferences)
        reporter.report_dependency(reference.type, native_u32(reference.offset));
    const Payload* payload = db.get_tag_data(tag);
    if (payload) {
        report_palette(*payload, h, reporter);
        report_map_actions(*payload, h, reporter);
    }
    for (const tag_id mesh : h.meshes) reporter.report_dependency(fourcc("mesh"), mesh);
}

void register_mesh_type() {
    attach_tag_dependencies(fourcc("mesh"), mesh_dependencies);
    // Through the map editor's own load and save, so a rewrite shows what saving in it would do.
    attach_tag_rewrite(fourcc("mesh"), [](const Payload& payload, std::int16_t) {
        return save_mesh(load_mesh(payload));
    });
    set_entry_point_builder(build_mesh_entry_points);
}

} // namespace zephane
