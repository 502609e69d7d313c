#include "textures/texture_split_merge.h"

#include <algorithm>

#include "textures/texture_pixels.h"

namespace zephane {

namespace {

void set_problem(std::string* problem, const std::string& text) {
    if (problem) *problem = text;
}

struct SplitData {
    std::vector<std::uint8_t> colour;
    std::vector<std::uint8_t> alpha;
};

std::optional<SplitData> split_data(const stacked_texture& texture, std::string* problem) {
    if (texture.format == kFormatJpeg) {
        const auto streams = split_rgba_streams(texture.compressed_data);
        if (!streams) {
            set_problem(problem, "the RGB stream's length points past the data");
            return std::nullopt;
        }
        return SplitData{{streams->rgb.begin(), streams->rgb.end()},
                         {streams->alpha.begin(), streams->alpha.end()}};
    }
    if (texture.format != kFormatRaw || texture.size() != texture.raw_size()) {
        set_problem(problem, "the texture's data cannot be split");
        return std::nullopt;
    }
    const std::size_t count = texture.raw_size() / 4;
    SplitData out{std::vector<std::uint8_t>(count * 3), std::vector<std::uint8_t>(count)};
    for (std::size_t i = 0; i < count; ++i) {
        std::copy_n(texture.compressed_data.begin() + static_cast<std::ptrdiff_t>(i * 4), 3,
                    out.colour.begin() + static_cast<std::ptrdiff_t>(i * 3));
        out.alpha[i] = texture.compressed_data[i * 4 + 3];
    }
    return out;
}

// The merged data of a JPEG colour texture: its stream and a JPEG alpha stream.
std::optional<std::vector<std::uint8_t>> merge_jpeg(const stacked_texture& rgb, stacked_texture alpha,
                                                    std::string* problem) {
    if (alpha.format != kFormatJpeg) {
        const auto quality = estimate_jpeg_quality(rgb, problem);
        if (!quality || !recompress_texture(alpha, *quality, problem)) return std::nullopt;
        if (alpha.format != kFormatJpeg) {
            // The keep rule left it raw, but the two-stream form needs a JPEG alpha.
            const auto pixels = decode_texture(alpha, true, problem);
            if (!pixels) return std::nullopt;
            auto stream = encode_jpeg_data(*pixels, *quality, problem);
            if (!stream) return std::nullopt;
            alpha.set_data(std::move(*stream), kFormatJpeg);
        }
    }
    auto joined = join_rgba_streams(rgb.compressed_data, alpha.compressed_data);
    if (!joined) set_problem(problem, "the RGB stream is too long for the two-stream form");
    return joined;
}

// The merged data of a raw colour texture: RGBA pixels.
std::optional<std::vector<std::uint8_t>> merge_raw(const stacked_texture& rgb, stacked_texture alpha,
                                                   std::string* problem) {
    if (rgb.size() != rgb.raw_size()) {
        set_problem(problem, "the colour texture's raw data has the wrong size");
        return std::nullopt;
    }
    if (alpha.format != kFormatRaw && !recompress_texture(alpha, kRawQuality, problem)) return std::nullopt;
    if (alpha.size() != alpha.raw_size()) {
        set_problem(problem, "the alpha texture's raw data has the wrong size");
        return std::nullopt;
    }
    const std::size_t count = alpha.raw_size();
    std::vector<std::uint8_t> out(count * 4);
    for (std::size_t i = 0; i < count; ++i) {
        std::copy_n(rgb.compressed_data.begin() + static_cast<std::ptrdiff_t>(i * 3), 3,
                    out.begin() + static_cast<std::ptrdiff_t>(i * 4));
        out[i * 4 + 3] = alpha.compressed_data[i];
    }
    return out;
}

} // namespace

bool can_split_rgba(std::span<const stacked_texture* const> selection) {
    return std::any_of(selection.begin(), selection.end(),
                       [](const stacked_texture* t) { return t && t->channels == 4; });
}

stacked_texture* split_rgba(StackSet& set, stacked_texture& texture, std::string* problem) {
    const TexturePlace place = find_texture(set, &texture);
    if (!place.found() || texture.channels != 4) {
        set_problem(problem, "only a 4-channel texture of this set can be split");
        return nullptr;
    }
    auto parts = split_data(texture, problem);
    if (!parts) return nullptr;
    auto alpha = std::make_unique<stacked_texture>();
    alpha->channels = 1;
    alpha->width = texture.width;
    alpha->height = texture.height;
    alpha->layer = texture.layer;
    alpha->layer_kind = kLayerSkinModifier;
    alpha->set_data(std::move(parts->alpha), texture.format);
    texture.channels = 3;
    texture.set_data(std::move(parts->colour), texture.format);
    stacked_texture* made = alpha.get();
    insert_texture(set, static_cast<std::size_t>(place.stack), place.position + 1, std::move(alpha));
    return made;
}

bool can_merge_rgb_and_alpha(std::span<const stacked_texture* const> selection) {
    if (selection.size() != 2 || !selection[0] || !selection[1]) return false;
    const stacked_texture& a = *selection[0];
    const stacked_texture& b = *selection[1];
    const bool channels = (a.channels == 3 && b.channels == 1) || (a.channels == 1 && b.channels == 3);
    return channels && a.width == b.width && a.height == b.height;
}

bool merge_rgb_and_alpha(StackSet& set, stacked_texture& first, stacked_texture& second,
                         std::string* problem) {
    const stacked_texture* pair[] = {&first, &second};
    if (!can_merge_rgb_and_alpha(pair)) {
        set_problem(problem, "a 3-channel and a 1-channel texture of the same size are needed");
        return false;
    }
    stacked_texture& rgb = first.channels == 3 ? first : second;
    stacked_texture& alpha = first.channels == 3 ? second : first;
    const TexturePlace alpha_place = find_texture(set, &alpha);
    if (!alpha_place.found() || !find_texture(set, &rgb).found()) {
        set_problem(problem, "both textures must belong to this set");
        return false;
    }
    // Work on a copy of the alpha so that a failure leaves both textures as they were.
    std::optional<std::vector<std::uint8_t>> merged;
    if (rgb.format == kFormatJpeg) merged = merge_jpeg(rgb, *duplicate_texture(alpha), problem);
    else if (rgb.format == kFormatRaw) merged = merge_raw(rgb, *duplicate_texture(alpha), problem);
    else set_problem(problem, "data of " + format_label(rgb.format) + " cannot be merged");
    if (!merged) return false;

    rgb.channels = 4;
    rgb.set_data(std::move(*merged), rgb.format);
    unlink_texture(set, static_cast<std::size_t>(alpha_place.stack), alpha, true);
    set.dirty = true;
    return true;
}

} // namespace zephane
