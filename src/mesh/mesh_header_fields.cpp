#include "mesh/mesh_header_fields.h"

namespace zephane {

namespace {

// The flag bank's word holds 0x4000 in a new mesh; what each bit means is not known, so the
// check boxes are named by bit.
constexpr const char* kFlagBits[] = {"Bit 0", "Bit 1", "Bit 2",  "Bit 3",  "Bit 4",  "Bit 5",
                                     "Bit 6", "Bit 7", "Bit 8",  "Bit 9",  "Bit 10", "Bit 11",
                                     "Bit 12", "Bit 13", "Bit 14", "Bit 15"};

constexpr FieldDef kFields[] = {
    reference(0, "landscape", fourcc("txst")),
    reference(4, "media", fourcc("medi")),
    u16(8, "width_32"),
    u16(10, "height_32"),
    i32(12, "cells_offset"),
    i32(16, "cells_size"),
    reserved(20, 4, "reserved20"),
    i32(24, "data_start"),
    i32(28, "data_size"),
    reserved(32, 4, "reserved32"),
    i32(36, "palette_count"),
    i32(40, "palette_offset"),
    i32(44, "palette_size"),
    reserved(48, 4, "reserved48"),
    i32(52, "marker_count"),
    i32(56, "marker_offset"),
    i32(60, "marker_size"),
    reserved(64, 4, "reserved64"),
    reference(68, "global_light", fourcc("glli")),
    reference(72, "connector", fourcc("conn")),
    i32(76, "value76"),
    reference(80, "particle_system", fourcc("part")),
    i32(84, "team_count"),
    u16(88, "words88", 10),
    u32(108, "value108"),
    flags(112, 2, "flags112", kFlagBits),
    reserved(114, 2, "raw114"),
    u16(116, "edge_buffer", 4), // top, left, right, bottom; 32 each in a new mesh
    reference(124, "ambient_sound", fourcc("amso")),
    i32(128, "action_count"),
    i32(132, "action_offset"),
    i32(136, "action_size"),
    reference(140, "map_name_strings", fourcc("stli")),
    reference(144, "collections", fourcc(".256"), 3),
    reference(156, "meshes", fourcc("mesh"), 2),
    u32(164, "refs164", 3),
    reference(176, "text", fourcc("text")),
    u32(180, "refs180", 3),
    i32(192, "block_a_offset"),
    i32(196, "block_a_size"),
    reserved(200, 4, "reserved200"),
    i32(204, "block_b_offset"),
    i32(208, "block_b_size"),
    reserved(212, 4, "reserved212"),
    u16(216, "fog", 5), // filter, distance to end, distance to camera, colour register, density
    reserved(226, 2, "raw226"),
    reference(228, "wind", fourcc("wind")),
    u32(232, "refs232", 3),
    u16(244, "prologue", 4), // text scroll speed, zoom speed, zoom x, zoom y
    reference(252, "strings252", fourcc("stli")),
    reference(256, "sound256", fourcc("soun")),
    u32(260, "refs260", 2),
    u32(268, "words268", 4),
    i32(284, "block_c_count"),
    i32(288, "block_c_offset"),
    i32(292, "block_c_size"),
    u32(296, "zero296"),
    reserved(300, 192, "raw300"),
    reference(492, "strings492", fourcc("stli")),
    u16(496, "words496", 4),
    u32(504, "value504"),
    u32(508, "value508"),
    u16(512, "value512"),
    u16(514, "value514"),
    reference(516, "stacks516", fourcc("txst"), 2),
    reference(524, "ground_sprites", fourcc("grsp")),
    reference(528, "collection528", fourcc(".256")),
    reference(532, "stack532", fourcc("txst")),
    u32(536, "words536", 4),
    reference(552, "jpegs", fourcc("jpeg"), 2),
    reference(560, "texts560", fourcc("text"), 2),
    reference(568, "quicktimes", fourcc("quik"), 2),
    u16(576, "value576", 2),
    u32(580, "value580", 2),
    u32(588, "value588", 4),
    u16(604, "value604"),
    reserved(606, 418, "raw606"),
};

} // namespace

const RecordLayout mesh_header_record::kLayout = {"mesh header", sizeof(mesh_header_record), kFields,
                                                  kMeshHeaderCodes};

} // namespace zephane
