#pragma once
// The four header records of a texture stack payload, in native byte order, with their
// byte-swap descriptors. The payload is: tag header, one stack reference per stack, then
// the stack blocks (stack header, texture headers, texture data) back to back.

#include <cstddef>
#include <cstdint>

#include "base/byte_swap.h"

namespace zephane {

struct txst_tagheader {
    std::uint16_t stack_count;
    std::uint8_t padding[2]; // ignored on read, written as zero
};

struct txst_stackref {
    std::uint32_t offset; // of the stack block, from the start of the payload
    std::uint32_t length; // of the stack block
    std::uint16_t flags;  // bit 0: "Do not downsample"
    std::uint16_t word;   // carried unchanged; 1 for a stack the editor makes
};

struct txst_stackheader {
    std::uint16_t texture_count;
    std::uint8_t padding[2];
};

struct txst_texheader {
    std::uint32_t offset; // of the texture's data, from the start of its stack block
    std::uint32_t size;
    std::uint8_t channels;
    std::uint8_t format;
    std::uint8_t layer_kind;
    std::uint8_t layer;
    std::uint16_t width;
    std::uint16_t height;
    std::int16_t origin_u, origin_v;
    std::int16_t du_u, du_v;
    std::int16_t dv_u, dv_v;
};

static_assert(sizeof(txst_tagheader) == 4);
static_assert(sizeof(txst_stackref) == 12);
static_assert(sizeof(txst_stackheader) == 4);
static_assert(sizeof(txst_texheader) == 28);
static_assert(offsetof(txst_texheader, width) == 12);
static_assert(offsetof(txst_texheader, origin_u) == 16);
static_assert(offsetof(txst_texheader, dv_v) == 26);

inline constexpr const char* kTxstTagHeaderName = "txst_tagheader";
inline constexpr const char* kTxstStackRefName = "txst_stackref";
inline constexpr const char* kTxstStackHeaderName = "txst_stackheader";
inline constexpr const char* kTxstTexHeaderName = "txst_texheader";

extern const bs_code kTxstTagHeaderCodes[];
extern const bs_code kTxstStackRefCodes[];
extern const bs_code kTxstStackHeaderCodes[];
extern const bs_code kTxstTexHeaderCodes[];

} // namespace zephane
