#include "psd_builder.h"

namespace zephane::test {

namespace {

void u8(std::vector<std::uint8_t>& out, unsigned v) { out.push_back(static_cast<std::uint8_t>(v)); }
void u16(std::vector<std::uint8_t>& out, unsigned v) {
    u8(out, v >> 8);
    u8(out, v);
}
void u32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    u16(out, v >> 16);
    u16(out, v & 0xFFFF);
}
void box(std::vector<std::uint8_t>& out, const PsdBox& b) {
    u32(out, static_cast<std::uint32_t>(b.top));
    u32(out, static_cast<std::uint32_t>(b.left));
    u32(out, static_cast<std::uint32_t>(b.bottom));
    u32(out, static_cast<std::uint32_t>(b.right));
}
void text(std::vector<std::uint8_t>& out, const std::string& s) { out.insert(out.end(), s.begin(), s.end()); }

std::vector<std::uint8_t> channel_bytes(const PsdChannelSpec& c, const PsdBox& rect) {
    std::vector<std::uint8_t> out;
    u16(out, c.compression);
    if (c.data) {
        out.insert(out.end(), c.data->begin(), c.data->end());
        return out;
    }
    if (c.compression != 1 || rect.width() <= 0 || rect.height() <= 0) {
        out.insert(out.end(), c.pixels.begin(), c.pixels.end());
        return out;
    }
    const auto rows = static_cast<std::size_t>(rect.height());
    const auto columns = static_cast<std::size_t>(rect.width());
    std::vector<std::vector<std::uint8_t>> packed;
    for (std::size_t r = 0; r < rows; ++r) packed.push_back(packbits(c.pixels.data() + r * columns, columns));
    for (const auto& row : packed) u16(out, static_cast<unsigned>(row.size()));
    for (const auto& row : packed) out.insert(out.end(), row.begin(), row.end());
    return out;
}

} // namespace

std::vector<std::uint8_t> packbits(const std::uint8_t* row, std::size_t length) {
    std::vector<std::uint8_t> out;
    std::size_t i = 0;
    while (i < length) {
        std::size_t run = 1;
        while (i + run < length && run < 128 && row[i + run] == row[i]) ++run;
        if (run >= 2) {
            u8(out, 257 - run);
            u8(out, row[i]);
            i += run;
            continue;
        }
        std::size_t literal = 1;
        while (i + literal < length && literal < 128 &&
               !(i + literal + 1 < length && row[i + literal] == row[i + literal + 1]))
            ++literal;
        u8(out, literal - 1);
        out.insert(out.end(), row + i, row + i + literal);
        i += literal;
    }
    return out;
}

std::vector<std::uint8_t> build_psd(const PsdSpec& spec) {
    std::vector<std::uint8_t> out;
    text(out, spec.signature);
    u16(out, spec.version);
    out.insert(out.end(), 6, 0);
    u16(out, 3);
    u32(out, spec.height);
    u32(out, spec.width);
    u16(out, spec.depth);
    u16(out, 3); // RGB
    u32(out, 0); // colour mode data
    u32(out, 6); // image resources: skipped by length
    text(out, "8BIM");
    u16(out, 0);

    std::vector<std::uint8_t> info;
    const auto count = static_cast<std::int16_t>(spec.layers.size());
    u16(info, static_cast<std::uint16_t>(spec.negative_layer_count ? -count : count));
    std::vector<std::vector<std::vector<std::uint8_t>>> data;
    for (const PsdLayerSpec& layer : spec.layers) {
        box(info, layer.rect);
        u16(info, static_cast<unsigned>(layer.channels.size()));
        data.emplace_back();
        for (const PsdChannelSpec& c : layer.channels) {
            const PsdBox& rect = c.id == -2 && layer.mask ? *layer.mask : layer.rect;
            data.back().push_back(channel_bytes(c, rect));
            u16(info, static_cast<std::uint16_t>(c.id));
            u32(info, static_cast<std::uint32_t>(data.back().back().size()));
        }
        text(info, "8BIMnorm");
        u8(info, 255);
        u8(info, 0);
        u8(info, 0);
        u8(info, 0);
        std::vector<std::uint8_t> extra;
        if (layer.mask) {
            u32(extra, layer.mask_length);
            box(extra, *layer.mask);
            u8(extra, 0);
            u8(extra, 0);
            extra.insert(extra.end(), layer.mask_length - 18, 0);
        } else {
            u32(extra, 0);
        }
        if (layer.empty_blending_ranges) {
            u32(extra, 0);
        } else {
            std::size_t pairs = 1;
            for (const PsdChannelSpec& c : layer.channels) pairs += c.id != -2;
            u32(extra, static_cast<std::uint32_t>(pairs * 8));
            for (std::size_t p = 0; p < pairs; ++p) {
                u32(extra, 0x0000FFFF);
                u32(extra, 0x0000FFFF);
            }
        }
        u8(extra, static_cast<unsigned>(layer.name.size()));
        text(extra, layer.name);
        while (extra.size() % 4) u8(extra, 0);
        u32(info, static_cast<std::uint32_t>(extra.size()));
        info.insert(info.end(), extra.begin(), extra.end());
    }
    for (const auto& layer : data)
        for (const auto& channel : layer) info.insert(info.end(), channel.begin(), channel.end());
    if (info.size() % 2) u8(info, 0);

    u32(out, static_cast<std::uint32_t>(info.size() + 8));
    u32(out, static_cast<std::uint32_t>(info.size()));
    out.insert(out.end(), info.begin(), info.end());
    u32(out, 0); // global layer mask information
    // The merged image, which the reader never looks at.
    u16(out, 0);
    return out;
}

PsdLayerSpec colour_layer(PsdBox rect, const std::vector<std::uint8_t>& rgb, const std::vector<std::uint8_t>* alpha) {
    PsdLayerSpec layer;
    layer.rect = rect;
    const std::size_t count = rgb.size() / 3;
    if (alpha) layer.channels.push_back(plane(-1, *alpha));
    for (std::int16_t k = 0; k < 3; ++k) {
        PsdChannelSpec c = plane(k, {});
        for (std::size_t i = 0; i < count; ++i) c.pixels.push_back(rgb[i * 3 + static_cast<std::size_t>(k)]);
        layer.channels.push_back(std::move(c));
    }
    return layer;
}

void add_mask(PsdLayerSpec& layer, PsdBox box, std::vector<std::uint8_t> pixels) {
    layer.mask = box;
    layer.channels.push_back(plane(-2, std::move(pixels)));
}

} // namespace zephane::test
