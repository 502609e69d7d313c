#include "skeletal/skmd_payload.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/byte_reader.h"

namespace zephane {
namespace {

// A model of `vertices` vertices (minimum 2) with one block per band [2 + k, 3 + k].
SkeletalModel make_model(std::uint16_t vertices, std::size_t block_count) {
    SkeletalModel m;
    std::strcpy(m.header.name, "walker");
    m.header.texture_stack = 0x01020304;
    m.header.minimum_vertex_count = 2;
    m.header.vertex_limit = 2;
    m.header.vertex_count = vertices;
    m.header.scale = 1.0f;
    m.header.carried96[0] = 0xAB;
    m.header.carried96[63] = 0xCD;
    m.bones.resize(2);
    for (std::size_t b = 0; b < 2; ++b) {
        skmd_bone& bone = m.bones[b];
        std::memset(&bone, 0, sizeof bone);
        bone.parent = static_cast<std::int16_t>(b) - 1;
        bone.rotation[3] = 1.0f; // identity (x, y, z, w)
        bone.position[1] = 2.5f * static_cast<float>(b);
        bone.value114 = -1;
        bone.value156 = -1;
        bone.value160[0] = 0xFF;
        bone.value164[2] = 1.0f;
    }
    m.uv.assign(std::size_t{vertices} * 2, 0.25f);
    m.boxes.resize(1);
    m.boxes[0] = {{-1, -2, -3}, {4, 5, 6}, -1, 0, 0, 1};
    m.collision_triangles.resize(1);
    m.collision_triangles[0].normals[3][2] = 16384;
    m.collision_triangles[0].offsets[1] = -70000;
    for (std::uint16_t v = 2; v <= vertices; ++v) m.real_vertex_counts.push_back(v);
    for (std::size_t k = 0; k < block_count; ++k) {
        skmd_lod_entry& band = m.header.lods[k];
        band.lowest = static_cast<std::uint16_t>(2 + k);
        band.highest = static_cast<std::uint16_t>(3 + k);
        SkmdLodBlock block;
        block.header.carried2 = 0x1234;
        block.header.flags = k + 1 == block_count ? 1 : 0;
        block.triangles = {0, 1, 2};
        block.min_vertices_for_tri = {3};
        block.weights_per_bone = {4, 0};
        block.edge_collapse = {0};
        block.weight_refs = {0, 1, 2};
        block.weight_ref_counts.assign(band.highest, 1);
        block.quadverts.assign(4, SkmdQuadvert{1.0f, 2.0f, 3.0f, 1.0f});
        m.blocks.push_back(block);
    }
    return m;
}

SkeletalModelSet make_set(std::size_t models, std::size_t blocks) {
    SkeletalModelSet set;
    set.header.animation = 0x0A0B0C0D;
    set.header.reserved4 = 0x55667788;
    set.header.reserved10 = 0x99AA;
    for (std::size_t i = 0; i < models; ++i) {
        set.models.push_back(make_model(20, blocks));
        set.header.entries[i].probability = static_cast<std::uint16_t>(10 + i);
        set.header.entries[i].flags = 1;
    }
    return set;
}

TEST(SkmdPayload, EmptySetIsAZeroHeader) {
    const auto payload = save_skmd_payload(SkeletalModelSet{});
    EXPECT_EQ(payload, std::vector<std::uint8_t>(268, 0));
    const SkmdLoad load = load_skmd_payload(payload);
    EXPECT_FALSE(load.failure);
    EXPECT_TRUE(load.set.models.empty());
}

TEST(SkmdPayload, LayoutAndTheLevelOfDetailTableByteOrder) {
    const auto payload = save_skmd_payload(make_set(2, 12));
    const std::uint8_t* p = payload.data();
    EXPECT_EQ(load_u32(p), 0x0A0B0C0Du);
    EXPECT_EQ(load_u16(p + 8), 2);
    ASSERT_EQ(load_u32(p + 12), 272u); // first model on a 16-byte boundary
    const std::size_t model_size = load_u32(p + 16);
    EXPECT_EQ(load_u16(p + 22), 10); // probability
    EXPECT_EQ(load_u32(p + 28), ((272 + model_size + 15) & ~15u));
    EXPECT_EQ(load_u32(p + 28 + 4), model_size);

    const std::uint8_t* m = p + 272;
    EXPECT_EQ(load_u16(m + 40), 20);
    EXPECT_EQ(load_u16(m + 42), 12);
    for (std::size_t k = 0; k < 12; ++k) {
        const std::uint8_t* e = m + 176 + 16 * k;
        // The band's two values form one big-endian word, the highest first.
        EXPECT_EQ(load_u16(e), 3 + k);
        EXPECT_EQ(load_u16(e + 2), 2 + k);
        std::uint32_t offset;
        std::memcpy(&offset, e + 4, 4); // little-endian on disk
        EXPECT_EQ(offset % 16, 0u);
        // Block size: two big-endian halves, low half first, but the last entry lies past the
        // converted range and stays in native (little-endian) order.
        const std::uint32_t size =
            k < 11 ? (std::uint32_t{load_u16(e + 10)} << 16) | load_u16(e + 8)
                   : std::uint32_t{e[8]} | (std::uint32_t{e[9]} << 8) |
                         (std::uint32_t{e[10]} << 16) | (std::uint32_t{e[11]} << 24);
        // 36 + 2·(4 + 2 + 1 + 3) + one count byte per vertex below highest, rounded to 16,
        // then 4 quadverts.
        EXPECT_EQ(size, ((56u + 3u + k + 15u) & ~15u) + 64u) << k;
        EXPECT_EQ(load_u16(m + offset), 4); // quadvert count
        EXPECT_EQ(load_u16(m + offset + 36 + 4), 2); // the triangle's last index
    }
    const std::size_t part = 368 + 2 * 176 + 8 * 20 + 20 + 40 + 2 * 19;
    std::uint32_t first_offset;
    std::memcpy(&first_offset, m + 180, 4);
    EXPECT_EQ(first_offset, (part + 15) & ~std::size_t{15});
}

TEST(SkmdPayload, RoundTripKeepsEveryCarriedByte) {
    const SkeletalModelSet set = make_set(3, 12);
    const auto payload = save_skmd_payload(set);
    const SkmdLoad load = load_skmd_payload(payload);
    ASSERT_FALSE(load.failure);
    ASSERT_EQ(load.set.models.size(), 3u);
    EXPECT_EQ(save_skmd_payload(load.set), payload);

    const SkeletalModel& m = load.set.models[2];
    EXPECT_EQ(load.set.header.reserved4, 0x55667788u);
    EXPECT_EQ(load.set.header.entries[2].probability, 12);
    EXPECT_STREQ(m.header.name, "walker");
    EXPECT_EQ(m.header.carried96[63], 0xCD);
    EXPECT_EQ(m.header.lods[11].lowest, 13);
    EXPECT_EQ(m.header.lods[11].highest, 14);
    EXPECT_EQ(m.bones[1].value114, -1);
    EXPECT_EQ(m.bones[1].value160[0], 0xFF);
    EXPECT_EQ(m.bones[1].parent, 0);
    EXPECT_EQ(m.boxes[0].maximum[2], 6);
    EXPECT_EQ(m.collision_triangles[0].offsets[1], -70000);
    EXPECT_EQ(m.blocks[11].header.carried2, 0x1234);
    EXPECT_EQ(m.blocks[11].header.flags, 1);
    EXPECT_EQ(m.blocks[11].weight_ref_counts.size(), 14u);
    EXPECT_EQ(m.blocks[0].quadverts[3].z, 3.0f);
}

TEST(SkmdPayload, SaveWritesTheFixedPointFields) {
    SkeletalModelSet set = make_set(1, 1);
    for (skmd_bone& bone : set.models[0].bones) bone.position[1] = 0.0f;
    auto load = load_skmd_payload(save_skmd_payload(set));
    // All-zero positions: the exponent is reached from the 0.00001 floor (2^31 × 0.00001 ≥ 16383).
    EXPECT_EQ(load.set.models[0].header.position_exponent, 31);
    EXPECT_EQ(load.set.models[0].header.scale_exponent, 14);
    EXPECT_EQ(load.set.models[0].header.quantised_scale, 16384);

    set = make_set(1, 1);
    set.models[0].bones[1].position[1] = 2.5f; // largest 2.5 → factor 8192 (2^13)
    set.models[0].bones[1].position[0] = -1.00006f;
    load = load_skmd_payload(save_skmd_payload(set));
    EXPECT_EQ(load.set.models[0].header.position_exponent, 13);
    EXPECT_EQ(load.set.models[0].bones[1].quantised_position[1], 20480);
    EXPECT_EQ(load.set.models[0].bones[1].quantised_position[0], -8192); // −8192.49 rounds to −8192

    set.models[0].header.scale = 0.0f; // must terminate
    load = load_skmd_payload(save_skmd_payload(set));
    EXPECT_EQ(load.set.models[0].header.quantised_scale, 0);
    EXPECT_EQ(load.set.models[0].header.position_exponent, 31);
}

void expect_refused(std::vector<std::uint8_t> payload, const char* field) {
    try {
        (void)load_skmd_payload(payload);
        ADD_FAILURE() << "accepted, expected a refusal of " << field;
    } catch (const FormatError& e) {
        EXPECT_EQ(e.field(), field) << e.what();
    }
}

TEST(SkmdPayload, HostilePayloadsAreRefusedWithTheField) {
    const auto good = save_skmd_payload(make_set(1, 2));
    auto p = good;
    p.resize(200);
    expect_refused(p, "skmd_header");
    p = good;
    store_u16(p.data() + 8, 17);
    expect_refused(p, "model count");
    p = good;
    store_u32(p.data() + 16, static_cast<std::uint32_t>(p.size())); // entry size past the end
    expect_refused(p, "model entry");
    p = good;
    store_u16(p.data() + 272 + 40, 2000); // vertex count far beyond the model's bytes
    expect_refused(p, "uv coords");
    p = good;
    store_u16(p.data() + 272 + 36, 21); // minimum above the vertex count
    expect_refused(p, "minimum vertex count");
    p = good;
    store_u16(p.data() + 272 + 42, 13);
    expect_refused(p, "level-of-detail count");
    p = good;
    store_u16(p.data() + 272 + 368 + 176 + 68, 1); // bone 1 its own parent
    expect_refused(p, "parent bone index");
    p = good;
    p[272 + 176 + 7] = 0x7F; // block 0's little-endian offset far past the model
    expect_refused(p, "level-of-detail block");
}

TEST(SkmdPayload, ABlockOfTheWrongSizeEndsTheLoadKeepingEarlierModels) {
    auto p = save_skmd_payload(make_set(3, 2));
    const std::size_t second = load_u32(p.data() + 28);
    std::uint32_t offset;
    std::memcpy(&offset, p.data() + second + 176 + 16 + 4, 4);
    store_u16(p.data() + second + offset + 4, 2); // block 1's triangle count
    const SkmdLoad load = load_skmd_payload(p);
    ASSERT_TRUE(load.failure);
    EXPECT_EQ(load.failure->field(), "level-of-detail block size");
    EXPECT_EQ(load.failure->offset(), second + 176 + 16 + 8);
    EXPECT_EQ(load.set.models.size(), 1u);
    EXPECT_EQ(load.set.header.model_count, 1);
    EXPECT_THROW(rewrite_skmd_payload(p, 1), FormatError);
}

} // namespace
} // namespace zephane
