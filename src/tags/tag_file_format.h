#pragma once
// The on-disk layout of tag files: the 64-byte tag header, the 128-byte file header of a
// monolithic file, its 112-byte entry point records, and the two checksums.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "base/byte_reader.h"
#include "base/byte_swap.h"
#include "tags/tag_code.h"

namespace zephane {

inline constexpr std::size_t kTagHeaderSize = 64;
inline constexpr std::size_t kFileHeaderSize = 128;
inline constexpr std::size_t kEntryPointSize = 112;

inline constexpr std::uint32_t kTagHeaderSignature = fourcc("tlm2");
inline constexpr std::uint32_t kFileHeaderSignature = fourcc("dng2");

// Tag header fields (offsets within the 64 bytes).
namespace tag_header {
inline constexpr std::size_t kPreservedWord = 2; // a single-tag file keeps bytes 2-3 as is
inline constexpr std::size_t kHeaderKind = 3;   // kKindSingleTag or kKindMonolithic
inline constexpr std::uint8_t kKindSingleTag = 0;
inline constexpr std::uint8_t kKindMonolithic = 3;
inline constexpr std::size_t kName = 4;
inline constexpr std::size_t kNameSize = 32;
inline constexpr std::size_t kType = 36;
inline constexpr std::size_t kId = 40;
inline constexpr std::size_t kOffset = 44;
inline constexpr std::size_t kSize = 48;
inline constexpr std::size_t kUserWord = 52;
inline constexpr std::size_t kVersion = 56;
inline constexpr std::size_t kReserved58 = 58;  // 0x00
inline constexpr std::size_t kReserved59 = 59;  // 0xFF
inline constexpr std::size_t kSignature = 60;
} // namespace tag_header

// The monolithic file header, as a native structure converted with its descriptor.
struct file_header {
    std::int16_t kind;
    std::uint16_t preserved_word;
    char name[32];
    char web_address[64];
    std::uint16_t entry_point_count;
    std::uint16_t tag_count;
    std::uint32_t data_checksum;
    std::uint32_t reserved108;
    std::uint32_t file_size;
    std::uint32_t header_checksum;
    std::uint8_t reserved120[4]; // never swapped, skipped by the reader
    std::uint32_t signature;
};
static_assert(sizeof(file_header) == kFileHeaderSize);
static_assert(offsetof(file_header, entry_point_count) == 100);
static_assert(offsetof(file_header, header_checksum) == 116);
static_assert(offsetof(file_header, signature) == 124);

struct entry_point {
    std::uint32_t map_id;
    std::uint32_t team_count;
    std::uint8_t reserved8[4]; // not swapped
    std::uint32_t reserved12;
    char name[32];
    char map_name[64];
};
static_assert(sizeof(entry_point) == kEntryPointSize);
static_assert(offsetof(entry_point, name) == 16);

extern const bs_code kFileHeaderCodes[];  // "tag header"
extern const bs_code kEntryPointCodes[];  // "entry points"

// What a file's first bytes say it is: 'dng2' at 124 wins over 'tlm2' at 60.
enum class TagFileLayout { kNotTagFile, kSingle, kMonolithic };
TagFileLayout recognise_tag_file(std::span<const std::uint8_t> first);

// The monolithic file header from the first 128 bytes of `file`.
file_header read_file_header(ByteReader& file);

// Where the tag headers lie: after the file header and entry points of a monolithic file,
// at the start of a single-tag file. The end may lie past the file; the caller checks.
struct TagHeaderRange {
    std::uint64_t start;
    std::uint64_t end;
};
TagHeaderRange tag_header_range(const file_header& header, bool monolithic);

// The fields of one tag header, read from the next 64 bytes.
struct StoredTagHeader {
    std::string name;
    tag_type type;
    tag_id id;
    std::uint32_t offset;
    std::uint32_t size;
    std::int16_t version;
    std::uint32_t signature;
};
StoredTagHeader read_tag_header(ByteReader& headers);

// The CRC register: reflected polynomial 0xEDB88320, initial value 0xFFFFFFFF, no final
// inversion. Feed the previous register to continue a running checksum.
inline constexpr std::uint32_t kCrcInitial = 0xFFFFFFFFu;
std::uint32_t tag_crc(std::uint32_t crc_register, std::span<const std::uint8_t> bytes);

// The web address written into every monolithic header we write.
inline constexpr const char* kWebAddress = "https://zephane.morvandel.org/";

} // namespace zephane
