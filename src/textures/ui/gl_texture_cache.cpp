#include "textures/ui/gl_texture_cache.h"

#include "base/byte_reader.h"
#include "tags/tag_database.h"
#include "textures/texture_pixels.h"
#include "textures/texture_stack.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace zephane {

int upload_internal_format(int channels) {
    switch (channels) {
    case 1: return GL_LUMINANCE4;
    case 2: return GL_LUMINANCE4_ALPHA4;
    case 3: return GL_RGB5;
    case 4: return GL_RGBA4;
    default: return 0;
    }
}

int upload_pixel_format(int channels) {
    switch (channels) {
    case 1: return GL_LUMINANCE;
    case 2: return GL_LUMINANCE_ALPHA;
    case 3: return GL_RGB;
    case 4: return GL_RGBA;
    default: return 0;
    }
}

void GlTextureCache::bind_name(unsigned name) {
    // Asked of GL rather than remembered: the view may bind other textures in between.
    GLint current = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &current);
    if (static_cast<unsigned>(current) != name) glBindTexture(GL_TEXTURE_2D, name);
}

long GlTextureCache::bind(tag_id stacks_tag, const TextureRequest& request) {
    const auto found = entries_.find({stacks_tag, request.stack});
    if (found != entries_.end())
        for (const Entry& entry : found->second)
            if (upload_matches(entry.texture, request)) {
                bind_name(entry.name);
                return entry.name;
            }
    return upload(stacks_tag, request);
}

long GlTextureCache::upload(tag_id stacks_tag, const TextureRequest& request) {
    TagEntry* tag = db_.find_tag(kTextureStackType, stacks_tag);
    if (!tag) return -1;
    const Payload* payload = db_.get_tag_data(*tag);
    if (!payload) return -1;
    std::optional<SelectedTexture> selected;
    try {
        selected = select_upload_texture(*payload, request);
    } catch (const FormatError&) {
        return -1; // a damaged tag shows no texture
    }
    if (!selected) return -1;
    const auto image = decode_texture(selected->texture, false);
    const int internal = image ? upload_internal_format(image->channels) : 0;
    if (!internal || image->width <= 0 || image->height <= 0) return -1;

    GLuint name = 0;
    glGenTextures(1, &name);
    bind_name(name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, internal, image->width, image->height,
                      static_cast<GLenum>(upload_pixel_format(image->channels)), GL_UNSIGNED_BYTE,
                      image->pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    const SelectedTexture& s = *selected;
    entries_[{stacks_tag, request.stack}].push_back(
        {{s.index, s.texture.layer_kind, s.texture.layer}, name});
    return name;
}

void GlTextureCache::forget(tag_id stacks_tag) {
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (it->first.first != stacks_tag) {
            ++it;
            continue;
        }
        for (const Entry& entry : it->second) {
            glDeleteTextures(1, &entry.name);
        }
        it = entries_.erase(it);
    }
}

void GlTextureCache::release() {
    for (const auto& [key, list] : entries_)
        for (const Entry& entry : list) glDeleteTextures(1, &entry.name);
    entries_.clear();
}

std::size_t GlTextureCache::uploaded_count() const {
    std::size_t count = 0;
    for (const auto& [key, list] : entries_) count += list.size();
    return count;
}

} // namespace zephane
