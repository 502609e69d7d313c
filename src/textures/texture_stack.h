#pragma once
// Texture stacks in memory: a stack set holds an ordered list of stacks, each an ordered
// list of textures. The set is read from and written to a 'txst' tag payload; the editor
// window and the importers change it only through the operations below.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tags/tag_code.h"

namespace zephane {

class TagDatabase;
struct TagEntry;

inline constexpr tag_type kTextureStackType = fourcc("txst");

enum TextureFormat : std::uint8_t { kFormatRaw = 0, kFormatJpeg = 1 };

enum LayerKind : std::uint8_t {
    kLayerBaseTexture = 0,
    kLayerDetailMask = 1,
    kLayerDetailTexture = 2,
    kLayerSkinModifier = 3,
    kLayerLogoMask = 4,
    kLayerGlowMask = 5,
    kLayerReflectMask = 6,
};

inline constexpr std::uint16_t kStackDoNotDownsample = 1;
inline constexpr std::uint16_t kNewStackWord = 1;

// A small picture of a texture for the editor's cells: gray, RGB or RGBA rows, top row
// first. A texture that cannot be shown (two channels, undecodable data) has an empty one.
struct Thumbnail {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<std::uint8_t> pixels;
    bool empty() const { return pixels.empty(); }
};

struct stacked_texture {
    std::vector<std::uint8_t> compressed_data; // raw pixels or JPEG, as stored
    std::optional<Thumbnail> preview;          // built on demand, never stored
    std::uint8_t channels = 0;
    std::uint8_t format = kFormatRaw;
    std::uint8_t layer_kind = kLayerBaseTexture;
    std::uint8_t layer = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::int16_t origin_u = 0, origin_v = 0;
    std::int16_t du_u = 0, du_v = 0;
    std::int16_t dv_u = 0, dv_v = 0;

    std::size_t size() const { return compressed_data.size(); }
    // width · height · channels: the size of the pixels when stored raw.
    std::size_t raw_size() const { return std::size_t{width} * height * channels; }
    // Replaces the stored bytes; the preview no longer shows them.
    void set_data(std::vector<std::uint8_t> data, std::uint8_t new_format);
};

struct TextureStack {
    std::vector<std::unique_ptr<stacked_texture>> textures;
    std::uint16_t flags = 0;
    std::uint16_t word = 0;
};

struct StackSet {
    TagEntry* tag = nullptr; // read from or last written to
    std::vector<TextureStack> stacks;
    bool dirty = false;

    std::size_t stack_count() const { return stacks.size(); }
};

// Where a texture is: stack index and position, or (-1, -1).
struct TexturePlace {
    long stack = -1;
    long position = -1;
    bool found() const { return stack >= 0; }
    bool operator==(const TexturePlace&) const = default;
};

// ---- Payload ---------------------------------------------------------------------------
// Parses a payload; a damaged one raises FormatError naming the field and byte offset.
// Stacks that hold no texture are dropped.
StackSet parse_stack_payload(std::span<const std::uint8_t> payload);
// Lays a set out as a payload; none when a texture has no data or a count or size does not
// fit its field.
std::optional<std::vector<std::uint8_t>> build_stack_payload(const StackSet& set,
                                                             std::string* problem = nullptr);

// Reads the set of a 'txst' tag; none for another type, a payload that cannot be loaded or a
// damaged one (the reason goes to problem). The set is clean and remembers the tag.
std::unique_ptr<StackSet> read_stack_set(TagDatabase& db, TagEntry& tag,
                                         std::string* problem = nullptr);
// Stores the set as the tag's payload and remembers the tag; false (and nothing stored) when
// the set cannot be laid out.
bool write_stack_set(TagDatabase& db, StackSet& set, TagEntry& tag, std::string* problem = nullptr);

// ---- Operations ------------------------------------------------------------------------
// Position 0 puts the texture first, k after the k-th texture; past the end or negative
// appends. A stack index past the end extends the set so that it exists. Returns the
// position used.
long insert_texture(StackSet& set, std::size_t stack, long position,
                    std::unique_ptr<stacked_texture> texture);
// Opens an empty stack at the index; later stacks move up by one.
void insert_stack(StackSet& set, std::size_t index);
// Takes the texture out of the stack and hands it to the caller; none when it is not there.
// With remove_empty a stack left empty is removed.
std::unique_ptr<stacked_texture> unlink_texture(StackSet& set, std::size_t stack,
                                                const stacked_texture& texture, bool remove_empty);
TexturePlace find_texture(const StackSet& set, const stacked_texture* texture);
stacked_texture* texture_at(StackSet& set, std::size_t stack, std::size_t position);
const stacked_texture* texture_at(const StackSet& set, std::size_t stack, std::size_t position);
// A copy of the data and every header field, without the preview.
std::unique_ptr<stacked_texture> duplicate_texture(const stacked_texture& texture);
// Removes empty stacks; marks the set dirty when any went.
void compact_stack_set(StackSet& set);

// ---- Labels ----------------------------------------------------------------------------
const char* channel_name(int channels);                // "empty" "alpha" "lum/alpha" "rgb" "rgba"
std::string format_label(int format);                  // "raw data", "jpeg", "format %d"
std::string layer_kind_label(int layer_kind, int layer); // as the editor's cells show it
const char* texture_info_entry(int layer_kind);        // as the Texture Info popup offers it

} // namespace zephane
