#include "textures/sprite_type.h"

#include "base/byte_reader.h"
#include "tags/dependency_reporter.h"
#include "tags/tag_database.h"
#include "tags/tag_types.h"
#include "textures/grsp_payload.h"
#include "textures/sprite_definition.h"
#include "textures/texture_stack.h"

namespace zephane {

namespace {

constexpr tag_type kSoundTag = fourcc("soun");

void report(DependencyReporter& reporter, tag_type type, tag_id id) {
    if (!is_null_reference(id)) reporter.report_dependency(type, id);
}

void sprite_defaults(TagDatabase& db, TagEntry& entry) {
    write_sprite_definition(db, entry, SpriteDefinition{});
}

// A payload the reader refuses lists nothing.
void sprite_dependencies(TagDatabase& db, TagEntry& entry, DependencyReporter& reporter) {
    SpriteDefinition d;
    if (!read_sprite_definition(db, entry, d)) return;
    for (const sprite_frame& frame : d.frames) report(reporter, kTextureStackType, frame.texture_stack);
    for (const SpriteSequence& s : d.sequences)
        for (const SpriteEntry& e : s.entries) report(reporter, kSoundTag, e.sound);
}

void ground_sprites_defaults(TagDatabase& db, TagEntry& entry) {
    db.set_tag_data(entry, new_ground_sprites_payload());
}

void ground_sprites_dependencies(TagDatabase& db, TagEntry& entry, DependencyReporter& reporter) {
    const Payload* payload = db.get_tag_data(entry);
    if (!payload) return;
    try {
        for (const GroundSpriteSet& set : parse_ground_sprites(*payload).sets)
            report(reporter, kSpriteTagType, set.record.sprite);
    } catch (const FormatError&) {
    }
}

} // namespace

void register_sprite_type() {
    attach_tag_defaults(kSpriteTagType, sprite_defaults);
    attach_tag_dependencies(kSpriteTagType, sprite_dependencies);
    attach_tag_rewrite(kSpriteTagType, [](const Payload& payload, std::int16_t) {
        return build_sprite_payload(parse_sprite_payload(payload));
    });
}

void register_ground_sprites_type() {
    attach_tag_defaults(kGroundSpritesTagType, ground_sprites_defaults);
    attach_tag_dependencies(kGroundSpritesTagType, ground_sprites_dependencies);
    attach_tag_rewrite(kGroundSpritesTagType, [](const Payload& payload, std::int16_t) {
        return commit_ground_sprites(parse_ground_sprites(payload));
    });
}

} // namespace zephane
