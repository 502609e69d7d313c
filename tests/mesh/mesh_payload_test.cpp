// Loading and saving map payloads: conversions, palette counters, refusals of damaged payloads.

#include <gtest/gtest.h>

#include "base/byte_reader.h"
#include "mesh/edit/mesh_markers_edit.h"
#include "mesh/mesh.h"
#include "mesh/new_mesh.h"

namespace zephane {
namespace {

// A 32 × 32 mesh with palette entries (kind 1, 3, 1) and markers on them.
Mesh sample_mesh() {
    Mesh mesh = load_mesh(new_mesh_payload(32, 32));
    for (std::uint16_t kind : {1, 3, 1}) add_palette_entry(mesh, new_palette_entry(kind));
    const auto add_marker = [&](std::uint16_t kind, std::uint16_t palette, std::uint16_t id, std::uint32_t flags) {
        mesh_marker m{};
        m.kind = kind;
        m.palette = palette;
        m.identifier = id;
        m.flags = flags;
        m.yaw = 100;
        m.pitch = 200;
        m.roll = 300;
        m.position[0] = 512;
        mesh.markers.push_back(m);
        mesh.palette_kept.push_back(false);
    };
    add_marker(1, 0, 5, 1);
    add_marker(1, 2, 12000, 0);
    add_marker(3, 1, 7, 1);
    add_marker(1, 2, 8, 1);
    mesh.block_a = {1, 2, 3};
    mesh.block_c = {4, 5};
    mesh.actions = std::vector<std::uint8_t>(64 + 8, 0xAB);
    mesh.header.action_count = 1;
    return mesh;
}

TEST(MeshPayload, NewMeshRewritesToTheSameBytes) {
    const auto payload = new_mesh_payload(64, 32);
    const Mesh mesh = load_mesh(payload);
    EXPECT_EQ(mesh.columns, 64);
    EXPECT_EQ(mesh.rows, 32);
    EXPECT_EQ(mesh.cells[0].render_height, 0); // stored 0xFFFF over physical 0
    EXPECT_EQ(mesh.next_marker_identifier, 10000);
    EXPECT_EQ(save_mesh(mesh), payload);
}

TEST(MeshPayload, SectionsInOrderAndPaletteCounters) {
    const auto bytes = save_mesh(sample_mesh());
    const std::uint8_t* h = bytes.data();
    const std::uint32_t cells = 32 * 32 * 12;
    EXPECT_EQ(load_u32(h + 40), cells);
    EXPECT_EQ(load_u32(h + 56), cells + 3 * 32);
    EXPECT_EQ(load_u32(h + 192), cells + 3 * 32 + 4 * 64);
    EXPECT_EQ(load_u32(h + 196), 3u);
    EXPECT_EQ(load_u32(h + 204), cells + 3 * 32 + 4 * 64 + 3); // block B empty
    EXPECT_EQ(load_u32(h + 288), cells + 3 * 32 + 4 * 64 + 3);
    EXPECT_EQ(load_u32(h + 132), cells + 3 * 32 + 4 * 64 + 5);
    EXPECT_EQ(load_u32(h + 28), cells + 3 * 32 + 4 * 64 + 5 + 72);
    EXPECT_EQ(bytes.size(), 1024 + load_u32(h + 28));
    // Third entry (kind 1): two markers, one of them flagged.
    const std::uint8_t* entry = h + 1024 + cells + 2 * 32;
    EXPECT_EQ(load_u16(entry + 16), 1);
    EXPECT_EQ(load_u32(entry + 24), 0u);
    EXPECT_EQ(load_u16(entry + 28), 2);
    EXPECT_EQ(load_u16(entry + 30), 0xFFFF);
    // Markers go back to per-kind positions: entry 2 is the second of kind 1.
    const std::uint8_t* markers = h + 1024 + cells + 3 * 32;
    EXPECT_EQ(load_u16(markers + 64 + 6), 1);
    EXPECT_EQ(load_u16(markers + 128 + 6), 0);
}

TEST(MeshPayload, ReloadKeepsEverythingInMemory) {
    Mesh mesh = sample_mesh();
    mesh.cells[3].physical_height = 1000;
    mesh.cells[3].render_height = 999; // one below physical
    mesh.cells[4].flags = 0x0800;      // half of the water pair
    const auto bytes = save_mesh(mesh);
    EXPECT_EQ(load_u16(bytes.data() + 1024 + 3 * 12 + 10), 0xFFFE);
    const Mesh back = load_mesh(bytes);
    EXPECT_EQ(back.cells[3].render_height, 999);
    EXPECT_EQ(back.cells[4].flags, 0x1800);
    ASSERT_EQ(back.markers.size(), 4u);
    EXPECT_EQ(back.markers[1].palette, 2);
    EXPECT_EQ(back.markers[2].palette, 1);
    EXPECT_EQ(back.next_marker_identifier, 12001);
    EXPECT_EQ(back.block_a, mesh.block_a);
    EXPECT_EQ(back.actions, mesh.actions);
    auto paired = bytes;
    store_u16(paired.data() + 1024 + 4 * 12 + 4, 0x1800);
    EXPECT_EQ(save_mesh(back), paired);
}

TEST(MeshPayload, PositionPastItsKindsCountKeepsItsValue) {
    Mesh mesh = sample_mesh();
    auto bytes = save_mesh(mesh);
    const std::size_t marker0 = 1024 + 32 * 32 * 12 + 3 * 32;
    store_u16(bytes.data() + marker0 + 6, 5); // only two entries of kind 1
    const Mesh back = load_mesh(bytes);
    EXPECT_EQ(back.markers[0].palette, 5);
    EXPECT_EQ(load_u16(save_mesh(back).data() + marker0 + 6), 5);
    // Entry 0 lost its marker; a kept marker counts into no entry.
    EXPECT_EQ(load_u16(save_mesh(back).data() + 1024 + 32 * 32 * 12 + 28), 0);
}

TEST(MeshPayload, DamagedPayloadsAreRefused) {
    const auto good = save_mesh(sample_mesh());
    const auto refused = [&](std::size_t at, std::uint32_t value) {
        auto bytes = good;
        store_u32(bytes.data() + at, value);
        EXPECT_THROW(load_mesh(bytes), FormatError) << "field at " << at;
    };
    refused(16, 32 * 32 * 12 - 12);   // cells size not matching the grid
    refused(44, 1u << 30);            // palette past the end
    refused(36, 4);                   // four entries in a section of three
    refused(52, 0x7FFFFFFF);          // marker count that cannot fit
    refused(196, 0xFFFFFFFF);         // negative block size
    refused(132, static_cast<std::uint32_t>(good.size())); // actions past the end
    refused(128, 2);                  // two actions in 72 bytes
    refused(24, 4096);                // data area past the end
    auto truncated = good;
    truncated.resize(good.size() - 1);
    EXPECT_THROW(load_mesh(truncated), FormatError);
    EXPECT_THROW(load_mesh(std::vector<std::uint8_t>(1000)), FormatError);
}

} // namespace
} // namespace zephane
