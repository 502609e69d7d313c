// Every definition record against its descriptor: the field table covers each byte once,
// and the conversions the record really goes through swap exactly the fields the table says,
// with the table's widths; dump and load through the table give back every byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "definitions/amso.h"
#include "definitions/arti.h"
#include "definitions/conn.h"
#include "definitions/core.h"
#include "definitions/definition_types.h"
#include "definitions/field_json.h"
#include "definitions/form.h"
#include "definitions/game.h"
#include "definitions/glli.h"
#include "definitions/ligh.h"
#include "definitions/loli.h"
#include "definitions/lpgr.h"
#include "definitions/medi.h"
#include "definitions/meef.h"
#include "definitions/meli.h"
#include "definitions/mons.h"
#include "definitions/obje.h"
#include "definitions/obpc.h"
#include "definitions/part.h"
#include "definitions/phys.h"
#include "definitions/prgr.h"
#include "definitions/proj.h"
#include "definitions/scen.h"
#include "definitions/soli.h"
#include "definitions/unit.h"
#include "definitions/wind.h"
#include "base/byte_reader.h"

namespace zephane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A value written into the record before converting, to pick one of its layouts.
struct Setting {
    std::size_t offset;
    std::size_t width;
    std::uint32_t value;
};
using Variant = std::vector<Setting>;

void apply(Bytes& file, const Variant& variant) {
    for (const Setting& s : variant)
        for (std::size_t k = 0; k < s.width; ++k)
            file[s.offset + k] = static_cast<std::uint8_t>(s.value >> (8 * (s.width - 1 - k)));
}

// What the table says the conversion does: each swapped field reversed in place. Also
// records which field owns each byte.
void expect_from_table(const RecordLayout& layout, std::size_t base, const RecordBytes& outer,
                       Bytes& native, std::vector<std::string>& owner, const std::string& path) {
    for (const FieldDef& field : layout.fields) {
        for (std::size_t k = 0; k < field.count; ++k) {
            const std::size_t at = base + field.offset + k * field.width;
            const std::string name = path + field.name + "[" + std::to_string(k) + "]";
            ASSERT_LE(at + field.width, native.size()) << name << " runs past the record";
            if (field.encoding == Encoding::record) {
                const RecordLayout& inner = record_layout(field, outer);
                ASSERT_EQ(inner.size, field.width) << name << ": a layout of another size";
                expect_from_table(inner, at, outer, native, owner, name + ".");
                continue;
            }
            for (std::size_t b = at; b < at + field.width; ++b) {
                ASSERT_TRUE(owner[b].empty()) << name << " overlaps " << owner[b] << " at " << b;
                owner[b] = name;
            }
            if (is_swapped_field(field))
                std::reverse(native.begin() + static_cast<std::ptrdiff_t>(at),
                             native.begin() + static_cast<std::ptrdiff_t>(at + field.width));
        }
    }
}

std::size_t count_layout_choices(const RecordLayout& layout) {
    std::size_t choices = 0;
    for (const FieldDef& field : layout.fields) {
        if (field.encoding != Encoding::record) continue;
        choices += field.layout_choices.size() + count_layout_choices(*field.layout);
        for (const LayoutChoice& choice : field.layout_choices)
            choices += count_layout_choices(*choice.layout);
    }
    return choices;
}

template <typename R>
void check_record(const std::vector<Variant>& variants) {
    SCOPED_TRACE(R::kStructName);
    ASSERT_EQ(R::kLayout.size, sizeof(R));
    ASSERT_EQ(bs_size(R::kCodes), sizeof(R));
    ASSERT_EQ(R::kLayout.codes, R::kCodes);
    ASSERT_EQ(find_definition_type(R::kType)->layout, &R::kLayout);
    if (count_layout_choices(R::kLayout) > 0) {
        ASSERT_GT(variants.size(), 1u) << "a record with layout choices needs a variant for each";
    }

    for (const Variant& variant : variants) {
        // Bytes that differ within every 4-byte window, so a swap of the wrong width shows.
        Bytes file(sizeof(R));
        for (std::size_t k = 0; k < file.size(); ++k) file[k] = static_cast<std::uint8_t>(k * 7 + 1);
        apply(file, variant);

        Bytes expected = file;
        std::vector<std::string> owner(file.size());
        expect_from_table(R::kLayout, 0, RecordBytes{file, ByteOrder::file}, expected, owner, "");
        for (std::size_t b = 0; b < owner.size(); ++b)
            ASSERT_FALSE(owner[b].empty()) << "byte " << b << " belongs to no field";

        TagDatabase db;
        TagFile* tag_file = db.create_tag_file();
        TagEntry* tag = db.add_tag(tag_file, R::kType, fourcc("test"), 1, "t", 0, 0, file);
        R record;
        ASSERT_TRUE(read_definition(db, *tag, record));
        Bytes native(sizeof(R));
        std::memcpy(native.data(), &record, sizeof(R));
        for (std::size_t b = 0; b < native.size(); ++b)
            ASSERT_EQ(native[b], expected[b]) << "byte " << b << " of " << owner[b];

        // And back: the written payload is the one read.
        if (write_definition(db, *tag, record)) {
            EXPECT_EQ(*tag->data, file);
            EXPECT_FALSE(definition_differs(db, *tag, record));
        }
    }
}

TEST(FieldTables, AgreeWithTheirDescriptors) {
    const Variant none;
    check_record<ambient_sound_definition>({none});
    check_record<artifact_definition>({none});
    check_record<collection_reference_definition>({none});
    check_record<connector_definition>({none});
    check_record<formation_definition>({none});
    check_record<game_parameter_definition>({none});
    check_record<global_light_definition>({none});
    check_record<lightning_definition>({none});
    check_record<local_light_definition>({none});
    check_record<local_projectile_group_definition>({none});
    check_record<media_type_definition>({none});
    check_record<mesh_effect_definition>({none});
    check_record<mesh_lighting_definition>({none});
    check_record<object_definition>({none});
    check_record<observer_constants_definition>({none});
    check_record<particle_system_definition>({none});
    check_record<projectile_group_definition>({none});
    check_record<projectile_definition>({none});
    check_record<scenery_definition>({none});
    check_record<sound_list_definition>({none});
    check_record<units_definition>({none});
    check_record<wind_definition>({none});
    // Attack sequence blocks: swapped for a collection graphic, untouched for a model.
    check_record<monster_definition>({{{0, 4, 0x00000000}}, {{0, 4, 0x00200000}}});
    // Each physics kind, and kinds outside 0 to 5 whose block stays as it is.
    std::vector<Variant> kinds;
    for (const std::uint32_t kind : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 0xFFFFu})
        kinds.push_back({{0, 2, kind}});
    check_record<local_physics_definition>(kinds);
}

TEST(FieldTables, EveryDefinitionTypeIsListedOnce) {
    std::vector<tag_type> types;
    for (const DefinitionType& t : definition_types()) {
        EXPECT_NE(find_tag_type(t.type), nullptr) << tag_text(t.type);
        types.push_back(t.type);
    }
    std::sort(types.begin(), types.end());
    EXPECT_EQ(std::adjacent_find(types.begin(), types.end()), types.end());
    EXPECT_EQ(types.size(), 27u);
}

// Dump then load gives back every byte, including reserved ones and bytes past the record,
// for random payloads of every type (random flags pick random layouts and reference types).
TEST(FieldJson, DumpThenLoadKeepsEveryByte) {
    std::mt19937 random(1234);
    for (const DefinitionType& t : definition_types()) {
        for (int round = 0; round < 20; ++round) {
            const std::size_t size = t.layout ? t.layout->size + (round % 3) * 5 : 40;
            Payload payload(size);
            for (auto& b : payload) b = static_cast<std::uint8_t>(random());
            if (round == 1 && t.layout) std::fill(payload.begin(), payload.end(), 0xFF);
            if (round == 2 && t.layout) std::fill(payload.begin(), payload.end(), 0);
            if (!t.layout && round % 2 == 0) // text that is UTF-8
                for (auto& b : payload) b = static_cast<std::uint8_t>('a' + b % 26);
            const ordered_json dumped = payload_to_json(t.type, payload);
            const ordered_json reparsed = ordered_json::parse(dumped.dump());
            const Payload loaded = payload_from_json(t.type, reparsed, Payload(size, 0x5A));
            ASSERT_EQ(loaded, payload) << tag_text(t.type) << " round " << round << "\n"
                                       << dumped.dump(1);
        }
    }
}

TEST(FieldJson, ShowsValuesInTheirUnits) {
    projectile_definition p{};
    p.flags = 1u << 22 | 1u << 3;
    p.graphic = kNoTag;
    p.contrail = fourcc("smok");
    p.object = 0;
    p.momentum_to_velocity_lower = 384;    // 1.5
    p.promotion_fraction = 65535;          // 1.0
    p.guided_turning_speed = 16384;        // a quarter turn a tick: 2700 degrees a second
    p.splash_type = 1;                     // "Medium"
    p.volume = 7;                          // beyond the names
    p.skeletal_marker = kSkeletalMarker;
    p.damage.type = -1;                    // "NONE"
    Payload bytes(sizeof p);
    byte_swap_copy("projectile", bytes.data(), &p, sizeof p, 1, projectile_definition::kCodes);
    const ordered_json record = payload_to_json(fourcc("proj"), bytes)["record"];
    EXPECT_EQ(record["flags"], ordered_json({"When Animation Loops", "Use Sprite instead of Projectile"}));
    EXPECT_TRUE(record["graphic"].is_null());
    EXPECT_EQ(record["contrail"], "spri:smok");
    EXPECT_EQ(record["object"], 0);
    EXPECT_EQ(record["momentum_to_velocity_lower"], 1.5);
    EXPECT_EQ(record["promotion_fraction"], 1.0);
    EXPECT_EQ(record["guided_turning_speed"], 2700.0);
    EXPECT_EQ(record["splash_type"], ordered_json({{"value", 1}, {"name", "Medium"}}));
    EXPECT_TRUE(record["volume"]["name"].is_null());
    EXPECT_EQ(record["damage"]["type"]["name"], "NONE");

    ordered_json changed = {{"record", {{"contrail", "proj:arro"}, {"splash_type", {{"name", "Large"}}}}}};
    const Payload loaded = payload_from_json(fourcc("proj"), changed, bytes);
    EXPECT_EQ(load_u32(loaded.data() + 20), fourcc("arro"));
    EXPECT_EQ(load_u16(loaded.data() + 14), 2);
    EXPECT_TRUE(std::equal(loaded.begin() + 24, loaded.end(), bytes.begin() + 24));
}

TEST(FieldJson, RefusesWhatDoesNotFit) {
    const Payload current(sizeof(object_definition), 0);
    const auto load = [&](const char* json) {
        return payload_from_json(fourcc("obje"), ordered_json::parse(json), current);
    };
    EXPECT_THROW(load(R"({"record": {"no_such_field": 1}})"), FieldJsonError);
    EXPECT_THROW(load(R"({"record": {"elastic_coefficient": 200.0}})"), FieldJsonError);
    EXPECT_THROW(load(R"({"record": {"flags": ["Draw Selection Box", "Flies"]}})"), FieldJsonError);
    EXPECT_THROW(load(R"({"record": {"effect_modifiers": [1, 2]}})"), FieldJsonError);
    EXPECT_THROW(load(R"({"record": {"reserved_50": "00"}})"), FieldJsonError);
    EXPECT_THROW(load(R"({"payload": "abc"})"), FieldJsonError);
    EXPECT_THROW(payload_from_json(fourcc("arti"),
                                   ordered_json::parse(R"({"record": {"collection": "proj:abcd"}})"),
                                   Payload(168, 0)),
                 FieldJsonError);
    EXPECT_EQ(load(R"({"record": {"flags": ["bit 9"]}})")[0], 0x02);
}

} // namespace
} // namespace zephane

namespace zephane {
namespace {

// Editors name fields by path; nested records are reached through their field's layout.
TEST(FieldTables, FieldsFoundByPathAndValuesStoredInEitherOrder) {
    const std::optional<FieldPlace> vertical =
        find_field(observer_constants_definition::kLayout, "vertical.positive_acceleration");
    ASSERT_TRUE(vertical.has_value());
    EXPECT_EQ(vertical->offset, 96u + 16u);
    EXPECT_EQ(vertical->field->encoding, Encoding::fixed_16_16);
    const std::optional<FieldPlace> sounds = find_field(sound_list_definition::kLayout, "entries.sound");
    ASSERT_TRUE(sounds.has_value());
    EXPECT_EQ(sounds->offset, 16u);
    EXPECT_FALSE(find_field(object_definition::kLayout, "gravity.x").has_value());
    EXPECT_FALSE(find_field(object_definition::kLayout, "no_such_field").has_value());
    EXPECT_EQ(find_field(object_definition::kLayout, "minimum_damage")->offset, 48u);
    // An element of a record array: the fourth surface animation set of a media type.
    EXPECT_EQ(find_field(media_type_definition::kLayout, "surface_animations[3].y_speed")->offset,
              134u + 3 * 12 + 10);
    EXPECT_EQ(find_field(media_type_definition::kLayout, "surface_animations.x_scale")->offset, 138u);
    for (const char* bad : {"surface_animations[4].x_scale", "surface_animations[].x_scale",
                            "surface_animations[1x].x_scale", "surface_animations[1]", "textures[0].x"})
        EXPECT_FALSE(find_field(media_type_definition::kLayout, bad).has_value()) << bad;

    Bytes bytes(8, 0);
    put_value(bytes, ByteOrder::file, 0, 4, 0x01020304);
    put_value(bytes, ByteOrder::file, 4, 2, 0xABCD);
    put_value(bytes, ByteOrder::file, 6, 1, 0x1FF);
    EXPECT_EQ(bytes, (Bytes{1, 2, 3, 4, 0xAB, 0xCD, 0xFF, 0}));
    const RecordBytes native{bytes, ByteOrder::native};
    put_value(bytes, ByteOrder::native, 0, 2, 0xFFFE);
    EXPECT_EQ(native.signed_at(0, 2), -2);
    put_value(bytes, ByteOrder::native, 4, 4, 0x80000000u);
    EXPECT_EQ(native.unsigned_at(4, 4), 0x80000000u);
    EXPECT_THROW(put_value(bytes, ByteOrder::native, 6, 4, 1), InternalError);
}

} // namespace
} // namespace zephane
