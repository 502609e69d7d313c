// Arbitrary bytes as a skeletal animation payload read for its state names: refused with a
// FormatError or read, never past the payload; every name fits its 64-byte field.

#include "base/byte_reader.h"
#include "skeletal/animation_state_names.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    try {
        for (const std::string& name : read_skan_state_names(std::span<const std::uint8_t>(data, size)))
            if (name.size() > 64) std::abort();
    } catch (const FormatError&) {
    }
    return 0;
}
