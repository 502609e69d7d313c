#include "cli/tool_run.h"
#include "mesh/edit/brush.h"
#include "mesh/edit/mesh_markers_edit.h"
#include "mesh/edit/strokes.h"
#include "mesh/mesh.h"
#include "mesh/new_mesh.h"
#include "base/posix_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace zephane::cli {
namespace {

using test::run;
using zephane::test::ScratchFolder;
namespace data = zephane::test;

Payload mesh_payload(const std::string& path, const std::string& type_id) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_tag_or_fail(db, file, type_id);
    return *db.get_tag_data(entry);
}

TEST(ToolMesh, NewMeshAndItsRefusals) {
    ScratchFolder folder;
    const auto tags = folder / "maps.tag";
    const auto made = run({"new-mesh", tags, "mesh:isle", "64", "32"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(mesh_payload(tags, "mesh:isle"), new_mesh_payload(64, 32));
    EXPECT_NE(run({"list", tags}).out.find("mesh\tisle\t11\t"), std::string::npos);
    EXPECT_EQ(run({"new-mesh", tags, "mesh:isle", "32", "32"}).status, 1); // id taken
    for (const char* size : {"-32", "0", "48", "544", "abc"}) {
        const auto refused = run({"new-mesh", tags, "mesh:more", size, "32"});
        EXPECT_EQ(refused.status, 1) << size;
        EXPECT_EQ(refused.err, "zephane-tool: The mesh sizes must be multiples of 32, between 32 and 512.\n");
    }
    const auto info = run({"mesh-info", tags, "mesh:isle"});
    EXPECT_NE(info.out.find("size: 64 x 32\ncells: 24576 bytes\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("marker count: 0\n"), std::string::npos);
}

TEST(ToolMesh, EditAppliesTheOperationsInOrderAsTheEditorDoes) {
    ScratchFolder folder;
    const auto tags = folder / "maps.tag";
    ASSERT_EQ(run({"new-mesh", tags, "mesh:isle", "32", "32"}).status, 0);
    const auto edit = run({"mesh-edit", tags, "mesh:isle", "pull", "10", "10", "4", "0.5", "0.5", "-0.75",
                           "terrain", "9", "0.5", "0.5", "20.5", "10.2", "water", "1.5", "3", "3", "8", "3",
                           "smooth", "10", "10", "5", "0", "1", "1", "clear-pitch-roll"});
    ASSERT_EQ(edit.status, 0) << edit.err;
    Mesh expected = load_mesh(new_mesh_payload(32, 32));
    pull_grid(expected, press_brush(expected, 10, 10, 4, 0.5, 0.5), -0.75, kNewEditorModifyFlags);
    paint_terrain(expected, stroke_triangles(expected, 0.5, 0.5, 20.5, 10.2), 9);
    paint_water(expected, stroke_triangles(expected, 3, 3, 8, 3), media_value(1.5));
    smooth_grid(expected, press_brush(expected, 10, 10, 5, 0, 1), 1, kNewEditorModifyFlags);
    EXPECT_EQ(mesh_payload(tags, "mesh:isle"), save_mesh(expected));

    // A second press on the same water erases it; --modify 4 moves only the media values.
    ASSERT_EQ(run({"mesh-edit", tags, "mesh:isle", "--modify", "4", "water", "1.5", "3.5", "3.5", "4.5", "3.5",
                   "pull", "20", "20", "3", "0", "0", "1", "render-from-physical"})
                  .status,
              0);
    ModifyFlags media{};
    media[4] = true;
    erase_water(expected, stroke_triangles(expected, 3.5, 3.5, 4.5, 3.5));
    pull_grid(expected, press_brush(expected, 20, 20, 3, 0, 0), 1, media);
    set_render_height_from_physical(expected);
    EXPECT_EQ(mesh_payload(tags, "mesh:isle"), save_mesh(expected));
}

TEST(ToolMesh, RefusedEditsLeaveTheFileAsItWas) {
    ScratchFolder folder;
    const auto tags = folder / "maps.tag";
    ASSERT_EQ(run({"new-mesh", tags, "mesh:isle", "32", "32"}).status, 0);
    const auto before = read_whole_file(tags);
    for (const std::vector<std::string>& ops :
         {std::vector<std::string>{"delete-palette", "0"}, {"delete-markers", "0,1"}, {"terrain", "16", "0", "0", "1", "1"},
          {"pull", "1", "1"}, {"clear-pitch-roll", "spin"}, {"--modify", "1", "pull", "1", "1", "2", "0", "0", "1"}}) {
        std::vector<std::string> args = {"mesh-edit", tags, "mesh:isle"};
        args.insert(args.end(), ops.begin(), ops.end());
        EXPECT_EQ(run(args).status, 1) << ops[0];
        EXPECT_EQ(read_whole_file(tags), before) << ops[0];
    }
}

TEST(ToolMesh, RewriteLeavesAMeshsBytesAndRefusesDamage) {
    ScratchFolder folder;
    // Every section in use: palette entries of two kinds, markers on them, blocks and actions.
    Mesh mesh = load_mesh(new_mesh_payload(64, 32));
    for (std::uint16_t kind : {1, 3, 1}) add_palette_entry(mesh, new_palette_entry(kind));
    for (std::uint16_t palette : {0, 1, 2, 2}) {
        mesh_marker marker{};
        marker.kind = mesh.palette[palette].kind;
        marker.palette = palette;
        marker.identifier = static_cast<std::uint16_t>(10000 + palette);
        marker.flags = palette & 1u;
        marker.position[1] = 700;
        mesh.markers.push_back(marker);
        mesh.palette_kept.push_back(false);
    }
    mesh.cell(3, 4).physical_height = 900;
    mesh.cell(3, 4).render_height = 899;
    mesh.block_b = {9, 8, 7, 6, 5};
    mesh.actions = std::vector<std::uint8_t>(64 + 12, 0x5A);
    mesh.header.action_count = 1;
    const Payload payload = save_mesh(mesh);
    const auto tags = folder.write(
        "map.tag", data::single_tag_file({fourcc("mesh"), fourcc("isle"), "isle", payload, 11}));
    const auto rewritten = run({"rewrite", tags, "mesh:isle"});
    ASSERT_EQ(rewritten.status, 0) << rewritten.err;
    EXPECT_EQ(rewritten.out, "mesh:isle\t" + std::to_string(payload.size()) + " bytes\n");
    EXPECT_EQ(mesh_payload(tags, "mesh:isle"), payload);

    // Cells that do not fill the grid: refused, the file left as it was.
    Payload cut = payload;
    cut.resize(kMeshHeaderSize + 100);
    const auto damaged = folder.write(
        "cut.tag", data::single_tag_file({fourcc("mesh"), fourcc("cut_"), "cut", cut, 11}));
    const auto before = read_whole_file(damaged);
    EXPECT_EQ(run({"rewrite", damaged, "mesh:cut_"}).status, 1);
    EXPECT_EQ(read_whole_file(damaged), before);
}

} // namespace
} // namespace zephane::cli
