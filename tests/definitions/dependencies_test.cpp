// Each definition type declares exactly the references it holds, in its order, with the type
// its flags choose, and leaves out what it documents as no dependency.

#include <gtest/gtest.h>

#include "definition_test_support.h"
#include "definitions/arti.h"
#include "definitions/definition_types.h"
#include "definitions/lpgr.h"
#include "definitions/medi.h"
#include "definitions/mons.h"
#include "definitions/prgr.h"
#include "definitions/proj.h"
#include "definitions/register_tag_types.h"
#include "definitions/scen.h"
#include "definitions/soli.h"
#include "definitions/unit.h"

namespace zephane {
namespace {

using test::dependencies_of;
using test::none;
using test::ref;
using test::Reference;
using Refs = std::vector<Reference>;

TEST(ProjectileDependencies, OrderAndFlagSelectedTypes) {
    projectile_definition p{};
    p.graphic = fourcc("grap");
    p.detonation_group = fourcc("deto");
    p.contrail = fourcc("cont");
    p.object = fourcc("obje");
    p.lightning = fourcc("ligh");
    p.sounds[0] = fourcc("snd0");
    p.sounds[1] = fourcc("snd1");
    p.sounds[2] = fourcc("snd2");
    p.sounds[3] = fourcc("snd3");
    p.promotion_projectile = fourcc("prom");
    p.artifact = fourcc("arti");
    p.promotion_group = fourcc("prgp");
    p.target_detonation_group = fourcc("targ");
    p.local_projectile_group = fourcc("lpgr");
    p.bounce_stain = fourcc("boun");
    p.detonation_stain = fourcc("dsta");
    EXPECT_EQ(dependencies_of(projectile_dependencies, p),
              (Refs{ref(".256", "grap"), ref("prgr", "deto"), ref("proj", "cont"), ref("obje", "obje"),
                    ref("ligh", "ligh"), ref("soun", "snd0"), ref("soun", "snd1"), ref("soun", "snd2"),
                    ref("soun", "snd3"), ref("proj", "prom"), ref("arti", "arti"), ref("prgr", "prgp"),
                    ref("prgr", "targ"), ref("lpgr", "lpgr"), ref("txst", "boun"), ref("txst", "dsta")}));

    p.skeletal_marker = kSkeletalMarker;
    p.flags = 1u << 22;
    const Refs marked = dependencies_of(projectile_dependencies, p);
    EXPECT_EQ(marked[0], ref("skmd", "grap"));
    EXPECT_EQ(marked[2], ref("spri", "cont"));
    // Any other marker value is a collection.
    p.skeletal_marker = 1;
    EXPECT_EQ(dependencies_of(projectile_dependencies, p)[0], ref(".256", "grap"));
}

TEST(MonsterDependencies, AttacksBelowTheCountAndDocumentedOmissions) {
    monster_definition m = monster_definition::kDefault;
    m.graphic = fourcc("mode");
    for (std::size_t k = 0; k < kMonsterAttackSlots; ++k)
        m.attacks[k].projectile = fourcc("att0") + static_cast<tag_id>(k);
    m.map_action = fourcc("acti");
    m.carrying_icon = fourcc("icon");
    m.portrait = fourcc("port");
    m.extra_group = fourcc("extr");
    m.number_of_attacks = 2;

    const Refs two = dependencies_of(monster_dependencies, m);
    Refs expected = {ref(".256", "mode"), none("obje"), ref("proj", "att0"), ref("proj", "att1"),
                     none("prgr"),        none("prgr"), none("prgr"),        none("stli"),
                     none("stli"),        none("stli")};
    for (int k = 0; k < 10; ++k) expected.push_back(none("soun"));
    for (const Reference& r : {none("prgr"), none("prgr"), none("proj"), none("prgr"),
                              ref("prgr", "extr"), none("lpgr"), none("stli"), ref(".256", "port")})
        expected.push_back(r);
    EXPECT_EQ(two, expected);

    m.flags = 1u << kMonsterSkeletalBit;
    m.number_of_attacks = 9; // more than the slots: all four
    const Refs all = dependencies_of(monster_dependencies, m);
    EXPECT_EQ(all[0], ref("skmd", "mode"));
    EXPECT_EQ(all.size(), expected.size() + 2);
    EXPECT_EQ(all[5], ref("proj", "att3"));

    m.number_of_attacks = -1;
    EXPECT_EQ(dependencies_of(monster_dependencies, m).size(), expected.size() - 2);
    for (const Reference& r : all) {
        EXPECT_NE(r.second, fourcc("acti"));
        EXPECT_NE(r.second, fourcc("icon"));
    }
}

TEST(SceneryDependencies, ModelsOrRecoloringByTheModelFlag) {
    scenery_definition s = scenery_definition::kDefault;
    s.recoloring = fourcc("reco");
    s.undamaged_model = fourcc("undm");
    s.ruined_model = fourcc("ruin");
    s.object = fourcc("obje");
    EXPECT_EQ(dependencies_of(scenery_dependencies, s),
              (Refs{ref("obje", "obje"), none("proj"), none("prgr"), none("prgr"), ref("core", "reco")}));
    s.flags = 1u << kScenerySkeletalBit;
    EXPECT_EQ(dependencies_of(scenery_dependencies, s),
              (Refs{ref("obje", "obje"), none("proj"), none("prgr"), none("prgr"), ref("skmd", "undm"),
                    ref("skmd", "ruin")}));
}

TEST(LocalProjectileGroupDependencies, GraphicTypeByBits28And30) {
    local_projectile_group_definition g = local_projectile_group_definition::kDefault;
    g.graphic = fourcc("grap");
    g.physics = fourcc("phys");
    g.chained_group = fourcc("chai");
    g.local_light = fourcc("ligh");
    EXPECT_EQ(dependencies_of(local_projectile_group_dependencies, g),
              (Refs{ref("core", "grap"), ref("phys", "phys"), ref("lpgr", "chai"), ref("loli", "ligh")}));
    g.flags = 1u << kLocalGroupSpriteBit;
    EXPECT_EQ(dependencies_of(local_projectile_group_dependencies, g)[0], ref("spri", "grap"));
    g.flags |= 1u << kLocalGroupSkeletalBit; // the model wins
    EXPECT_EQ(dependencies_of(local_projectile_group_dependencies, g)[0], ref("skmd", "grap"));
}

TEST(CountedReferences, OnlyTheEntriesBelowTheCount) {
    sound_list_definition list = sound_list_definition::kDefault;
    for (std::size_t k = 0; k < kSoundListEntries; ++k) list.entries[k].sound = fourcc("s000") + static_cast<tag_id>(k);
    list.entry_count = 3;
    EXPECT_EQ(dependencies_of(sound_list_dependencies, list),
              (Refs{ref("soun", "s000"), ref("soun", "s001"), ref("soun", "s002")}));
    list.entry_count = 500;
    EXPECT_EQ(dependencies_of(sound_list_dependencies, list).size(), kSoundListEntries);

    projectile_group_definition group = projectile_group_definition::kDefault;
    for (auto& part : group.parts) part.projectile = fourcc("part");
    group.number_of_parts = 1;
    EXPECT_EQ(dependencies_of(projectile_group_dependencies, group),
              (Refs{none("meef"), none("soun"), none("lpgr"), ref("proj", "part")}));
}

TEST(FixedReferences, ArtifactUnitsAndMedia) {
    artifact_definition a = artifact_definition::kDefault;
    a.monster_restriction = fourcc("mons"); // not a dependency
    a.collection = fourcc("coll");
    a.projectiles[3] = fourcc("last");
    a.special_ability = fourcc("abil");
    EXPECT_EQ(dependencies_of(artifact_dependencies, a),
              (Refs{ref(".256", "coll"), none("proj"), none("proj"), none("proj"), ref("proj", "last"),
                    ref("stli", "abil")}));

    units_definition u = units_definition::kDefault;
    u.monster = fourcc("dwar");
    u.variations[3].decal = fourcc("dec3"); // a slot beyond the count still counts
    EXPECT_EQ(dependencies_of(units_dependencies, u),
              (Refs{ref("mons", "dwar"), none("txst"), none("txst"), none("txst"), ref("txst", "dec3")}));

    media_type_definition m = media_type_definition::kDefault;
    m.textures = fourcc("text");
    m.surface_effect = fourcc("surf");
    m.splash_groups[6] = fourcc("dist");
    const Refs media = dependencies_of(media_type_dependencies, m);
    ASSERT_EQ(media.size(), 9u);
    EXPECT_EQ(media[0], ref("txst", "text"));
    EXPECT_EQ(media[1], ref("lpgr", "surf"));
    EXPECT_EQ(media[8], ref("prgr", "dist"));
}

TEST(Registration, OperationsMatchTheTypeTable) {
    detach_all_tag_operations();
    register_tag_types();
    for (std::size_t k = 0; k < kTagTypeCount; ++k) {
        const TagTypeRow& row = *find_tag_type(tag_type_at(k));
        SCOPED_TRACE(tag_text(row.code));
        // Nothing beyond the table's columns, and everything they give the definition types.
        const bool definition = find_definition_type(row.code) != nullptr;
        const auto agrees = [&](std::uint8_t column, bool attached) {
            const bool documented = (row.features & column) != 0;
            return attached ? documented : !(documented && definition);
        };
        EXPECT_TRUE(agrees(kHasDefaults, tag_type_defaults(row.code) != nullptr)) << "defaults";
        EXPECT_TRUE(agrees(kHasDependencies, tag_type_dependencies(row.code) != nullptr)) << "dependencies";
        EXPECT_TRUE(agrees(kHasUpdater, tag_type_updater(row.code) != nullptr)) << "updater";
    }
    EXPECT_NE(tag_type_dependencies(fourcc("mesh")), nullptr);
}

} // namespace
} // namespace zephane
