// The entry point table of a monolithic tag file: one record per map.

#include "mesh/mesh_entry_points.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "base/byte_reader.h"
#include "base/text.h"
#include "mesh/mesh_header.h"

namespace zephane {

bool get_map_name(TagDatabase& db, TagEntry& mesh, char (&map_name)[64]) {
    if (TagDatabase::get_tag_type(mesh) != fourcc("mesh")) return false;
    mesh_header header{};
    if (!db.read_struct("mesh header", mesh, header, kMeshHeaderCodes)) return false;
    std::memset(map_name, 0, sizeof map_name);
    TagEntry* strings = db.find_tag(fourcc("stli"), header.map_name_strings);
    const Payload* text = strings ? db.get_tag_data(*strings) : nullptr;
    if (!text || text->empty()) {
        std::strcpy(map_name, "map name string not found");
        return true;
    }
    const std::size_t length = std::min<std::size_t>(63, text->size());
    std::memcpy(map_name, text->data(), length);
    for (std::size_t k = 0; k < length; ++k) {
        const char c = map_name[k];
        if (c == '\r' || c == '\t' || c == '\n' || c == 0) {
            std::memset(map_name + k, 0, sizeof map_name - k);
            break;
        }
    }
    return true;
}

std::optional<std::vector<entry_point>> build_mesh_entry_points(TagDatabase& db, TagFile& file) {
    std::vector<entry_point> records;
    TagGroup* meshes = db.find_tag_group(file, fourcc("mesh"), false);
    if (!meshes) return records;
    for (TagEntry& mesh : meshes->entries) {
        entry_point record{};
        record.map_id = mesh.id;
        record.reserved12 = 0;
        const Payload* payload = db.get_tag_data(mesh);
        if (!payload || payload->size() < offsetof(mesh_header, team_count) + 4) return std::nullopt;
        record.team_count = load_u32(payload->data() + offsetof(mesh_header, team_count));
        copy_text(record.name, sizeof record.name, mesh.name);
        if (!get_map_name(db, mesh, record.map_name)) return std::nullopt;
        records.push_back(record);
    }
    return records;
}

} // namespace zephane
