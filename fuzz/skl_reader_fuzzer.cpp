// Arbitrary bytes as a skeleton-export file: the reader never fails, and what it gives back
// keeps its promises (indices in range, bones and vertices within the limits). A model built
// from it saves, and reads back to the same bytes.

#include "skeletal/skl_import.h"
#include "skeletal/skl_reader.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    const SklFile f = read_skeleton_export(std::span<const std::uint8_t>(data, size));
    if (f.bones.size() > kSklMaxBones || f.vertices.size() > kSklMaxVertices) std::abort();
    for (std::size_t b = 0; b < f.bones.size(); ++b)
        if (f.bones[b].parent >= static_cast<int>(b) || f.bones[b].name.size() > 63) std::abort();
    for (const SklVertex& v : f.vertices)
        for (const SklInfluence& in : v.influences)
            if (in.bone < 0 || static_cast<std::size_t>(in.bone) >= f.bones.size() || !(in.weight > 0))
                std::abort();
    for (const SklFace& face : f.faces)
        for (const int v : face.vertex)
            if (v < 0 || static_cast<std::size_t>(v) >= f.vertices.size()) std::abort();
    ModelBuild build = build_skeletal_model(f, "fuzz");
    if (!build.model) return 0;
    SkeletalModelSet set;
    set.models.push_back(std::move(*build.model));
    const auto saved = save_skmd_payload(set);
    try {
        if (save_skmd_payload(load_whole_skmd_payload(saved)) != saved) std::abort();
    } catch (const FormatError&) {
        std::abort();
    }
    return 0;
}
