#include "mesh/edit/mesh_markers_edit.h"

#include <algorithm>
#include <functional>

#include "tags/tag_database.h"

namespace zephane {

marker_palette_entry new_palette_entry(std::uint16_t kind) {
    marker_palette_entry entry{};
    entry.kind = kind;
    entry.tag = kNoTag;
    entry.team = kind == kMonsterKind ? 0 : -1;
    entry.properties = kind == kMonsterKind ? 6 : 0;
    entry.netgame_types = 0x3FFF;
    return entry;
}

std::size_t add_palette_entry(Mesh& mesh, const marker_palette_entry& entry) {
    mesh.palette.push_back(entry);
    return mesh.palette.size() - 1;
}

bool marker_uses(const Mesh& mesh, std::size_t marker, std::size_t index) {
    return !mesh.palette_kept[marker] && mesh.markers[marker].palette == index;
}

void delete_palette_entry(Mesh& mesh, std::size_t index) {
    std::size_t kept = 0;
    for (std::size_t m = 0; m < mesh.markers.size(); ++m) {
        if (marker_uses(mesh, m, index))
            continue;
        mesh_marker marker = mesh.markers[m];
        if (!mesh.palette_kept[m] && marker.palette > index)
            --marker.palette;
        mesh.markers[kept] = marker;
        mesh.palette_kept[kept] = mesh.palette_kept[m];
        ++kept;
    }
    mesh.markers.resize(kept);
    mesh.palette_kept.resize(kept);
    mesh.palette.erase(mesh.palette.begin() + static_cast<std::ptrdiff_t>(index));
}

std::vector<std::size_t> select_palette_markers(const Mesh& mesh, std::size_t index) {
    std::vector<std::size_t> selected;
    for (std::size_t m = 0; m < mesh.markers.size(); ++m)
        if (marker_uses(mesh, m, index))
            selected.push_back(m);
    return selected;
}

void clear_markers(Mesh& mesh, std::vector<std::size_t> indices) {
    std::sort(indices.begin(), indices.end(), std::greater<>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (std::size_t m : indices) {
        if (m >= mesh.markers.size())
            continue;
        mesh.markers.erase(mesh.markers.begin() + static_cast<std::ptrdiff_t>(m));
        mesh.palette_kept.erase(mesh.palette_kept.begin() + static_cast<std::ptrdiff_t>(m));
    }
}

void clear_pitch_and_roll(Mesh& mesh) {
    for (auto& marker : mesh.markers)
        marker.pitch = marker.roll = 0;
}

void set_render_height_from_physical(Mesh& mesh) {
    for (auto& cell : mesh.cells)
        cell.render_height = cell.physical_height;
}

} // namespace zephane
