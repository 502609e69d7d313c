#include "tags/tag_file_format.h"

#include <algorithm>
#include <libdeflate.h>

namespace zephane {

const bs_code kFileHeaderCodes[] = {BS_GROUP_BEGIN, 1, BS_SWAP16, BS_SWAP16, 32, 64,
                                    BS_SWAP16, BS_SWAP16, BS_SWAP32, BS_SWAP32, BS_SWAP32,
                                    BS_SWAP32, 4, BS_SWAP32, BS_GROUP_END};

const bs_code kEntryPointCodes[] = {BS_GROUP_BEGIN, 1, BS_SWAP32, BS_SWAP32, 4, BS_SWAP32,
                                    32, 64, BS_GROUP_END};

TagFileLayout recognise_tag_file(std::span<const std::uint8_t> first) {
    ByteReader r(first);
    if (first.size() >= kFileHeaderSize) {
        r.seek(offsetof(file_header, signature), "signature");
        if (r.u32("signature") == kFileHeaderSignature) return TagFileLayout::kMonolithic;
    }
    if (first.size() >= kTagHeaderSize) {
        r.seek(tag_header::kSignature, "signature");
        if (r.u32("signature") == kTagHeaderSignature) return TagFileLayout::kSingle;
    }
    return TagFileLayout::kNotTagFile;
}

file_header read_file_header(ByteReader& file) {
    return read_record<file_header>(file, "tag header", kFileHeaderCodes);
}

TagHeaderRange tag_header_range(const file_header& header, bool monolithic) {
    const std::uint64_t start =
        monolithic ? kFileHeaderSize + std::uint64_t{kEntryPointSize} * header.entry_point_count : 0;
    return {start, start + std::uint64_t{kTagHeaderSize} * header.tag_count};
}

StoredTagHeader read_tag_header(ByteReader& headers) {
    using namespace tag_header;
    // The fields from the name to the size follow one another.
    static_assert(kType == kName + kNameSize && kId == kType + 4 && kOffset == kId + 4 &&
                  kSize == kOffset + 4);
    ByteReader h = headers.sub(kTagHeaderSize, "tag header");
    StoredTagHeader tag;
    h.seek(kName, "name");
    const auto name = h.bytes(kNameSize, "name");
    const auto end = std::find(name.begin(), name.end(), std::uint8_t{0});
    tag.name.assign(name.begin(), end);
    tag.type = h.u32("type");
    tag.id = h.u32("id");
    tag.offset = h.u32("offset");
    tag.size = h.u32("size");
    h.seek(kVersion, "version");
    tag.version = h.i16("version");
    h.seek(kSignature, "signature");
    tag.signature = h.u32("signature");
    return tag;
}

std::uint32_t tag_crc(std::uint32_t crc_register, std::span<const std::uint8_t> bytes) {
    // The usual CRC-32 keeps the register inverted on both ends: its value is the complement
    // of ours. libdeflate computes it with carry-less multiplication where the CPU has it.
    // An empty (possibly null) buffer must not reach the library: a null buffer asks it for
    // its initial value instead of continuing the register.
    if (bytes.empty()) return crc_register;
    return ~libdeflate_crc32(~crc_register, bytes.data(), bytes.size());
}

} // namespace zephane
