// Arbitrary bytes as a version 1 skeletal animation payload through the update to version 2:
// refused with a FormatError or converted to a payload the version 2 loader reads whole and
// that is never longer than the input.

#include "base/byte_reader.h"
#include "skeletal/skan_payload.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    std::vector<std::uint8_t> updated;
    try {
        updated = update_skan_payload_v1(std::span<const std::uint8_t>(data, size));
    } catch (const FormatError&) {
        return 0;
    }
    if (updated.size() > size) std::abort();
    try {
        std::size_t used = 0;
        const SkeletalAnimationSet set = load_skan_payload(updated, &used);
        if (used != updated.size() || save_skan_payload(set) != updated) std::abort();
    } catch (const FormatError&) {
        std::abort();
    }
    return 0;
}
