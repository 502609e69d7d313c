#include "textures/texture_stack.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "base/byte_reader.h"
#include "tags/tag_database.h"
#include "textures/texture_stack_layout.h"

namespace zephane {

namespace {

constexpr std::size_t kTagHeaderSize = sizeof(txst_tagheader);
constexpr std::size_t kStackRefSize = sizeof(txst_stackref);
constexpr std::size_t kStackHeaderSize = sizeof(txst_stackheader);
constexpr std::size_t kTexHeaderSize = sizeof(txst_texheader);
// Room added whenever the stack array grows.
constexpr std::size_t kStackGrowth = 21;

// The header fields a texture record and a texture header share, copied either way.
template <typename To, typename From>
void copy_texture_fields(To& to, const From& from) {
    to.channels = from.channels;
    to.format = from.format;
    to.layer_kind = from.layer_kind;
    to.layer = from.layer;
    to.width = from.width;
    to.height = from.height;
    to.origin_u = from.origin_u;
    to.origin_v = from.origin_v;
    to.du_u = from.du_u;
    to.du_v = from.du_v;
    to.dv_u = from.dv_u;
    to.dv_v = from.dv_v;
}

txst_texheader header_from_texture(const stacked_texture& t, std::uint32_t offset) {
    txst_texheader h{};
    copy_texture_fields(h, t);
    h.offset = offset;
    h.size = static_cast<std::uint32_t>(t.size());
    return h;
}

void set_problem(std::string* problem, const std::string& text) {
    if (problem) *problem = text;
}

// Makes stack `index` exist; a stack made for it is new (stack word 1), the ones between
// the old end and it are empty with both words 0.
void ensure_stack(StackSet& set, std::size_t index) {
    if (index < set.stacks.size()) return;
    if (index >= set.stacks.capacity())
        set.stacks.reserve(std::max(set.stacks.size(), index) + kStackGrowth);
    set.stacks.resize(index + 1);
    set.stacks[index].word = kNewStackWord;
}

} // namespace

void stacked_texture::set_data(std::vector<std::uint8_t> data, std::uint8_t new_format) {
    compressed_data = std::move(data);
    format = new_format;
    preview.reset();
}

// ---- Payload ---------------------------------------------------------------------------

StackSet parse_stack_payload(std::span<const std::uint8_t> payload) {
    ByteReader reader(payload);
    const auto tag_header = read_record<txst_tagheader>(reader, kTxstTagHeaderName, kTxstTagHeaderCodes);
    const std::size_t stack_count = tag_header.stack_count;
    reader.require_elements(stack_count, kStackRefSize, "stack references");
    std::vector<txst_stackref> refs;
    refs.reserve(stack_count);
    for (std::size_t i = 0; i < stack_count; ++i)
        refs.push_back(read_record<txst_stackref>(reader, kTxstStackRefName, kTxstStackRefCodes));

    StackSet set;
    set.stacks.reserve(stack_count + 20);
    for (const txst_stackref& ref : refs) {
        reader.seek(ref.offset, "stack block offset");
        ByteReader block = reader.sub(ref.length, "stack block");
        const auto stack_header =
            read_record<txst_stackheader>(block, kTxstStackHeaderName, kTxstStackHeaderCodes);
        const std::size_t texture_count = stack_header.texture_count;
        if (texture_count == 0) continue; // an empty stack does not survive loading
        block.require_elements(texture_count, kTexHeaderSize, "texture headers");
        TextureStack stack;
        stack.flags = ref.flags;
        stack.word = ref.word;
        stack.textures.reserve(texture_count);
        for (std::size_t t = 0; t < texture_count; ++t) {
            const auto h = read_record<txst_texheader>(block, kTxstTexHeaderName, kTxstTexHeaderCodes);
            const std::size_t next_header = block.position();
            block.seek(h.offset, "texture data offset");
            auto texture = std::make_unique<stacked_texture>();
            copy_texture_fields(*texture, h);
            texture->compressed_data = block.copy(h.size, "texture data");
            block.seek(next_header, "texture header");
            stack.textures.push_back(std::move(texture));
        }
        set.stacks.push_back(std::move(stack));
    }
    return set;
}

std::optional<std::vector<std::uint8_t>> build_stack_payload(const StackSet& set,
                                                             std::string* problem) {
    if (set.stacks.size() > std::numeric_limits<std::uint16_t>::max()) {
        set_problem(problem, "too many stacks (" + std::to_string(set.stacks.size()) + ")");
        return std::nullopt;
    }
    std::uint64_t total = kTagHeaderSize + kStackRefSize * set.stacks.size();
    std::vector<std::uint64_t> block_lengths;
    for (std::size_t s = 0; s < set.stacks.size(); ++s) {
        const TextureStack& stack = set.stacks[s];
        if (stack.textures.size() > std::numeric_limits<std::uint16_t>::max()) {
            set_problem(problem, "stack " + std::to_string(s) + " holds too many textures");
            return std::nullopt;
        }
        std::uint64_t length = kStackHeaderSize;
        for (std::size_t t = 0; t < stack.textures.size(); ++t) {
            if (stack.textures[t]->size() == 0) {
                set_problem(problem, "texture " + std::to_string(t) + " of stack " +
                                         std::to_string(s) + " has no data");
                return std::nullopt;
            }
            length += kTexHeaderSize + stack.textures[t]->size();
        }
        block_lengths.push_back(length);
        total += length;
    }
    if (total > std::numeric_limits<std::uint32_t>::max()) {
        set_problem(problem, "the texture data does not fit in one tag");
        return std::nullopt;
    }

    std::vector<std::uint8_t> out(static_cast<std::size_t>(total), 0);
    txst_tagheader tag_header{};
    tag_header.stack_count = static_cast<std::uint16_t>(set.stacks.size());
    store_record(out, 0, tag_header, kTxstTagHeaderName, kTxstTagHeaderCodes);

    std::size_t block_at = kTagHeaderSize + kStackRefSize * set.stacks.size();
    for (std::size_t s = 0; s < set.stacks.size(); ++s) {
        const TextureStack& stack = set.stacks[s];
        const txst_stackref ref{static_cast<std::uint32_t>(block_at),
                                static_cast<std::uint32_t>(block_lengths[s]), stack.flags,
                                stack.word};
        store_record(out, kTagHeaderSize + kStackRefSize * s, ref, kTxstStackRefName, kTxstStackRefCodes);
        txst_stackheader stack_header{};
        stack_header.texture_count = static_cast<std::uint16_t>(stack.textures.size());
        store_record(out, block_at, stack_header, kTxstStackHeaderName, kTxstStackHeaderCodes);
        std::size_t data_at = kStackHeaderSize + kTexHeaderSize * stack.textures.size();
        for (std::size_t t = 0; t < stack.textures.size(); ++t) {
            const stacked_texture& texture = *stack.textures[t];
            store_record(out, block_at + kStackHeaderSize + kTexHeaderSize * t,
                         header_from_texture(texture, static_cast<std::uint32_t>(data_at)),
                         kTxstTexHeaderName, kTxstTexHeaderCodes);
            std::memcpy(out.data() + block_at + data_at, texture.compressed_data.data(), texture.size());
            data_at += texture.size();
        }
        // Every offset produced must agree with the sizes computed above.
        if (data_at != block_lengths[s]) {
            set_problem(problem, "stack " + std::to_string(s) + " does not add up");
            return std::nullopt;
        }
        block_at += data_at;
    }
    if (block_at != out.size()) {
        set_problem(problem, "the payload does not add up");
        return std::nullopt;
    }
    return out;
}

std::unique_ptr<StackSet> read_stack_set(TagDatabase& db, TagEntry& tag, std::string* problem) {
    if (TagDatabase::get_tag_type(tag) != kTextureStackType) {
        set_problem(problem, "the tag is not a texture stack");
        return nullptr;
    }
    const Payload* payload = db.get_tag_data(tag);
    if (!payload) {
        set_problem(problem, "the tag's data cannot be read");
        return nullptr;
    }
    try {
        auto set = std::make_unique<StackSet>(parse_stack_payload(*payload));
        set->tag = &tag;
        set->dirty = false;
        return set;
    } catch (const FormatError& e) {
        set_problem(problem, e.what());
    } catch (const std::bad_alloc&) {
        set_problem(problem, "out of memory");
    }
    return nullptr;
}

bool write_stack_set(TagDatabase& db, StackSet& set, TagEntry& tag, std::string* problem) {
    auto payload = build_stack_payload(set, problem);
    if (!payload) return false;
    db.set_tag_data(tag, std::move(*payload));
    set.tag = &tag;
    set.dirty = false;
    return true;
}

// ---- Operations ------------------------------------------------------------------------

long insert_texture(StackSet& set, std::size_t stack, long position,
                    std::unique_ptr<stacked_texture> texture) {
    ensure_stack(set, stack);
    auto& textures = set.stacks[stack].textures;
    std::size_t at = textures.size();
    if (position >= 0 && static_cast<std::size_t>(position) < textures.size())
        at = static_cast<std::size_t>(position);
    textures.insert(textures.begin() + static_cast<std::ptrdiff_t>(at), std::move(texture));
    set.dirty = true;
    return static_cast<long>(at);
}

void insert_stack(StackSet& set, std::size_t index) {
    if (index >= set.stacks.size()) {
        ensure_stack(set, index);
    } else {
        TextureStack stack;
        stack.word = kNewStackWord;
        set.stacks.insert(set.stacks.begin() + static_cast<std::ptrdiff_t>(index), std::move(stack));
    }
    set.dirty = true;
}

std::unique_ptr<stacked_texture> unlink_texture(StackSet& set, std::size_t stack,
                                                const stacked_texture& texture, bool remove_empty) {
    if (stack >= set.stacks.size()) return nullptr;
    auto& textures = set.stacks[stack].textures;
    const auto it = std::find_if(textures.begin(), textures.end(),
                                 [&](const auto& t) { return t.get() == &texture; });
    if (it == textures.end()) return nullptr;
    std::unique_ptr<stacked_texture> taken = std::move(*it);
    textures.erase(it);
    if (remove_empty && textures.empty())
        set.stacks.erase(set.stacks.begin() + static_cast<std::ptrdiff_t>(stack));
    set.dirty = true;
    return taken;
}

TexturePlace find_texture(const StackSet& set, const stacked_texture* texture) {
    for (std::size_t s = 0; s < set.stacks.size(); ++s) {
        const auto& textures = set.stacks[s].textures;
        for (std::size_t p = 0; p < textures.size(); ++p)
            if (textures[p].get() == texture) return {static_cast<long>(s), static_cast<long>(p)};
    }
    return {};
}

stacked_texture* texture_at(StackSet& set, std::size_t stack, std::size_t position) {
    if (stack >= set.stacks.size() || position >= set.stacks[stack].textures.size()) return nullptr;
    return set.stacks[stack].textures[position].get();
}

const stacked_texture* texture_at(const StackSet& set, std::size_t stack, std::size_t position) {
    return texture_at(const_cast<StackSet&>(set), stack, position);
}

std::unique_ptr<stacked_texture> duplicate_texture(const stacked_texture& texture) {
    auto copy = std::make_unique<stacked_texture>(texture);
    copy->preview.reset();
    return copy;
}

void compact_stack_set(StackSet& set) {
    const auto before = set.stacks.size();
    std::erase_if(set.stacks, [](const TextureStack& s) { return s.textures.empty(); });
    if (set.stacks.size() != before) set.dirty = true;
}

// ---- Labels ----------------------------------------------------------------------------

const char* channel_name(int channels) {
    static const char* const kNames[] = {"empty", "alpha", "lum/alpha", "rgb", "rgba"};
    return channels >= 0 && channels <= 4 ? kNames[channels] : "?";
}

std::string format_label(int format) {
    if (format == kFormatRaw) return "raw data";
    if (format == kFormatJpeg) return "jpeg";
    return "format " + std::to_string(format);
}

std::string layer_kind_label(int layer_kind, int layer) {
    switch (layer_kind) {
    case kLayerBaseTexture: return "base texture";
    case kLayerDetailMask: return "detail mask " + std::to_string(layer);
    case kLayerDetailTexture: return "detail texture " + std::to_string(layer);
    case kLayerSkinModifier: return "skin modifier " + std::to_string(layer);
    case kLayerLogoMask: return "logo mask";
    case kLayerGlowMask: return "glow mask";
    case kLayerReflectMask: return "reflect mask";
    default: return "use " + std::to_string(layer_kind) + " layer " + std::to_string(layer);
    }
}

const char* texture_info_entry(int layer_kind) {
    switch (layer_kind) {
    case kLayerBaseTexture: return "Base Colormap";
    case kLayerDetailMask: return "Terrain Detail Mask";
    case kLayerDetailTexture: return "Detail Texture";
    case kLayerSkinModifier: return "Skin Team Color Mask";
    case kLayerLogoMask: return "Skin Logo Mask";
    case kLayerGlowMask: return "Skin Glow Mask";
    case kLayerReflectMask: return "Skin Reflection Mask";
    default: return nullptr;
    }
}

} // namespace zephane
