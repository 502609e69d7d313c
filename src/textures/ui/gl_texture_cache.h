#pragma once
// The texture upload cache every 3-D view owns: per texture stack tag and stack, the
// textures already uploaded (index, layer kind, layer, GL name). A request that matches one
// binds it; a miss reads the tag's payload, decodes the chosen texture and uploads it with
// mipmaps (internal formats by channels: GL_LUMINANCE4, GL_LUMINANCE4_ALPHA4, GL_RGB5,
// GL_RGBA4). Every call needs the owning view's context current.

#include "tags/tag_code.h"
#include "textures/texture_upload.h"

#include <map>
#include <utility>
#include <vector>

namespace zephane {

class TagDatabase;

// The GL internal format a texture of that many channels is uploaded with (0 for none).
int upload_internal_format(int channels);
// The GL pixel format of its data (GL_LUMINANCE ... GL_RGBA; 0 for none).
int upload_pixel_format(int channels);

class GlTextureCache {
public:
    explicit GlTextureCache(TagDatabase& db) : db_(db) {}
    ~GlTextureCache() = default; // call release() with the context current before

    // The GL name of the requested texture, bound to GL_TEXTURE_2D; -1 when the tag, stack
    // or texture does not exist or cannot be decoded.
    long bind(tag_id stacks_tag, const TextureRequest& request);
    // Deletes the textures of one tag (its payload changed) or of all.
    void forget(tag_id stacks_tag);
    void release();
    std::size_t uploaded_count() const;

private:
    struct Entry {
        UploadedTexture texture;
        unsigned name = 0;
    };
    using Key = std::pair<tag_id, std::size_t>; // tag, stack

    long upload(tag_id stacks_tag, const TextureRequest& request);
    void bind_name(unsigned name);

    TagDatabase& db_;
    std::map<Key, std::vector<Entry>> entries_;
};

} // namespace zephane
