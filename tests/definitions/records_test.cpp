// Reading and writing definition records: blocks with descriptors of their own, bytes no
// field covers, new-tag payloads, lookup by identifier, and the text types.

#include <gtest/gtest.h>

#include "definition_test_support.h"
#include "definitions/definition_types.h"
#include "definitions/mons.h"
#include "definitions/obje.h"
#include "definitions/phys.h"
#include "definitions/register_tag_types.h"
#include "definitions/text_tag.h"
#include "base/byte_reader.h"

namespace zephane {
namespace {

using test::add_record;

TEST(MonsterRecord, SequenceBlocksFollowTheGraphicKind) {
    monster_definition m = monster_definition::kDefault;
    m.number_of_attacks = 1;
    m.attacks[0].flags = 0x0102;
    m.attacks[0].sequence_block.sequences.entries[0].values[0] = 0x0304;
    m.attacks[3].projectile = fourcc("last");

    TagDatabase db;
    TagEntry& collection = add_record(db, m);
    const std::uint8_t* bytes = collection.data->data();
    EXPECT_EQ(load_u16(bytes + 140), 0x0102);        // the attack's own descriptor
    EXPECT_EQ(load_u16(bytes + 152), 0x0304);        // and its sequence entries
    EXPECT_EQ(load_u32(bytes + 140 + 3 * 64 + 4), fourcc("last")); // every slot, whatever the count

    m.flags = 1u << kMonsterSkeletalBit;
    m.attacks[0].sequence_block.bytes[0] = 7; // the animation state
    m.attacks[0].sequence_block.bytes[1] = 0x11;
    m.attacks[0].sequence_block.bytes[2] = 0x22;
    TagEntry& skeletal = add_record(db, m);
    bytes = skeletal.data->data();
    EXPECT_EQ(bytes[152], 7);
    EXPECT_EQ(bytes[153], 0x11); // nothing in the block is swapped
    EXPECT_EQ(bytes[154], 0x22);

    monster_definition back{};
    ASSERT_TRUE(read_definition(db, skeletal, back));
    EXPECT_EQ(std::memcmp(&back, &m, sizeof m), 0);
    EXPECT_FALSE(definition_differs(db, skeletal, m));
    back.attacks[2].sequence_block.bytes[5] = 1;
    EXPECT_TRUE(definition_differs(db, skeletal, back));
}

TEST(LocalPhysicsRecord, UnknownKindsReadUnconvertedAndAreNotWritten) {
    Payload bytes(64);
    for (std::size_t k = 0; k < bytes.size(); ++k) bytes[k] = static_cast<std::uint8_t>(k);
    bytes[0] = 0;
    bytes[1] = 7;
    TagDatabase db;
    TagEntry& tag = *db.add_tag(db.create_tag_file(), fourcc("phys"), fourcc("test"), 1, "p", 0, 0, bytes);
    local_physics_definition p{};
    ASSERT_TRUE(read_definition(db, tag, p));
    EXPECT_EQ(p.kind, 7);
    EXPECT_TRUE(std::equal(bytes.begin() + 4, bytes.end(), p.block.bytes));
    EXPECT_FALSE(write_definition(db, tag, p));
    EXPECT_EQ(*tag.data, bytes);

    // Explosive gas: the drag coefficient is the block's one 16-bit value.
    p.kind = 5;
    p.block.explosive_gas.drag_coefficient = 0x0180;
    p.block.explosive_gas.linear_acceleration[2] = -512;
    ASSERT_TRUE(write_definition(db, tag, p));
    EXPECT_EQ(load_u16(tag.data->data() + 4 + 28), 0x0180);
    EXPECT_EQ(load_u32(tag.data->data() + 4 + 24), 0xFFFFFE00u);
    EXPECT_EQ(load_u16(tag.data->data()), 5);
}

TEST(DefinitionRecord, WritesKeepBytesNoFieldEdits) {
    TagDatabase db;
    Payload bytes(70, 0);
    for (std::size_t k = 50; k < 70; ++k) bytes[k] = static_cast<std::uint8_t>(k); // reserved and tail
    TagEntry& tag = *db.add_tag(db.create_tag_file(), fourcc("obje"), fourcc("rock"), 1, "Rock", 0, 0, bytes);
    object_definition o{};
    ASSERT_TRUE(read_definition(db, tag, o));
    o.gravity = 3;
    ASSERT_TRUE(write_definition(db, tag, o));
    ASSERT_EQ(tag.data->size(), 70u);
    EXPECT_EQ(load_u16(tag.data->data() + 2), 3);
    EXPECT_TRUE(std::equal(bytes.begin() + 50, bytes.end(), tag.data->begin() + 50));
    // A payload longer than the record differs from it for the editors.
    EXPECT_TRUE(definition_differs(db, tag, o));

    TagEntry& short_tag = *db.add_tag(tag.file, fourcc("obje"), fourcc("shrt"), 1, "Short", 0, 0, Payload(10, 9));
    object_definition untouched = object_definition::kDefault;
    EXPECT_FALSE(read_definition(db, short_tag, untouched));
    EXPECT_EQ(untouched.scale_lower, 256);
}

TEST(DefinitionRecord, LookupByIdentifier) {
    TagDatabase db;
    object_definition o = object_definition::kDefault;
    o.gravity = 11;
    add_record(db, o, fourcc("rock"));
    o.gravity = 22;
    add_record(db, o, fourcc("rock")); // a later file: found first
    object_definition found{};
    EXPECT_TRUE(get_definition(db, fourcc("rock"), &found));
    EXPECT_EQ(found.gravity, 22);
    EXPECT_FALSE(get_definition(db, fourcc("none"), &found));
    try {
        get_definition<object_definition>(db, fourcc("rock"), nullptr);
        FAIL() << "no internal error";
    } catch (const InternalError& e) {
        EXPECT_EQ(e.expression(), "def");
        EXPECT_EQ(e.module(), "obje.cpp");
    }
}

TEST(NewTags, DefaultsGiveTheRecordInFileOrder) {
    detach_all_tag_operations();
    register_tag_types();
    for (const DefinitionType& t : definition_types()) {
        const TagDefaultsOp defaults = tag_type_defaults(t.type);
        if (!defaults) continue;
        SCOPED_TRACE(tag_text(t.type));
        TagDatabase db;
        TagEntry& tag = *db.add_tag(db.create_tag_file(), t.type, fourcc("new "), 1, "", 0, 0, std::nullopt);
        defaults(db, tag);
        if (t.type == fourcc("temp")) {
            EXPECT_FALSE(tag.data.has_value()); // Create Tag removes it again
            continue;
        }
        ASSERT_TRUE(tag.data.has_value());
        EXPECT_TRUE(tag.dirty);
        EXPECT_EQ(tag.data->size(), t.layout ? t.layout->size : 4u);
    }
    // References are none and scales one.
    TagDatabase db;
    TagEntry& object = *db.add_tag(db.create_tag_file(), fourcc("obje"), fourcc("new "), 1, "", 0, 0, std::nullopt);
    tag_type_defaults(fourcc("obje"))(db, object);
    EXPECT_EQ(load_u16(object.data->data() + 12), 256);
    TagEntry& group = *db.add_tag(object.file, fourcc("lpgr"), fourcc("new "), 1, "", 0, 0, std::nullopt);
    tag_type_defaults(fourcc("lpgr"))(db, group);
    EXPECT_EQ(load_u32(group.data->data() + 4), kNoTag);
    EXPECT_EQ(load_u16(group.data->data() + 12), 0xFFFF); // "(Static)"
}

TEST(TextTags, LinesAndEmptyTexts) {
    TagDatabase db;
    const Payload stored = {'a', '\r', 'b'};
    TagEntry& tag = *db.add_tag(db.create_tag_file(), fourcc("stli"), fourcc("name"), 1, "n", 0, 0, stored);
    EXPECT_EQ(read_text_tag(db, tag), "a\nb");
    EXPECT_FALSE(text_tag_differs(db, tag, "a\nb"));
    write_text_tag(db, tag, read_text_tag(db, tag));
    EXPECT_EQ(*tag.data, stored);

    write_text_tag(db, tag, "");
    EXPECT_EQ(*tag.data, Payload{0});
    EXPECT_EQ(read_text_tag(db, tag), "");
    EXPECT_TRUE(text_tag_differs(db, tag, "x"));

    TagEntry& nul = *db.add_tag(tag.file, fourcc("text"), fourcc("nul "), 1, "n", 0, 0, Payload{'h', 'i', 0, 'x'});
    EXPECT_EQ(read_text_tag(db, nul), "hi");
    TagEntry& empty = *db.add_tag(tag.file, fourcc("temp"), fourcc("none"), 1, "n", 0, 0, std::nullopt);
    EXPECT_EQ(read_text_tag(db, empty), "");
}

} // namespace
} // namespace zephane

namespace zephane {
namespace {

// What an editor's modified rule and Apply use: bytes past the record never count, a missing
// payload always does, and a tag without a payload takes the record whole.
TEST(DefinitionRecord, ChangesToThePayloadAndStoringIntoAnEmptyTag) {
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    Payload bytes(70, 0);
    bytes[69] = 0x77;
    TagEntry& long_tag = *db.add_tag(file, fourcc("obje"), fourcc("long"), 1, "Long", 0, 0, bytes);
    object_definition o{};
    ASSERT_TRUE(read_definition(db, long_tag, o));
    EXPECT_FALSE(definition_changes_payload(db, long_tag, o));
    o.gravity = 1;
    EXPECT_TRUE(definition_changes_payload(db, long_tag, o));
    ASSERT_TRUE(store_definition(db, long_tag, o));
    EXPECT_EQ(long_tag.data->size(), 70u);
    EXPECT_EQ((*long_tag.data)[69], 0x77);
    EXPECT_FALSE(definition_changes_payload(db, long_tag, o));

    TagEntry& short_tag = *db.add_tag(file, fourcc("obje"), fourcc("shrt"), 1, "Short", 0, 0, Payload(10, 0));
    EXPECT_TRUE(definition_changes_payload(db, short_tag, o));
    TagEntry& empty = *db.add_tag(file, fourcc("obje"), fourcc("none"), 1, "None", 0, 0, std::nullopt);
    EXPECT_TRUE(definition_changes_payload(db, empty, o));
    ASSERT_TRUE(store_definition(db, empty, object_definition::kDefault));
    ASSERT_TRUE(empty.data.has_value());
    EXPECT_EQ(empty.data->size(), 64u);
    EXPECT_EQ(load_u16(empty.data->data() + 8), 256); // maximum vitality 1.0
    EXPECT_TRUE(empty.dirty);
}

} // namespace
} // namespace zephane
