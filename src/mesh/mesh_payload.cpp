#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <unordered_map>

#include "base/byte_reader.h"
#include "mesh/mesh.h"

namespace zephane {

namespace {

constexpr std::size_t kPaletteFlaggedCount = 16 - 16; // offsets within the counters bytes
constexpr std::size_t kPaletteZero = 24 - 16;
constexpr std::size_t kPaletteUseCount = 28 - 16;
constexpr std::size_t kPaletteLast = 30 - 16;

// The bytes of one section of the data area, checked against the payload.
std::span<const std::uint8_t> section_bytes(const ByteReader& whole, std::size_t data_start,
                                            std::int32_t offset, std::int32_t size,
                                            std::size_t field_at, const char* field) {
    if (offset < 0 || size < 0)
        whole.fail_at(field_at, field, "negative offset or size");
    const std::uint64_t begin = data_start + static_cast<std::uint64_t>(offset);
    if (begin + static_cast<std::uint64_t>(size) > whole.size())
        whole.fail_at(field_at, field, "section runs past the end of the payload");
    ByteReader reader = whole;
    reader.seek(static_cast<std::size_t>(begin), field);
    return reader.bytes(static_cast<std::size_t>(size), field);
}

void check_count(const ByteReader& whole, std::int32_t count, std::size_t element, std::int32_t size,
                 std::size_t field_at, const char* field) {
    if (count < 0 || static_cast<std::uint64_t>(count) * element > static_cast<std::uint64_t>(size))
        whole.fail_at(field_at, field, "count does not fit its section");
}

// Each palette entry's position among the entries of its kind.
std::vector<std::uint16_t> per_kind_positions(const std::vector<marker_palette_entry>& palette) {
    std::unordered_map<std::uint16_t, std::uint16_t> seen;
    std::vector<std::uint16_t> positions(palette.size());
    for (std::size_t p = 0; p < palette.size(); ++p)
        positions[p] = seen[palette[p].kind]++;
    return positions;
}

} // namespace

Mesh load_mesh(const std::vector<std::uint8_t>& payload) {
    const ByteReader whole(payload);
    ByteReader reader(payload);
    Mesh mesh;
    mesh.header = read_record<mesh_header>(reader, "mesh header", kMeshHeaderCodes);
    const mesh_header& h = mesh.header;
    if (h.data_start < static_cast<std::int32_t>(kMeshHeaderSize) ||
        static_cast<std::size_t>(h.data_start) > payload.size())
        whole.fail_at(offsetof(mesh_header, data_start), "data area start", "outside the payload");
    const auto start = static_cast<std::size_t>(h.data_start);

    mesh.columns = h.width_32 * 32;
    mesh.rows = h.height_32 * 32;
    const std::uint64_t cell_count = static_cast<std::uint64_t>(mesh.columns) * static_cast<std::uint64_t>(mesh.rows);
    if (h.cells_size < 0 || static_cast<std::uint64_t>(h.cells_size) != cell_count * sizeof(mesh_cell))
        whole.fail_at(offsetof(mesh_header, cells_size), "cells size", "does not match the grid");
    const auto cell_bytes = section_bytes(whole, start, h.cells_offset, h.cells_size,
                                          offsetof(mesh_header, cells_offset), "cells");
    mesh.cells.resize(static_cast<std::size_t>(cell_count));
    byte_swap_copy("mesh cells", mesh.cells.data(), cell_bytes.data(), sizeof(mesh_cell),
                   static_cast<long>(cell_count), kMeshCellCodes);
    for (auto& c : mesh.cells) {
        c.render_height = static_cast<std::uint16_t>(c.render_height + c.physical_height + 1);
        if (c.flags & kWaterFlags)
            c.flags |= kWaterFlags;
    }

    check_count(whole, h.palette_count, sizeof(marker_palette_entry), h.palette_size,
                offsetof(mesh_header, palette_count), "marker palette count");
    const auto palette_bytes = section_bytes(whole, start, h.palette_offset, h.palette_size,
                                             offsetof(mesh_header, palette_offset), "marker palette");
    mesh.palette.resize(static_cast<std::size_t>(h.palette_count));
    byte_swap_copy("marker palette", mesh.palette.data(), palette_bytes.data(), sizeof(marker_palette_entry),
                   h.palette_count, kMarkerPaletteCodes);

    check_count(whole, h.marker_count, sizeof(mesh_marker), h.marker_size,
                offsetof(mesh_header, marker_count), "marker count");
    const auto marker_bytes = section_bytes(whole, start, h.marker_offset, h.marker_size,
                                            offsetof(mesh_header, marker_offset), "markers");
    mesh.markers.resize(static_cast<std::size_t>(h.marker_count));
    byte_swap_copy("marker", mesh.markers.data(), marker_bytes.data(), sizeof(mesh_marker), h.marker_count,
                   kMarkerCodes);

    // Per-kind palette positions become absolute indices; one past its kind's count is kept.
    std::unordered_map<std::uint16_t, std::vector<std::uint16_t>> by_kind;
    for (std::size_t p = 0; p < mesh.palette.size(); ++p)
        by_kind[mesh.palette[p].kind].push_back(static_cast<std::uint16_t>(p));
    mesh.palette_kept.assign(mesh.markers.size(), true);
    std::uint32_t highest = 0;
    bool any = false;
    for (std::size_t m = 0; m < mesh.markers.size(); ++m) {
        auto& marker = mesh.markers[m];
        const auto entries = by_kind.find(marker.kind);
        if (entries != by_kind.end() && marker.palette < entries->second.size()) {
            marker.palette = entries->second[marker.palette];
            mesh.palette_kept[m] = false;
        }
        highest = std::max<std::uint32_t>(highest, marker.identifier);
        any = true;
    }
    mesh.next_marker_identifier = static_cast<std::uint16_t>(
        std::max<std::uint32_t>(kFirstMarkerIdentifier, any ? std::min<std::uint32_t>(highest + 1, 0xFFFF) : 0));

    const auto copy = [&](std::int32_t offset, std::int32_t size, std::size_t field_at, const char* field) {
        const auto b = section_bytes(whole, start, offset, size, field_at, field);
        return std::vector<std::uint8_t>(b.begin(), b.end());
    };
    mesh.block_a = copy(h.block_a_offset, h.block_a_size, offsetof(mesh_header, block_a_offset), "opaque block A");
    mesh.block_b = copy(h.block_b_offset, h.block_b_size, offsetof(mesh_header, block_b_offset), "opaque block B");
    mesh.block_c = copy(h.block_c_offset, h.block_c_size, offsetof(mesh_header, block_c_offset), "opaque block C");
    check_count(whole, h.action_count, 64, h.action_size, offsetof(mesh_header, action_count),
                "map action count");
    mesh.actions = copy(h.action_offset, h.action_size, offsetof(mesh_header, action_offset), "map actions");
    return mesh;
}

std::vector<std::uint8_t> save_mesh(const Mesh& mesh) {
    mesh_header h = mesh.header;
    const auto cells_size = static_cast<std::int32_t>(mesh.cells.size() * sizeof(mesh_cell));
    const auto palette_size = static_cast<std::int32_t>(mesh.palette.size() * sizeof(marker_palette_entry));
    const auto marker_size = static_cast<std::int32_t>(mesh.markers.size() * sizeof(mesh_marker));
    std::int32_t at = 0;
    const auto place = [&at](std::int32_t& offset, std::int32_t size) {
        offset = at;
        at += size;
    };
    place(h.cells_offset, cells_size);
    h.cells_size = cells_size;
    h.palette_count = static_cast<std::int32_t>(mesh.palette.size());
    place(h.palette_offset, palette_size);
    h.palette_size = palette_size;
    h.marker_count = static_cast<std::int32_t>(mesh.markers.size());
    place(h.marker_offset, marker_size);
    h.marker_size = marker_size;
    h.block_a_size = static_cast<std::int32_t>(mesh.block_a.size());
    place(h.block_a_offset, h.block_a_size);
    h.block_b_size = static_cast<std::int32_t>(mesh.block_b.size());
    place(h.block_b_offset, h.block_b_size);
    h.block_c_size = static_cast<std::int32_t>(mesh.block_c.size());
    place(h.block_c_offset, h.block_c_size);
    h.action_size = static_cast<std::int32_t>(mesh.actions.size());
    place(h.action_offset, h.action_size);
    h.data_start = static_cast<std::int32_t>(kMeshHeaderSize);
    h.data_size = at;
    for (auto* zero : {&h.reserved20, &h.reserved32, &h.reserved48, &h.reserved64, &h.reserved200, &h.reserved212})
        std::fill(std::begin(*zero), std::end(*zero), std::uint8_t{0});
    h.zero296 = 0;

    std::vector<std::uint8_t> out(kMeshHeaderSize + static_cast<std::size_t>(at));
    store_record(out, 0, h, "mesh header", kMeshHeaderCodes);
    std::size_t pos = kMeshHeaderSize;

    std::vector<mesh_cell> cells = mesh.cells;
    for (auto& c : cells)
        c.render_height = static_cast<std::uint16_t>(c.render_height - c.physical_height - 1);
    byte_swap_copy("mesh cells", out.data() + pos, cells.data(), sizeof(mesh_cell), static_cast<long>(cells.size()),
                   kMeshCellCodes);
    pos += static_cast<std::size_t>(cells_size);

    std::vector<std::uint16_t> flagged(mesh.palette.size()), used(mesh.palette.size());
    for (const auto& m : mesh.markers) {
        if (m.palette < mesh.palette.size() && mesh.palette[m.palette].kind == m.kind) {
            ++used[m.palette];
            flagged[m.palette] = static_cast<std::uint16_t>(flagged[m.palette] + (m.flags & 1));
        }
    }
    for (std::size_t p = 0; p < mesh.palette.size(); ++p) {
        store_record(out, pos, mesh.palette[p], "marker palette", kMarkerPaletteCodes);
        // Bytes the descriptor leaves alone, written big-endian like the rest of the file.
        std::uint8_t* counters = out.data() + pos + offsetof(marker_palette_entry, counters);
        store_u16(counters + kPaletteFlaggedCount, flagged[p]);
        store_u32(counters + kPaletteZero, 0);
        store_u16(counters + kPaletteUseCount, used[p]);
        store_u16(counters + kPaletteLast, 0xFFFF);
        pos += sizeof(marker_palette_entry);
    }

    const auto positions = per_kind_positions(mesh.palette);
    for (std::size_t m = 0; m < mesh.markers.size(); ++m) {
        mesh_marker marker = mesh.markers[m];
        const bool resolved = !(m < mesh.palette_kept.size() && mesh.palette_kept[m]) &&
                              marker.palette < mesh.palette.size() && mesh.palette[marker.palette].kind == marker.kind;
        if (resolved)
            marker.palette = positions[marker.palette];
        store_record(out, pos, marker, "marker", kMarkerCodes);
        pos += sizeof(mesh_marker);
    }
    for (const auto* block : {&mesh.block_a, &mesh.block_b, &mesh.block_c, &mesh.actions}) {
        std::copy(block->begin(), block->end(), out.begin() + static_cast<std::ptrdiff_t>(pos));
        pos += block->size();
    }
    return out;
}

} // namespace zephane
