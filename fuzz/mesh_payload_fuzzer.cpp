// Arbitrary bytes as a mesh payload: a payload the reader accepts is written again, and the
// written bytes read back to a mesh that writes the same bytes.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/byte_reader.h"
#include "mesh/mesh.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    Mesh mesh;
    try {
        mesh = load_mesh(std::vector<std::uint8_t>(data, data + size));
    } catch (const FormatError&) {
        return 0;
    }
    const std::vector<std::uint8_t> saved = save_mesh(mesh);
    const Mesh again = load_mesh(saved);
    if (save_mesh(again) != saved || again.next_marker_identifier != mesh.next_marker_identifier ||
        again.markers.size() != mesh.markers.size() || again.palette_kept != mesh.palette_kept)
        std::abort();
    return 0;
}
