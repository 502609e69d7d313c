// Reads the layer structure of a Photoshop document: header, layer records and the layers'
// channel data. Colour mode data and image resources are skipped by their lengths; the
// merged image at the end is never read.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>

#include "base/byte_reader.h"
#include "base/posix_file.h"
#include "textures/parallel_tiles.h"
#include "textures/psd_document.h"

namespace zephane {

namespace {

constexpr std::int16_t kChannelRed = 0, kChannelGreen = 1, kChannelBlue = 2;
constexpr std::int16_t kChannelTransparency = -1, kChannelMask = -2;
// A rectangle side beyond this cannot be a real layer (documents stop at 30000 pixels).
constexpr std::int64_t kMaxLayerSide = std::int64_t{1} << 24;
// Run-length data expands at most 128 bytes from 2; a rectangle needing more is refused.
constexpr std::uint64_t kMaxExpansion = 128;

struct ChannelInfo {
    std::int16_t id = 0;
    std::uint32_t length = 0; // including the 2-byte compression code
    std::uint16_t compression = 0;
    std::optional<ByteReader> data; // set for the channels the importers use
    std::vector<std::uint8_t> pixels;
};

struct LayerRecord {
    PsdLayer layer;
    std::vector<ChannelInfo> channels;
};

bool wanted(std::int16_t id) {
    return id == kChannelRed || id == kChannelGreen || id == kChannelBlue ||
           id == kChannelTransparency || id == kChannelMask;
}

PsdRect read_rect(ByteReader& r, const char* field) {
    PsdRect rect;
    rect.top = r.i32(field);
    rect.left = r.i32(field);
    rect.bottom = r.i32(field);
    rect.right = r.i32(field);
    return rect;
}

void check_rect(const ByteReader& r, const PsdRect& rect, const char* field) {
    if (rect.width() < 0 || rect.height() < 0) r.fail(field, "is inverted");
    if (rect.width() > kMaxLayerSide || rect.height() > kMaxLayerSide) r.fail(field, "is too large");
}

LayerRecord read_layer_record(ByteReader& r) {
    LayerRecord record;
    PsdLayer& layer = record.layer;
    layer.rect = read_rect(r, "layer rectangle");
    check_rect(r, layer.rect, "layer rectangle");
    const std::uint16_t channel_count = r.u16("layer channel count");
    r.require_elements(channel_count, 6, "layer channels");
    bool blendable_channel = false;
    for (std::uint16_t i = 0; i < channel_count; ++i) {
        ChannelInfo channel;
        channel.id = r.i16("channel id");
        channel.length = r.u32("channel data length");
        blendable_channel = blendable_channel || channel.id != kChannelMask;
        record.channels.push_back(std::move(channel));
    }
    const auto signature = r.bytes(4, "blend signature");
    if (std::string(signature.begin(), signature.end()) != "8BIM") r.fail("blend signature", "is not 8BIM");
    r.skip(4 + 1 + 1 + 1 + 1, "blend mode"); // key, opacity, clipping, flags, filler

    const std::uint32_t extra_length = r.u32("extra data length");
    ByteReader extra = r.sub(extra_length, "extra data");
    const std::uint32_t mask_length = extra.u32("layer mask data length");
    if (mask_length != 0) {
        if (mask_length != 20 && mask_length != 36)
            extra.fail("layer mask data length", "is " + std::to_string(mask_length) + ", not 20 or 36");
        ByteReader mask = extra.sub(mask_length, "layer mask data");
        layer.mask_rect = read_rect(mask, "layer mask rectangle");
        check_rect(mask, layer.mask_rect, "layer mask rectangle");
        (void)mask.u8("mask default colour");
        (void)mask.u8("mask flags");
    }
    // The blending ranges are skipped by their stored length: some writers store the
    // block empty instead of one pair per channel.
    if (!blendable_channel) extra.fail("blending ranges", "the layer has no channel they could belong to");
    const std::uint32_t ranges_length = extra.u32("blending ranges length");
    extra.skip(ranges_length, "blending ranges");
    const std::uint8_t name_length = extra.u8("layer name length");
    const auto name = extra.bytes(name_length, "layer name");
    layer.name.assign(name.begin(), name.end());
    return record; // the rest of the extra data (further information blocks) is ignored
}

void decode_raw(ByteReader& data, std::vector<std::uint8_t>& out) {
    if (data.remaining() < out.size()) data.fail("channel data", "is shorter than its rectangle");
    const auto bytes = data.bytes(out.size(), "channel data");
    std::copy(bytes.begin(), bytes.end(), out.begin());
    // Longer data is clipped: the bytes past the rectangle are not used.
}

void decode_rle(ByteReader& data, std::size_t rows, std::size_t columns, std::vector<std::uint8_t>& out) {
    data.require_elements(rows, 2, "row byte counts");
    std::vector<std::uint16_t> counts(rows);
    for (auto& count : counts) count = data.u16("row byte count");
    // The runs are read straight from the bytes that are left, every read checked against
    // their end; the reader is moved past what the rows consumed.
    const std::size_t start = data.position();
    const auto rest = data.bytes(data.remaining(), "run-length rows");
    const std::uint8_t* p = rest.data();
    const std::uint8_t* const end = p + rest.size();
    const auto fail = [&](const char* field, std::size_t need) {
        data.seek(start + static_cast<std::size_t>(p - rest.data()), field);
        data.fail(field, "needs " + std::to_string(need) + " bytes but only " +
                             std::to_string(end - p) + " remain");
    };
    for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t count = counts[row];
        std::uint8_t* line = out.data() + row * columns;
        const std::uint8_t* const row_start = p;
        std::size_t written = 0;
        while (static_cast<std::size_t>(p - row_start) < count) {
            if (p == end) fail("run header", 1);
            const std::uint8_t header = *p++;
            // A row that runs past its width is clipped at the rectangle's edge.
            if (header < 128) {
                const std::size_t n = std::size_t{header} + 1;
                if (static_cast<std::size_t>(end - p) < n) fail("run bytes", n);
                const std::size_t kept = std::min(n, columns - written);
                std::memcpy(line + written, p, kept);
                written += kept;
                p += n;
            } else {
                if (p == end) fail("run value", 1);
                const std::size_t kept = std::min(257 - std::size_t{header}, columns - written);
                std::memset(line + written, *p++, kept);
                written += kept;
            }
        }
        if (static_cast<std::size_t>(p - row_start) > count + (count & 1)) {
            data.seek(start + static_cast<std::size_t>(row_start - rest.data()), "run-length row");
            data.fail("run-length row", "runs past its byte count");
        }
    }
    data.seek(start + static_cast<std::size_t>(p - rest.data()), "run-length rows");
}

// Finds every channel's data by its stored length and checks what can be checked without
// decoding it.
void locate_channel_data(ByteReader& r, LayerRecord& record) {
    for (ChannelInfo& channel : record.channels) {
        if (channel.length < 2) r.fail("channel data length", "is shorter than its compression code");
        channel.compression = r.u16("channel compression");
        ByteReader data = r.sub(channel.length - 2, "channel data");
        if (!wanted(channel.id)) continue; // other channels are skipped by their length
        if (channel.compression > 1) data.fail("channel compression", "is " + std::to_string(channel.compression));
        const PsdRect& rect = channel.id == kChannelMask ? record.layer.mask_rect : record.layer.rect;
        const std::uint64_t expected = static_cast<std::uint64_t>(rect.height()) * static_cast<std::uint64_t>(rect.width());
        if (expected > kMaxExpansion * channel.length)
            data.fail("channel data", "is too short for a " + std::to_string(rect.width()) + " x " +
                                          std::to_string(rect.height()) + " rectangle");
        channel.data = data;
    }
}

void decode_channel(const LayerRecord& record, ChannelInfo& channel) {
    const PsdRect& rect = channel.id == kChannelMask ? record.layer.mask_rect : record.layer.rect;
    const auto rows = static_cast<std::size_t>(rect.height());
    const auto columns = static_cast<std::size_t>(rect.width());
    channel.pixels.assign(rows * columns, 0);
    if (channel.pixels.empty()) return;
    if (channel.compression == 0) decode_raw(*channel.data, channel.pixels);
    else decode_rle(*channel.data, rows, columns, channel.pixels);
}

// Decodes the channels on every core; a damaged channel is reported as the first in file
// order, whatever the order they were decoded in.
void decode_channels(std::vector<LayerRecord>& records) {
    std::vector<std::pair<LayerRecord*, ChannelInfo*>> jobs;
    for (LayerRecord& record : records)
        for (ChannelInfo& channel : record.channels)
            if (channel.data) jobs.emplace_back(&record, &channel);
    std::vector<std::optional<FormatError>> failures(jobs.size());
    for_each_tile(jobs.size(), [&](std::size_t j) {
        try {
            decode_channel(*jobs[j].first, *jobs[j].second);
        } catch (const FormatError& e) {
            failures[j] = e;
        }
    });
    for (const auto& failure : failures)
        if (failure) throw *failure;
}

constexpr std::size_t kInterleaveBlock = 1 << 16;

void assemble(LayerRecord& record) {
    const std::vector<std::uint8_t>* planes[3] = {nullptr, nullptr, nullptr};
    for (ChannelInfo& channel : record.channels) {
        if (!channel.data) continue;
        if (channel.id >= kChannelRed && channel.id <= kChannelBlue) planes[channel.id] = &channel.pixels;
        else if (channel.id == kChannelTransparency) record.layer.transparency = std::move(channel.pixels);
        else if (channel.id == kChannelMask) record.layer.mask = std::move(channel.pixels);
    }
    if (planes[0] && planes[1] && planes[2]) {
        const std::size_t count = planes[0]->size();
        std::vector<std::uint8_t> colour(count * 3);
        for_each_tile((count + kInterleaveBlock - 1) / kInterleaveBlock, [&](std::size_t block) {
            const std::size_t first = block * kInterleaveBlock;
            const std::size_t end = std::min(count, first + kInterleaveBlock);
            const std::uint8_t* r = planes[0]->data();
            const std::uint8_t* g = planes[1]->data();
            const std::uint8_t* b = planes[2]->data();
            std::uint8_t* out = colour.data() + first * 3;
            for (std::size_t i = first; i < end; ++i, out += 3) {
                out[0] = r[i];
                out[1] = g[i];
                out[2] = b[i];
            }
        });
        record.layer.colour = std::move(colour);
    }
    record.channels.clear();
}

PsdDocument parse(std::span<const std::uint8_t> bytes) {
    ByteReader r(bytes);
    const auto signature = r.bytes(4, "signature");
    if (std::string(signature.begin(), signature.end()) != "8BPS") r.fail("signature", "is not 8BPS");
    if (const std::uint16_t version = r.u16("version"); version != 1)
        r.fail("version", "is " + std::to_string(version) + ", not 1");
    r.skip(6, "reserved");
    (void)r.u16("channel count");
    PsdDocument document;
    document.height = r.u32("height");
    document.width = r.u32("width");
    if (const std::uint16_t depth = r.u16("depth"); depth != 8)
        r.fail("depth", "is " + std::to_string(depth) + " bits, not 8");
    (void)r.u16("colour mode");
    if (document.width == 0 || document.height == 0 || document.width > kPsdMaxSide ||
        document.height > kPsdMaxSide)
        r.fail("document size", std::to_string(document.width) + " x " +
                                    std::to_string(document.height) + " is not a document size");

    r.skip(r.u32("colour mode data length"), "colour mode data");
    r.skip(r.u32("image resources length"), "image resources");
    if (r.u32("layer and mask information length") == 0) return document;
    if (r.u32("layer information length") == 0) return document;
    const int layer_count = std::abs(int{r.i16("layer count")});

    std::vector<LayerRecord> records;
    records.reserve(static_cast<std::size_t>(layer_count));
    for (int i = 0; i < layer_count; ++i) records.push_back(read_layer_record(r));
    for (LayerRecord& record : records) locate_channel_data(r, record);
    decode_channels(records);
    for (LayerRecord& record : records) assemble(record);
    document.layers.reserve(records.size());
    for (LayerRecord& record : records) document.layers.push_back(std::move(record.layer));
    return document;
}

} // namespace

std::optional<PsdDocument> read_psd(std::span<const std::uint8_t> bytes, std::string* problem) {
    try {
        return parse(bytes);
    } catch (const FormatError& e) {
        if (problem) *problem = e.what();
    } catch (const std::bad_alloc&) {
        if (problem) *problem = "out of memory while reading the document";
    }
    return std::nullopt;
}

std::optional<PsdDocument> read_psd_file(const std::string& path, std::string* problem) {
    const auto bytes = read_whole_file(path);
    if (!bytes) {
        if (problem) *problem = "cannot read " + path;
        return std::nullopt;
    }
    return read_psd(*bytes, problem);
}

std::optional<ExtractedImage> extract_image(const PsdLayer& layer, PsdImageKind kind) {
    const bool from_mask = kind == PsdImageKind::mask;
    const PsdRect& rect = from_mask ? layer.mask_rect : layer.rect;
    ExtractedImage image;
    image.x = rect.left;
    image.y = rect.top;
    image.width = static_cast<std::int32_t>(rect.width());
    image.height = static_cast<std::int32_t>(rect.height());
    image.kind = kind;
    switch (kind) {
    case PsdImageKind::colour:
        if (!layer.colour) return std::nullopt;
        image.channels = 3;
        image.pixels = *layer.colour;
        break;
    case PsdImageKind::transparency:
        if (!layer.transparency) return std::nullopt;
        image.channels = 1;
        image.pixels = *layer.transparency;
        break;
    case PsdImageKind::mask:
        if (!layer.mask) return std::nullopt;
        image.channels = 1;
        image.pixels = *layer.mask;
        break;
    case PsdImageKind::colour_transparency: {
        if (!layer.colour || !layer.transparency) return std::nullopt;
        image.channels = 4;
        const std::size_t count = layer.transparency->size();
        image.pixels.resize(count * 4);
        for (std::size_t i = 0; i < count; ++i) {
            std::copy_n(layer.colour->begin() + static_cast<std::ptrdiff_t>(i * 3), 3,
                        image.pixels.begin() + static_cast<std::ptrdiff_t>(i * 4));
            image.pixels[i * 4 + 3] = (*layer.transparency)[i];
        }
        break;
    }
    }
    return image;
}

} // namespace zephane
