#include "tags/tag_file_verify.h"

#include <algorithm>
#include <cstring>

#include "base/byte_reader.h"
#include "base/posix_file.h"
#include "tags/tag_file_format.h"

namespace zephane {

namespace {

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

struct PayloadRange {
    std::size_t index;
    std::uint64_t offset;
    std::uint64_t size;
};

void check_tag_headers(std::span<const std::uint8_t> bytes, std::size_t headers_start,
                       std::size_t count, bool monolithic, std::vector<std::string>& problems,
                       std::uint32_t& data_crc) {
    std::vector<PayloadRange> ranges;
    ByteReader file(bytes);
    file.seek(headers_start, "tag headers");
    const std::uint64_t headers_end = headers_start + std::uint64_t{count} * kTagHeaderSize;
    for (std::size_t k = 0; k < count; ++k) {
        const StoredTagHeader tag = read_tag_header(file);
        const std::string which = "tag header " + std::to_string(k);
        if (tag.signature != kTagHeaderSignature)
            problems.push_back(which + ": signature is " + hex(tag.signature) + ", not 'tlm2'");
        const std::uint64_t offset = tag.offset;
        std::uint64_t size = tag.size;
        const std::size_t single_payload = bytes.size() - kTagHeaderSize;
        if (!monolithic && size != single_payload) {
            problems.push_back(which + ": size field says " + std::to_string(size) +
                               " but the payload is " + std::to_string(single_payload) + " bytes");
            size = single_payload;
        }
        if (offset + size > bytes.size()) {
            problems.push_back(which + ": payload at " + std::to_string(offset) + " of " +
                               std::to_string(size) + " bytes runs past the end of the file (" +
                               std::to_string(bytes.size()) + " bytes)");
            continue;
        }
        if (size > 0 && offset < headers_end)
            problems.push_back(which + ": payload at " + std::to_string(offset) + " overlaps the headers");
        ByteReader payload(bytes);
        payload.seek(static_cast<std::size_t>(offset), "payload");
        data_crc = tag_crc(data_crc, payload.bytes(static_cast<std::size_t>(size), "payload"));
        if (size > 0) ranges.push_back({k, offset, size});
    }
    std::sort(ranges.begin(), ranges.end(),
              [](const PayloadRange& a, const PayloadRange& b) { return a.offset < b.offset; });
    for (std::size_t k = 1; k < ranges.size(); ++k) {
        const PayloadRange& a = ranges[k - 1];
        const PayloadRange& b = ranges[k];
        if (a.offset + a.size > b.offset)
            problems.push_back("tag header " + std::to_string(a.index) + " and tag header " +
                               std::to_string(b.index) + ": payloads overlap");
    }
}

} // namespace

std::vector<std::string> verify_tag_file_bytes(std::span<const std::uint8_t> bytes) {
    std::vector<std::string> problems;
    if (bytes.size() < kTagHeaderSize) return {"not a tag file: only " + std::to_string(bytes.size()) + " bytes"};
    const TagFileLayout layout = recognise_tag_file(bytes);
    if (layout == TagFileLayout::kNotTagFile) return {"not a tag file: neither signature is present"};
    if (layout == TagFileLayout::kSingle) {
        std::uint32_t unused = kCrcInitial;
        check_tag_headers(bytes, 0, 1, false, problems, unused);
        return problems;
    }

    ByteReader file(bytes);
    const file_header header = read_file_header(file);
    const TagHeaderRange range = tag_header_range(header, true);
    if (range.end > bytes.size())
        return {"damaged: " + std::to_string(header.entry_point_count) + " entry points and " +
                std::to_string(header.tag_count) + " tag headers need " + std::to_string(range.end) +
                " bytes but the file has " + std::to_string(bytes.size())};
    if (header.file_size != bytes.size())
        problems.push_back("file_size says " + std::to_string(header.file_size) + " but the file has " +
                           std::to_string(bytes.size()) + " bytes");

    std::uint32_t data_crc = kCrcInitial;
    check_tag_headers(bytes, static_cast<std::size_t>(range.start), header.tag_count, true, problems, data_crc);
    if (data_crc != header.data_checksum)
        problems.push_back("data_checksum is " + hex(header.data_checksum) + " but the payloads give " + hex(data_crc));

    // The header checksum covers the header with its web address and itself zeroed.
    ByteReader header_bytes(bytes);
    std::vector<std::uint8_t> copy = header_bytes.copy(kFileHeaderSize, "tag header");
    std::memset(copy.data() + offsetof(file_header, web_address), 0, sizeof header.web_address);
    std::memset(copy.data() + offsetof(file_header, header_checksum), 0, sizeof header.header_checksum);
    const std::uint32_t header_crc = tag_crc(kCrcInitial, copy);
    if (header_crc != header.header_checksum)
        problems.push_back("header_checksum is " + hex(header.header_checksum) + " but the header gives " + hex(header_crc));
    return problems;
}

std::vector<std::string> verify_tag_file(const std::string& path) {
    const auto bytes = read_whole_file(path);
    if (!bytes) return {"cannot read " + path};
    return verify_tag_file_bytes(*bytes);
}

} // namespace zephane
