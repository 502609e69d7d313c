#include "textures/texture_upload.h"

#include "base/byte_reader.h"
#include "textures/texture_stack_layout.h"

namespace zephane {

bool upload_matches(const UploadedTexture& uploaded, const TextureRequest& request) {
    if (request.index >= 0 && request.index == uploaded.index) return true;
    return request.layer_kind >= 0 && request.layer_kind == uploaded.layer_kind &&
           (request.layer < 0 || request.layer == uploaded.layer);
}

std::optional<SelectedTexture> select_upload_texture(std::span<const std::uint8_t> payload,
                                                     const TextureRequest& request) {
    ByteReader reader(payload);
    const auto tag_header = read_record<txst_tagheader>(reader, kTxstTagHeaderName, kTxstTagHeaderCodes);
    if (request.stack >= tag_header.stack_count) return std::nullopt;
    reader.require_elements(tag_header.stack_count, sizeof(txst_stackref), "stack references");
    reader.seek(sizeof(txst_tagheader) + sizeof(txst_stackref) * request.stack, "stack reference");
    const auto ref = read_record<txst_stackref>(reader, kTxstStackRefName, kTxstStackRefCodes);
    reader.seek(ref.offset, "stack block offset");
    ByteReader block = reader.sub(ref.length, "stack block");
    const auto stack_header =
        read_record<txst_stackheader>(block, kTxstStackHeaderName, kTxstStackHeaderCodes);
    const std::size_t count = stack_header.texture_count;
    block.require_elements(count, sizeof(txst_texheader), "texture headers");

    const auto header_at = [&](std::size_t t) {
        block.seek(sizeof(txst_stackheader) + sizeof(txst_texheader) * t, "texture header");
        return read_record<txst_texheader>(block, kTxstTexHeaderName, kTxstTexHeaderCodes);
    };
    long chosen = -1;
    txst_texheader header{};
    if (request.index >= 0 && static_cast<std::size_t>(request.index) < count) {
        chosen = request.index;
        header = header_at(static_cast<std::size_t>(chosen));
    } else if (request.layer_kind >= 0) {
        for (std::size_t t = 0; t < count && chosen < 0; ++t) {
            header = header_at(t);
            if (header.layer_kind == request.layer_kind &&
                (request.layer < 0 || header.layer == request.layer))
                chosen = static_cast<long>(t);
        }
    }
    if (chosen < 0) return std::nullopt;

    SelectedTexture selected;
    selected.index = chosen;
    stacked_texture& t = selected.texture;
    t.channels = header.channels;
    t.format = header.format;
    t.layer_kind = header.layer_kind;
    t.layer = header.layer;
    t.width = header.width;
    t.height = header.height;
    t.origin_u = header.origin_u;
    t.origin_v = header.origin_v;
    t.du_u = header.du_u;
    t.du_v = header.du_v;
    t.dv_u = header.dv_u;
    t.dv_v = header.dv_v;
    block.seek(header.offset, "texture data offset");
    t.compressed_data = block.copy(header.size, "texture data");
    return selected;
}

} // namespace zephane
