#include "dialogs/dialog_payload.h"

#include "base/byte_reader.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, W = BS_SWAP16, L = BS_SWAP32;
constexpr std::size_t kHeaderSize = sizeof(dlog_header);
constexpr std::size_t kControlSize = sizeof(dlog_control);
} // namespace

const bs_code dlog_header::kCodes[] = {B, 1, W, W, W, W, W, W, E};
const bs_code dlog_control::kCodes[] = {B, 1, L, W, W, W, W, W, W, W, W, W, W, E};

DialogPayload read_dialog_payload(const std::vector<std::uint8_t>& payload) {
    ByteReader reader(payload);
    DialogPayload dialog;
    dialog.header = read_record<dlog_header>(reader, "dlog header", dlog_header::kCodes);
    const std::int16_t count = dialog.header.control_count;
    if (count < 0) reader.fail_at(2, "control count", "negative");
    reader.require_elements(static_cast<std::uint64_t>(count), kControlSize, "dlog controls");
    for (std::int16_t i = 0; i < count; ++i)
        dialog.controls.push_back(read_record<dlog_control>(reader, "dlog controls", dlog_control::kCodes));
    for (std::int16_t i = 0; i < count; ++i) {
        std::string text;
        for (;;) {
            const std::uint8_t c = reader.u8("control string");
            if (c == 0) break;
            text.push_back(static_cast<char>(c));
        }
        dialog.texts.push_back(std::move(text));
    }
    dialog.trailing = reader.copy(reader.remaining(), "trailing bytes");
    return dialog;
}

std::vector<std::uint8_t> write_dialog_payload(const DialogPayload& dialog) {
    std::size_t size = kHeaderSize + kControlSize * dialog.controls.size();
    for (const std::string& text : dialog.texts) size += text.size() + 1;
    std::vector<std::uint8_t> out(size + dialog.trailing.size());
    dlog_header header = dialog.header;
    header.control_count = static_cast<std::int16_t>(dialog.controls.size());
    store_record(out, 0, header, "dlog header", dlog_header::kCodes);
    std::size_t at = kHeaderSize;
    for (const dlog_control& control : dialog.controls) {
        store_record(out, at, control, "dlog controls", dlog_control::kCodes);
        at += kControlSize;
    }
    for (const std::string& text : dialog.texts) {
        std::copy(text.begin(), text.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
        at += text.size() + 1; // the NUL is already there
    }
    std::copy(dialog.trailing.begin(), dialog.trailing.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
    return out;
}

} // namespace zephane

namespace zephane {
std::vector<std::uint8_t> rewrite_dialog_payload(const std::vector<std::uint8_t>& payload, std::int16_t) {
    return write_dialog_payload(read_dialog_payload(payload));
}
} // namespace zephane
