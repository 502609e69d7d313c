// Arbitrary bytes as a texture stack payload: parse it, decode every texture (raw and JPEG,
// with and without fancy upsampling), build thumbnails, split and recompress small ones, and
// check that writing the set and parsing it again gives the same payload. The 3-D views'
// upload selection walks the same bytes on its own, by index and by kind.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "base/byte_reader.h"
#include "textures/texture_pixels.h"
#include "textures/texture_split_merge.h"
#include "textures/texture_stack.h"
#include "textures/texture_upload.h"

namespace {
// Textures above this many pixels are left alone: a tiny JPEG header may announce a huge one.
constexpr std::size_t kMaxPixels = 1 << 20;
constexpr std::size_t kMaxRecompressPixels = 64 * 64;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    for (const TextureRequest request : {TextureRequest{0, 0, -1, -1}, TextureRequest{1, -1, 1, -1},
                                         TextureRequest{0, 5, 0, 0}}) {
        try {
            (void)select_upload_texture(std::span(data, size), request);
        } catch (const FormatError&) {
        }
    }
    StackSet set;
    try {
        set = parse_stack_payload(std::span(data, size));
    } catch (const FormatError&) {
        return 0;
    }
    const auto payload = build_stack_payload(set);
    if (payload) {
        const StackSet again = parse_stack_payload(*payload);
        if (build_stack_payload(again) != payload) std::abort();
    }
    std::vector<stacked_texture*> textures;
    for (auto& stack : set.stacks)
        for (auto& texture : stack.textures) textures.push_back(texture.get());
    for (stacked_texture* texture : textures) {
        const std::size_t pixels = std::size_t{texture->width} * texture->height;
        if (pixels > kMaxPixels) continue;
        (void)decode_texture(*texture, true);
        (void)decode_texture(*texture, false, nullptr, texture->width / 2);
        (void)texture_thumbnail(*texture);
        if (pixels > kMaxRecompressPixels) continue;
        if (texture->channels == 4) (void)split_rgba(set, *texture);
        (void)recompress_texture(*texture, 50);
    }
    return 0;
}
