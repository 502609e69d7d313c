#pragma once
// Bakes terrain detail into colour: per 128 × 128 tile, the detail textures of a separate
// detail stack tag are multiplied into the base map through the tile's detail masks, and
// the result becomes a new texture stack tag with one base texture per tile.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tags/tag_code.h"
#include "textures/jpeg_codec.h"
#include "textures/texture_stack.h"

namespace zephane {

class TagDatabase;
struct TagFile;
struct TagEntry;

inline constexpr int WORK_SIZE = 128;
inline constexpr int kDetailSampleSize = 1024;
inline constexpr std::size_t kMaxDetails = 16;
inline constexpr int kCollapseQuality = 94;
inline constexpr const char* kCollapsedStackName = "Collapsed Terrain Stack";

// One prepared detail: WORK_SIZE × WORK_SIZE RGB bytes.
using PreparedDetail = std::array<std::uint8_t, std::size_t{WORK_SIZE} * WORK_SIZE * 3>;

// Samples a detail texture (3 or 4 channel pixels) through its placement over the
// 1024 × 1024 area and reduces it to the work size.
std::unique_ptr<PreparedDetail> prepare_detail(const PixelImage& pixels, const stacked_texture& placement);

// The first texture of every stack of the detail set, in stack order; none with the reason
// when a detail cannot be used.
std::optional<std::vector<std::unique_ptr<PreparedDetail>>> prepare_details(const StackSet& details,
                                                                           std::string* problem = nullptr);

// work = trunc(255 · b · (1 − (1 − t) · m)) per pixel and channel, with m, t, b the mask,
// detail and work values over 255. Work and detail are RGB, the mask one byte per pixel.
void blend_detail_mask(std::uint8_t* work, const std::uint8_t* mask, const PreparedDetail& detail);

// The collapsed set: one raw-then-recompressed base texture per stack of the terrain set.
// None with a message naming the stack and texture when the input cannot be collapsed.
std::unique_ptr<StackSet> collapse_stack_sets(const StackSet& terrain, const StackSet& details,
                                              std::string* problem = nullptr);

// Reads both texture stack tags (found among the loaded tags), collapses them and adds the
// result to file as "Collapsed Terrain Stack" with an id unique among the file's texture
// stacks. None with the reason when a tag is missing or the input is refused; a terrain set
// without stacks makes nothing.
// The collapse itself touches no tag: run_heavy (when given) runs it, for instance on a
// worker thread, and returns when it is over.
using HeavyWorkRunner = std::function<void(const std::function<void()>& work)>;
TagEntry* collapse_terrain(TagDatabase& db, TagFile& file, tag_id terrain, tag_id details,
                           std::string* problem = nullptr, const HeavyWorkRunner& run_heavy = {});

} // namespace zephane
