#pragma once
// The GL-free half of the 3-D views' texture upload: which texture of a texture stack
// payload a request names, and when a request is answered by a texture already uploaded.
// The views' cache (textures/ui/gl_texture_cache) does the uploading.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "textures/texture_stack.h"

namespace zephane {

// A texture of one stack, by index, or else by layer kind and layer (a negative layer takes
// any; a negative kind never matches by kind).
struct TextureRequest {
    std::size_t stack = 0;
    long index = -1;
    int layer_kind = -1;
    int layer = -1;
};

// What the cache remembers of an uploaded texture.
struct UploadedTexture {
    long index = -1;
    int layer_kind = -1;
    int layer = -1;
};

// A request is answered by an upload of the same index, or of the same kind and a layer the
// request accepts.
bool upload_matches(const UploadedTexture& uploaded, const TextureRequest& request);

struct SelectedTexture {
    long index = -1;
    stacked_texture texture; // its header fields and data
};

// Walks the payload's headers to the requested texture: a valid index directly, else the
// first texture of the kind and layer. None for a stack past the end or no such texture;
// FormatError for a damaged payload.
std::optional<SelectedTexture> select_upload_texture(std::span<const std::uint8_t> payload,
                                                     const TextureRequest& request);


} // namespace zephane
