// Which texture a 3-D view's upload request names, and when an upload answers a request.

#include "textures/texture_upload.h"
#include "texture_fixtures.h"

#include <gtest/gtest.h>

#include "base/byte_reader.h"

namespace zephane {
namespace {

std::unique_ptr<stacked_texture> kind_texture(std::uint8_t kind, std::uint8_t layer, std::uint8_t mark) {
    auto t = test::bytes_texture({mark, mark});
    t->layer_kind = kind;
    t->layer = layer;
    return t;
}

std::vector<std::uint8_t> two_stacks() {
    StackSet set;
    insert_texture(set, 0, -1, kind_texture(kLayerBaseTexture, 0, 'b'));
    insert_texture(set, 0, -1, kind_texture(kLayerDetailMask, 2, 'm'));
    insert_texture(set, 0, -1, kind_texture(kLayerDetailMask, 0, 'n'));
    insert_texture(set, 1, -1, kind_texture(kLayerSkinModifier, 1, 's'));
    return *build_stack_payload(set);
}

TEST(TextureUpload, SelectsByIndexOrKindAndLayer) {
    const auto payload = two_stacks();
    const auto mark = [&](TextureRequest request) -> int {
        const auto selected = select_upload_texture(payload, request);
        return selected ? selected->texture.compressed_data[0] : 0;
    };
    EXPECT_EQ(mark({0, 2, -1, -1}), 'n');
    // Layer -1 takes the first detail mask of the stack.
    EXPECT_EQ(mark({0, -1, kLayerDetailMask, -1}), 'm');
    EXPECT_EQ(mark({0, -1, kLayerDetailMask, 0}), 'n');
    // An index past the stack falls back to the kind.
    EXPECT_EQ(mark({0, 7, kLayerBaseTexture, -1}), 'b');
    EXPECT_EQ(mark({1, -1, kLayerSkinModifier, 1}), 's');
    EXPECT_EQ(mark({1, -1, kLayerSkinModifier, 2}), 0);
    EXPECT_EQ(mark({2, 0, -1, -1}), 0); // no such stack
    const auto selected = select_upload_texture(payload, {0, -1, kLayerDetailMask, 0});
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->index, 2);
    EXPECT_EQ(selected->texture.layer, 0);
}

TEST(TextureUpload, RefusesDamagedPayloads) {
    auto payload = two_stacks();
    // The first stack's block claims more bytes than the payload has.
    payload[8] = 0x7F;
    EXPECT_THROW(select_upload_texture(payload, {0, 0, -1, -1}), FormatError);
    EXPECT_THROW(select_upload_texture(std::vector<std::uint8_t>{0, 5}, {0, 0, -1, -1}), FormatError);
}

TEST(TextureUpload, MatchingRule) {
    const UploadedTexture mask{1, kLayerDetailMask, 2};
    EXPECT_TRUE(upload_matches(mask, {0, 1, -1, -1}));
    EXPECT_FALSE(upload_matches(mask, {0, 0, -1, -1}));
    EXPECT_TRUE(upload_matches(mask, {0, -1, kLayerDetailMask, -1}));
    EXPECT_TRUE(upload_matches(mask, {0, -1, kLayerDetailMask, 2}));
    EXPECT_FALSE(upload_matches(mask, {0, -1, kLayerDetailMask, 0}));
    EXPECT_FALSE(upload_matches(mask, {0, -1, kLayerBaseTexture, -1}));
    // A request by index alone never matches by kind.
    EXPECT_FALSE(upload_matches({0, kLayerBaseTexture, 0}, {0, 3, -1, -1}));
}

} // namespace
} // namespace zephane
