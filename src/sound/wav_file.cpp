#include "sound/wav_file.h"

#include "base/byte_reader.h"

#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace zephane {

namespace {

constexpr std::size_t kPcmFormatSize = 16;
constexpr std::size_t kExtensibleFormatSize = 40;
constexpr std::size_t kChunkHeaderSize = 8;
// The sub-format GUID of an extensible format after its first two bytes (the format tag).
constexpr std::uint8_t kSubFormatGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::string fourcc_text(std::span<const std::uint8_t> id) {
    std::string text;
    for (std::uint8_t c : id) text += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    return text;
}

bool is_id(std::span<const std::uint8_t> id, const char (&expected)[5]) {
    return std::memcmp(id.data(), expected, 4) == 0;
}

WavFormat read_format(ByteReader body) {
    if (body.size() < kPcmFormatSize)
        body.fail("'fmt ' chunk", "has " + std::to_string(body.size()) + " bytes; 16 are needed");
    WavFormat format;
    format.format_tag = body.u16le("wFormatTag");
    format.channels = body.u16le("nChannels");
    format.samples_per_second = body.u32le("nSamplesPerSec");
    format.average_bytes_per_second = body.u32le("nAvgBytesPerSec");
    format.block_align = body.u16le("nBlockAlign");
    format.bits_per_sample = body.u16le("wBitsPerSample");
    if (format.format_tag == kWaveFormatExtensible && body.size() >= kExtensibleFormatSize) {
        body.seek(24, "SubFormat");
        const std::uint16_t sub_tag = body.u16le("SubFormat");
        const auto tail = body.bytes(sizeof kSubFormatGuidTail, "SubFormat");
        if (std::memcmp(tail.data(), kSubFormatGuidTail, sizeof kSubFormatGuidTail) == 0)
            format.format_tag = sub_tag;
    }
    return format;
}

void put_le16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void put_le32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

} // namespace

WavContents parse_wav(std::span<const std::uint8_t> bytes) {
    ByteReader file(bytes);
    if (bytes.size() < 12)
        file.fail("RIFF header", "the file has only " + std::to_string(bytes.size()) + " bytes");
    if (!is_id(file.bytes(4, "RIFF header"), "RIFF"))
        file.fail("RIFF header", "the file is not a RIFF file");
    const std::uint32_t riff_size = file.u32le("RIFF chunk size");
    if (riff_size < 4 || riff_size > file.remaining())
        throw FormatError("RIFF chunk size", 4,
                          "is " + std::to_string(riff_size) + " but the file holds " +
                              std::to_string(file.remaining()) + " bytes after it");
    ByteReader form = file.sub(riff_size, "RIFF chunk");
    const auto form_type = form.bytes(4, "RIFF form type");
    if (!is_id(form_type, "WAVE"))
        throw FormatError("RIFF form type", 8, "is '" + fourcc_text(form_type) + "', not 'WAVE'");

    std::optional<WavFormat> format;
    std::optional<std::span<const std::uint8_t>> data;
    while (form.remaining() >= kChunkHeaderSize) {
        const std::size_t start = form.absolute_position();
        const auto id = form.bytes(4, "chunk id");
        const std::uint32_t size = form.u32le("chunk size");
        if (size > form.remaining())
            throw FormatError("'" + fourcc_text(id) + "' chunk", start,
                              "claims " + std::to_string(size) + " bytes but only " +
                                  std::to_string(form.remaining()) + " remain");
        ByteReader body = form.sub(size, "chunk body");
        if (is_id(id, "fmt ") && !format) format = read_format(body);
        if (is_id(id, "data") && !data) data = body.bytes(size, "'data' chunk");
        // Odd sizes are padded to even; some writers leave the pad off the last chunk.
        if ((size & 1) && form.remaining() > 0) form.skip(1, "chunk padding");
    }
    if (!format) throw FormatError("'fmt ' chunk", 12, "is missing");
    if (!data) throw FormatError("'data' chunk", 12, "is missing");
    return {*format, *data};
}

std::vector<std::uint8_t> make_wav(std::span<const std::int16_t> samples, std::uint16_t channels,
                                   std::uint32_t samples_per_second) {
    constexpr std::size_t kHeader = 44;
    const std::size_t data_size = samples.size() * sizeof(std::int16_t);
    if (data_size > std::numeric_limits<std::uint32_t>::max() - (kHeader - 8))
        throw std::length_error("a WAVE file holds at most 4 GB");
    std::vector<std::uint8_t> out(kHeader + data_size);
    std::uint8_t* p = out.data();
    const std::uint16_t block_align = static_cast<std::uint16_t>(channels * 2);
    std::memcpy(p, "RIFF", 4);
    put_le32(p + 4, static_cast<std::uint32_t>(kHeader - 8 + data_size));
    std::memcpy(p + 8, "WAVEfmt ", 8);
    put_le32(p + 16, kPcmFormatSize);
    put_le16(p + 20, kWaveFormatPcm);
    put_le16(p + 22, channels);
    put_le32(p + 24, samples_per_second);
    put_le32(p + 28, samples_per_second * block_align);
    put_le16(p + 32, block_align);
    put_le16(p + 34, 16);
    std::memcpy(p + 36, "data", 4);
    put_le32(p + 40, static_cast<std::uint32_t>(data_size));
    std::uint8_t* out_samples = p + kHeader;
    for (std::size_t i = 0; i < samples.size(); ++i)
        put_le16(out_samples + 2 * i, static_cast<std::uint16_t>(samples[i]));
    return out;
}

} // namespace zephane
