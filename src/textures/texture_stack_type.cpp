#include "textures/texture_stack_type.h"

#include "tags/tag_database.h"
#include "tags/tag_types.h"
#include "textures/texture_stack.h"
#include "textures/texture_stack_layout.h"

namespace zephane {

namespace {

void new_texture_stack(TagDatabase& db, TagEntry& entry) {
    const txst_tagheader empty{};
    Payload payload(sizeof(txst_tagheader));
    byte_swap_copy(kTxstTagHeaderName, payload.data(), &empty, sizeof(empty), 1, kTxstTagHeaderCodes);
    db.set_tag_data(entry, std::move(payload));
}

} // namespace

void register_texture_stack_type() { attach_tag_defaults(kTextureStackType, new_texture_stack); }

} // namespace zephane
