// Which skeletal model a marker's palette entry draws with in the model displays.

#include "render/marker_models.h"

#include <gtest/gtest.h>

#include "definitions/mons.h"
#include "definitions/scen.h"
#include "definitions/unit.h"
#include "mesh/edit/mesh_markers_edit.h"
#include "skeletal/skl_builder.h"
#include "skeletal/skl_import.h"
#include "skeletal/skl_reader.h"
#include "skeletal/skmd_payload.h"
#include "tags/tag_database.h"
#include "tags/tag_types.h"

namespace zephane {
namespace {

class MarkerModels : public ::testing::Test {
protected:
    void SetUp() override {
        file = db.create_tag_file();
        const std::string text = test::grid_skl(3).text();
        const SklFile skl = read_skeleton_export(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        ModelBuild build = build_skeletal_model(skl, "Grid");
        ASSERT_TRUE(build.model);
        SkeletalModelSet set;
        set.models.push_back(*build.model);
        db.add_tag(file, fourcc("skmd"), fourcc("grid"), 1, "Grid Model", 0, 0, save_skmd_payload(set));
    }
    template <typename R> void add(tag_id id, const R& record) {
        TagEntry* tag = db.add_tag(file, R::kType, id, tag_type_version(R::kType), "x", 0, 0,
                                   std::vector<std::uint8_t>(sizeof(R), 0));
        ASSERT_TRUE(db.write_struct(R::kStructName, *tag, record, R::kCodes));
    }
    marker_palette_entry entry(std::uint16_t kind, tag_id id) {
        marker_palette_entry e = new_palette_entry(kind);
        e.tag = id;
        return e;
    }
    TagDatabase db;
    TagFile* file = nullptr;
};

TEST_F(MarkerModels, MonstersResolveThroughTheirUnitsDefinition) {
    monster_definition ogre = monster_definition::kDefault;
    ogre.flags |= 1u << kMonsterSkeletalBit;
    ogre.graphic = fourcc("grid");
    add(fourcc("ogre"), ogre);
    monster_definition flat = ogre;
    flat.flags &= ~(1u << kMonsterSkeletalBit); // a classic collection graphic
    add(fourcc("flat"), flat);
    units_definition units = units_definition::kDefault;
    units.monster = fourcc("ogre");
    add(fourcc("ogre"), units);
    units.monster = fourcc("flat");
    add(fourcc("flat"), units);

    const auto model = palette_entry_model(db, entry(3, fourcc("ogre")), true);
    ASSERT_TRUE(model);
    EXPECT_FALSE(model->triangles.empty());
    EXPECT_FALSE(palette_entry_model(db, entry(3, fourcc("flat")), true)) << "no 3-D model";
    EXPECT_FALSE(palette_entry_model(db, entry(3, fourcc("none")), true)) << "no such units";
    EXPECT_FALSE(palette_entry_model(db, entry(9, fourcc("ogre")), true)) << "projectiles draw boxes";

    // Scenery names its model itself.
    scenery_definition rock = scenery_definition::kDefault;
    rock.flags |= 1u << kScenerySkeletalBit;
    rock.undamaged_model = fourcc("grid");
    add(fourcc("rock"), rock);
    EXPECT_TRUE(palette_entry_model(db, entry(1, fourcc("rock")), true));
}

} // namespace
} // namespace zephane
