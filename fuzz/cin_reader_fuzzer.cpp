// Arbitrary bytes as an interface description file: every accepted window must give a
// Dialog payload whose header, control records and text block add up to its size.

#include "dialogs/dialog_builder.h"
#include "dialogs/dialog_payload.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    std::vector<BuiltDialog> dialogs;
    try {
        dialogs = read_interface_description(std::vector<std::uint8_t>(data, data + size));
    } catch (const DialogCheckFailure&) {
        return 0;
    }
    for (const BuiltDialog& dialog : dialogs) {
        const DialogPayload payload = read_dialog_payload(dialog.payload); // must not throw
        if (payload.controls.size() >= static_cast<std::size_t>(MAX_CONTROLS)) std::abort();
        if (!payload.trailing.empty() || payload.header.version != kDialogVersion) std::abort();
        std::size_t expected = sizeof(dlog_header) + sizeof(dlog_control) * payload.controls.size();
        for (const std::string& text : payload.texts) expected += text.size() + 1;
        if (expected != dialog.payload.size() || dialog.name.empty()) std::abort();
    }
    return 0;
}
