// The ground sprites editor through its controls: a new tag's four empty sets, Get Mask...
// taking any file over byte for byte, Clear Mask, the sprite and the density, and what the
// commit stores.

#include "base/byte_reader.h"
#include "textures/grsp_payload.h"
#include "textures/sprite_definition.h"
#include "textures/ui/grsp_form.h"
#include "app/value_controls.h"
#include "framework/xg_alert.h"
#include "ui/editor_support.h"

#include <QUndoStack>

#include <cstring>

namespace zephane {
namespace {

using namespace ground_sprites_control;
using uitest::Bytes;
using uitest::DialogScript;
using uitest::FileScript;

constexpr tag_id kMoss = fourcc("moss");

Bytes bytes_of(std::size_t size, std::uint8_t seed) {
    Bytes out(size);
    for (std::size_t k = 0; k < size; ++k) out[k] = static_cast<std::uint8_t>(seed ^ (k * 13));
    return out;
}

class GroundSpritesEditor : public uitest::EditorFixture {
protected:
    TTagEditForm& open_ground(Bytes payload = new_ground_sprites_payload()) {
        add_file("ground", {{kGroundSpritesTagType, kMoss, "Moss", std::move(payload)},
                            {kSpriteTagType, fourcc("fern"), "Fern", build_sprite_payload(SpriteDefinition{})}});
        return open(kGroundSpritesTagType, kMoss);
    }
    const Bytes& stored() { return payload(kGroundSpritesTagType, kMoss); }
    void get_mask(TTagEditForm& editor, int set, const std::string& path) {
        FileScript files({QString::fromStdString(path)});
        click(editor, id(set, kGetMask));
        ASSERT_EQ(files.requests().size(), 1u);
        EXPECT_EQ(files.requests()[0].filter, "JPEG|*.jpg|All Files|*.*");
        EXPECT_EQ(files.requests()[0].default_extension, "jpg");
    }
};

TEST_F(GroundSpritesEditor, ANewTagShowsFourEmptySets) {
    TTagEditForm& editor = open_ground();
    EXPECT_EQ(editor.form_title(), "Ground Sprites");
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(text(editor, id(s, kSprite)), "No Tag") << s;
        EXPECT_EQ(text(editor, id(s, kMaskName)), "(none)") << s;
        EXPECT_EQ(text(editor, id(s, kDensity)), "0") << s;
        EXPECT_FALSE(enabled(editor, id(s, kClearMask))) << s;
    }
    EXPECT_FALSE(editor.isModified());
}

TEST_F(GroundSpritesEditor, MasksInSetsOneAndThreeAreLaidOutBehindTheHeader) {
    TTagEditForm& editor = open_ground();
    const Bytes first = bytes_of(1000, 0x11);
    Bytes second = bytes_of(2000, 0x77); // not a JPEG: taken over as it is
    get_mask(editor, 3, folder.write("masks/second.jpg", second));
    EXPECT_EQ(text(editor, id(3, kMaskName)), "second.jpg");
    EXPECT_TRUE(editor.isModified());
    get_mask(editor, 1, folder.write("first.dat", first));
    EXPECT_EQ(text(editor, id(1, kMaskName)), "first.dat");
    editor.control<TagReferenceButton>(id(1, kSprite))->choose(app->db(), fourcc("fern"));
    EXPECT_EQ(text(editor, id(1, kSprite)), "Fern");
    type(editor, id(1, kDensity), "-25");
    click(editor, TTagEditForm::kApplyButton);

    const Bytes& p = stored();
    ASSERT_EQ(p.size(), 3400u);
    for (std::size_t s : {0u, 2u}) {
        EXPECT_EQ(load_u32(p.data() + 100 * s + 4), 0u);
        EXPECT_EQ(load_u32(p.data() + 100 * s + 8), 0u);
    }
    EXPECT_EQ(load_u32(p.data() + 104), 400u);
    EXPECT_EQ(load_u32(p.data() + 108), 1000u);
    EXPECT_EQ(load_u32(p.data() + 304), 1400u);
    EXPECT_EQ(load_u32(p.data() + 308), 2000u);
    EXPECT_EQ(load_u32(p.data() + 100), fourcc("fern"));
    EXPECT_EQ(load_u16(p.data() + 116), 0xFFE7); // −25
    EXPECT_EQ(Bytes(p.begin() + 400, p.begin() + 1400), first);
    EXPECT_EQ(Bytes(p.begin() + 1400, p.end()), second);
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(text(editor, id(1, kMaskName)), "first.dat") << "shown again after the reload";

    // Clear Mask frees set 1's mask; set 3's moves up to 400.
    click(editor, id(1, kClearMask));
    EXPECT_EQ(text(editor, id(1, kMaskName)), "(none)");
    EXPECT_TRUE(editor.isModified());
    click(editor, TTagEditForm::kApplyButton);
    ASSERT_EQ(stored().size(), 2400u);
    EXPECT_EQ(load_u32(stored().data() + 104), 0u);
    EXPECT_EQ(load_u32(stored().data() + 304), 400u);
    EXPECT_EQ(stored()[136], 0) << "the name went with the mask";

    // Another mask replaces the one a set had.
    get_mask(editor, 3, folder.write("third.jpg", Bytes{1, 2, 3}));
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(stored().size(), 403u);
}

TEST_F(GroundSpritesEditor, CarriedBytesStayAndUntouchedEditorsAreNotModified) {
    // A stored layout other than the commit's (the mask before the header would put it) and a
    // name with bytes behind its terminator: shown as it is, no change until the user makes one.
    Bytes p = new_ground_sprites_payload();
    p.resize(410, 0xAB);
    store_u32(p.data() + 204, 405);
    store_u32(p.data() + 208, 5);
    std::memcpy(p.data() + 236, "odd.jpg\0xy", 10);
    for (std::size_t k = 0; k < 18; ++k) p[218 + k] = static_cast<std::uint8_t>(k + 1);
    TTagEditForm& editor = open_ground(p);
    EXPECT_EQ(text(editor, id(2, kMaskName)), "odd.jpg");
    EXPECT_FALSE(editor.isModified());
    type(editor, id(2, kDensity), "3");
    click(editor, TTagEditForm::kApplyButton);
    const Bytes& out = stored();
    ASSERT_EQ(out.size(), 405u);
    EXPECT_EQ(load_u32(out.data() + 204), 400u);
    EXPECT_EQ(Bytes(out.begin() + 400, out.end()), Bytes(5, 0xAB));
    EXPECT_EQ(out[236 + 8], 0) << "cleaned behind the terminator";
    for (std::size_t k = 0; k < 18; ++k) EXPECT_EQ(out[218 + k], k + 1);
}

TEST_F(GroundSpritesEditor, RefusalsLeaveTheSetAsItWas) {
    TTagEditForm& editor = open_ground();
    {
        DialogScript alert({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.text_of(kAlertTextControl), "The mask empty.jpg is empty.");
            dialog.click(1);
        }});
        get_mask(editor, 0, folder.write("empty.jpg", {}));
    }
    EXPECT_EQ(text(editor, id(0, kMaskName)), "(none)");
    EXPECT_FALSE(editor.isModified());
    {
        FileScript cancelled({std::nullopt});
        click(editor, id(0, kGetMask));
    }
    EXPECT_FALSE(editor.isModified());

    type(editor, id(2, kDensity), "40000");
    {
        DialogScript alert({[](XGDialog& dialog) {
            EXPECT_EQ(dialog.text_of(kAlertTextControl),
                      "Sprite Set 2 - Density: 40000 is not between -32768 and 32767.");
            dialog.click(1);
        }});
        click(editor, TTagEditForm::kApplyButton);
    }
    EXPECT_EQ(stored(), new_ground_sprites_payload());
    type(editor, id(2, kDensity), "-32768");
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(load_u16(stored().data() + 216), 0x8000);
}

} // namespace
} // namespace zephane

namespace zephane {
namespace {

TEST_F(GroundSpritesEditor, MaskAndDensityStepsAreUndoneToTheSameBytes) {
    TTagEditForm& editor = open_ground();
    const Bytes before = stored();
    get_mask(editor, 2, folder.write("moss.jpg", bytes_of(300, 7)));
    type(editor, id(2, kDensity), "12");
    EXPECT_EQ(editor.undo_stack().count(), 2);
    click(editor, TTagEditForm::kApplyButton);
    const Bytes after = stored();
    ASSERT_NE(after, before);

    editor.undo_stack().undo();
    editor.undo_stack().undo();
    EXPECT_EQ(text(editor, id(2, kMaskName)), "(none)");
    EXPECT_EQ(text(editor, id(2, kDensity)), "0");
    editor.undo_stack().redo();
    editor.undo_stack().redo();
    EXPECT_EQ(text(editor, id(2, kMaskName)), "moss.jpg");
    expect_steps_undone(editor, 2, kGroundSpritesTagType, kMoss, before, after);
}

} // namespace
} // namespace zephane
