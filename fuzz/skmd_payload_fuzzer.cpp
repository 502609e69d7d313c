// Arbitrary bytes as a skeletal model payload: when the load accepts them, the save must
// succeed and read back to a set that saves to the same bytes.

#include "base/byte_reader.h"
#include "skeletal/skmd_payload.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    SkmdLoad load;
    try {
        load = load_skmd_payload(std::span<const std::uint8_t>(data, size));
    } catch (const FormatError&) {
        return 0;
    }
    const auto saved = save_skmd_payload(load.set);
    try {
        const SkmdLoad again = load_skmd_payload(saved);
        if (again.failure || save_skmd_payload(again.set) != saved) std::abort();
    } catch (const FormatError&) {
        std::abort();
    }
    return 0;
}
