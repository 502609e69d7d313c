// Arbitrary bytes as a tag file: read it, load every payload, write it back and read that.

#include <cstdint>
#include <string>
#include <unistd.h>
#include <vector>

#include "base/posix_file.h"
#include "mesh/mesh_entry_points.h"
#include "tags/tag_file_writer.h"
#include "tags/tag_database.h"
#include "tags/tag_file_verify.h"

namespace {

std::string scratch(const char* suffix) {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder ? folder : "/tmp") + "/zephane-fuzz-" + std::to_string(::getpid()) + suffix;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    static const std::string in = scratch(".tag");
    static const std::string out = scratch("-out.tag");
    static const bool maps_have_entry_points = (set_entry_point_builder(build_mesh_entry_points), true);
    (void)maps_have_entry_points;
    if (!write_whole_file(in, std::vector<std::uint8_t>(data, data + size))) return 0;
    (void)verify_tag_file(in);

    TagDatabase db;
    TagFile* file = db.read_tag_file(in, false);
    if (!file) return 0;
    for (TagEntry* e = db.next_tag(nullptr); e; e = db.next_tag(e)) (void)db.get_tag_data(*e);
    file->kind = kFileKindPlugin; // write even what was loaded as base tags
    try {
        if (db.write_tag_file(out, *file, true, TAG_FILE_TYPE_PLUGIN)) {
            TagDatabase again;
            if (TagFile* copy = again.read_tag_file(out, false)) {
                for (TagEntry* e = again.next_tag(nullptr); e; e = again.next_tag(e))
                    (void)again.get_tag_data(*e);
                (void)copy;
            }
        }
    } catch (const std::exception&) {
        // Assertion reports are exceptions here; they end the command, not the program.
    }
    return 0;
}
