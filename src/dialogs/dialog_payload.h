#pragma once
// The Dialog tag ('bina') payload: a 12-byte header, 24-byte control records and a text
// block holding one NUL-terminated string per control, in control order.

#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_swap.h"

namespace zephane {

inline constexpr std::uint32_t kDialogTagType = 0x62696E61; // 'bina'
inline constexpr std::int16_t kDialogVersion = 1;
inline constexpr int MAX_CONTROLS = 256;             // a dialog holds at most 255 controls
inline constexpr std::size_t kDialogTextBlockSize = 65536;

struct dlog_header {
    std::int16_t version;
    std::int16_t control_count;
    std::int16_t top;
    std::int16_t left;
    std::int16_t bottom;
    std::int16_t right;
    static const bs_code kCodes[];
};
static_assert(sizeof(dlog_header) == 12);

struct dlog_control {
    std::uint32_t kind;
    std::int16_t unused0;
    std::int16_t id;
    std::int16_t unused1[4];
    std::int16_t top;
    std::int16_t left;
    std::int16_t bottom;
    std::int16_t right;
    static const bs_code kCodes[];
};
static_assert(sizeof(dlog_control) == 24);

struct DialogPayload {
    dlog_header header{};
    std::vector<dlog_control> controls;
    std::vector<std::string> texts; // one per control
    std::vector<std::uint8_t> trailing; // bytes after the text block, kept as they were
};

// Throws FormatError when the payload is short, its count negative or a string unterminated.
DialogPayload read_dialog_payload(const std::vector<std::uint8_t>& payload);
std::vector<std::uint8_t> write_dialog_payload(const DialogPayload& dialog);
// Reads a payload and writes it again (the type's rewrite operation); throws FormatError.
std::vector<std::uint8_t> rewrite_dialog_payload(const std::vector<std::uint8_t>& payload,
                                                 std::int16_t version);

} // namespace zephane
