#include "skeletal/skl_import.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

#include "skeletal/skl_math.h"
#include "skeletal/skmd_pose.h"

namespace zephane {

namespace {

using namespace skl_math;

constexpr double kWeightFloor = 0.025;
constexpr double kSeamTolerance = 1.0 / 2048.0;
constexpr std::size_t kMaxU16 = 65535;

std::vector<skmd_bone> build_bones(const SklFile& file) {
    const std::size_t count = file.bones.size();
    std::vector<Mat3> world_rotation(count);
    std::vector<Vec3> world_position(count);
    for (std::size_t b = 0; b < count; ++b) {
        Mat3 r{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
        Vec3 t{0, 0, 0};
        if (!file.frames.empty() && b < file.frames[0].size()) {
            const SklBonePose& pose = file.frames[0][b];
            for (std::size_t i = 0; i < 3; ++i) {
                t[i] = pose.offset[i];
                for (std::size_t j = 0; j < 3; ++j) r[i][j] = pose.rotation[i][j];
            }
        }
        world_rotation[b] = r;
        world_position[b] = t;
    }
    std::vector<skmd_bone> bones(count);
    for (std::size_t b = 0; b < count; ++b) {
        skmd_bone& bone = bones[b];
        std::memset(&bone, 0, sizeof bone);
        std::strncpy(bone.name, file.bones[b].name.c_str(), sizeof bone.name - 1);
        bone.flags = 12; // a model attachment with no tag, no shadow
        bone.parent = static_cast<std::int16_t>(file.bones[b].parent);
        Mat3 local = world_rotation[b];
        Vec3 position = world_position[b];
        if (bone.parent >= 0) {
            const auto p = static_cast<std::size_t>(bone.parent);
            const Mat3 inverse = transpose(world_rotation[p]);
            local = multiply(inverse, world_rotation[b]);
            const Vec3 d{position[0] - world_position[p][0], position[1] - world_position[p][1],
                         position[2] - world_position[p][2]};
            position = apply(inverse, d);
        }
        const auto q = matrix_quaternion(local);
        for (std::size_t c = 0; c < 4; ++c) {
            bone.rotation[c] = q[c];
            bone.import100[c] = static_cast<std::int16_t>(std::lround(q[c]));
        }
        for (std::size_t c = 0; c < 3; ++c) bone.position[c] = static_cast<float>(position[c]);
        bone.value114 = -1;
        bone.attached = 0xFFFFFFFFu;
        bone.value156 = -1;
        bone.value160[0] = bone.value160[1] = bone.value160[2] = bone.value160[3] = 0xFF;
        bone.value164[0] = bone.value164[1] = bone.value164[2] = 1.0f;
    }
    return bones;
}

struct Influence {
    int bone;
    double weight;
    Vec3 offset;
};

// Normalises, then drops weights below the floor and normalises again until nothing changes.
// Empty when nothing survives.
std::vector<Influence> prune(const SklVertex& v) {
    std::vector<Influence> in;
    for (const SklInfluence& i : v.influences)
        in.push_back({i.bone, i.weight, {i.offset[0], i.offset[1], i.offset[2]}});
    for (;;) {
        double sum = 0;
        for (const Influence& i : in) sum += i.weight;
        if (!(sum > 0) || !std::isfinite(sum)) return {};
        for (Influence& i : in) i.weight /= sum;
        const std::size_t before = in.size();
        std::erase_if(in, [](const Influence& i) { return i.weight < kWeightFloor; });
        if (in.size() == before) return in;
    }
}

struct Vertex {
    std::vector<Influence> influences; // bone order
    std::array<float, 2> uv{};
    std::array<float, 3> position{};
};

struct Face {
    std::array<int, 3> v;
    std::array<std::array<float, 2>, 3> uv;
    std::uint32_t smoothing;
};

bool uv_differs(const std::array<float, 2>& a, const std::array<float, 2>& b) {
    return std::fabs(double{a[0]} - b[0]) > kSeamTolerance || std::fabs(double{a[1]} - b[1]) > kSeamTolerance;
}

// A vertex used with another (u, v) by some faces gets a copy for them (and again for the
// copy), so every vertex has one texture coordinate.
void split_seams(std::vector<Vertex>& vertices, std::vector<Face>& faces) {
    std::vector<std::vector<std::pair<int, int>>> uses(vertices.size()); // (face, corner)
    for (std::size_t f = 0; f < faces.size(); ++f)
        for (int c = 0; c < 3; ++c)
            uses[static_cast<std::size_t>(faces[f].v[static_cast<std::size_t>(c)])].push_back({static_cast<int>(f), c});
    for (std::size_t v = 0; v < uses.size(); ++v) {
        if (uses[v].empty()) continue;
        const auto& [f0, c0] = uses[v][0];
        vertices[v].uv = faces[static_cast<std::size_t>(f0)].uv[static_cast<std::size_t>(c0)];
        std::vector<std::pair<int, int>> other;
        for (const auto& use : uses[v])
            if (uv_differs(faces[static_cast<std::size_t>(use.first)].uv[static_cast<std::size_t>(use.second)],
                           vertices[v].uv))
                other.push_back(use);
        if (other.empty()) continue;
        const int copy = static_cast<int>(vertices.size());
        Vertex duplicate = vertices[v];
        vertices.push_back(duplicate);
        for (const auto& [f, c] : other) faces[static_cast<std::size_t>(f)].v[static_cast<std::size_t>(c)] = copy;
        uses.push_back(other); // the copy is split again in its turn
    }
}

int dominant_bone(const Vertex& v) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < v.influences.size(); ++i)
        if (v.influences[i].weight > v.influences[best].weight) best = i;
    return v.influences[best].bone;
}

// The block for vertices below `high`: the faces drawn up to it with their indices moved
// below it, per bone the position quadverts of the vertices it moves (padded to four with
// zeros; no normals: see the architecture notes), the edge-collapse entries from `low`.
// A vertex's first weight reference names its heaviest bone's quadvert.
std::optional<SkmdLodBlock> build_block(const std::vector<Vertex>& vertices, const std::vector<Face>& faces,
                                        const std::vector<int>& min_vertices, const std::vector<std::uint16_t>& collapse,
                                        std::size_t bone_count, int low,
                                        int high, std::string& refusal) {
    SkmdLodBlock block;
    for (std::size_t f = 0; f < faces.size(); ++f) {
        if (min_vertices[f] > high) continue;
        for (int v : faces[f].v) {
            // Targets always have lower indices, so this ends; the bound guards damaged orders.
            for (std::size_t step = 0; v >= high && v > 0 && step < collapse.size(); ++step)
                v = collapse[static_cast<std::size_t>(v)];
            block.triangles.push_back(static_cast<std::uint16_t>(v));
        }
        block.min_vertices_for_tri.push_back(static_cast<std::uint16_t>(min_vertices[f]));
    }
    for (int v = low; v < high; ++v) block.edge_collapse.push_back(collapse[static_cast<std::size_t>(v)]);

    // quadvert index of each (vertex, influence), and of each vertex's normal
    std::vector<std::vector<std::uint16_t>> refs(static_cast<std::size_t>(high));
    block.weights_per_bone.assign(bone_count, 0);
    std::vector<std::vector<std::pair<std::size_t, const Influence*>>> by_bone(bone_count);
    for (std::size_t v = 0; v < static_cast<std::size_t>(high); ++v)
        for (const Influence& in : vertices[v].influences) by_bone[static_cast<std::size_t>(in.bone)].push_back({v, &in});
    for (std::size_t b = 0; b < bone_count; ++b) {
        const std::size_t start = block.quadverts.size();
        for (const auto& [v, in] : by_bone[b]) {
            const auto index = static_cast<std::uint16_t>(std::min(block.quadverts.size(), kMaxU16));
            if (dominant_bone(vertices[v]) == in->bone) refs[v].insert(refs[v].begin(), index);
            else refs[v].push_back(index);
            block.quadverts.push_back({static_cast<float>(in->offset[0] * in->weight),
                                       static_cast<float>(in->offset[1] * in->weight),
                                       static_cast<float>(in->offset[2] * in->weight),
                                       static_cast<float>(in->weight)});
        }
        while ((block.quadverts.size() - start) % 4 != 0) block.quadverts.push_back({0, 0, 0, 0});
        block.weights_per_bone[b] = static_cast<std::uint16_t>(std::min(block.quadverts.size() - start, kMaxU16));
        if (block.quadverts.size() > kMaxQuadvertsPerBlock) {
            refusal = "the level of detail up to " + std::to_string(high) +
                      " vertices needs more than 8000 quadverts";
            return std::nullopt;
        }
    }
    for (const auto& r : refs) {
        block.weight_refs.insert(block.weight_refs.end(), r.begin(), r.end());
        block.weight_ref_counts.push_back(static_cast<std::uint8_t>(r.size()));
    }
    if (block.weight_refs.size() > kMaxU16 || block.triangles.size() / 3 > kMaxU16) {
        refusal = "the level of detail up to " + std::to_string(high) + " vertices holds too many triangles";
        return std::nullopt;
    }
    return block;
}

bool has_any(const char* name, std::initializer_list<const char*> words) {
    for (const char* w : words)
        if (std::strstr(name, w)) return true;
    return false;
}

} // namespace

std::string import_name_for(const std::string& path, std::size_t limit) {
    std::string name = path.substr(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name.substr(0, limit);
}

std::string model_name_for(const std::string& path) { return import_name_for(path, 31); }

void fit_shadow_cylinders(std::vector<skmd_bone>& bones) {
    for (skmd_bone& bone : bones) {
        char name[65] = {};
        std::memcpy(name, bone.name, 64);
        if (!has_any(name, {"Spine", "Neck", "UpperArm", "Forearm", "Thigh", "Calf", "Foot", "Head", "Hand"}))
            continue;
        bone.flags = (bone.flags & ~0xCu) | (3u << 2);
        const float* box = bone.attached_box; // min, max per axis
        if (!(box[0] < box[1]) || !(box[2] < box[3]) || !(box[4] < box[5])) continue;
        double best = 1e11, radius = 0;
        int axis = 0;
        for (int a = 0; a < 3; ++a) {
            const int i = (a + 1) % 3, j = (a + 2) % 3;
            const double min_i = box[2 * i], max_i = box[2 * i + 1], min_j = box[2 * j], max_j = box[2 * j + 1];
            const double m = ((max_i - min_i) + (max_j - min_j)) * 0.25;
            const double cost =
                (std::fabs(min_j + m) + std::fabs(max_j - m) + std::fabs(min_i + m) + std::fabs(max_i - m)) / m;
            if (cost < best) {
                best = cost;
                axis = a;
                radius = m;
            }
        }
        const double lo = box[2 * axis], hi = box[2 * axis + 1];
        bone.flags = (bone.flags & ~0xCu) | (static_cast<std::uint32_t>(axis) << 2) | 16u;
        bone.shadow_near = static_cast<float>((lo + hi) * 0.5 - (hi - lo) * 0.6);
        bone.shadow_far = static_cast<float>((lo + hi) * 0.5 + (hi - lo) * 0.6);
        bone.shadow_radius = static_cast<float>(radius);
    }
}

std::vector<std::array<float, 3>> rest_positions(const SkeletalModel& model, const SkmdLodBlock& block,
                                                 std::size_t count) {
    const std::vector<BoneWorld> world = bone_world_transforms(model.bones);
    // Quadvert i belongs to the bone whose group holds it.
    std::vector<int> owner(block.quadverts.size(), -1);
    std::size_t at = 0;
    for (std::size_t b = 0; b < block.weights_per_bone.size() && b < world.size(); ++b)
        for (std::size_t k = 0; k < block.weights_per_bone[b] && at < owner.size(); ++k) owner[at++] = static_cast<int>(b);
    std::vector<std::array<float, 3>> out(count, {0, 0, 0});
    std::size_t ref = 0;
    for (std::size_t v = 0; v < count && v < block.weight_ref_counts.size(); ++v) {
        Vec3 sum{0, 0, 0};
        for (std::size_t k = 0; k < block.weight_ref_counts[v] && ref < block.weight_refs.size(); ++k, ++ref) {
            const std::size_t q = block.weight_refs[ref];
            if (q >= block.quadverts.size() || owner[q] < 0) continue;
            const SkmdQuadvert& p = block.quadverts[q];
            const BoneWorld& w = world[static_cast<std::size_t>(owner[q])];
            for (std::size_t i = 0; i < 3; ++i)
                sum[i] += double{w.rotation[i][0]} * p.x + double{w.rotation[i][1]} * p.y +
                          double{w.rotation[i][2]} * p.z + double{p.w} * w.position[i];
        }
        out[v] = {float(sum[0]), float(sum[1]), float(sum[2])};
    }
    return out;
}

ModelBuild build_skeletal_model(const SklFile& file, const std::string& name, CollapseFunction collapse) {
    ModelBuild result;
    SkeletalModel model;
    model.bones = build_bones(file);
    const std::vector<BoneWorld> world = bone_world_transforms(model.bones);

    // Vertices that keep a weight, and the faces whose vertices all do.
    std::vector<int> index_of(file.vertices.size(), -1);
    std::vector<Vertex> vertices;
    for (std::size_t i = 0; i < file.vertices.size(); ++i) {
        const SklVertex& v = file.vertices[i];
        if (v.merged_into >= 0) continue;
        Vertex vertex;
        vertex.influences = prune(v);
        if (vertex.influences.empty()) continue;
        std::sort(vertex.influences.begin(), vertex.influences.end(),
                  [](const Influence& a, const Influence& b) { return a.bone < b.bone; });
        index_of[i] = static_cast<int>(vertices.size());
        vertices.push_back(std::move(vertex));
    }
    std::vector<Face> faces;
    for (const SklFace& f : file.faces) {
        Face face{};
        bool kept = true;
        for (std::size_t c = 0; c < 3; ++c) {
            face.v[c] = index_of[static_cast<std::size_t>(f.vertex[c])];
            face.uv[c] = f.uv[c];
            kept = kept && face.v[c] >= 0;
        }
        face.smoothing = f.smoothing;
        if (kept) faces.push_back(face);
    }
    split_seams(vertices, faces);
    for (Vertex& v : vertices) {
        Vec3 sum{0, 0, 0};
        for (const Influence& in : v.influences) {
            const BoneWorld& w = world[static_cast<std::size_t>(in.bone)];
            for (std::size_t i = 0; i < 3; ++i)
                sum[i] += in.weight * (double{w.rotation[i][0]} * in.offset[0] + double{w.rotation[i][1]} * in.offset[1] +
                                       double{w.rotation[i][2]} * in.offset[2] + w.position[i]);
        }
        v.position = {float(sum[0]), float(sum[1]), float(sum[2])};
    }
    if (vertices.size() >= kMaxU16 || faces.size() > kMaxU16) {
        result.refusal = "the model has more than 65535 vertices or triangles";
        return result;
    }

    CollapseMesh mesh;
    for (const Vertex& v : vertices) mesh.vertices.push_back({v.position[0], v.position[1], v.position[2], v.uv[0], v.uv[1]});
    for (const Face& f : faces) mesh.faces.push_back(f.v);
    const CollapseOrder order = collapse(mesh);

    // Kept vertices first in their order, then the removed ones, last removed first.
    const int n = static_cast<int>(vertices.size());
    const int removed = static_cast<int>(order.removal.size());
    const int minimum = n - removed;
    std::vector<int> new_index(vertices.size(), -1);
    std::vector<bool> gone(vertices.size(), false);
    for (const int v : order.removal) gone[static_cast<std::size_t>(v)] = true;
    int next = 0;
    for (int v = 0; v < n; ++v)
        if (!gone[static_cast<std::size_t>(v)]) new_index[static_cast<std::size_t>(v)] = next++;
    for (int s = removed - 1; s >= 0; --s) new_index[static_cast<std::size_t>(order.removal[static_cast<std::size_t>(s)])] = next++;
    std::vector<Vertex> sorted(vertices.size());
    for (std::size_t v = 0; v < vertices.size(); ++v) sorted[static_cast<std::size_t>(new_index[v])] = vertices[v];
    for (Face& f : faces)
        for (int& v : f.v) v = new_index[static_cast<std::size_t>(v)];
    // A vertex removed without faces collapses onto vertex 0 (no face needs it by then).
    std::vector<std::uint16_t> collapse_to(vertices.size(), 0);
    for (std::size_t v = 0; v < vertices.size(); ++v)
        if (order.target[v] >= 0)
            collapse_to[static_cast<std::size_t>(new_index[v])] =
                static_cast<std::uint16_t>(new_index[static_cast<std::size_t>(order.target[v])]);
    std::vector<int> min_vertices(faces.size());
    for (std::size_t f = 0; f < faces.size(); ++f)
        min_vertices[f] = order.face_death[f] < 0 ? minimum : n - order.face_death[f] + 1;

    // Real vertex counts: the largest count at or below the request at which the mesh is whole.
    std::vector<bool> whole(vertices.size() + 1, false);
    for (const int c : order.checkpoints) whole[static_cast<std::size_t>(n - c)] = true;
    whole[static_cast<std::size_t>(minimum)] = true;
    whole[static_cast<std::size_t>(n)] = true;
    int last = minimum;
    for (int v = minimum; v <= n; ++v) {
        if (whole[static_cast<std::size_t>(v)]) last = v;
        model.real_vertex_counts.push_back(static_cast<std::uint16_t>(last));
    }

    skmd_model_header& h = model.header;
    std::memset(&h, 0, sizeof h);
    std::strncpy(h.name, name.substr(0, 31).c_str(), 31);
    h.texture_stack = 0xFFFFFFFFu;
    h.minimum_vertex_count = static_cast<std::uint16_t>(minimum);
    h.vertex_limit = h.minimum_vertex_count;
    h.vertex_count = static_cast<std::uint16_t>(n);
    h.bone_count = static_cast<std::uint16_t>(model.bones.size());
    h.scale = 1.0f;
    double radius = 0, top = 0;
    for (std::size_t v = 0; v < sorted.size(); ++v) {
        const auto& p = sorted[v].position;
        radius = std::max(radius, std::sqrt(double{p[0]} * p[0] + double{p[1]} * p[1]));
        top = v == 0 ? p[2] : std::max(top, double{p[2]});
        model.uv.push_back(sorted[v].uv[0]);
        model.uv.push_back(sorted[v].uv[1]);
    }
    const auto to_size = [](double value) {
        return static_cast<std::int32_t>(std::clamp(std::trunc(value * 512.0), -2147483647.0, 2147483647.0));
    };
    h.collision_size[0] = to_size(radius);
    h.collision_size[2] = to_size(top);
    std::copy(std::begin(h.collision_size), std::end(h.collision_size), h.click_size);
    std::copy(std::begin(h.collision_size), std::end(h.collision_size), h.highlight_size);

    // Attached-vertex boxes: the offsets of every surviving influence, in its bone's space.
    std::vector<bool> boxed(model.bones.size(), false);
    for (const Vertex& v : sorted)
        for (const Influence& in : v.influences) {
            float* box = model.bones[static_cast<std::size_t>(in.bone)].attached_box;
            for (std::size_t c = 0; c < 3; ++c) {
                const auto value = static_cast<float>(in.offset[c]);
                if (!boxed[static_cast<std::size_t>(in.bone)] || value < box[2 * c]) box[2 * c] = value;
                if (!boxed[static_cast<std::size_t>(in.bone)] || value > box[2 * c + 1]) box[2 * c + 1] = value;
            }
            boxed[static_cast<std::size_t>(in.bone)] = true;
        }
    fit_shadow_cylinders(model.bones);

    // Bands, then the full-detail one.
    const int range = n - minimum;
    const int bands = std::min(range / 50 + 1, 11);
    int low = minimum;
    for (int k = 0; k <= bands; ++k) {
        const bool full = k == bands;
        const int high = full ? n : model.real_vertex_counts[static_cast<std::size_t>((k + 1) * range / bands)];
        if (full) low = n;
        auto block = build_block(sorted, faces, min_vertices, collapse_to, model.bones.size(), low, high,
                                 result.refusal);
        if (!block) return result;
        if (full) block->header.flags = 1;
        h.lods[k].lowest = static_cast<std::uint16_t>(low);
        h.lods[k].highest = static_cast<std::uint16_t>(high);
        model.blocks.push_back(std::move(*block));
        low = high;
    }
    h.lod_count = static_cast<std::uint16_t>(model.blocks.size());
    result.model = std::move(model);
    return result;
}

} // namespace zephane
