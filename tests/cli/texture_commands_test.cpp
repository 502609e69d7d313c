// txst-info, import-psd, import-psd-layers, collapse and export-texture.

#include <gtest/gtest.h>

#include <png.h>

#include "cli/tool_run.h"
#include "support/test_support.h"
#include "textures/texture_stack.h"

namespace zephane::cli {
namespace {

using test::run;
using zephane::test::ScratchFolder;
namespace data = zephane::test;

std::string fixture(const std::string& name) { return std::string(ZEPHANE_TEST_DATA) + "/textures/" + name; }

std::unique_ptr<stacked_texture> texture(int width, int height, int channels, std::uint8_t first) {
    auto t = std::make_unique<stacked_texture>();
    t->width = static_cast<std::uint16_t>(width);
    t->height = static_cast<std::uint16_t>(height);
    t->channels = static_cast<std::uint8_t>(channels);
    for (int i = 0; i < width * height * channels; ++i) t->compressed_data.push_back(static_cast<std::uint8_t>(first + i));
    return t;
}

std::vector<std::uint8_t> payload_of(const StackSet& set) { return *build_stack_payload(set); }

// A file with a small texture stack 'ston' and a unit tag.
std::string small_file(const ScratchFolder& folder) {
    StackSet set;
    auto mask = texture(2, 2, 1, 10);
    mask->layer_kind = kLayerDetailMask;
    mask->layer = 3;
    mask->du_u = 16384;
    mask->dv_v = -8;
    insert_texture(set, 0, -1, texture(3, 2, 3, 100));
    insert_texture(set, 0, -1, std::move(mask));
    insert_texture(set, 1, -1, texture(1, 1, 4, 7));
    set.stacks[1].flags = 1;
    return folder.write("stones.tag", data::monolithic_file(1, {{kTextureStackType, fourcc("ston"), "Stones", payload_of(set)},
                                                               {fourcc("unit"), fourcc("dwar"), "Dwarf", {1}}}));
}

TEST(ToolTxstInfo, ListsStacksAndTextures) {
    ScratchFolder folder;
    const auto result = run({"txst-info", small_file(folder), "txst:ston"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "2 stacks\n"
              "stack 0: 2 textures, flags 0, word 1\n"
              "  texture 0: rgb, raw data, base texture, layer 0, 3 x 2, 18 bytes, origin 0 0, dU 0 0, dV 0 0\n"
              "  texture 1: alpha, raw data, detail mask 3, layer 3, 2 x 2, 4 bytes, origin 0 0, dU 16384 0, dV 0 -8\n"
              "stack 1: 1 textures, flags 1, word 1\n"
              "  texture 0: rgba, raw data, base texture, layer 0, 1 x 1, 4 bytes, origin 0 0, dU 0 0, dV 0 0\n");
    const auto wrong = run({"txst-info", folder / "stones.tag", "unit:dwar"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err, "zephane-tool: unit:dwar is not a texture stack (txst) tag\n");
}

TEST(ToolImportPsd, CutsTheDocumentIntoANewTagNamedAfterIt) {
    ScratchFolder folder;
    const auto tags = folder / "terrain.tag";
    const auto result = run({"import-psd", tags, fixture("gimp-terrain.psd")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "gite\n");
    const auto listed = run({"list", tags});
    EXPECT_NE(listed.out.find("txst\tgite\t1\t"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("\tgimp-terrain\tTexture Stack"), std::string::npos) << listed.out;
    const auto info = run({"txst-info", tags, "txst:gite"});
    EXPECT_EQ(info.out.rfind("3 stacks\nstack 0: 2 textures, flags 0, word 1\n  texture 0: rgb, jpeg, base texture", 0), 0u)
        << info.out;
    EXPECT_NE(info.out.find("  texture 1: alpha, jpeg, detail mask 1, layer 1, 128 x 128"), std::string::npos);

    // A second import of the same document gets its own id.
    EXPECT_EQ(run({"import-psd", tags, fixture("gimp-terrain.psd")}).out, "gitf\n");

    const auto bad = run({"import-psd", tags, fixture("../sample.tag")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("cannot import"), std::string::npos);
    EXPECT_NE(bad.err.find("signature"), std::string::npos);
}

TEST(ToolImportPsdLayers, AppendsTheLayersAsANewStack) {
    ScratchFolder folder;
    const std::string tags = small_file(folder);
    const auto before = data::read_bytes(tags);
    const auto result = run({"import-psd-layers", tags, "txst:ston", fixture("gimp-layers.psd")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "4 textures imported into stack 2\n");
    const auto info = run({"txst-info", tags, "txst:ston"});
    EXPECT_EQ(info.out.rfind("3 stacks\n", 0), 0u) << info.out;
    EXPECT_NE(info.out.find("stack 2: 4 textures, flags 0, word 1\n  texture 0: rgb, raw data, base texture"),
              std::string::npos)
        << info.out;
    EXPECT_NE(info.out.find("stack 1: 1 textures, flags 1"), std::string::npos) << "earlier stacks kept";

    // Refusals leave the file as it was.
    const auto after = data::read_bytes(tags);
    for (const auto& args : {std::vector<std::string>{"import-psd-layers", tags, "txst:ston", folder / "missing.psd"},
                             std::vector<std::string>{"import-psd-layers", tags, "txst:ston", fixture("../sample.tag")},
                             std::vector<std::string>{"import-psd-layers", tags, "txst:none", fixture("gimp-layers.psd")}}) {
        const auto refused = run(args);
        EXPECT_EQ(refused.status, 1) << args[3];
        EXPECT_FALSE(refused.err.empty());
        EXPECT_EQ(data::read_bytes(tags), after);
    }
    EXPECT_NE(before, after);
}

TEST(ToolCollapse, AddsTheCollapsedStack) {
    ScratchFolder folder;
    const auto tags = folder / "terrain.tag";
    ASSERT_EQ(run({"import-psd", tags, fixture("gimp-terrain.psd")}).status, 0);
    // Two details, so both of the document's detail masks have one.
    StackSet details;
    insert_texture(details, 0, -1, texture(8, 8, 3, 0));
    insert_texture(details, 1, -1, texture(8, 8, 3, 50));
    const auto detail_file = folder.write("details.tag", data::single_tag_file({kTextureStackType, fourcc("deta"), "Details", payload_of(details)}));
    const auto merged = run({"merge", detail_file, tags});
    ASSERT_EQ(merged.status, 0) << merged.err;
    const auto result = run({"collapse", tags, "gite", "deta"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "cots\n");
    const auto info = run({"txst-info", tags, "txst:cots"});
    EXPECT_EQ(info.out.rfind("3 stacks\nstack 0: 1 textures", 0), 0u) << info.out;

    const auto missing = run({"collapse", tags, "gite", "none"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "zephane-tool: cannot collapse: no texture stack none\n");
}

TEST(ToolExportTexture, WritesTheDecodedPixelsAsPng) {
    ScratchFolder folder;
    const auto tags = small_file(folder);
    const auto out = folder / "stone.png";
    const auto result = run({"export-texture", tags, "txst:ston", "0", "0", out});
    ASSERT_EQ(result.status, 0) << result.err;

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, out.c_str())) << image.message;
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.height, 2u);
    EXPECT_EQ(image.format, static_cast<png_uint_32>(PNG_FORMAT_RGB));
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    std::vector<std::uint8_t> expected;
    for (int i = 0; i < 18; ++i) expected.push_back(static_cast<std::uint8_t>(100 + i));
    EXPECT_EQ(pixels, expected);

    const auto gone = run({"export-texture", tags, "txst:ston", "1", "1", out});
    EXPECT_EQ(gone.status, 1);
    EXPECT_EQ(gone.err, "zephane-tool: no texture 1 in stack 1\n");
}

} // namespace
} // namespace zephane::cli
