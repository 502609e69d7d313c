// Every definition editor driven through its controls: payloads made byte by byte, the texts
// the editor shows for them, values typed as a user types them, and the bytes Apply stores.
// Bytes no control edits (reserved runs, unused words, fields without controls) must come
// back exactly as they were.

#include "ui/editor_support.h"

#include <bit>
#include <set>

namespace zephane {
namespace {

using uitest::Bytes;
using uitest::PayloadBuilder;

enum class Kind { edit, check, popup };

struct Field {
    Kind kind;
    int control;
    std::size_t offset;
    std::size_t width;
    bool is_signed;
    std::int64_t stored;
    const char* shown; // a check box: "1" when checked; a popup: its entry
    const char* typed; // a popup: the index chosen
    std::int64_t expected;
};

struct EditorCase {
    const char* type;
    std::size_t size;
    const char* title; // the form's own title
    std::vector<Field> fields;
};

Field edit(int control, std::size_t offset, std::size_t width, bool is_signed, std::int64_t stored,
           const char* shown, const char* typed, std::int64_t expected) {
    return {Kind::edit, control, offset, width, is_signed, stored, shown, typed, expected};
}
Field check(int control, std::size_t offset, std::size_t width, std::int64_t stored,
            const char* shown, const char* typed, std::int64_t expected) {
    return {Kind::check, control, offset, width, false, stored, shown, typed, expected};
}
Field popup(int control, std::size_t offset, std::int64_t stored, const char* shown,
            const char* typed, std::int64_t expected) {
    return {Kind::popup, control, offset, 2, true, stored, shown, typed, expected};
}

std::int64_t float_bits(float value) { return std::bit_cast<std::uint32_t>(value); }

std::vector<EditorCase> cases() {
    return {
        {"arti", 168, "Artifact Window",
         {check(10115, 0, 4, 0x80000001, "1", "0", 0x80000002),
          check(10116, 0, 4, 0x80000001, "0", "1", 0x80000002),
          popup(10105, 8, 2, "Sword", "0", 0), // "None" stores 0
          edit(10113, 10, 2, true, 3, "3", "2", 2),
          edit(10114, 12, 2, true, 3, "5", "6", 5), // 2 to 6: delta 5
          popup(10109, 20, 4, "Sequence 4", "0", 0)}},
        {"obje", 64, "Object Window",
         {check(11609, 0, 2, 0x0005, "1", "1", 0x0007),
          check(11610, 0, 2, 0x0005, "0", "1", 0x0007),
          check(11611, 0, 2, 0x0005, "1", "1", 0x0007),
          check(11612, 0, 2, 0x0005, "0", "0", 0x0007),
          edit(11601, 2, 2, true, -64, "-0.125", "-0.25", -128),
          edit(11603, 4, 2, true, 128, "0.5", "0.75", 192),
          edit(11602, 6, 2, true, 5120, "10.0", "12.5", 6400),
          edit(11604, 8, 2, true, 256, "1.0", "1.5", 384),
          edit(11605, 10, 2, true, 257, "2.0", "3", 385),
          edit(11606, 12, 2, true, 256, "1.0", "1.0", 256),
          edit(11607, 14, 2, true, 0, "1.0", "1.0", 0),
          edit(11608, 48, 2, true, 1, "0.004", "0.004", 1)}}, // shown shorter than stored
        {"ligh", 64, "Lightning Window",
         {check(10706, 0, 4, 0x80000001, "1", "0", 0x80000002),
          check(10707, 0, 4, 0x80000001, "0", "1", 0x80000002),
          edit(10711, 8, 4, true, 45, "1.5", "2.5", 75), // seconds to ticks
          edit(10712, 12, 4, true, 7, "7", "9", 9),
          edit(10703, 20, 2, true, 2, "2", "3", 3),
          edit(10715, 28, 2, true, 256, "1.0", "2", 512),
          edit(10716, 30, 2, true, 0, "0", "3", 3), // 3 to 7: lower 3, span 4
          edit(10717, 32, 2, true, 0, "0", "7", 4),
          edit(10721, 56, 2, true, 1, "1", "4", 4)}},
        {"medi", 256, "Media Type Window",
         {edit(11009, 116, 2, true, 3, "3", "4", 4),
          edit(11010, 118, 2, true, 45, "1.5", "0.5", 15), // seconds to ticks
          edit(12001, 122, 2, true, 256, "1.0", "0.5", 128),
          edit(13001, 134, 2, true, 128, "0.5", "2", 512),      // Diffuse 0
          edit(14506, 180, 2, true, 512, "2.0", "-1", -256)}}, // Specular 1, its last value
        {"part", 128, "Particle Systems Window",
         {check(11814, 0, 4, 0x5, "1", "0", 0xC), check(11900, 0, 4, 0x5, "0", "1", 0xC),
          edit(11812, 22, 2, true, 100, "100", "250", 250),
          edit(11821, 28, 4, true, 0, "0.0", "-1", -65536), // -1 to 1: span 2.0
          edit(11822, 40, 4, true, 0, "0.0", "1", 131072),
          edit(11817, 58, 2, true, 256, "1.0", "2", 512),
          edit(11827, 60, 2, true, 45, "1", "10", 300), // whole seconds: 10 to 20 stores 300, 300
          edit(11828, 62, 2, true, 0, "1", "20", 300),
          edit(11837, 80, 2, true, 30, "1", "1", 30), // transition 1 to 3 seconds: span 60
          edit(11838, 82, 2, true, 0, "1", "3", 60)}},
        {"unit", 128, "Unit Window",
         {edit(101, 16, 2, false, 65535, "255", "128", 128 * 257),
          edit(3, 4, 4, true, 1, "1", "5", 3), // clamped to three variations
          edit(206, 52, 2, false, 0, "0", "255", 65535)}},
        {"amso", 64, "Ambient Sound Window",
         {edit(10005, 4, 2, true, 512, "1.0", "2", 1024),
          edit(10006, 6, 2, true, 5120, "10.0", "20.5", 10496),
          edit(10007, 8, 2, true, 45, "1.5", "5", 150),
          edit(10008, 10, 2, true, 30, "2.5", "10", 150),
          edit(10009, 36, 2, true, 256, "0.5", "0.5", 256)}},
        {"loli", 48, "Local Light",
         {edit(12, 2, 2, true, 10, "10", "15", 15), edit(13, 4, 2, true, 30, "30", "60", 60),
          edit(14, 6, 2, true, 5, "5", "5", 5), edit(1, 8, 4, true, 1024, "2.0", "3.5", 1792),
          edit(16, 12, 2, false, 65535, "255", "255", 65535),
          edit(17, 14, 2, false, 32896, "128", "64", 16448),
          edit(18, 16, 2, false, 0x00FF, "0", "0", 0x00FF),
          edit(20, 20, 2, false, 0, "0", "255", 65535), edit(21, 22, 2, false, 0, "0", "255", 65535),
          edit(22, 24, 2, false, 0, "0", "1", 257),
          edit(8, 28, 2, false, 1, "0.01", "0.01", 1), edit(10, 30, 2, false, 100, "0.55", "360", 0),
          edit(9, 32, 2, true, 100, "100", "-100", -100), edit(11, 34, 2, true, 0, "0", "7", 7),
          edit(2, 36, 2, false, 0, "0.0", "90", 16384), edit(3, 38, 2, true, 0, "0.0", "0.5", 256),
          edit(4, 40, 2, false, 0, "0.0", "45", 8192), edit(5, 42, 2, true, 0, "0.0", "1", 512),
          edit(6, 44, 2, false, 0, "0.0", "-90", 49152),
          edit(7, 46, 2, true, 0, "0.0", "-1", -512)}},
        {"glli", 56, "Global Light",
         {edit(2, 0, 2, false, 64 * 257, "64", "32", 32 * 257),
          edit(3, 2, 2, false, 64 * 257, "64", "64", 64 * 257),
          edit(8, 12, 2, false, 0, "0", "200", 200 * 257),
          edit(10, 16, 2, false, 65535, "255", "255", 65535),
          edit(16, 28, 2, false, 0, "0", "10", 2570),
          edit(17, 32, 4, true, 0, "0.0", "0.5", 32768), edit(18, 36, 4, true, 0, "0.0", "0", 0),
          edit(19, 40, 4, true, -65536, "-1.0", "-0.75", -49152),
          edit(20, 44, 4, true, 1, "0.0", "0.0", 1),
          edit(22, 52, 4, true, 65536, "1.0", "-1", -65536)}},
        {"wind", 128, "Wind Dialog",
         {edit(12801, 4, 4, true, 45, "1.5", "1.5", 45),
          edit(12802, 8, 4, true, 0, "1.5", "2.5", 31),
          edit(12803, 12, 4, true, 6554, "0.1", "0.1", 6554),
          edit(12804, 16, 4, true, 65536, "1.0", "-1", -65536),
          edit(12805, 28, 4, true, 65537, "2.0", "1", 131073),
          edit(12806, 20, 4, true, 0, "0.0", "0.5", 32768),
          edit(12807, 32, 4, true, 0, "0.0", "0.5", 0),
          edit(12808, 24, 4, true, 100, "0.0015", "0.0015", 100),
          edit(12809, 36, 4, true, 0, "0.0015", "0.0015", 0)}},
        {"form", 40, "Formations Window",
         {edit(10501, 0, 2, true, 8, "8", "10", 10),
          edit(10502, 2, 2, true, 1024, "2.0", "2.5", 1280),
          edit(10511, 20, 2, true, -128, "-0.5", "0.25", 64),
          edit(10514, 26, 2, false, 8192, "45.0", "90", 16384),
          edit(10515, 28, 2, false, 0, "0.0", "-90", 49152),
          edit(10519, 36, 2, true, 512, "1.0", "1", 512)}},
        {"conn", 32, "Connectors Window",
         {popup(10303, 8, 0, "None", "3", 3),
          edit(10307, 10, 2, true, 64, "0.25", "1", 256),
          edit(10308, 12, 2, true, -512, "-1.0", "-1.0", -512),
          popup(10305, 14, 199, "Sequence 199", "1", 1)}},
        {"meef", 36, "Mesh Effect Window",
         {check(11107, 0, 4, 2, "0", "1", 3), check(11108, 0, 4, 2, "1", "1", 3),
          edit(11101, 4, 2, true, 256, "0.5", "1", 512),
          edit(11103, 6, 2, true, 0, "0.0", "3", 1536),
          edit(11104, 8, 2, true, 384, "1.5", "2", 512),
          edit(11102, 10, 2, true, 0, "0.0", "0.25", 128),
          edit(11105, 12, 2, true, 0, "0.0", "-0.5", -256),
          popup(11106, 14, 1, "Explosion", "0", -1), // "None" stores −1
          popup(11111, 20, 0, "None", "2", 2),
          edit(11112, 22, 2, true, 16, "16", "24", 24),
          edit(11113, 24, 2, true, 512, "1.0", "1.0", 512),
          edit(11114, 26, 2, true, 0, "0.0", "0.125", 64)}},
        {"meli", 64, "Mesh Lighting Dialog",
         {edit(11201, 0, 4, true, 0, "0.0", "0.5", 32768),
          edit(11203, 8, 4, true, -65536, "-1.0", "-1.0", -65536),
          edit(11204, 12, 4, true, 16384, "0.25", "0.3", 19661),
          edit(11207, 24, 4, true, 65536, "1.0", "2", 131072),
          edit(11208, 28, 2, true, 100, "100", "200", 200),
          edit(11210, 30, 2, true, 1, "1", "3", 3),
          edit(11209, 32, 4, false, float_bits(1.0f), "1.0", "0.12345678",
               float_bits(0.12345678f))}},
        {"obpc", 256, "Observer Constants Window",
         {edit(11701, 0, 4, true, 65536, "1.0", "7", 7 * 65536),
          edit(11704, 48, 4, true, 65536, "1.0", "3", 3 * 65536),
          edit(11706, 72, 4, true, 65536, "1.0", "4", 4 * 65536),
          edit(11703, 96, 4, true, 65536, "1.0", "2", 2 * 65536), // "Vertical" is the third column
          edit(11738, 116, 4, true, 0, "0.0", "-0.5", -32768),
          edit(11705, 120, 4, true, 65536, "1.0", "5", 5 * 65536),
          edit(11707, 144, 4, true, 65536, "1.0", "6", 6 * 65536)}},
    };
}

class DefinitionEditors : public uitest::EditorFixture {};

TEST_F(DefinitionEditors, ShowStoredValuesAndStoreWhatIsTyped) {
    for (const EditorCase& c : cases()) {
        SCOPED_TRACE(c.type);
        const tag_type code = text_to_tag_id(c.type);
        PayloadBuilder builder(c.size);
        for (const Field& f : c.fields) builder.put(f.offset, f.width, f.stored);
        const Bytes before = builder.bytes();
        add_file(c.type, {{code, fourcc("test"), std::string("Test ") + c.type, before}});
        TTagEditForm& editor = open(code, fourcc("test"));
        EXPECT_EQ(editor.form_title(), c.title);
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("Test %1 (test/%1)").arg(c.type));
        EXPECT_FALSE(editor.isModified()) << "an editor just reloaded holds no change";
        EXPECT_FALSE(enabled(editor, TTagEditForm::kApplyButton));
        EXPECT_FALSE(enabled(editor, TTagEditForm::kReloadButton));

        bool changes = false;
        for (const Field& f : c.fields) {
            SCOPED_TRACE(f.control);
            switch (f.kind) {
            case Kind::edit:
                EXPECT_EQ(text(editor, f.control), f.shown);
                type(editor, f.control, f.typed);
                changes = changes || QString::fromLatin1(f.typed) != f.shown;
                break;
            case Kind::check:
                EXPECT_EQ(checked(editor, f.control), f.shown[0] == '1');
                if (f.typed[0] != f.shown[0]) {
                    click(editor, f.control);
                    changes = true;
                }
                break;
            case Kind::popup:
                EXPECT_EQ(text(editor, f.control), f.shown);
                choose(editor, f.control, std::atoi(f.typed));
                changes = true;
                break;
            }
        }
        EXPECT_EQ(enabled(editor, TTagEditForm::kApplyButton), changes);
        if (changes) click(editor, TTagEditForm::kApplyButton);
        EXPECT_FALSE(enabled(editor, TTagEditForm::kApplyButton)) << "applied: nothing left";

        const Bytes& after = payload(code, fourcc("test"));
        ASSERT_EQ(after.size(), c.size);
        std::set<std::size_t> edited;
        for (const Field& f : c.fields) {
            EXPECT_EQ(uitest::number_at(after, f.offset, f.width, f.is_signed), f.expected)
                << "control " << f.control << " at " << f.offset;
            for (std::size_t k = 0; k < f.width; ++k) edited.insert(f.offset + k);
        }
        for (std::size_t k = 0; k < c.size; ++k)
            if (!edited.count(k)) {
                EXPECT_EQ(after[k], before[k]) << "byte " << k << " was kept";
            }
        EXPECT_EQ(tag(code, fourcc("test")).dirty, changes);

        // Typing a value and then the previous value again is no change.
        const Field& first_edit = *std::find_if(c.fields.begin(), c.fields.end(),
                                                [](const Field& f) { return f.kind == Kind::edit; });
        const QString previous = text(editor, first_edit.control);
        type(editor, first_edit.control, "12");
        EXPECT_TRUE(enabled(editor, TTagEditForm::kApplyButton));
        EXPECT_TRUE(enabled(editor, TTagEditForm::kReloadButton));
        type(editor, first_edit.control, previous);
        EXPECT_FALSE(enabled(editor, TTagEditForm::kApplyButton));
        EXPECT_FALSE(enabled(editor, TTagEditForm::kReloadButton));
    }
}

} // namespace
} // namespace zephane
