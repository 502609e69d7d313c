// The skeletal model set editor through its controls and dialogs: what Apply stores
// (compared with the core's save of the set changed the same way), the scale rule, the model
// list with its 16-model limit and skeleton-export imports, the collision data, the shadow,
// attachment and wind dialogs, a damaged set, and what the viewer is fed.

#include "skeletal/box_tree_depth.h"
#include "skeletal/collision_build.h"
#include "skeletal/skl_builder.h"
#include "skeletal/skl_import.h"
#include "skeletal/skl_reader.h"
#include "skeletal/skmd_edit.h"
#include "skeletal/skmd_payload.h"
#include "skeletal/skmd_posed.h"
#include "skeletal/ui/skmd_dialog.h"
#include "skeletal/ui/skmd_form.h"
#include "skeletal/ui/skmd_viewer.h"
#include "app/value_controls.h"
#include "framework/xg_alert.h"
#include "ui/editor_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <cstring>

namespace zephane {
namespace {

using namespace skmd_control;
namespace dlg = skmd_dialog_control;
using uitest::Bytes;
using uitest::DialogScript;
using uitest::FileScript;

constexpr tag_type kSkmd = fourcc("skmd");
constexpr tag_id kOgre = fourcc("ogre");

SkeletalModel grid_model(int n, const std::string& name) {
    const auto bytes = test::grid_skl(n, true).bytes();
    ModelBuild build = build_skeletal_model(read_skeleton_export(bytes), name);
    EXPECT_TRUE(build.model) << build.refusal;
    return std::move(*build.model);
}

// A set of `count` grid models whose reserved and carried bytes are not zero, so that their
// survival shows.
SkeletalModelSet grid_set(std::size_t count = 1) {
    SkeletalModelSet set;
    set.header.animation = fourcc("walk");
    set.header.reserved4 = 0x01020304;
    set.header.reserved10 = 0x0506;
    for (std::size_t i = 0; i < count; ++i) {
        SkeletalModel m = grid_model(4, "Grid" + std::to_string(i));
        for (std::size_t k = 0; k < sizeof m.header.carried96; ++k)
            m.header.carried96[k] = static_cast<std::uint8_t>(k + 1);
        m.bones[0].value156 = 77;
        add_model(set, std::move(m));
        set.header.entries[i].probability = static_cast<std::uint16_t>(5 + i);
        set.header.entries[i].flags = 0x8000; // a bit no control shows
    }
    return set;
}

class SkeletalModelEditor : public uitest::EditorFixture {
protected:
    TTagEditForm& open_set(const SkeletalModelSet& set) {
        return open_bytes(save_skmd_payload(set));
    }
    TTagEditForm& open_bytes(const Bytes& bytes) {
        add_file("models", {{kSkmd, kOgre, "Ogre", bytes},
                            {fourcc("txst"), fourcc("skin"), "Ogre Skin", Bytes(16, 0)},
                            {fourcc("loli"), fourcc("trch"), "Torch", Bytes(64, 0)},
                            {fourcc("skmd"), fourcc("swrd"), "Sword", save_skmd_payload(SkeletalModelSet{})}});
        return open(kSkmd, kOgre);
    }
    const Bytes& stored() { return payload(kSkmd, kOgre); }
    static QString label(TTagEditForm& editor, int id) { return editor.control<QLabel>(id)->text(); }
    static TskmdViewer& viewer(TTagEditForm& editor) { return *editor.control<TskmdViewer>(kViewer); }
    static void finish(TTagEditForm& editor, int id) { // Return in an edit box
        QTest::keyClick(editor.control<QLineEdit>(id), Qt::Key_Return);
    }
    std::string skl_file(const std::string& name, int n) {
        const auto bytes = test::grid_skl(n, true).bytes();
        return folder.write(name, bytes);
    }
};

TEST_F(SkeletalModelEditor, ApplyStoresWhatTheControlsSayAndKeepsEveryOtherByte) {
    SkeletalModelSet set = grid_set();
    TTagEditForm& editor = open_set(set);
    EXPECT_EQ(editor.form_title(), "Skeletal Model Set");
    EXPECT_FALSE(editor.isModified());
    EXPECT_FALSE(enabled(editor, TTagEditForm::kApplyButton));
    EXPECT_EQ(text(editor, kName), "Grid0");
    EXPECT_EQ(text(editor, kProbability), "5");
    EXPECT_TRUE(editor.control<QLabel>(kAnimationMissing)->isVisibleTo(&editor)) << "no 'walk' tag is loaded";

    type(editor, kProbability, "9");
    EXPECT_TRUE(editor.isModified());
    type(editor, kProbability, "5");
    EXPECT_FALSE(editor.isModified()) << "the value it had is no change";

    type(editor, kName, "Big Ogre");
    type(editor, kProbability, "12");
    editor.control<TagReferenceButton>(kTextureStack)->choose(app->db(), fourcc("skin"));
    click(editor, kTwoSided);
    type(editor, kCollision, "3.5");
    type(editor, kHilight + 2, "-1");
    type(editor, kVertexLimit, "99999"); // above the full count: the full count is stored
    editor.control<TagReferenceButton>(kAnimation)->choose(app->db(), kNoTag);
    ASSERT_TRUE(editor.isModified());
    click(editor, TTagEditForm::kApplyButton);

    SkeletalModel& m = set.models[0];
    std::strcpy(m.header.name, "Big Ogre");
    set.header.entries[0].probability = 12;
    set.header.entries[0].flags = 0x8001;
    m.header.texture_stack = fourcc("skin");
    m.header.collision_size[0] = 1792;
    m.header.highlight_size[2] = -512;
    m.header.vertex_limit = m.header.vertex_count;
    set.header.animation = kNoTag;
    EXPECT_EQ(stored(), save_skmd_payload(set));
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(text(editor, kVertexLimit), QString::number(m.header.vertex_count));
    EXPECT_EQ(editor.control<QListWidget>(kModels)->item(0)->text(), "Big Ogre");
}

TEST_F(SkeletalModelEditor, ReloadPutsTheTagBack) {
    TTagEditForm& editor = open_set(grid_set());
    const Bytes before = stored();
    type(editor, kName, "Other");
    click(editor, kInsideOut);
    click(editor, TTagEditForm::kReloadButton);
    EXPECT_EQ(text(editor, kName), "Grid0");
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(stored(), before);
}

TEST_F(SkeletalModelEditor, ModelScaleMultipliesTheSizesOnlyWhenAsked) {
    SkeletalModelSet set = grid_set();
    set.models[0].header.collision_size[0] = 1000;
    set.models[0].header.click_size[1] = -3;
    TTagEditForm& editor = open_set(set);
    const QString imported = label(editor, kImported);
    EXPECT_EQ(label(editor, kScaled), imported);

    type(editor, kScale, "2");
    finish(editor, kScale);
    EXPECT_EQ(text(editor, kCollision), "1.9531") << "unchanged without the check box";
    EXPECT_EQ(label(editor, kScaled).toDouble(), 2 * imported.toDouble());

    click(editor, kAdjustSizes);
    type(editor, kScale, "3"); // × 1.5, applied without leaving the box
    type(editor, kClick + 2, "2"); // typed: taken as typed
    click(editor, TTagEditForm::kApplyButton);
    skmd_model_header& h = set.models[0].header;
    const skmd_model_header before = h;
    h.scale = 3.0f;
    for (int c = 0; c < 3; ++c) {
        h.collision_size[c] = static_cast<std::int32_t>(std::lround(before.collision_size[c] * 1.5));
        h.click_size[c] = static_cast<std::int32_t>(std::lround(before.click_size[c] * 1.5));
        h.highlight_size[c] = static_cast<std::int32_t>(std::lround(before.highlight_size[c] * 1.5));
    }
    h.click_size[2] = 1024;
    EXPECT_EQ(h.collision_size[0], 1500);
    EXPECT_EQ(h.click_size[1], -5) << "halves away from zero";
    EXPECT_EQ(stored(), save_skmd_payload(set));
    EXPECT_EQ(text(editor, kCollision), "2.9297");
}

TEST_F(SkeletalModelEditor, ModelsAreAddedDeletedAndReimportedFromSkeletonExports) {
    SkeletalModelSet set = grid_set(2);
    TTagEditForm& editor = open_set(set);
    auto& list = *editor.control<QListWidget>(kModels);
    const std::string small = skl_file("Imp.skl", 2), large = skl_file("Troll.skl", 5);
    {
        FileScript files({std::nullopt, QString::fromStdString(small)});
        click(editor, kAdd); // cancelled
        EXPECT_EQ(list.count(), 2);
        EXPECT_FALSE(editor.isModified());
        click(editor, kAdd);
        ASSERT_EQ(files.requests().size(), 2u);
        EXPECT_EQ(files.requests()[0].filter, "Wend Skeleton Export|*.skl|All Files|*.*");
    }
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.currentRow(), 2);
    EXPECT_EQ(text(editor, kName), "Imp");
    EXPECT_EQ(text(editor, kProbability), "1");

    list.setCurrentRow(0);
    click(editor, kDelete);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(text(editor, kName), "Grid1");
    EXPECT_EQ(text(editor, kProbability), "6") << "the entries close the gap";
    {
        FileScript files({QString::fromStdString(large)});
        click(editor, kReimport);
    }
    EXPECT_EQ(text(editor, kName), "Troll");
    click(editor, TTagEditForm::kApplyButton);

    SkeletalModelSet expected = set;
    add_model(expected, grid_model(2, "Imp"));
    delete_model(expected, 0);
    expected.models[0] = grid_model(5, "Troll");
    EXPECT_EQ(stored(), save_skmd_payload(expected));
    EXPECT_EQ(load_whole_skmd_payload(stored()).header.entries[0].probability, 6);
}

TEST_F(SkeletalModelEditor, AddDoesNothingWithSixteenModels) {
    TTagEditForm& editor = open_set(grid_set(16));
    FileScript files({});
    EXPECT_FALSE(enabled(editor, kAdd));
    editor.control<QPushButton>(kAdd)->click();
    EXPECT_TRUE(files.requests().empty());
    EXPECT_EQ(editor.control<QListWidget>(kModels)->count(), 16);
    click(editor, kDelete);
    EXPECT_TRUE(enabled(editor, kAdd));
}

TEST_F(SkeletalModelEditor, CollisionDataIsBuiltShownAndDeleted) {
    SkeletalModelSet set = grid_set();
    TTagEditForm& editor = open_set(set);
    for (int id : {kCollisionTriangles, kCollisionBoxes, kBoxTreeDepth}) EXPECT_EQ(label(editor, id), "--");
    EXPECT_FALSE(enabled(editor, kDeleteCollision));
    EXPECT_EQ(viewer(editor).collision_vertex_count(), 0u);

    click(editor, kBuildCollision);
    SkeletalModel built = set.models[0];
    std::string refusal;
    ASSERT_TRUE(build_collision(built, refusal)) << refusal;
    ASSERT_FALSE(built.boxes.empty());
    const BoxTreeDepth depth = box_tree_depth(built.boxes);
    EXPECT_EQ(label(editor, kCollisionTriangles), QString::number(built.collision_triangles.size()));
    EXPECT_EQ(label(editor, kCollisionBoxes), QString::number(built.boxes.size()));
    EXPECT_EQ(label(editor, kBoxTreeDepth),
              QString::asprintf("%d, %.1f, %d", depth.minimum, depth.average, depth.maximum));
    EXPECT_EQ(viewer(editor).collision_vertex_count(), 24 * built.boxes.size());
    click(editor, TTagEditForm::kApplyButton);
    set.models[0] = built;
    EXPECT_EQ(stored(), save_skmd_payload(set));

    click(editor, kDeleteCollision);
    for (int id : {kCollisionTriangles, kCollisionBoxes, kBoxTreeDepth}) EXPECT_EQ(label(editor, id), "--");
    click(editor, TTagEditForm::kApplyButton);
    delete_collision(set.models[0]);
    EXPECT_EQ(stored(), save_skmd_payload(set));
    EXPECT_EQ(viewer(editor).collision_vertex_count(), 0u);
}

TEST_F(SkeletalModelEditor, EditShadowsEditsEachBonesCylinderOnOkOnly) {
    SkeletalModelSet set = grid_set();
    TTagEditForm& editor = open_set(set);
    const skmd_bone forearm = set.models[0].bones[1];
    ASSERT_NE(shadow_axis(forearm), kNoShadowAxis);
    {
        DialogScript dialogs({[&](XGDialog& d) {
            auto& bones = *d.control<QListWidget>(dlg::kBones);
            EXPECT_EQ(bones.item(0)->text(), "Pelvis");
            EXPECT_EQ(bones.item(1)->text(),
                      QString::asprintf("LeftForearm -> %c-axis, near: %.2f, far: %.2f, radius: %.2f",
                                        'X' + static_cast<int>(shadow_axis(forearm)), double{forearm.shadow_near},
                                        double{forearm.shadow_far}, double{forearm.shadow_radius}));
            d.choose_row(dlg::kBones, 1);
            EXPECT_EQ(d.text_of(dlg::kBoxX), "3.00 .. 4.00");
            d.choose_row(dlg::kBones, 0);
            EXPECT_TRUE(d.control<QRadioButton>(dlg::kNoShadow)->isChecked());
            d.click(dlg::kZAxis);
            d.type_text(dlg::kNear, "0.5");
            d.type_text(dlg::kFar, "1.5");
            d.type_text(dlg::kRadius, "0.25");
            EXPECT_EQ(bones.item(0)->text(), "Pelvis -> Z-axis, near: 0.50, far: 1.50, radius: 0.25");
            d.choose_row(dlg::kBones, 1);
            d.click(dlg::kNoShadow);
            EXPECT_EQ(bones.item(1)->text(), "LeftForearm");
            d.click(dlg::kOk);
        }});
        click(editor, kShadows);
    }
    click(editor, TTagEditForm::kApplyButton);
    skmd_bone& pelvis = set.models[0].bones[0];
    set_shadow_axis(pelvis, 2);
    pelvis.shadow_near = 0.5f;
    pelvis.shadow_far = 1.5f;
    pelvis.shadow_radius = 0.25f;
    set_shadow_axis(set.models[0].bones[1], kNoShadowAxis);
    EXPECT_EQ(stored(), save_skmd_payload(set));

    {
        DialogScript dialogs({[](XGDialog& d) {
            d.click(dlg::kXAxis);
            d.type_text(dlg::kNear, "9");
            d.click(dlg::kCancel);
        }});
        click(editor, kShadows);
    }
    EXPECT_FALSE(editor.isModified()) << "Cancel keeps the bones";
}

TEST_F(SkeletalModelEditor, AttachmentsArePickedShownAndCleared) {
    SkeletalModelSet set = grid_set();
    skmd_bone& forearm = set.models[0].bones[1];
    set_attachment_kind(forearm, 2);
    forearm.attached = fourcc("gone");
    TTagEditForm& editor = open_set(set);
    {
        DialogScript dialogs;
        dialogs.expect([&](XGDialog& d) {
            auto& bones = *d.control<QListWidget>(dlg::kBones);
            EXPECT_EQ(bones.item(0)->text(), "Pelvis");
            EXPECT_EQ(bones.item(1)->text(), "LeftForearm -> PROJECTILES (missing tag 'gone')");
            d.choose_row(dlg::kBones, 1);
            d.click(dlg::kAttachLight); // the picker: Select the only light
            EXPECT_EQ(bones.item(1)->text(), "LeftForearm -> LIGHT loli 'Torch'");
            d.choose_row(dlg::kBones, 0);
            d.click(dlg::kAttachModel); // the picker: cancelled
            EXPECT_EQ(bones.item(0)->text(), "Pelvis");
            d.click(dlg::kAttachModel); // the picker: the sword
            EXPECT_EQ(bones.item(0)->text(), "Pelvis -> skmd 'Sword'");
            d.click(dlg::kOk);
        });
        dialogs.expect(uitest::press(100));
        dialogs.expect(uitest::press(101));
        dialogs.expect([](XGDialog& picker) {
            picker.choose_row(2, 1); // "Ogre (ogre)", "Sword (swrd)"
            picker.click(100);
        });
        click(editor, kAttachments);
        EXPECT_EQ(dialogs.titles().at(1).left(5), "Pick ");
    }
    click(editor, TTagEditForm::kApplyButton);
    set_attachment_kind(forearm, 1);
    forearm.attached = fourcc("trch");
    set.models[0].bones[0].attached = fourcc("swrd"); // kind 0 already
    EXPECT_EQ(stored(), save_skmd_payload(set));

    {
        DialogScript dialogs({[](XGDialog& d) {
            d.choose_row(dlg::kBones, 1);
            d.click(dlg::kClearAttachment);
            EXPECT_EQ(d.control<QListWidget>(dlg::kBones)->item(1)->text(), "LeftForearm");
            d.click(dlg::kOk);
        }});
        click(editor, kAttachments);
    }
    click(editor, TTagEditForm::kApplyButton);
    forearm.attached = kNoTag;
    EXPECT_EQ(stored(), save_skmd_payload(set));
}

TEST_F(SkeletalModelEditor, WindPhysicsEditsTheBonesResponse) {
    SkeletalModelSet set = grid_set();
    TTagEditForm& editor = open_set(set);
    {
        DialogScript dialogs({[](XGDialog& d) {
            EXPECT_EQ(d.text_of(dlg::kWindX), "1.0");
            d.choose_row(dlg::kBones, 1);
            d.type_text(dlg::kWindY, "0.25");
            d.click(dlg::kOk);
        }});
        click(editor, kWind);
    }
    click(editor, TTagEditForm::kApplyButton);
    set.models[0].bones[1].value164[1] = 0.25f;
    EXPECT_EQ(stored(), save_skmd_payload(set));
}

TEST_F(SkeletalModelEditor, InsideOutTurnsNormalsAndTriangles) {
    SkeletalModelSet set = grid_set();
    TTagEditForm& editor = open_set(set);
    const PosedModel before = viewer(editor).geometry();
    click(editor, kInsideOut);
    click(editor, kInsideOut);
    EXPECT_FALSE(editor.isModified()) << "twice is the model as it was";
    click(editor, kInsideOut);
    ASSERT_EQ(viewer(editor).geometry().triangles.size(), before.triangles.size());
    EXPECT_EQ(viewer(editor).geometry().triangles[0], before.triangles[1]);
    EXPECT_EQ(viewer(editor).geometry().triangles[1], before.triangles[0]);
    click(editor, TTagEditForm::kApplyButton);
    turn_inside_out(set.models[0]);
    EXPECT_EQ(stored(), save_skmd_payload(set));
}

TEST_F(SkeletalModelEditor, TheViewerIsFedTheShownModelAndTheDisplayOptions) {
    SkeletalModelSet set = grid_set();
    set.header.entries[0].flags = 1;
    TTagEditForm& editor = open_set(set);
    const SkeletalModel& m = set.models[0];
    TskmdViewer& view = viewer(editor);
    EXPECT_EQ(view.geometry().positions.size(), m.header.vertex_count);
    EXPECT_EQ(label(editor, kDisplayedVerts), QString::number(m.header.vertex_count));
    EXPECT_EQ(label(editor, kMaxTriangles), QString::number(pose_model(m, m.header.vertex_count).triangle_count()));
    EXPECT_EQ(label(editor, kBones), "2");
    EXPECT_TRUE(checked(editor, kTwoSided));

    auto* slider = editor.control<QSlider>(kDetail);
    EXPECT_EQ(slider->minimum(), m.header.minimum_vertex_count);
    EXPECT_EQ(slider->maximum(), m.header.vertex_count);
    slider->setValue(slider->minimum());
    const PosedModel least = pose_model(m, m.header.minimum_vertex_count);
    EXPECT_EQ(view.geometry().positions.size(), least.positions.size());
    EXPECT_EQ(label(editor, kDisplayedTris), QString::number(least.triangle_count()));
    EXPECT_EQ(label(editor, kMinTriangles), QString::number(least.triangle_count()));
    EXPECT_FALSE(editor.isModified()) << "the detail shown is not stored";

    click(editor, kWire);
    EXPECT_EQ(view.display_mode(), ModelDisplay::wire);
    click(editor, kFlat);
    EXPECT_EQ(view.display_mode(), ModelDisplay::flat);
    click(editor, kShowHiliteRing);
    click(editor, kNormals);
    EXPECT_FALSE(editor.isModified()) << "display options are not stored";
}

// The second model's first block claims a triangle count its size does not hold.
TEST_F(SkeletalModelEditor, ASetThatStopsEarlyShowsWhatWasReadAndRefusesToApply) {
    Bytes p = save_skmd_payload(grid_set(2));
    const auto u32 = [&](std::size_t at) {
        return (std::uint32_t{p[at]} << 24) | (std::uint32_t{p[at + 1]} << 16) | (std::uint32_t{p[at + 2]} << 8) | p[at + 3];
    };
    const std::size_t second = u32(12 + 16);
    std::uint32_t offset; // stored little-endian (the model header descriptor's order)
    std::memcpy(&offset, p.data() + second + 176 + 4, 4);
    p[second + offset + 4] = 0x01;
    TTagEditForm& editor = open_bytes(p);
    EXPECT_EQ(editor.control<QListWidget>(kModels)->count(), 1);
    EXPECT_TRUE(editor.control<QLabel>(kLoadNote)->text().startsWith("Only 1 of 2 models could be read"));
    type(editor, kName, "Changed");
    DialogScript alerts({[](XGDialog& alert) { alert.click(1); }});
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(stored(), p);
}

} // namespace
} // namespace zephane
