// Arbitrary bytes as a version 2 skeletal animation payload: when the load accepts them, the
// save must succeed and read back to a set that saves to the same bytes; the rewrite either
// refuses or gives those bytes.

#include "base/byte_reader.h"
#include "skeletal/skan_payload.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    const std::span<const std::uint8_t> bytes(data, size);
    SkeletalAnimationSet set;
    std::size_t used = 0;
    try {
        set = load_skan_payload(bytes, &used);
    } catch (const FormatError&) {
        return 0;
    }
    if (used > size) std::abort();
    const auto saved = save_skan_payload(set);
    if (saved.size() != used) std::abort();
    try {
        if (save_skan_payload(load_skan_payload(saved)) != saved) std::abort();
        if (used == size && rewrite_skan_payload(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), 2) != saved)
            std::abort();
    } catch (const FormatError&) {
        std::abort();
    }
    return 0;
}
