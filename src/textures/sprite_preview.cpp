#include "textures/sprite_preview.h"

#include "tags/tag_database.h"
#include "textures/texture_pixels.h"

namespace zephane {

std::optional<Thumbnail> sprite_frame_preview(TagDatabase& db, const sprite_frame& frame) {
    if (is_null_reference(frame.texture_stack) || frame.stack_index < 0 || frame.texture_index < 0)
        return std::nullopt;
    TagEntry* tag = db.find_tag(kTextureStackType, frame.texture_stack);
    if (!tag) return std::nullopt;
    const std::unique_ptr<StackSet> set = read_stack_set(db, *tag);
    if (!set) return std::nullopt;
    const stacked_texture* texture = texture_at(*set, static_cast<std::size_t>(frame.stack_index),
                                                static_cast<std::size_t>(frame.texture_index));
    if (!texture) return std::nullopt;
    const std::optional<PixelImage> pixels = decode_texture(*texture, true);
    if (!pixels) return std::nullopt;
    Thumbnail thumbnail = make_thumbnail(*pixels);
    if (thumbnail.empty()) return std::nullopt;
    return thumbnail;
}

} // namespace zephane
