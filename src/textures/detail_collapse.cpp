#include "textures/detail_collapse.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "tags/tag_database.h"
#include "textures/parallel_tiles.h"
#include "textures/texture_pixels.h"

namespace zephane {

namespace {

constexpr std::size_t kWork = WORK_SIZE;
constexpr std::size_t kSample = kDetailSampleSize;
constexpr std::size_t kBlock = kSample / kWork; // 8 × 8 samples make one work pixel

void set_problem(std::string* problem, const std::string& text) {
    if (problem) *problem = text;
}

std::string where(const char* set_name, std::size_t stack, std::size_t texture) {
    return std::string(set_name) + " stack " + std::to_string(stack) + ", texture " + std::to_string(texture) + ": ";
}

// Truncates toward zero and wraps into [0, side) for a power-of-two side (any other side
// still lands inside it).
std::size_t wrap(float value, int side) {
    const auto whole = static_cast<std::int64_t>(std::trunc(value));
    return static_cast<std::size_t>(whole & (side - 1));
}

std::optional<PixelImage> decode_for_collapse(const stacked_texture& texture, const std::string& at,
                                              std::string* problem) {
    std::string reason;
    auto pixels = decode_texture(texture, true, &reason);
    if (!pixels) set_problem(problem, at + reason);
    return pixels;
}

} // namespace

std::unique_ptr<PreparedDetail> prepare_detail(const PixelImage& pixels, const stacked_texture& placement) {
    const int w = pixels.width, h = pixels.height;
    const auto channels = static_cast<std::size_t>(pixels.channels);
    int ou = placement.origin_u, ov = placement.origin_v;
    int uu = placement.du_u, uv = placement.du_v;
    int vu = placement.dv_u, vv = placement.dv_v;
    if (uu == 0 && uv == 0) {
        uu = -64;
        ou = 0;
    }
    if (vu == 0 && vv == 0) {
        vv = 64;
        ov = 0;
    }
    const float d = static_cast<float>(w) / static_cast<float>(std::int64_t{uu} * uu + std::int64_t{uv} * uv);
    const float hh = static_cast<float>(h) / static_cast<float>(std::int64_t{vu} * vu + std::int64_t{vv} * vv);
    const float y_step = static_cast<float>(h) / static_cast<float>(kSample);
    const float x_step = static_cast<float>(w) / static_cast<float>(kSample);

    std::vector<std::uint8_t> area(kSample * kSample * 3, 0);
    for (std::size_t r = 0; r < kSample; ++r) {
        const float y = static_cast<float>(r) * y_step;
        if (!(y < static_cast<float>(h))) break;
        const float dy = y - static_cast<float>(ov);
        for (std::size_t c = 0; c < kSample; ++c) {
            const float x = static_cast<float>(c) * x_step;
            if (!(x < static_cast<float>(w))) break;
            const float dx = x - static_cast<float>(ou);
            const std::size_t row = wrap(dy * static_cast<float>(vv) * hh + dx * static_cast<float>(vu) * hh, h);
            const std::size_t col = wrap(dy * static_cast<float>(uv) * d + dx * static_cast<float>(uu) * d, w);
            const std::uint8_t* p = pixels.pixels.data() + (row * static_cast<std::size_t>(w) + col) * channels;
            std::uint8_t* o = area.data() + (r * kSample + c) * 3;
            o[0] = p[0];
            o[1] = p[1];
            o[2] = p[2];
        }
    }

    auto detail = std::make_unique<PreparedDetail>();
    for (std::size_t y = 0; y < kWork; ++y) {
        for (std::size_t x = 0; x < kWork; ++x) {
            for (std::size_t k = 0; k < 3; ++k) {
                unsigned sum = 0;
                for (std::size_t j = 0; j < kBlock; ++j)
                    for (std::size_t i = 0; i < kBlock; ++i)
                        sum += area[((y * kBlock + j) * kSample + x * kBlock + i) * 3 + k];
                (*detail)[(y * kWork + x) * 3 + k] = static_cast<std::uint8_t>(std::min(sum / 64, 255u));
            }
        }
    }
    return detail;
}

std::optional<std::vector<std::unique_ptr<PreparedDetail>>> prepare_details(const StackSet& details,
                                                                           std::string* problem) {
    std::vector<std::unique_ptr<PreparedDetail>> prepared;
    for (std::size_t s = 0; s < details.stacks.size(); ++s) {
        const std::string at = where("detail", s, 0);
        if (details.stacks[s].textures.empty()) continue; // only a set edited in memory has these
        if (prepared.size() == kMaxDetails) {
            set_problem(problem, at + "at most 16 detail textures can be used");
            return std::nullopt;
        }
        const stacked_texture& texture = *details.stacks[s].textures.front();
        if (texture.channels != 3 && texture.channels != 4) {
            set_problem(problem, at + "a detail texture needs 3 or 4 channels");
            return std::nullopt;
        }
        if (texture.width == 0 || texture.height == 0) {
            set_problem(problem, at + "the detail texture has no pixels");
            return std::nullopt;
        }
        const auto pixels = decode_for_collapse(texture, at, problem);
        if (!pixels) return std::nullopt;
        prepared.push_back(prepare_detail(*pixels, texture));
    }
    return prepared;
}

void blend_detail_mask(std::uint8_t* work, const std::uint8_t* mask, const PreparedDetail& detail) {
    for (std::size_t i = 0; i < kWork * kWork; ++i) {
        const float m = static_cast<float>(mask[i]) / 255.0f;
        for (std::size_t k = 0; k < 3; ++k) {
            const float t = static_cast<float>(detail[i * 3 + k]) / 255.0f;
            const float b = static_cast<float>(work[i * 3 + k]) / 255.0f;
            const float value = 255.0f * b * (1.0f - (1.0f - t) * m);
            work[i * 3 + k] = static_cast<std::uint8_t>(std::clamp(std::trunc(value), 0.0f, 255.0f));
        }
    }
}

namespace {

// One collapsed tile: the base map with every detail mask of the stack blended in, stored
// raw and recompressed. None with the reason when the stack cannot be collapsed.
std::unique_ptr<stacked_texture> collapse_tile(const TextureStack& stack, std::size_t s,
                                               const std::vector<std::unique_ptr<PreparedDetail>>& details,
                                               std::string* problem) {
    const auto& textures = stack.textures;
    if (textures.empty()) {
        set_problem(problem, where("terrain", s, 0) + "the stack has no base map");
        return nullptr;
    }
    const stacked_texture& base = *textures.front();
    if (base.width != WORK_SIZE || base.height != WORK_SIZE || base.channels != 3) {
        set_problem(problem, where("terrain", s, 0) + "the base map must be 128 x 128 with 3 channels");
        return nullptr;
    }
    auto work = decode_for_collapse(base, where("terrain", s, 0), problem);
    if (!work) return nullptr;
    for (std::size_t t = 0; t < textures.size(); ++t) {
        const stacked_texture& mask = *textures[t];
        if (mask.layer_kind != kLayerDetailMask) continue;
        const std::string at = where("terrain", s, t);
        if (mask.width != WORK_SIZE || mask.height != WORK_SIZE || mask.channels != 1) {
            set_problem(problem, at + "a detail mask must be 128 x 128 with 1 channel");
            return nullptr;
        }
        if (mask.layer >= details.size()) {
            set_problem(problem, at + "detail mask " + std::to_string(mask.layer) + " has no detail texture");
            return nullptr;
        }
        const auto mask_pixels = decode_for_collapse(mask, at, problem);
        if (!mask_pixels) return nullptr;
        blend_detail_mask(work->pixels.data(), mask_pixels->pixels.data(), *details[mask.layer]);
    }
    auto collapsed = std::make_unique<stacked_texture>();
    collapsed->width = WORK_SIZE;
    collapsed->height = WORK_SIZE;
    collapsed->channels = 3;
    collapsed->layer_kind = kLayerBaseTexture;
    collapsed->set_data(std::move(work->pixels), kFormatRaw);
    if (!recompress_texture(*collapsed, kCollapseQuality, problem)) return nullptr;
    return collapsed;
}

} // namespace

std::unique_ptr<StackSet> collapse_stack_sets(const StackSet& terrain, const StackSet& details,
                                              std::string* problem) {
    try {
        const auto prepared = prepare_details(details, problem);
        if (!prepared) return nullptr;
        // Tiles are independent; the first refusal in stack order is the one reported.
        const std::size_t count = terrain.stacks.size();
        std::vector<std::unique_ptr<stacked_texture>> tiles(count);
        std::vector<std::string> failures(count);
        for_each_tile(count, [&](std::size_t s) {
            tiles[s] = collapse_tile(terrain.stacks[s], s, *prepared, &failures[s]);
        });
        for (std::size_t s = 0; s < count; ++s) {
            if (tiles[s]) continue;
            set_problem(problem, failures[s]);
            return nullptr;
        }
        auto result = std::make_unique<StackSet>();
        result->stacks.reserve(count);
        for (std::size_t s = 0; s < count; ++s) insert_texture(*result, s, 0, std::move(tiles[s]));
        return result;
    } catch (const std::bad_alloc&) {
        set_problem(problem, "out of memory while collapsing the terrain");
        return nullptr;
    }
}

TagEntry* collapse_terrain(TagDatabase& db, TagFile& file, tag_id terrain, tag_id details,
                           std::string* problem, const HeavyWorkRunner& run_heavy) {
    TagEntry* terrain_tag = db.find_tag(kTextureStackType, terrain);
    TagEntry* detail_tag = db.find_tag(kTextureStackType, details);
    if (!terrain_tag || !detail_tag) {
        set_problem(problem, std::string("no texture stack ") + tag_id_to_text(terrain_tag ? details : terrain));
        return nullptr;
    }
    std::string reason;
    const auto terrain_set = read_stack_set(db, *terrain_tag, &reason);
    if (!terrain_set) {
        set_problem(problem, "terrain stack: " + reason);
        return nullptr;
    }
    if (terrain_set->stacks.empty()) {
        set_problem(problem, "the terrain stack has no stacks");
        return nullptr;
    }
    const auto detail_set = read_stack_set(db, *detail_tag, &reason);
    if (!detail_set) {
        set_problem(problem, "detail stack: " + reason);
        return nullptr;
    }
    std::optional<std::vector<std::uint8_t>> payload;
    std::string reason_of_heavy;
    const auto heavy = [&] {
        const auto collapsed = collapse_stack_sets(*terrain_set, *detail_set, &reason_of_heavy);
        if (collapsed) payload = build_stack_payload(*collapsed, &reason_of_heavy);
    };
    if (run_heavy) run_heavy(heavy);
    else heavy();
    if (!payload) {
        set_problem(problem, reason_of_heavy);
        return nullptr;
    }
    const tag_id id = db.make_tag_id(kCollapsedStackName, kTextureStackType, &file);
    return db.add_tag(&file, kTextureStackType, id, tag_type_version(kTextureStackType),
                      kCollapsedStackName, 0, 0, std::move(*payload));
}

} // namespace zephane
