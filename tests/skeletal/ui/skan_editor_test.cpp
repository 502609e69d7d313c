// The skeletal animation editor through its controls and dialogs: what Apply stores (compared
// with the core's own layout of the expected animations), states and their animations,
// hierarchies and animation imports through "Select Origin Bone", and the frame actions.

#include "skeletal/skan_actions.h"
#include "skeletal/skan_edit.h"
#include "skeletal/skan_import.h"
#include "skeletal/skan_payload.h"
#include "skeletal/skl_builder.h"
#include "skeletal/ui/skan_dialogs.h"
#include "skeletal/ui/skan_form.h"
#include "framework/xg_alert.h"
#include "ui/editor_support.h"

#include <QListWidget>
#include <QTreeWidget>
#include <QUndoStack>
#include <cmath>
#include <cstring>
#include <numbers>

namespace zephane {
namespace {

using namespace skan_control;
using uitest::Bytes;
using uitest::DialogScript;
using uitest::FileScript;
using test::SklText;
using test::SklTextPose;

constexpr tag_type kSkan = fourcc("skan");
constexpr tag_type kSoun = fourcc("soun");
constexpr tag_id kWalker = fourcc("walk");

skan_bone_base bone(const char* name, std::int32_t parent, float z) {
    skan_bone_base b{};
    set_skan_name(b.name, name);
    b.parent = parent;
    b.rotation[3] = 1.0f;
    b.position[2] = z;
    return b;
}

SkanAnimation animation(const char* name, std::size_t frames, std::size_t bones, std::int16_t seed) {
    SkanAnimation a;
    set_skan_name(a.header.name, name);
    a.header.frames_per_second = 30 * 256;
    a.header.flags = kSkanLoopable;
    a.header.position_exponent = 8;
    a.header.fade_in = 0.125f;
    a.header.interrupt_fade = 0.5f;
    a.header.fade_out = 0.125f;
    for (std::size_t f = 0; f < frames; ++f) {
        SkanFrame frame;
        frame.record.motion = 65536 * static_cast<std::int32_t>(f + 1);
        set_skan_action_bone(frame.record, -1);
        frame.record.action_tag = kNoTag;
        for (std::size_t b = 0; b < bones; ++b) {
            skan_bone_pose pose{};
            for (std::int16_t& p : pose.position) p = static_cast<std::int16_t>(seed + static_cast<int>(f * 7 + b));
            pose.rotation[3] = 32767;
            frame.poses.push_back(pose);
        }
        a.frames.push_back(std::move(frame));
    }
    return a;
}

// Three bones (so every frame is padded), a walk of two frames, a turn of one, a state with both.
SkeletalAnimationSet walker() {
    SkeletalAnimationSet set;
    set.bones = {bone("Pelvis", -1, 1), bone("Spine", 0, 1), bone("Head", 1, 1)};
    set.animations = {animation("walk", 2, 3, 100), animation("turn", 1, 3, 200)};
    SkanState moving = new_skan_state();
    set_skan_name(moving.header.name, "moving");
    moving.entries = {{0, 3}, {1, 5}};
    moving.header.total_probability = 8;
    set.states = {moving};
    return set;
}

const Bytes kTail{0xDE, 0xAD, 0xBE, 0xEF};

Bytes with_tail(const SkeletalAnimationSet& set) {
    Bytes bytes = save_skan_payload(set);
    bytes.insert(bytes.end(), kTail.begin(), kTail.end());
    return bytes;
}

SklTextPose at(double x, double y, double z, double yaw_degrees = 0) {
    return test::skl_pose_at(x, y, z, yaw_degrees);
}

// The origin walks and turns; pelvis, spine and an unnamed bone ride above it.
SklText walking_text(bool with_origin = true) {
    SklText s;
    s.bones = {{-1, with_origin ? "tag_origin_standard" : "base"}, {0, "Pelvis"}, {1, "Spine"}, {2, ""}};
    const double path[3][4] = {{0, 0, 0, 0}, {3, 4, 1, 90}, {6, 4, 2, 175}};
    for (const auto& o : path)
        s.frames.push_back({at(o[0], o[1], o[2], o[3]), at(o[0], o[1], o[2] + 1, o[3]),
                            at(o[0], o[1], o[2] + 2, o[3]), at(o[0] + 1, o[1], o[2] + 2, o[3])});
    return s;
}

class SkanEditor : public uitest::EditorFixture {
protected:
    TTagEditForm& open_walker(const Bytes& payload) {
        add_file("animations", {{kSkan, kWalker, "Walker", payload},
                                {kSoun, fourcc("boom"), "Boom", Bytes(64, 0)}});
        return open(kSkan, kWalker);
    }
    const Bytes& stored() { return payload(kSkan, kWalker); }
    static QTreeWidget& tree(TTagEditForm& editor, int id) { return *editor.control<QTreeWidget>(id); }
    static void select_state(TTagEditForm& editor, int state, int entry = -1) {
        QTreeWidgetItem* item = tree(editor, kStates).topLevelItem(state);
        ASSERT_NE(item, nullptr);
        tree(editor, kStates).setCurrentItem(entry < 0 ? item : item->child(entry));
    }
    static void select_animation(TTagEditForm& editor, int index) {
        tree(editor, kAnimations).setCurrentItem(tree(editor, kAnimations).topLevelItem(index));
    }
    static QStringList labels(const QTreeWidgetItem& parent) {
        QStringList out;
        for (int k = 0; k < parent.childCount(); ++k) out << parent.child(k)->text(0);
        return out;
    }
    static QStringList rows(const XGDialog& dialog, int id) {
        QStringList out;
        const auto* list = dialog.control<QListWidget>(id);
        for (int k = 0; list && k < list->count(); ++k) out << list->item(k)->text();
        return out;
    }
    std::string skl_file(const SklText& text, const std::string& name = "walking.skl") {
        return folder.write(name, text.bytes());
    }
};

TEST_F(SkanEditor, ApplyStoresTheEditedAnimationsAsTheCoreLaysThemOut) {
    TTagEditForm& editor = open_walker(with_tail(walker()));
    EXPECT_EQ(editor.form_title(), "skan");
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(labels(*tree(editor, kStates).invisibleRootItem()), QStringList{"moving"});
    EXPECT_EQ(labels(*tree(editor, kStates).topLevelItem(0)), (QStringList{"walk", "turn"}));
    EXPECT_EQ(labels(*tree(editor, kAnimations).invisibleRootItem()), (QStringList{"walk", "turn"}));
    EXPECT_EQ(text(editor, kStateName), "moving");
    EXPECT_EQ(text(editor, kAnimationName), "walk");
    EXPECT_EQ(text(editor, kFrames), "2");
    EXPECT_EQ(text(editor, kBytes), QString::number(84 + 2 * (12 + 3 * 14 + 2)));
    EXPECT_EQ(text(editor, kDelta), "3.00");
    EXPECT_EQ(text(editor, kFramesPerSecond), "30");
    EXPECT_EQ(text(editor, kSeconds), "0.07");
    EXPECT_EQ(text(editor, kProbability), "3");
    EXPECT_TRUE(checked(editor, kTimeDriven));

    type(editor, kStateName, "Moving Fast");
    click(editor, kPauseAtEnd);
    type(editor, kProbability, "8");
    type(editor, kAnimationName, "Walk Cycle");
    type(editor, kFramesPerSecond, "15");
    EXPECT_EQ(text(editor, kSeconds), "0.13") << "Seconds follows the rate";
    type(editor, kFadeIn, "0.25");
    type(editor, kInterruptFade, "1.5");
    click(editor, kFastInterrupt);
    click(editor, kDistanceDriven);
    EXPECT_EQ(labels(*tree(editor, kStates).topLevelItem(0)), (QStringList{"Walk Cycle", "turn"}));
    select_animation(editor, 1);
    EXPECT_EQ(text(editor, kProbability), "5");
    click(editor, kTurnDriven);
    click(editor, kNewState);
    EXPECT_EQ(text(editor, kStateName), "Unnamed State");
    EXPECT_TRUE(editor.isModified());
    click(editor, TTagEditForm::kApplyButton);

    SkeletalAnimationSet expected = walker();
    set_skan_name(expected.states[0].header.name, "Moving Fast");
    expected.states[0].header.flags = 1;
    expected.states[0].entries[0].probability = 8;
    expected.states[0].header.total_probability = 13; // the total follows the entries
    skan_animation& walk = expected.animations[0].header;
    set_skan_name(walk.name, "Walk Cycle");
    walk.frames_per_second = 15 * 256;
    walk.fade_in = 0.25f;
    walk.interrupt_fade = 1.5f;
    walk.flags = kSkanLoopable | kSkanFastInterrupt | kSkanDistanceDriven;
    expected.animations[1].header.flags = kSkanLoopable | kSkanTurnDriven;
    expected.states.push_back(new_skan_state());
    EXPECT_EQ(stored(), with_tail(expected)) << "the bytes after the last state are kept";
    EXPECT_FALSE(editor.isModified());
}

TEST_F(SkanEditor, UntouchedBytesStayAndReloadReadsTheTagAgain) {
    // Runtime pointers that are not zero and a state total that does not add up: the editor
    // rewrites neither unless the user changes something.
    Bytes odd = with_tail(walker());
    odd[12] = 0x12;
    odd[731] ^= 1; // the low byte of the state's total (24 + 3 x 96 + 3 x 4 + 196 + 140 + 68)
    TTagEditForm& editor = open_walker(odd);
    EXPECT_FALSE(editor.isModified());
    EXPECT_FALSE(enabled(editor, TTagEditForm::kApplyButton));
    type(editor, kAnimationName, "sprint");
    EXPECT_TRUE(editor.isModified());
    type(editor, kAnimationName, "walk");
    EXPECT_FALSE(editor.isModified()) << "typed back to what the tag holds";
    EXPECT_TRUE(editor.apply());
    EXPECT_EQ(stored(), odd);

    type(editor, kFramesPerSecond, "fast");
    EXPECT_FALSE(editor.isModified()) << "text that is no number changes nothing";
    EXPECT_FALSE(editor.control<QWidget>(kFramesPerSecond)->toolTip().isEmpty()) << "but is marked";
    type(editor, kFadeOut, "2");
    click(editor, TTagEditForm::kReloadButton);
    EXPECT_TRUE(editor.control<QWidget>(kFramesPerSecond)->toolTip().isEmpty());
    EXPECT_EQ(text(editor, kFramesPerSecond), "30");
    EXPECT_EQ(text(editor, kFadeOut), "0.125");
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(stored(), odd);
}

TEST_F(SkanEditor, StatesHoldTheCheckedAnimationsAndDeletesFollowThrough) {
    TTagEditForm& editor = open_walker(with_tail(walker()));
    QTreeWidget& animations = tree(editor, kAnimations);
    EXPECT_EQ(animations.topLevelItem(0)->checkState(0), Qt::Checked);
    click(editor, kNewState);
    EXPECT_EQ(animations.topLevelItem(1)->checkState(0), Qt::Unchecked) << "the new state holds nothing";
    EXPECT_FALSE(enabled(editor, kProbability));
    animations.topLevelItem(1)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(labels(*tree(editor, kStates).topLevelItem(1)), QStringList{"turn"});
    select_animation(editor, 1);
    EXPECT_EQ(text(editor, kProbability), "1");
    type(editor, kProbability, "70000");

    select_state(editor, 0, 1); // "turn" in "moving"
    EXPECT_EQ(editor.control<QTreeWidget>(kAnimations)->currentItem(), animations.topLevelItem(1));
    click(editor, kDeleteState); // removes the animation from the state only
    EXPECT_EQ(labels(*tree(editor, kStates).topLevelItem(0)), QStringList{"walk"});
    select_state(editor, 0);
    animations.topLevelItem(1)->setCheckState(0, Qt::Unchecked); // already out: nothing happens
    select_animation(editor, 0);
    click(editor, kDeleteAnimation);
    EXPECT_EQ(labels(*animations.invisibleRootItem()), QStringList{"turn"});
    EXPECT_EQ(labels(*tree(editor, kStates).topLevelItem(0)), QStringList{});
    EXPECT_EQ(labels(*tree(editor, kStates).topLevelItem(1)), QStringList{"turn"});
    click(editor, TTagEditForm::kApplyButton);

    SkeletalAnimationSet expected = walker();
    expected.states.push_back(new_skan_state());
    expected.states[1].entries = {{0, 65535}};
    expected.states[1].header.total_probability = 65535;
    expected.states[0].entries = {};
    expected.states[0].header.total_probability = 0;
    expected.animations.erase(expected.animations.begin());
    EXPECT_EQ(stored(), with_tail(expected));

    select_state(editor, 0);
    click(editor, kDeleteState);
    EXPECT_EQ(labels(*tree(editor, kStates).invisibleRootItem()), QStringList{"Unnamed State"});
}

TEST_F(SkanEditor, ImportIsRefusedUntilAHierarchyIsSpecified) {
    TTagEditForm& editor = open_walker(save_skan_payload(SkeletalAnimationSet{}));
    EXPECT_EQ(text(editor, kHierarchyText), kNoHierarchyText);
    EXPECT_TRUE(enabled(editor, kSpecify));
    EXPECT_FALSE(enabled(editor, kChange));
    {
        FileScript files({});
        DialogScript alerts({[](XGDialog& alert) {
            EXPECT_EQ(alert.text_of(kAlertTextControl).toStdString(), kNoHierarchyText);
            alert.click(1);
        }});
        click(editor, kImport);
        EXPECT_TRUE(files.requests().empty()) << "no file is asked for";
        EXPECT_EQ(alerts.pending(), 0u);
    }
    EXPECT_FALSE(editor.isModified());

    // A file without "tag_origin_standard": no bone is chosen, so "Select" waits; "None" keeps
    // every bone.
    const std::string plain = skl_file(walking_text(false), "plain.skl");
    {
        FileScript files({QString::fromStdString(plain)});
        DialogScript dialogs({[](XGDialog& dialog) {
            using namespace origin_bone_control;
            EXPECT_EQ(dialog.windowTitle(), "Select Origin Bone");
            EXPECT_EQ(rows(dialog, kBones), (QStringList{"base", "Pelvis", "Spine", "(unnamed bone)"}));
            EXPECT_EQ(dialog.control<QListWidget>(kBones)->currentRow(), -1);
            EXPECT_FALSE(dialog.is_enabled(kSelect));
            EXPECT_FALSE(dialog.is_enabled(mode_id(0, 0))) << "a hierarchy takes no motion modes";
            dialog.click(kNone);
        }});
        click(editor, kSpecify);
        ASSERT_EQ(files.requests().size(), 1u);
        EXPECT_EQ(files.requests()[0].filter, kSklFileFilter);
    }
    EXPECT_EQ(text(editor, kHierarchyText), kChangeHierarchyText);
    EXPECT_FALSE(enabled(editor, kSpecify));
    EXPECT_TRUE(enabled(editor, kChange));
    click(editor, TTagEditForm::kApplyButton);
    const SklFile plain_file = read_skeleton_export(walking_text(false).bytes());
    SkeletalAnimationSet expected;
    expected.bones = build_skan_hierarchy(plain_file, -1);
    EXPECT_EQ(stored(), save_skan_payload(expected));

    // Change: the origin bone preselected and left out of the hierarchy.
    {
        FileScript files({QString::fromStdString(skl_file(walking_text()))});
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.control<QListWidget>(origin_bone_control::kBones)->currentRow(), 0);
            dialog.click(origin_bone_control::kSelect);
        }});
        click(editor, kChange);
    }
    click(editor, TTagEditForm::kApplyButton);
    set_skan_hierarchy(expected, build_skan_hierarchy(read_skeleton_export(walking_text().bytes()), 0));
    EXPECT_EQ(stored(), save_skan_payload(expected));
    EXPECT_EQ(expected.bones.size(), 3u);
}

struct ImportCase {
    const char* what;
    int end; // Select or None
    int modes[4];
    bool loopable;
    AnimationImportOptions options;
};

TEST_F(SkanEditor, ImportTakesTheOriginChoicesOfTheDialog) {
    using namespace origin_bone_control;
    const SklText skl = walking_text();
    const SklFile file = read_skeleton_export(skl.bytes());
    SkeletalAnimationSet expected;
    expected.bones = build_skan_hierarchy(file, 0);
    TTagEditForm& editor = open_walker(save_skan_payload(expected));
    const std::string path = skl_file(skl);

    const auto options = [](int origin, AxisMotion x, AxisMotion y, AxisMotion z, YawMotion yaw, bool loop) {
        AnimationImportOptions o;
        o.origin_bone = origin;
        o.axes[0] = x;
        o.axes[1] = y;
        o.axes[2] = z;
        o.yaw = yaw;
        o.loopable = loop;
        return o;
    };
    using A = AxisMotion;
    const ImportCase cases[] = {
        {"all relative", kSelect, {0, 0, 0, 0}, false,
         options(0, A::relative, A::relative, A::relative, YawMotion::relative, false)},
        {"absolute, zero, relative; yaw absolute; loopable", kSelect, {1, 2, 0, 1}, true,
         options(0, A::absolute, A::zero, A::relative, YawMotion::absolute, true)},
        {"zero, absolute, zero", kSelect, {2, 1, 2, 0}, false,
         options(0, A::zero, A::absolute, A::zero, YawMotion::relative, false)},
        {"no origin bone", kNone, {0, 0, 1, 0}, false,
         options(-1, A::relative, A::relative, A::absolute, YawMotion::relative, false)},
    };
    for (const ImportCase& c : cases) {
        SCOPED_TRACE(c.what);
        FileScript files({QString::fromStdString(path)});
        DialogScript dialogs({[&c](XGDialog& dialog) {
            EXPECT_EQ(dialog.control<QListWidget>(kBones)->currentRow(), 0) << "tag_origin_standard";
            EXPECT_TRUE(dialog.is_enabled(mode_id(0, 2)));
            for (int axis = 0; axis < 4; ++axis) dialog.click(mode_id(axis, c.modes[axis]));
            if (c.loopable) dialog.click(kMakeLoopable);
            dialog.click(c.end);
        }});
        click(editor, kImport);
        EXPECT_EQ(dialogs.pending(), 0u);
        expected.animations.push_back(import_skan_animation(file, expected.bones, c.options, "walking"));
        EXPECT_EQ(text(editor, kFrames), QString::number(expected.animations.back().frames.size()));
        click(editor, TTagEditForm::kApplyButton);
        EXPECT_EQ(stored(), save_skan_payload(expected));
    }
    EXPECT_EQ(expected.animations[1].frames.size(), 2u) << "loopable drops the repeated last frame";
    EXPECT_NE(expected.animations[0].frames[1].record.motion, expected.animations[2].frames[1].record.motion);

    // Cancel imports nothing.
    FileScript files({QString::fromStdString(path)});
    DialogScript dialogs({uitest::press(kCancel)});
    click(editor, kImport);
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(tree(editor, kAnimations).topLevelItemCount(), 4);
}

TEST_F(SkanEditor, FrameActionsDialogEditsTheActionsAndShowsTheirTexts) {
    using namespace frame_action_control;
    SkeletalAnimationSet set = walker();
    skan_frame& second = set.animations[0].frames[1].record;
    second.action = 2 | kSkanKeyFrame;
    second.action_tag = fourcc("gone");
    set_skan_action_bone(second, 1);
    TTagEditForm& editor = open_walker(save_skan_payload(set));

    // Cancel keeps nothing.
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            dialog.click(kActionTypes + 7);
            EXPECT_EQ(rows(dialog, kFrameList)[0], "0. normal footprint  at invalid -1");
            dialog.click(kCancel);
        }});
        click(editor, kFrameActions);
    }
    EXPECT_FALSE(editor.isModified());

    DialogScript dialogs({[](XGDialog& dialog) {
                              EXPECT_EQ(dialog.windowTitle(), "Animation Actions");
                              EXPECT_EQ(rows(dialog, kFrameList),
                                        (QStringList{"0.  at invalid -1",
                                                     "1. attach model ACTION KEYFRAME (missing gone/skmd) at Spine"}));
                              EXPECT_FALSE(dialog.is_enabled(kTag)) << "no action takes no tag";
                              EXPECT_EQ(dialog.text_of(kTag), "(tag name)");
                              dialog.click(kActionTypes + 1); // Play Sound:
                              EXPECT_EQ(rows(dialog, kFrameList)[0], "0. sound (unassigned tag) at invalid -1");
                              EXPECT_TRUE(dialog.is_enabled(kTag));
                              dialog.click(kTag); // the tag picker answers next
                              EXPECT_EQ(rows(dialog, kFrameList)[0], "0. sound Boom at invalid -1");
                              EXPECT_EQ(dialog.text_of(kTag), "Boom");
                              dialog.choose_row(kBone, 1);
                              dialog.click(kKeyFrame);
                              EXPECT_EQ(rows(dialog, kFrameList)[0], "0. sound ACTION KEYFRAME Boom at Pelvis");
                              // Another type of tag: the old tag goes.
                              dialog.choose_row(kFrameList, 1);
                              EXPECT_EQ(dialog.text_of(kTag), "(missing gone)");
                              dialog.click(kActionTypes + 3);
                              EXPECT_EQ(rows(dialog, kFrameList)[1], "1. attach light ACTION KEYFRAME (unassigned tag) at Spine");
                              dialog.click(kActionTypes + 5);
                              EXPECT_EQ(rows(dialog, kFrameList)[1], "1. delete attachment ACTION KEYFRAME  at Spine");
                              dialog.click(kOk);
                          },
                          [](XGDialog& picker) {
                              picker.choose_row(2, 0);
                              picker.click(100);
                          }});
    click(editor, kFrameActions);
    EXPECT_EQ(dialogs.pending(), 0u);
    click(editor, TTagEditForm::kApplyButton);

    skan_frame& first = set.animations[0].frames[0].record;
    first.action = 1 | kSkanKeyFrame;
    first.action_tag = fourcc("boom");
    set_skan_action_bone(first, 0);
    second.action = 5 | kSkanKeyFrame;
    second.action_tag = kNoTag;
    EXPECT_EQ(stored(), save_skan_payload(set));
}

} // namespace
} // namespace zephane

namespace zephane {
namespace {

TEST_F(SkanEditor, StateAndAnimationStepsAreUndoneToTheSameBytes) {
    TTagEditForm& editor = open_walker(with_tail(walker()));
    const Bytes before = stored();
    click(editor, kNewState);
    select_animation(editor, 0);
    click(editor, kDeleteAnimation);
    EXPECT_EQ(editor.undo_stack().count(), 2);
    click(editor, TTagEditForm::kApplyButton);
    const Bytes after = stored();
    ASSERT_NE(after, before);

    editor.undo_stack().undo();
    editor.undo_stack().undo();
    EXPECT_EQ(tree(editor, kStates).topLevelItemCount(), 1);
    editor.undo_stack().redo();
    editor.undo_stack().redo();
    expect_steps_undone(editor, 2, kSkan, kWalker, before, after);
}

} // namespace
} // namespace zephane
