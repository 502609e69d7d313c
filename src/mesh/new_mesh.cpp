#include "mesh/new_mesh.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "mesh/mesh_cell.h"
#include "base/errors.h"

namespace zephane {

bool valid_new_mesh_size(int width, int height) {
    const auto valid = [](int cells) {
        return cells >= kMeshSizeMinimum && cells <= kMeshSizeMaximum && cells % kMeshSizeStep == 0;
    };
    return valid(width) && valid(height);
}

std::string new_mesh_size_message(int width, int height) {
    if (!valid_new_mesh_size(width, height)) return kBadMeshSizesText;
    char text[128];
    std::snprintf(text, sizeof text, kMeshSizesText, width, height, mesh_colormap_side(width),
                  mesh_colormap_side(height));
    return text;
}

mesh_header new_mesh_header(int width, int height) {
    mesh_header h{};
    const std::int32_t cells_size = width * height * static_cast<std::int32_t>(sizeof(mesh_cell));
    // Every reference, and every value a new mesh sets to −1.
    for (std::uint32_t* reference :
         {&h.landscape, &h.media, &h.global_light, &h.connector, &h.particle_system,
          &h.ambient_sound, &h.map_name_strings, &h.text, &h.wind, &h.strings252, &h.sound256,
          &h.strings492, &h.value508, &h.ground_sprites, &h.collection528, &h.stack532})
        *reference = kNoTag;
    for (auto* group : {&h.collections, &h.refs164, &h.refs180, &h.refs232})
        std::fill(std::begin(*group), std::end(*group), kNoTag);
    for (auto* pair : {&h.meshes, &h.refs260, &h.stacks516, &h.jpegs, &h.texts560, &h.quicktimes,
                       &h.value580})
        std::fill(std::begin(*pair), std::end(*pair), kNoTag);
    h.width_32 = static_cast<std::uint16_t>(width / kMeshSizeStep);
    h.height_32 = static_cast<std::uint16_t>(height / kMeshSizeStep);
    h.cells_offset = 0;
    h.cells_size = cells_size;
    h.data_start = static_cast<std::int32_t>(kMeshHeaderSize);
    h.data_size = cells_size;
    // Every other section is empty and starts where the cells end.
    h.palette_offset = cells_size;
    h.marker_offset = cells_size;
    h.action_offset = cells_size;
    h.block_a_offset = cells_size;
    h.block_b_offset = cells_size;
    h.block_c_offset = cells_size;
    h.team_count = 2;
    h.flags112 = 0x4000;
    std::fill(std::begin(h.edge_buffer), std::end(h.edge_buffer), std::uint16_t{32});
    h.value512 = 0xFEDC;
    h.value576[0] = 1;
    h.value576[1] = 1;
    return h;
}

Payload new_mesh_payload(int width, int height) {
    ZEPHANE_CHECK(valid_new_mesh_size(width, height), "valid_new_mesh_size(width, height)", "mesh");
    const std::size_t cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    Payload payload(kMeshHeaderSize + cells * sizeof(mesh_cell));
    const mesh_header header = new_mesh_header(width, height);
    byte_swap_copy("mesh header", payload.data(), &header, sizeof header, 1, kMeshHeaderCodes);

    mesh_cell cell{};
    cell.flags = 102;
    cell.raw6[0] = cell.raw6[1] = 0xFF;
    cell.render_height = 0xFFFF;
    std::vector<mesh_cell> grid(cells, cell);
    byte_swap_copy("mesh cells", payload.data() + kMeshHeaderSize, grid.data(), sizeof(mesh_cell),
                   static_cast<long>(cells), kMeshCellCodes);
    return payload;
}

} // namespace zephane
