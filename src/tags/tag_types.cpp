#include "tags/tag_types.h"

#include <algorithm>
#include <array>

namespace zephane {

namespace {

constexpr std::uint8_t E = kHasEditor, A = kHasAlternateEditor, D = kHasDefaults,
                       P = kHasDependencies, U = kHasUpdater;

constexpr std::array<TagTypeRow, kTagTypeCount + 1> kRows{{
    {fourcc("amso"), 1, "Ambient Sound", "Ambient Sounds", 0, E | D | P},
    {fourcc("arti"), 1, "Artifact", "Artifacts", 0, E | D | P},
    {fourcc("canm"), 1, "Camera Animation", "Camera Animations", 0, 0},
    {fourcc("core"), 1, "Classic Collection Reference", "Classic Collection References", 0, P},
    {fourcc(".256"), 4, "Classic Collection", "Classic Collections", 0, 0},
    {fourcc("conn"), 1, "Connector", "Connectors", 0, E | D | P},
    {fourcc("ditl"), 1, "Dialog String List", "Dialog String Lists", 1, 0},
    {fourcc("bina"), 1, "Dialog", "Dialogs", 1, 0},
    {fourcc("font"), 1, "Font", "Fonts", 1, 0},
    {fourcc("form"), 1, "Formation", "Formations", 0, E | P},
    {fourcc("geom"), 1, "Geometry", "Geometries", 0, 0},
    {fourcc("game"), 1, "Game Parameter", "Game Parameters", 1, E | D | P},
    {fourcc("glli"), 1, "Global Light", "Global Lights", 0, E | D | P},
    {fourcc("grsp"), 1, "Ground Sprites", "Ground Sprites", 0, E | D | P},
    {fourcc("inte"), 1, "Interface", "Interface", 0, 0},
    {fourcc("jpeg"), 1, "JPEG File Data", "JPEG Files", 0, 0},
    {fourcc("ligh"), 1, "Lightning", "Lightning", 0, E | D | P},
    {fourcc("loli"), 1, "Local Light", "Local Lights", 0, E | D | P},
    {fourcc("phys"), 1, "Local Physics", "Local Physics", 0, E | D | P},
    {fourcc("lpgr"), 1, "Local Projectile Group", "Local Projectile Groups", 0, E | D | P},
    {fourcc("medi"), 1, "Media Type", "Media Types", 0, E | D | P},
    {fourcc("meef"), 1, "Mesh Effect", "Mesh Effects", 0, E | D | P},
    {fourcc("meli"), 1, "Mesh Lighting", "Mesh Lighting", 0, E | D | P},
    {fourcc("mesh"), 11, "Mesh", "Meshes", 0, E | A | D | P},
    {fourcc("anim"), 1, "Classic Model Animation", "Classic Model Animations", 0, 0},
    {fourcc("mode"), 4, "Classic Model", "Classic Models", 0, 0},
    {fourcc("mons"), 1, "Monster", "Monsters", 0, E | D | P},
    {fourcc("obje"), 1, "Object", "Objects", 0, E | D | P},
    {fourcc("obpc"), 1, "Observer Constants", "Observer Constants", 0, E | D | P},
    {fourcc("part"), 1, "Particle System", "Particle Systems", 0, E | D | P},
    {fourcc("pref"), 1, "Preferences", "Preferences", 1, 0},
    {fourcc("prel"), 1, "Preloaded Data", "Preloaded Data", 0, 0},
    {fourcc("prgr"), 1, "Projectile Group", "Projectile Groups", 0, E | D | P},
    {fourcc("proj"), 2, "Projectile", "Projectiles", 0, E | P | U},
    {fourcc("quik"), 1, "Quicktime/MP3", "Quicktime/MP3", 1, 0},
    {fourcc("rawd"), 1, "Raw File Data", "Raw Files", 0, 0},
    {fourcc("reco"), 1, "Recording", "Recordings", 1, 0},
    {fourcc("save"), 1, "Saved Game", "Saved Games", 1, 0},
    {fourcc("scen"), 2, "Scenery", "Scenery", 0, E | D | P | U},
    {fourcc("skan"), 2, "Skeletal Animation", "Skeletal Animation", 0, E | D | P | U},
    {fourcc("skmd"), 1, "Skeletal Model", "Skeletal Models", 0, E | D | P},
    {fourcc("soli"), 1, "Sound List", "Sound Lists", 1, E | D | P},
    {fourcc("soun"), 1, "Sound", "Sounds", 0, E | D | P},
    {fourcc("spri"), 1, "Sprite Definition", "Sprite Definitions", 0, E | D | P},
    {fourcc("stli"), 1, "String List", "String Lists", 1, E | D},
    {fourcc("temp"), 1, "Template", "Templates", 1, E | D},
    {fourcc("text"), 1, "Text", "Text", 1, E | D},
    {fourcc("txst"), 1, "Texture Stack", "Texture Stacks", 0, E | D},
    {fourcc("unit"), 2, "Units", "Units", 0, E | D | P | U},
    {fourcc("wind"), 1, "Wind", "Wind", 0, E | D | P},
    {0, 0, nullptr, nullptr, 0, 0},
}};

std::array<TagTypeOps, kTagTypeCount>& ops_table() {
    static std::array<TagTypeOps, kTagTypeCount> ops;
    return ops;
}

TagTypeOps* mutable_ops(tag_type code) {
    const std::size_t index = tag_type_index(code);
    return index < kTagTypeCount ? &ops_table()[index] : nullptr;
}

// Row indexes sorted by code, so a lookup is a binary search instead of a walk of 50 rows.
const std::array<std::uint8_t, kTagTypeCount>& rows_by_code() {
    static const auto sorted = [] {
        std::array<std::uint8_t, kTagTypeCount> order{};
        for (std::size_t k = 0; k < kTagTypeCount; ++k) order[k] = static_cast<std::uint8_t>(k);
        std::sort(order.begin(), order.end(),
                  [](std::uint8_t a, std::uint8_t b) { return kRows[a].code < kRows[b].code; });
        return order;
    }();
    return sorted;
}

} // namespace

std::size_t tag_type_index(tag_type code) {
    const auto& order = rows_by_code();
    const auto it = std::lower_bound(order.begin(), order.end(), code,
                                     [](std::uint8_t row, tag_type value) { return kRows[row].code < value; });
    return it != order.end() && kRows[*it].code == code ? *it : kTagTypeCount;
}

const TagTypeRow* find_tag_type(tag_type code) {
    const std::size_t index = tag_type_index(code);
    return index < kTagTypeCount ? &kRows[index] : nullptr;
}

std::int16_t tag_type_version(tag_type code) {
    const TagTypeRow* row = find_tag_type(code);
    return row ? row->version : 1;
}

const char* tag_type_name(tag_type code) {
    const TagTypeRow* row = find_tag_type(code);
    return row ? row->singular_name : "UNKNOWN TYPE";
}

const char* tag_type_plural_name(tag_type code) {
    const TagTypeRow* row = find_tag_type(code);
    return row ? row->plural_name : "UNKNOWN TYPES";
}

tag_type tag_type_at(std::size_t index) { return index < kTagTypeCount ? kRows[index].code : 0; }

bool tag_type_is_localized(tag_type code) {
    const TagTypeRow* row = find_tag_type(code);
    return row && row->localized != 0;
}

const TagTypeOps* tag_type_ops(tag_type code) { return mutable_ops(code); }

TagDefaultsOp tag_type_defaults(tag_type code) {
    const TagTypeOps* ops = tag_type_ops(code);
    return ops ? ops->defaults : nullptr;
}

TagDependenciesOp tag_type_dependencies(tag_type code) {
    const TagTypeOps* ops = tag_type_ops(code);
    return ops ? ops->dependencies : nullptr;
}

TagUpdaterOp tag_type_updater(tag_type code) {
    const TagTypeOps* ops = tag_type_ops(code);
    return ops ? ops->updater : nullptr;
}

TagRewriteOp tag_type_rewrite(tag_type code) {
    const TagTypeOps* ops = tag_type_ops(code);
    return ops ? ops->rewrite : nullptr;
}

void attach_tag_defaults(tag_type code, TagDefaultsOp defaults) {
    if (TagTypeOps* ops = mutable_ops(code)) ops->defaults = defaults;
}

void attach_tag_dependencies(tag_type code, TagDependenciesOp dependencies) {
    if (TagTypeOps* ops = mutable_ops(code)) ops->dependencies = dependencies;
}

void attach_tag_updater(tag_type code, TagUpdaterOp updater) {
    if (TagTypeOps* ops = mutable_ops(code)) ops->updater = updater;
}

void attach_tag_rewrite(tag_type code, TagRewriteOp rewrite) {
    if (TagTypeOps* ops = mutable_ops(code)) ops->rewrite = rewrite;
}

void detach_all_tag_operations() { ops_table() = {}; }

} // namespace zephane
