#include "skeletal/skmd_payload.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "base/byte_reader.h"
#include "base/errors.h"

namespace zephane {

namespace {

constexpr const char* kModule = "skmd_payload";
constexpr std::size_t kHeaderSize = sizeof(skmd_header);
constexpr std::size_t kModelHeaderSize = sizeof(skmd_model_header);
constexpr std::size_t kEntriesStart = offsetof(skmd_header, entries);
constexpr std::size_t kLodTableStart = offsetof(skmd_model_header, lods);
// Enough doublings to lift the smallest non-zero float to 16384; a scale of 0 stops here.
constexpr int kScaleExponentLimit = 200;

std::size_t align16(std::size_t n) { return (n + 15) & ~std::size_t{15}; }

std::int16_t quantise(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<std::int16_t>(std::clamp(std::round(value), -32767.0, 32767.0));
}

void read_u16s(ByteReader& r, std::vector<std::uint16_t>& out, std::size_t count, const char* field) {
    r.require_elements(count, 2, field);
    out.resize(count);
    for (auto& v : out) v = r.u16(field);
}

float read_f32(ByteReader& r, const char* field) { return std::bit_cast<float>(r.u32(field)); }

skmd_model_header read_model_header(ByteReader& r) {
    skmd_model_header h;
    const auto bytes = r.bytes(kModelHeaderSize, "skmd_modelheader");
    std::memcpy(&h, bytes.data(), kModelHeaderSize);
    byte_swap_data("skmd_modelheader", &h, -1, 1, skmd_modelheader_bs_codes);
    return h;
}

void check_model_header(const ByteReader& r, const skmd_model_header& h) {
    if (h.minimum_vertex_count > h.vertex_count)
        r.fail_at(offsetof(skmd_model_header, minimum_vertex_count), "minimum vertex count",
                  "above the vertex count");
    if (h.lod_count > kMaxLodBlocks)
        r.fail_at(offsetof(skmd_model_header, lod_count), "level-of-detail count", "above 12");
}

std::vector<skmd_bone> read_bones(ByteReader& r, std::size_t count) {
    r.require_elements(count, sizeof(skmd_bone), "skmd_bone");
    std::vector<skmd_bone> bones(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = r.position();
        bones[i] = read_record<skmd_bone>(r, "skmd_bone", skmd_bone_bs_codes);
        // Bone transforms walk parents first; a parent after its child would read garbage.
        if (bones[i].parent < -1 || bones[i].parent >= static_cast<int>(i))
            r.fail_at(at + offsetof(skmd_bone, parent), "parent bone index",
                      "does not name an earlier bone");
    }
    return bones;
}

template <typename T>
std::vector<T> read_records(ByteReader& r, std::size_t count, const char* name, const bs_code* codes) {
    r.require_elements(count, sizeof(T), name);
    std::vector<T> records(count);
    for (T& record : records) record = read_record<T>(r, name, codes);
    return records;
}

SkmdLodBlock read_lod_block(ByteReader& r, const skmd_lod_header& h, std::size_t bone_count,
                            const skmd_lod_entry& band) {
    SkmdLodBlock block;
    block.header = h;
    r.seek(kLodArraysStart, "level-of-detail pointers");
    read_u16s(r, block.triangles, std::size_t{h.triangle_count} * 3, "triangles");
    read_u16s(r, block.weights_per_bone, bone_count, "weights_per_bone");
    read_u16s(r, block.edge_collapse, std::size_t{band.highest} - band.lowest, "edge_collapse");
    read_u16s(r, block.min_vertices_for_tri, h.triangle_count, "min_vertices_for_tri");
    read_u16s(r, block.weight_refs, h.weight_ref_count, "weight_refs");
    block.weight_ref_counts = r.copy(band.highest, "weight reference counts");
    r.seek(align16(r.position()), "skmd_quadvert");
    r.require_elements(h.quadvert_count, sizeof(SkmdQuadvert), "skmd_quadvert");
    block.quadverts.resize(h.quadvert_count);
    for (SkmdQuadvert& q : block.quadverts) {
        q.x = read_f32(r, "skmd_quadvert");
        q.y = read_f32(r, "skmd_quadvert");
        q.z = read_f32(r, "skmd_quadvert");
        q.w = read_f32(r, "skmd_quadvert");
    }
    return block;
}

// Reads one model; false when a block's computed size differs from its stored one.
bool read_model(ByteReader& r, SkeletalModel& model, std::optional<FormatError>& failure) {
    model.header = read_model_header(r);
    const skmd_model_header& h = model.header;
    check_model_header(r, h);
    model.bones = read_bones(r, h.bone_count);
    r.require_elements(h.vertex_count, 8, "uv coords");
    model.uv.resize(std::size_t{h.vertex_count} * 2);
    for (float& value : model.uv) value = read_f32(r, "uv coords");
    model.boxes = read_records<skmd_collision_box>(r, h.collision_box_count, "complex collision boxes",
                                                   skmd_collision_box_bs_codes);
    model.collision_triangles = read_records<skmd_collision_triangle>(
        r, h.collision_triangle_count, "complex collision tris", skmd_collision_triangle_bs_codes);
    read_u16s(r, model.real_vertex_counts,
              std::size_t{h.vertex_count} - h.minimum_vertex_count + 1, "real vertex count");

    for (std::size_t k = 0; k < h.lod_count; ++k) {
        const skmd_lod_entry& band = h.lods[k];
        const std::size_t entry_at = kLodTableStart + 16 * k;
        if (band.lowest > band.highest)
            r.fail_at(entry_at, "level-of-detail band", "lowest above highest");
        if (band.offset < 0 || band.size < 0 || static_cast<std::size_t>(band.offset) > r.size() ||
            static_cast<std::size_t>(band.size) > r.size() - static_cast<std::size_t>(band.offset))
            r.fail_at(entry_at + 4, "level-of-detail block", "outside the model");
        r.seek(static_cast<std::size_t>(band.offset), "level-of-detail block");
        ByteReader block_reader = r.sub(static_cast<std::size_t>(band.size), "level-of-detail block");
        const auto lod_header = read_record<skmd_lod_header>(block_reader, "lod_header",
                                                             skmd_lod_header_bs_codes);
        const std::size_t computed =
            skmd_lod_block_size(lod_header, h.bone_count, band.lowest, band.highest);
        if (computed != static_cast<std::size_t>(band.size)) {
            const std::size_t model_start = r.absolute_position() - r.position();
            failure.emplace("level-of-detail block size", model_start + entry_at + 8,
                            "block " + std::to_string(k) + " of model '" +
                                std::string(h.name, strnlen(h.name, sizeof h.name)) + "' holds " +
                                std::to_string(band.size) + " bytes where its counts give " +
                                std::to_string(computed));
            return false;
        }
        model.blocks.push_back(read_lod_block(block_reader, lod_header, h.bone_count, band));
    }
    return true;
}

void put_u16s(std::uint8_t*& at, const std::vector<std::uint16_t>& values) {
    for (const std::uint16_t v : values) {
        store_u16(at, v);
        at += 2;
    }
}

void put_f32(std::uint8_t*& at, float value) {
    store_u32(at, std::bit_cast<std::uint32_t>(value));
    at += 4;
}

void write_lod_block(std::uint8_t* start, const SkmdLodBlock& block) {
    skmd_lod_header h = block.header;
    h.quadvert_count = static_cast<std::uint16_t>(block.quadverts.size());
    h.triangle_count = static_cast<std::uint16_t>(block.min_vertices_for_tri.size());
    h.weight_ref_count = static_cast<std::uint16_t>(block.weight_refs.size());
    byte_swap_copy("lod_header", start, &h, sizeof h, 1, skmd_lod_header_bs_codes);
    std::uint8_t* at = start + kLodArraysStart; // the runtime pointers stay zero
    put_u16s(at, block.triangles);
    put_u16s(at, block.weights_per_bone);
    put_u16s(at, block.edge_collapse);
    put_u16s(at, block.min_vertices_for_tri);
    put_u16s(at, block.weight_refs);
    std::copy(block.weight_ref_counts.begin(), block.weight_ref_counts.end(), at);
    at = start + align16(static_cast<std::size_t>(at + block.weight_ref_counts.size() - start));
    for (const SkmdQuadvert& q : block.quadverts) {
        put_f32(at, q.x);
        put_f32(at, q.y);
        put_f32(at, q.z);
        put_f32(at, q.w);
    }
}

void check_model_arrays(const SkeletalModel& model) {
    const skmd_model_header& h = model.header;
    ZEPHANE_CHECK(model.uv.size() == std::size_t{h.vertex_count} * 2, "uv.size() == 2 * vertex_count", kModule);
    ZEPHANE_CHECK(h.minimum_vertex_count <= h.vertex_count &&
                      model.real_vertex_counts.size() ==
                          std::size_t{h.vertex_count} - h.minimum_vertex_count + 1,
                  "real vertex count table size", kModule);
    ZEPHANE_CHECK(model.blocks.size() <= kMaxLodBlocks, "blocks <= 12", kModule);
    for (std::size_t k = 0; k < model.blocks.size(); ++k) {
        const SkmdLodBlock& b = model.blocks[k];
        const skmd_lod_entry& band = h.lods[k];
        ZEPHANE_CHECK(band.lowest <= band.highest &&
                          b.edge_collapse.size() == std::size_t{band.highest} - band.lowest &&
                          b.weight_ref_counts.size() == band.highest,
                      "block arrays match the band", kModule);
        ZEPHANE_CHECK(b.triangles.size() == 3 * b.min_vertices_for_tri.size() &&
                          b.weights_per_bone.size() == model.bones.size(),
                      "block arrays match the counts", kModule);
    }
}

} // namespace

std::size_t skmd_model_part_size(const skmd_model_header& h) {
    return kModelHeaderSize + sizeof(skmd_bone) * h.bone_count + 8 * std::size_t{h.vertex_count} +
           sizeof(skmd_collision_box) * h.collision_box_count +
           sizeof(skmd_collision_triangle) * h.collision_triangle_count +
           2 * (std::size_t{h.vertex_count} - h.minimum_vertex_count + 1);
}

std::size_t skmd_lod_block_size(const skmd_lod_header& h, std::size_t bone_count,
                                std::size_t lowest, std::size_t highest) {
    const std::size_t arrays = kLodArraysStart +
                               2 * (4 * std::size_t{h.triangle_count} + bone_count + (highest - lowest) +
                                    h.weight_ref_count) +
                               highest;
    return align16(arrays) + sizeof(SkmdQuadvert) * h.quadvert_count;
}

SkmdLoad load_skmd_payload(std::span<const std::uint8_t> payload) {
    SkmdLoad load;
    ByteReader r(payload);
    load.set.header = read_record<skmd_header>(r, "skmd_header", skmd_header_bs_codes);
    const skmd_header& header = load.set.header;
    if (header.model_count > kMaxSkeletalModels)
        r.fail_at(offsetof(skmd_header, model_count), "model count", "above 16");
    for (std::size_t i = 0; i < header.model_count; ++i) {
        const skmd_model_entry& entry = header.entries[i];
        const std::size_t entry_at = kEntriesStart + sizeof(skmd_model_entry) * i;
        if (entry.offset < 0 || entry.size < 0 || static_cast<std::size_t>(entry.offset) > payload.size() ||
            static_cast<std::size_t>(entry.size) > payload.size() - static_cast<std::size_t>(entry.offset))
            r.fail_at(entry_at, "model entry", "outside the payload");
        const auto offset = static_cast<std::size_t>(entry.offset);
        ByteReader model_reader(payload.subspan(offset, static_cast<std::size_t>(entry.size)), offset);
        SkeletalModel model;
        if (!read_model(model_reader, model, load.failure)) {
            load.set.header.model_count = static_cast<std::uint16_t>(i);
            return load;
        }
        load.set.models.push_back(std::move(model));
    }
    return load;
}

SkeletalModelSet load_whole_skmd_payload(std::span<const std::uint8_t> payload) {
    SkmdLoad load = load_skmd_payload(payload);
    if (load.failure) throw *load.failure;
    return std::move(load.set);
}

void quantise_skmd_model(skmd_model_header& h, std::vector<skmd_bone>& bones) {
    float largest = 0.00001f;
    for (const skmd_bone& bone : bones)
        for (const float p : bone.position) largest = std::max(largest, std::fabs(p * h.scale));
    double factor = 1.0;
    std::int16_t exponent = 0;
    while (static_cast<double>(largest) * factor < 16383.0) {
        factor *= 2.0;
        ++exponent;
    }
    h.position_exponent = exponent;
    for (skmd_bone& bone : bones)
        for (int c = 0; c < 3; ++c)
            bone.quantised_position[c] =
                quantise(factor * static_cast<double>(h.scale) * static_cast<double>(bone.position[c]));

    double value = h.scale;
    exponent = 0;
    while (std::fabs(value) < 16384.0 && exponent < kScaleExponentLimit) {
        value *= 2.0;
        ++exponent;
    }
    h.scale_exponent = exponent;
    h.quantised_scale = quantise(value);
}

std::vector<std::uint8_t> save_skmd_payload(const SkeletalModelSet& set) {
    ZEPHANE_CHECK(set.models.size() <= kMaxSkeletalModels, "model count <= 16", kModule);
    skmd_header header = set.header;
    header.model_count = static_cast<std::uint16_t>(set.models.size());
    std::vector<skmd_model_header> model_headers;
    std::size_t length = kHeaderSize;
    for (std::size_t i = 0; i < kMaxSkeletalModels; ++i) {
        skmd_model_entry& entry = header.entries[i];
        entry.runtime = 0;
        if (i >= set.models.size()) {
            entry = skmd_model_entry{};
            continue;
        }
        const SkeletalModel& model = set.models[i];
        check_model_arrays(model);
        skmd_model_header h = model.header;
        h.lod_count = static_cast<std::uint16_t>(model.blocks.size());
        h.bone_count = static_cast<std::uint16_t>(model.bones.size());
        h.collision_box_count = static_cast<std::uint16_t>(model.boxes.size());
        h.collision_triangle_count = static_cast<std::uint16_t>(model.collision_triangles.size());
        std::fill(std::begin(h.runtime_pointers), std::end(h.runtime_pointers), 0u);
        length = align16(length);
        entry.offset = static_cast<std::int32_t>(length);
        std::size_t size = skmd_model_part_size(h);
        for (std::size_t k = 0; k < kMaxLodBlocks; ++k) {
            skmd_lod_entry& band = h.lods[k];
            if (k >= model.blocks.size()) {
                band = skmd_lod_entry{};
                continue;
            }
            const SkmdLodBlock& b = model.blocks[k];
            skmd_lod_header counts = b.header;
            counts.quadvert_count = static_cast<std::uint16_t>(b.quadverts.size());
            counts.triangle_count = static_cast<std::uint16_t>(b.min_vertices_for_tri.size());
            counts.weight_ref_count = static_cast<std::uint16_t>(b.weight_refs.size());
            size = align16(size);
            band.offset = static_cast<std::int32_t>(size);
            band.size = static_cast<std::int32_t>(
                skmd_lod_block_size(counts, model.bones.size(), band.lowest, band.highest));
            band.runtime = 0;
            size += static_cast<std::size_t>(band.size);
        }
        entry.size = static_cast<std::int32_t>(size);
        length += size;
        model_headers.push_back(h);
    }

    std::vector<std::uint8_t> payload(length, 0);
    store_record(payload, 0, header, "skmd_header", skmd_header_bs_codes);
    for (std::size_t i = 0; i < set.models.size(); ++i) {
        const SkeletalModel& model = set.models[i];
        std::uint8_t* start = payload.data() + header.entries[i].offset;
        skmd_model_header h = model_headers[i];
        std::vector<skmd_bone> bones = model.bones;
        quantise_skmd_model(h, bones);
        byte_swap_data("skmd_modelheader", &h, -1, 1, skmd_modelheader_bs_codes);
        std::memcpy(start, &h, sizeof h);
        std::uint8_t* at = start + kModelHeaderSize;
        for (const skmd_bone& bone : bones) {
            byte_swap_copy("skmd_bone", at, &bone, sizeof bone, 1, skmd_bone_bs_codes);
            at += sizeof bone;
        }
        for (const float value : model.uv) put_f32(at, value);
        for (const skmd_collision_box& box : model.boxes) {
            byte_swap_copy("complex collision boxes", at, &box, sizeof box, 1, skmd_collision_box_bs_codes);
            at += sizeof box;
        }
        for (const skmd_collision_triangle& tri : model.collision_triangles) {
            byte_swap_copy("complex collision tris", at, &tri, sizeof tri, 1,
                           skmd_collision_triangle_bs_codes);
            at += sizeof tri;
        }
        put_u16s(at, model.real_vertex_counts);
        for (std::size_t k = 0; k < model.blocks.size(); ++k)
            write_lod_block(start + model_headers[i].lods[k].offset, model.blocks[k]);
    }
    return payload;
}

std::vector<std::uint8_t> rewrite_skmd_payload(const std::vector<std::uint8_t>& payload,
                                               std::int16_t /*version*/) {
    return save_skmd_payload(load_whole_skmd_payload(payload));
}

} // namespace zephane
