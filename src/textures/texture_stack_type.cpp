#include "textures/texture_stack_type.h"

#include "base/byte_reader.h"
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

Payload rewrite_texture_stack(const Payload& payload, std::int16_t) {
    std::string problem;
    std::optional<Payload> rewritten = build_stack_payload(parse_stack_payload(payload), &problem);
    if (!rewritten) throw FormatError("texture stack", 0, problem);
    return std::move(*rewritten);
}

} // namespace

void register_texture_stack_type() {
    attach_tag_defaults(kTextureStackType, new_texture_stack);
    attach_tag_rewrite(kTextureStackType, rewrite_texture_stack);
}

} // namespace zephane
