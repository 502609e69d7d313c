// The behaviour some editors add to their binding tables: the ambient sound's one button for
// two fields, the object's effect modifiers dialog, the sound list's entries, the text
// editors, and the swatches and pictures that follow typed colours.

#include "app/value_controls.h"
#include "definitions/ui/text_tag_form.h"
#include "skeletal/skmd_payload.h"
#include "ui/editor_support.h"
#include "framework/xg_alert.h"

#include <algorithm>
#include <functional>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace zephane {
namespace {

using uitest::Bytes;
using uitest::DialogScript;
using uitest::PayloadBuilder;
using uitest::press;

constexpr tag_type kSoun = fourcc("soun");

class SpecialEditors : public uitest::EditorFixture {
protected:
    void add_sounds() {
        add_file("sounds", {{kSoun, fourcc("rivr"), "River", Bytes(4, 0)},
                            {kSoun, fourcc("wind"), "Wind", Bytes(4, 0)}});
    }
    std::int64_t at(tag_type type, std::size_t offset, std::size_t width, bool is_signed = false) {
        return uitest::number_at(payload(type, fourcc("test")), offset, width, is_signed);
    }
};

TEST_F(SpecialEditors, OneSoundButtonServesTheContinuousAndTheRandomSound) {
    constexpr tag_type kAmso = fourcc("amso");
    add_sounds();
    add_file("ambient", {{kAmso, fourcc("test"), "Brook",
                          PayloadBuilder(64).put(12, 4, fourcc("rivr")).put(16, 4, -1).bytes()},
                         {kAmso, fourcc("both"), "Both",
                          PayloadBuilder(64).put(12, 4, fourcc("rivr")).put(16, 4, fourcc("wind")).bytes()}});
    TTagEditForm& editor = open(kAmso, fourcc("test"));
    EXPECT_FALSE(checked(editor, 10003));
    EXPECT_EQ(text(editor, 10001), "River");
    click(editor, 10003); // "Is a Random Sound"
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(at(kAmso, 12, 4), 0xFFFFFFFF);
    EXPECT_EQ(at(kAmso, 16, 4), fourcc("rivr"));
    editor.reload();
    EXPECT_TRUE(checked(editor, 10003));
    EXPECT_EQ(text(editor, 10001), "River");
    // A sound picked while the box is checked goes to the random sound.
    {
        DialogScript dialogs({[](XGDialog& picker) {
            picker.choose_row(2, 1); // "Wind"
            picker.click(100);
        }});
        click(editor, 10001);
    }
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(at(kAmso, 12, 4), 0xFFFFFFFF);
    EXPECT_EQ(at(kAmso, 16, 4), fourcc("wind"));

    // A record holding both sounds is shown as continuous and kept until the user changes it.
    TTagEditForm& both = open(kAmso, fourcc("both"));
    EXPECT_FALSE(both.isModified());
    type(both, 10005, "3");
    click(both, TTagEditForm::kApplyButton);
    const Bytes& kept = payload(kAmso, fourcc("both"));
    EXPECT_EQ(uitest::number_at(kept, 12, 4, false), fourcc("rivr"));
    EXPECT_EQ(uitest::number_at(kept, 16, 4, false), fourcc("wind"));
}

TEST_F(SpecialEditors, EffectModifiersAreEditedOnACopyStoredOnlyOnOk) {
    constexpr tag_type kObje = fourcc("obje");
    PayloadBuilder builder(64);
    for (std::size_t k = 0; k < 16; ++k) builder.put(16 + 2 * k, 2, 256);
    builder.put(20, 2, 1); // shown as 0.004, kept as it is
    const Bytes before = builder.bytes();
    add_file("objects", {{kObje, fourcc("test"), "Rock", before}});
    TTagEditForm& editor = open(kObje, fourcc("test"));
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Effect Modifiers");
            EXPECT_EQ(dialog.text_of(101), "1.0");
            EXPECT_EQ(dialog.text_of(103), "0.004");
            EXPECT_EQ(dialog.text_of(110), "") << "only the first nine";
            dialog.type_text(101, "2");
            dialog.click(1002); // Cancel
        }});
        click(editor, 11613);
    }
    EXPECT_FALSE(editor.isModified()) << "Cancel changes nothing";
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            dialog.type_text(101, "2");
            dialog.type_text(109, "-0.5");
            dialog.click(1001); // OK
        }});
        click(editor, 11613);
    }
    EXPECT_TRUE(enabled(editor, TTagEditForm::kApplyButton));
    click(editor, TTagEditForm::kApplyButton);
    const Bytes& after = payload(kObje, fourcc("test"));
    EXPECT_EQ(uitest::number_at(after, 16, 2, true), 512);
    EXPECT_EQ(uitest::number_at(after, 20, 2, true), 1) << "untouched in the dialog";
    EXPECT_EQ(uitest::number_at(after, 32, 2, true), -128);
    EXPECT_TRUE(std::equal(after.begin() + 34, after.end(), before.begin() + 34));
}

TEST_F(SpecialEditors, TheDamageDialogEditsACopyAndKeepsTheFlagWithoutABox) {
    constexpr tag_type kLigh = fourcc("ligh");
    // Damage at 40: Explosion, flags bits 0 and 3, damage 1.0 with delta 0.5, a radius.
    const Bytes before = PayloadBuilder(64)
                             .put(40, 2, 0)
                             .put(42, 2, 0x0009)
                             .put(44, 2, 256)
                             .put(46, 2, 128)
                             .put(48, 2, 1024)
                             .put(50, 2, 512)
                             .put(60, 4, 0x12345678) // reserved
                             .bytes();
    add_file("bolts", {{kLigh, fourcc("test"), "Bolt", before}});
    TTagEditForm& editor = open(kLigh, fourcc("test"));
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Projectile Damage");
            EXPECT_EQ(dialog.text_of(101), "Explosion");
            EXPECT_EQ(dialog.text_of(102), "1.0");
            EXPECT_TRUE(dialog.control<QCheckBox>(201)->isChecked());
            EXPECT_EQ(dialog.find_control(204), nullptr) << "bit 3 has no box";
            dialog.choose_row(101, 0);
            dialog.click(1002); // Cancel
        }});
        click(editor, 10710);
    }
    EXPECT_FALSE(editor.isModified()) << "Cancel changes nothing";
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            dialog.choose_row(101, 0); // "NONE"
            dialog.click(201);         // off
            dialog.click(216);         // "Can Cause Confusion"
            dialog.type_text(103, "2");
            dialog.click(1001); // OK
        }});
        click(editor, 10710);
    }
    ASSERT_TRUE(enabled(editor, TTagEditForm::kApplyButton));
    click(editor, TTagEditForm::kApplyButton);
    const Bytes& after = payload(kLigh, fourcc("test"));
    EXPECT_EQ(uitest::number_at(after, 40, 2, true), -1) << "NONE";
    EXPECT_EQ(uitest::number_at(after, 42, 2, false), 0x8008) << "bit 3 kept";
    EXPECT_EQ(uitest::number_at(after, 44, 2, true), 256);
    EXPECT_EQ(uitest::number_at(after, 46, 2, true), 257) << "1.0 to 2.0 by the range rule";
    Bytes expected = before;
    std::copy(after.begin() + 40, after.begin() + 48, expected.begin() + 40);
    EXPECT_EQ(after, expected) << "nothing else changed";
}

TEST_F(SpecialEditors, LocalPhysicsKeepsItsBlockAcrossKindsAndEditsItInTheKindsDialog) {
    constexpr tag_type kPhys = fourcc("phys");
    // A point attractor: attraction constant 1.5 at 16, minimum height 1.0 at 20.
    const Bytes before =
        PayloadBuilder(64).put(0, 2, 3).put(4, 4, 1).put(16, 4, 0x18000).put(20, 2, 512).bytes();
    add_file("physics", {{kPhys, fourcc("test"), "Drift", before},
                         {kPhys, fourcc("odd_"), "Odd", PayloadBuilder(64).put(0, 2, 7).bytes()}});
    TTagEditForm& editor = open(kPhys, fourcc("test"));
    EXPECT_EQ(text(editor, 20801), "Point Attractor");
    choose(editor, 20801, 4); // Converging, then back: the block was never touched
    choose(editor, 20801, 3);
    EXPECT_FALSE(editor.isModified());
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Point Attractor Physics");
            EXPECT_EQ(dialog.text_of(103), "1.5");
            EXPECT_EQ(dialog.text_of(104), "1.0");
            EXPECT_TRUE(dialog.control<QCheckBox>(201)->isChecked());
            dialog.type_text(104, "2"); // read back from its own edit, not the constant's
            dialog.click(1001);
        }});
        click(editor, 20802);
    }
    click(editor, TTagEditForm::kApplyButton);
    Bytes expected = before;
    expected[20] = 0x04;
    expected[21] = 0x00;
    EXPECT_EQ(payload(kPhys, fourcc("test")), expected);

    // The dialog follows the popup, not the stored kind; Cancel stores nothing.
    choose(editor, 20801, 0);
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Linear Physics");
            dialog.type_text(101, "9");
            dialog.click(1002);
        }});
        click(editor, 20802);
    }
    choose(editor, 20801, 3);
    EXPECT_FALSE(editor.isModified());

    // A kind outside the six has no dialog: the user is told, nothing changes.
    TTagEditForm& odd = open(kPhys, fourcc("odd_"));
    {
        DialogScript dialogs({[](XGDialog& alert) {
            EXPECT_NE(alert.text_of(kAlertTextControl).indexOf("unknown"), -1);
            alert.click(1);
        }});
        click(odd, 20802);
        EXPECT_EQ(dialogs.pending(), 0u);
    }
    EXPECT_FALSE(odd.isModified());
}

// A skeletal animation payload (version 2) with no bones or animations and these states.
Bytes animation_with_states(const std::vector<std::string>& states) {
    Bytes bytes = PayloadBuilder(24).put(0, 4, 0).put(4, 4, 0).put(8, 4, static_cast<std::int64_t>(states.size()))
                      .zero(12, 12).bytes();
    bytes.resize(bytes.size() + 4 * states.size(), 0);
    for (const std::string& state : states) {
        Bytes header(72, 0);
        std::copy(state.begin(), state.end(), header.begin());
        bytes.insert(bytes.end(), header.begin(), header.end());
    }
    return bytes;
}

TEST_F(SpecialEditors, SceneryAnimationPopupsListTheirModelsStatesAndKeepWhatTheyCannotShow) {
    constexpr tag_type kScen = fourcc("scen");
    SkeletalModelSet tree;
    tree.header.animation = fourcc("sway");
    add_file("models", {{fourcc("skmd"), fourcc("tree"), "Tree", save_skmd_payload(tree)},
                        {fourcc("skan"), fourcc("sway"), "Sway", animation_with_states({"Idle", "Sway"})}});
    tag(fourcc("skan"), fourcc("sway")).version = 2;
    // Undamaged: the tree, state 1; ruined: a model nobody has, state 5; bit 20 set.
    const Bytes before = PayloadBuilder(128)
                             .put(0, 4, 0x00100401)
                             .put(16, 2, 14)
                             .put(40, 2, 1)
                             .put(42, 2, 5)
                             .put(56, 4, fourcc("tree"))
                             .put(60, 4, fourcc("gone"))
                             .bytes();
    add_file("scenery", {{kScen, fourcc("test"), "Pine", before}});
    TTagEditForm& editor = open(kScen, fourcc("test"));
    EXPECT_EQ(editor.form_title(), "Scenery Window");
    auto& undamaged = *editor.control<QComboBox>(12112);
    auto& ruined = *editor.control<QComboBox>(12114);
    ASSERT_EQ(undamaged.count(), 3);
    EXPECT_EQ(undamaged.itemText(0), "None");
    EXPECT_EQ(undamaged.currentText(), "Sway");
    ASSERT_EQ(ruined.count(), 1);
    EXPECT_EQ(ruined.currentText(), "(model missing)");
    EXPECT_FALSE(editor.isModified());

    choose(editor, 12112, 1); // "Idle"
    click(editor, 12119);     // "Is Solid" off
    click(editor, TTagEditForm::kApplyButton);
    const Bytes& after = payload(kScen, fourcc("test"));
    EXPECT_EQ(uitest::number_at(after, 40, 2, true), 0);
    EXPECT_EQ(uitest::number_at(after, 42, 2, true), 5) << "kept: the popup could not show it";
    EXPECT_EQ(uitest::number_at(after, 0, 4, false), 0x00100400) << "bits without a box kept";
    EXPECT_EQ(uitest::number_at(after, 16, 2, true), 14) << "the second None is 14";
    Bytes expected = before;
    std::copy(after.begin(), after.begin() + 4, expected.begin());
    std::copy(after.begin() + 40, after.begin() + 42, expected.begin() + 40);
    EXPECT_EQ(after, expected);
}

TEST_F(SpecialEditors, LocalProjectileGroupSequencesFollowTheGraphicItsFlagsChoose) {
    constexpr tag_type kLpgr = fourcc("lpgr");
    SkeletalModelSet tree;
    tree.header.animation = fourcc("sway");
    add_file("models", {{fourcc("skmd"), fourcc("tree"), "Tree", save_skmd_payload(tree)},
                        {fourcc("skan"), fourcc("sway"), "Sway", animation_with_states({"Idle", "Sway"})},
                        {fourcc("core"), fourcc("tree"), "Tree Collection", Bytes(64, 0)}});
    tag(fourcc("skan"), fourcc("sway")).version = 2;
    // Both "Use Skel Model" (28) and "Use Sprite" (30): the skeletal model wins.
    const Bytes before = PayloadBuilder(128)
                             .put(0, 4, 0x50000001)
                             .put(4, 4, fourcc("tree"))
                             .put(12, 2, 1)
                             .put(14, 2, 0)
                             .bytes();
    add_file("groups", {{kLpgr, fourcc("test"), "Sparks", before}});
    TTagEditForm& editor = open(kLpgr, fourcc("test"));
    EXPECT_EQ(editor.form_title(), "Local Projectile Group");
    EXPECT_EQ(text(editor, 10901), "Tree");
    auto& flight = *editor.control<QComboBox>(10905);
    ASSERT_EQ(flight.count(), 3);
    EXPECT_EQ(flight.itemText(0), "(Static)");
    EXPECT_EQ(flight.currentText(), "Sway");
    EXPECT_TRUE(checked(editor, 10950)) << "bit 0";
    EXPECT_FALSE(editor.isModified());

    choose(editor, 10905, 0); // "(Static)" in both
    choose(editor, 10906, 0);
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(uitest::number_at(payload(kLpgr, fourcc("test")), 12, 2, true), -1);
    EXPECT_EQ(uitest::number_at(payload(kLpgr, fourcc("test")), 14, 2, true), -1);

    // Without either bit the graphic is the collection with the same id: five placeholder
    // sequences; with only "Use Sprite", a sprite nobody has.
    click(editor, 11000);
    EXPECT_EQ(flight.count(), 1);
    EXPECT_EQ(flight.currentText(), "(Entry Not Found)");
    click(editor, 11001);
    EXPECT_EQ(text(editor, 10901), "Tree Collection");
    EXPECT_EQ(flight.count(), 6);
    click(editor, TTagEditForm::kApplyButton);
    const Bytes& after = payload(kLpgr, fourcc("test"));
    EXPECT_EQ(uitest::number_at(after, 0, 4, false), 0x00000001);
    EXPECT_EQ(uitest::number_at(after, 4, 4, false), fourcc("tree")) << "the identifier is kept";
}

TEST_F(SpecialEditors, ProjectileGroupPartsAreEditedOnCopiesInTheirDialog) {
    constexpr tag_type kPrgr = fourcc("prgr");
    add_file("projectiles", {{fourcc("proj"), fourcc("bolt"), "Bolt", Bytes(256, 0)}});
    // Two parts: the loaded bolt and a projectile nobody has; the unused slots are zero.
    PayloadBuilder builder(512);
    builder.put(4, 2, 2).zero(32, 480).put(32, 4, fourcc("bolt")).put(64, 4, fourcc("gone"));
    builder.put(64 + 4, 4, 0x2).put(64 + 8, 2, 1);
    const Bytes before = builder.bytes();
    PayloadBuilder full(512);
    full.put(4, 2, 15);
    add_file("groups", {{kPrgr, fourcc("test"), "Blast", before}, {kPrgr, fourcc("full"), "Full", full.bytes()}});
    TTagEditForm& editor = open(kPrgr, fourcc("test"));
    EXPECT_EQ(editor.form_title(), "Projectile Groups Window");
    auto& list = *editor.control<QListWidget>(11907);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(0)->text(), "Bolt");
    EXPECT_EQ(list.item(1)->text(), "gone") << "not loaded: its four characters";

    list.setCurrentRow(1);
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Projectile Group Part");
            EXPECT_EQ(dialog.text_of(101), "gone");
            EXPECT_TRUE(dialog.control<QCheckBox>(108)->isChecked()) << "Is On Ground, bit 1";
            dialog.type_text(103, "2");
            dialog.type_text(104, "4"); // 2 to 4: delta 3
            dialog.click(109);          // Is Central
            dialog.click(1001);
        }});
        click(editor, 11909);
    }
    {
        DialogScript dialogs({[](XGDialog& dialog) { dialog.click(1002); }});
        click(editor, 11908); // a cancelled Add adds nothing
    }
    EXPECT_EQ(list.count(), 2);
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.text_of(101), "(tag unassigned)");
            dialog.click(1001);
        }});
        click(editor, 11908);
    }
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.currentRow(), 2) << "the last row after a change";
    list.setCurrentRow(0);
    click(editor, 11911); // Delete the bolt: the others move up
    click(editor, TTagEditForm::kApplyButton);
    const Bytes& after = payload(kPrgr, fourcc("test"));
    EXPECT_EQ(uitest::number_at(after, 4, 2, true), 2);
    EXPECT_EQ(uitest::number_at(after, 32, 4, false), fourcc("gone"));
    EXPECT_EQ(uitest::number_at(after, 32 + 4, 4, false), 0x3);
    EXPECT_EQ(uitest::number_at(after, 32 + 8, 2, true), 2);
    EXPECT_EQ(uitest::number_at(after, 32 + 10, 2, true), 3);
    EXPECT_EQ(uitest::number_at(after, 64, 4, false), 0xFFFFFFFF) << "a new part starts with none";
    EXPECT_TRUE(std::all_of(after.begin() + 96, after.end(), [](std::uint8_t b) { return b == 0; }))
        << "vacated slots are zero";
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + 4, before.begin()));
    EXPECT_TRUE(std::equal(after.begin() + 6, after.begin() + 32, before.begin() + 6));

    TTagEditForm& crowded = open(kPrgr, fourcc("full"));
    crowded.control<QListWidget>(11907)->setCurrentRow(3);
    EXPECT_FALSE(enabled(crowded, 11908)) << "fifteen parts: no Add";
    EXPECT_FALSE(enabled(crowded, 11910)) << "nor Duplicate";
    EXPECT_TRUE(enabled(crowded, 11911));
}

TEST_F(SpecialEditors, UnitVariationsBeyondTheCountAreDisabledAndPreviewTheirColours) {
    constexpr tag_type kUnit = fourcc("unit");
    // One variation: colour A dark red, colour B light blue (low bytes differ from high ones).
    const Bytes before = PayloadBuilder(128)
                             .put(4, 4, 1)
                             .put(16, 2, 0x80FF).put(18, 2, 0).put(20, 2, 0)
                             .put(24, 2, 0x4000).put(26, 2, 0x8000).put(28, 2, 0xFF00)
                             .bytes();
    add_file("units", {{kUnit, fourcc("test"), "Dwarf", before}});
    TTagEditForm& editor = open(kUnit, fourcc("test"));
    EXPECT_TRUE(enabled(editor, 100));
    EXPECT_FALSE(enabled(editor, 200));
    EXPECT_FALSE(enabled(editor, 300));
    const QImage preview = editor.control<QLabel>(108)->pixmap().toImage();
    ASSERT_EQ(preview.size(), QSize(80, 80));
    EXPECT_EQ(preview.pixel(0, 0), qRgb(0x80, 0, 0)) << "colour A, as the edits show it";
    EXPECT_EQ(preview.pixel(79, 79), qRgb(0x40, 0x80, 0xFF)) << "colour B below the diagonal";
    EXPECT_EQ(preview.pixel(0, 79), qRgb(0x80, 0, 0)) << "i < 80 - j";
    EXPECT_FALSE(editor.isModified());

    type(editor, 3, "2");
    EXPECT_TRUE(enabled(editor, 200));
    type(editor, 3, "-4");
    EXPECT_FALSE(enabled(editor, 100));
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(uitest::number_at(payload(kUnit, fourcc("test")), 4, 4, true), 0);
}

TEST_F(SpecialEditors, ProjectileGraphicSequencesLifespanFlagsAndDamage) {
    constexpr tag_type kProj = fourcc("proj");
    SkeletalModelSet tree;
    tree.header.animation = fourcc("sway");
    add_file("models", {{fourcc("skmd"), fourcc("tree"), "Tree", save_skmd_payload(tree)},
                        {fourcc("skan"), fourcc("sway"), "Sway", animation_with_states({"Fly", "Fall"})},
                        {fourcc(".256"), fourcc("tree"), "Tree Sprites", Bytes(16, 0)}});
    tag(fourcc("skan"), fourcc("sway")).version = 2;
    // A collection graphic, no lifespan, damage "Explosion", flags bits 3 and 31.
    const Bytes before = PayloadBuilder(256)
                             .put(0, 4, 0x80000008)
                             .put(4, 4, fourcc("tree"))
                             .put(8, 2, 0).put(10, 2, -1).put(12, 2, 7)
                             .put(80, 2, 0).put(82, 2, 0)
                             .put(104, 2, 0)
                             .put(144, 2, 0)
                             .bytes();
    add_file("projectiles", {{kProj, fourcc("test"), "Arrow", before}});
    TTagEditForm& editor = open(kProj, fourcc("test"));
    EXPECT_EQ(editor.form_title(), "Projectile Window");
    auto& flight = *editor.control<QComboBox>(12011);
    ASSERT_EQ(flight.count(), 2);
    EXPECT_EQ(flight.itemText(0), "(None)");
    EXPECT_EQ(flight.itemText(1), "Collections Unsupported");
    EXPECT_EQ(text(editor, 12001), "Tree Sprites");
    EXPECT_TRUE(checked(editor, 12103)) << "When Animation Loops, in the window";
    EXPECT_FALSE(checked(editor, 12058));
    EXPECT_FALSE(editor.isModified());
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            dialog.click(21501);
            dialog.click(21524); // Cancel
        }});
        click(editor, 12067);
    }
    EXPECT_FALSE(editor.isModified()) << "Cancel in Edit Flags changes nothing";

    // The same identifier as a skeletal model: relabelled, its states listed.
    click(editor, 12500);
    EXPECT_EQ(text(editor, 12001), "Tree");
    ASSERT_EQ(flight.count(), 3);
    EXPECT_EQ(flight.itemText(2), "Fall");
    choose(editor, 12011, 2);
    click(editor, 12058);
    type(editor, 12059, "2.5");
    type(editor, 12060, "4");
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Projectile Flags");
            EXPECT_TRUE(dialog.control<QCheckBox>(21522)->isChecked()) << "bit 31";
            dialog.click(21502); // bit 9, "Angle Follows Trajectory"
            dialog.click(21523); // OK
        }});
        click(editor, 12067);
    }
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            dialog.choose_row(101, 0); // "NONE"
            dialog.click(1001);
        }});
        click(editor, 12066);
    }
    click(editor, TTagEditForm::kApplyButton);
    const Bytes& after = payload(kProj, fourcc("test"));
    EXPECT_EQ(uitest::number_at(after, 0, 4, false), 0x80000208);
    EXPECT_EQ(uitest::number_at(after, 8, 2, true), 1) << "Fall";
    EXPECT_EQ(uitest::number_at(after, 10, 2, true), -1);
    EXPECT_EQ(uitest::number_at(after, 12, 2, true), 7) << "past the names: kept";
    EXPECT_EQ(uitest::number_at(after, 80, 2, true), 75) << "2.5 s";
    EXPECT_EQ(uitest::number_at(after, 82, 2, true), 45) << "to 4 s";
    EXPECT_EQ(uitest::number_at(after, 104, 2, true), -1) << "damage type NONE";
    EXPECT_EQ(uitest::number_at(after, 144, 2, true), -292) << "the skeletal marker";
    for (std::size_t k : {std::size_t{56}, std::size_t{142}, std::size_t{150}, std::size_t{255}})
        EXPECT_EQ(after[k], before[k]) << "reserved byte " << k;

    // Switching the lifespan off stores none.
    click(editor, 12058);
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(uitest::number_at(payload(kProj, fourcc("test")), 80, 2, true), 0);
    EXPECT_EQ(uitest::number_at(payload(kProj, fourcc("test")), 82, 2, true), 0);
}

TEST_F(SpecialEditors, MonsterAttacksFlagsAndGraphic) {
    constexpr tag_type kMons = fourcc("mons");
    SkeletalModelSet troll;
    troll.header.animation = fourcc("walk");
    add_file("models", {{fourcc("skmd"), fourcc("trol"), "Troll Model", save_skmd_payload(troll)},
                        {fourcc("skan"), fourcc("walk"), "Walk", animation_with_states({"Swing", "Throw"})},
                        {fourcc("proj"), fourcc("rock"), "Rock", Bytes(256, 0)}});
    tag(fourcc("skan"), fourcc("walk")).version = 2;
    // A skeletal model (bit 21) and bit 30; three attacks, the first throwing rocks with state 1.
    PayloadBuilder builder(1024);
    builder.put(0, 4, 0x40200000).put(4, 4, fourcc("trol")).put(136, 2, 3).put(72, 1, 0).put(444, 4, -1);
    builder.put(140 + 4, 4, fourcc("rock")).put(140 + 12, 1, 1).put(140 + 52, 2, 30);
    builder.put(204 + 4, 4, fourcc("gone")).put(268 + 4, 4, -1);
    const Bytes before = builder.bytes();
    add_file("monsters", {{kMons, fourcc("test"), "Troll", before}});
    TTagEditForm& editor = open(kMons, fourcc("test"));
    EXPECT_EQ(editor.form_title(), "Monster Window");
    EXPECT_EQ(text(editor, 11501), "Troll Model");
    auto& list = *editor.control<QListWidget>(11514);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(0)->text(), "Attack 1: Rock");
    EXPECT_EQ(list.item(1)->text(), "Attack 2: gone");
    EXPECT_FALSE(editor.isModified());

    // Cancel in every dialog changes nothing, whatever was done in it.
    list.setCurrentRow(0);
    const auto cancel_after = [&](int button, int cancel, std::function<void(XGDialog&)> change) {
        DialogScript dialogs({[=](XGDialog& dialog) {
            change(dialog);
            dialog.click(cancel);
        }});
        if (button == 11514)
            emit list.itemActivated(list.item(0));
        else
            click(editor, button);
        EXPECT_EQ(dialogs.pending(), 0u) << button;
        EXPECT_FALSE(editor.isModified()) << button;
    };
    cancel_after(11514, 1002, [](XGDialog& d) { d.type_text(2, "9"); d.click(101); });
    cancel_after(11564, 1002, [](XGDialog& d) { d.click(101); });
    cancel_after(11561, 102, [](XGDialog& d) { d.choose_row(1, 0); d.choose_row(2, 0); });
    cancel_after(11563, 1002, [](XGDialog& d) { d.click(101); d.type_text(100, "7"); });
    cancel_after(11562, 1002, [](XGDialog& d) { d.choose_row(101, 3); });

    list.setCurrentRow(0);
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Monster Attack Info");
            EXPECT_EQ(dialog.text_of(1), "Rock");
            EXPECT_EQ(dialog.text_of(200), "Throw");
            EXPECT_EQ(dialog.text_of(10), "1.0");
            dialog.choose_row(200, 1); // "Swing"
            dialog.type_text(10, "1.5");
            dialog.click(101); // "Is Indirect"
            dialog.click(1001);
        }});
        emit list.itemActivated(list.item(0));
    }
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Monster Flags");
            EXPECT_EQ(dialog.find_control(122), nullptr) << "bit 21 is the window's";
            dialog.click(101); // bit 0
            dialog.click(1001);
        }});
        click(editor, 11564);
    }
    click(editor, TTagEditForm::kApplyButton);
    const Bytes after_edit = payload(kMons, fourcc("test"));
    EXPECT_EQ(uitest::number_at(after_edit, 0, 4, false), 0x40200001);
    EXPECT_EQ(uitest::number_at(after_edit, 140, 2, false) & 1, 1);
    EXPECT_EQ(after_edit[152], 0) << "Swing";
    EXPECT_EQ(uitest::number_at(after_edit, 140 + 52, 2, true), 45) << "1.5 s";

    // Deleting the first of three: the others move up, the third slot keeps its old bytes.
    list.setCurrentRow(0);
    click(editor, 11517);
    click(editor, TTagEditForm::kApplyButton);
    const Bytes& after = payload(kMons, fourcc("test"));
    EXPECT_EQ(uitest::number_at(after, 136, 2, true), 2);
    EXPECT_TRUE(std::equal(after.begin() + 140, after.begin() + 268, before.begin() + 204));
    EXPECT_TRUE(std::equal(after.begin() + 268, after.begin() + 332, before.begin() + 268));

    // Sequences, terrain and sounds: each dialog on a copy of its part of the record.
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Monster Animation States");
            dialog.choose_row(1, 3);  // "Move"
            dialog.choose_row(2, 1);  // plays "Throw"
            dialog.click(101);
        }});
        click(editor, 11561);
    }
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_TRUE(dialog.control<QCheckBox>(101)->isChecked()) << "passability 0";
            dialog.type_text(100, "2");
            dialog.type_text(201, "0.5");
            dialog.click(101); // Dwarf-Depth off: impassable, whatever was typed
            EXPECT_FALSE(dialog.control<QLineEdit>(201)->isVisibleTo(&dialog));
            dialog.click(1001);
        }});
        click(editor, 11563);
    }
    {
        DialogScript dialogs({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.text_of(201), "(tag unassigned)");
            dialog.choose_row(101, 2); // "Multiple Attack Order"
            dialog.click(1001);
        }});
        click(editor, 11562);
    }
    click(editor, TTagEditForm::kApplyButton);
    const Bytes& dialogs_after = payload(kMons, fourcc("test"));
    EXPECT_EQ(uitest::number_at(dialogs_after, 8 + 2 * 3, 2, true), 1);
    EXPECT_EQ(uitest::number_at(dialogs_after, 126, 2, true), 1024) << "base speed 2.0";
    EXPECT_EQ(uitest::number_at(dialogs_after, 72, 1, true), -1);
    EXPECT_EQ(dialogs_after[92], 0) << "an impassable kind's multiplier is 0";
    EXPECT_EQ(uitest::number_at(dialogs_after, 504, 1, true), 1);

    // Four attacks at most; "Use 3D Model" off makes the graphic a collection.
    click(editor, 11515);
    click(editor, 11515);
    EXPECT_EQ(list.count(), 4);
    EXPECT_FALSE(enabled(editor, 11515));
    click(editor, 12000);
    EXPECT_NE(text(editor, 11501), "Troll Model");
}

TEST_F(SpecialEditors, SoundListEntriesAreAddedDuplicatedAndDeleted) {
    constexpr tag_type kSoli = fourcc("soli");
    add_sounds();
    PayloadBuilder builder(256);
    builder.put(0, 2, 2).put(16, 4, fourcc("rivr")).put(20, 4, 0x01020304);
    builder.put(24, 4, fourcc("gone")).put(28, 4, 0x05060708);
    const Bytes before = builder.bytes();
    add_file("lists", {{kSoli, fourcc("test"), "Water", before}});
    TTagEditForm& editor = open(kSoli, fourcc("test"));
    auto* list = editor.control<QListWidget>(12201);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "1. River");
    EXPECT_EQ(list->item(1)->text(), "2. (missing tag 'gone')");
    EXPECT_FALSE(editor.isModified());

    list->setCurrentRow(0);
    click(editor, 12203); // Duplicate: a copy below, with its four bytes
    list->setCurrentRow(2);
    click(editor, 12204); // Delete the missing one
    {
        DialogScript dialogs({[](XGDialog& picker) {
            EXPECT_EQ(picker.windowTitle(), "Pick Sound (soun)");
            picker.choose_row(2, 1);
            picker.click(100);
        }});
        click(editor, 12202); // Add
    }
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), "3. Wind");
    {
        DialogScript dialogs({press(101)}); // a cancelled Add adds nothing
        click(editor, 12202);
    }
    EXPECT_EQ(list->count(), 3);
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(at(kSoli, 0, 2), 3);
    EXPECT_EQ(at(kSoli, 16, 4), fourcc("rivr"));
    EXPECT_EQ(at(kSoli, 20, 4), 0x01020304);
    EXPECT_EQ(at(kSoli, 24, 4), fourcc("rivr"));
    EXPECT_EQ(at(kSoli, 28, 4), 0x01020304);
    EXPECT_EQ(at(kSoli, 32, 4), fourcc("wind"));
    EXPECT_EQ(at(kSoli, 36, 4), 0u);
    EXPECT_TRUE(std::equal(before.begin() + 2, before.begin() + 16, payload(kSoli, fourcc("test")).begin() + 2));

    // Thirty entries at most.
    list->setCurrentRow(0);
    for (int k = 3; k < 30; ++k) click(editor, 12203);
    EXPECT_EQ(list->count(), 30);
    EXPECT_FALSE(enabled(editor, 12202));
    EXPECT_FALSE(enabled(editor, 12203));
    EXPECT_TRUE(enabled(editor, 12204));
}

TEST_F(SpecialEditors, TextEditorsShowLinesAndStoreCarriageReturns) {
    constexpr tag_type kText = fourcc("text");
    add_file("texts", {{kText, fourcc("test"), "Briefing", Bytes{'a', 13, 'b'}},
                       {fourcc("stli"), fourcc("new "), "Fresh", Bytes(4, 0)},
                       {fourcc("temp"), fourcc("long"), "Long", Bytes(kTextEditorLimit + 100, 'x')}});
    TTagEditForm& editor = open(kText, fourcc("test"));
    EXPECT_EQ(editor.form_title(), "Text Editing Window");
    EXPECT_EQ(text(editor, 12401), "a\nb");
    EXPECT_FALSE(editor.isModified());
    type(editor, 12401, "first\nsecond\n");
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(payload(kText, fourcc("test")), (Bytes{'f', 'i', 'r', 's', 't', 13, 's', 'e', 'c', 'o', 'n', 'd', 13}));
    type(editor, 12401, "");
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(payload(kText, fourcc("test")), Bytes{0}) << "an empty text is one NUL byte";

    // A new string list (four zero bytes) opens unmodified.
    TTagEditForm& fresh = open(fourcc("stli"), fourcc("new "));
    EXPECT_EQ(fresh.form_title(), "String List Editing Window");
    EXPECT_FALSE(fresh.isModified());

    // A text longer than the limit is shown whole and never cut: Apply refuses it.
    TTagEditForm& long_text = open(fourcc("temp"), fourcc("long"));
    EXPECT_EQ(long_text.form_title(), "Template Editing Window");
    EXPECT_EQ(text(long_text, 12401).size(), static_cast<qsizetype>(kTextEditorLimit + 100));
    EXPECT_FALSE(long_text.isModified());
    long_text.control<QPlainTextEdit>(12401)->appendPlainText(QStringLiteral("more"));
    {
        DialogScript dialogs({[](XGDialog& alert) {
            EXPECT_TRUE(alert.text_of(kAlertTextControl).contains(QStringLiteral("16,384")));
            alert.click(1);
        }});
        click(long_text, TTagEditForm::kApplyButton);
    }
    EXPECT_EQ(payload(fourcc("temp"), fourcc("long")).size(), kTextEditorLimit + 100);
    EXPECT_TRUE(long_text.isModified());
}

TEST_F(SpecialEditors, SwatchesAndLightPicturesFollowTheTypedColours) {
    constexpr tag_type kGlli = fourcc("glli");
    constexpr tag_type kLoli = fourcc("loli");
    add_file("lights", {{kGlli, fourcc("test"), "Dusk", PayloadBuilder(56).zero(0, 56).put(40, 4, -65536).bytes()},
                        {kLoli, fourcc("test"), "Torch", PayloadBuilder(48).zero(0, 48).bytes()}});
    TTagEditForm& global = open(kGlli, fourcc("test"));
    const auto centre = [&](int preview) {
        const QImage picture = global.find_control(preview)->grab().toImage();
        return picture.pixelColor(picture.width() / 2, picture.height() / 2);
    };
    EXPECT_EQ(centre(23), QColor(0, 0, 0)) << "no light at all";
    type(global, 10, "255"); // key light red, from above
    EXPECT_EQ(global.control<ColourSwatch>(9)->colour(), QColor(255, 0, 0));
    EXPECT_EQ(centre(23).red(), 255) << "the top view faces the key light";
    EXPECT_EQ(centre(26).red(), 0) << "the back view sees the sphere's side, edge-on to the light";
    type(global, 2, "40"); // ambient
    EXPECT_EQ(centre(26), QColor(40, 0, 0));

    TTagEditForm& local = open(kLoli, fourcc("test"));
    type(local, 21, "255"); // colour B green
    EXPECT_EQ(local.control<ColourSwatch>(19)->colour(), QColor(0, 255, 0));
    EXPECT_EQ(local.control<ColourSwatch>(15)->colour(), QColor(0, 0, 0)) << "colour A untouched";
    type(local, 17, "128");
    EXPECT_EQ(local.control<ColourSwatch>(15)->colour(), QColor(0, 128, 0));
}

TEST_F(SpecialEditors, GameParametersReferThreeMaps) {
    constexpr tag_type kGame = fourcc("game");
    add_file("game", {{kGame, fourcc("test"), "Campaign",
                       PayloadBuilder(32).put(0, 4, fourcc("high")).put(4, 4, -1).put(8, 4, 0).bytes()},
                      {fourcc("mesh"), fourcc("high"), "Highlands", Bytes(8, 0)}});
    TTagEditForm& editor = open(kGame, fourcc("test"));
    EXPECT_EQ(text(editor, 100), "Highlands");
    EXPECT_EQ(text(editor, 102), "(tag unassigned)");
    EXPECT_EQ(text(editor, 104), "(tag unassigned)");
    {
        DialogScript dialogs({press(100)}); // Select the only map
        click(editor, 104);
    }
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(at(kGame, 0, 4), fourcc("high"));
    EXPECT_EQ(at(kGame, 4, 4), 0xFFFFFFFF);
    EXPECT_EQ(at(kGame, 8, 4), fourcc("high"));
}

} // namespace
} // namespace zephane
