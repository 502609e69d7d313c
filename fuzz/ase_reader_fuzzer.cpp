// Arbitrary bytes as a 3D Studio ASE camera path: read or refused with a reason, never past
// the bytes; an accepted path gives a payload of 8 + 24 × samples bytes that reads back.

#include "base/byte_reader.h"
#include "skeletal/canm_payload.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    const AseCameraRead read = read_ase_camera(std::span<const std::uint8_t>(data, size));
    if (!read.animation) {
        if (read.refusal.empty()) std::abort();
        return 0;
    }
    const CameraAnimation& a = *read.animation;
    const auto payload = save_canm_payload(a);
    if (payload.size() != 8 + 24 * (a.positions.size() + a.rotations.size())) std::abort();
    try {
        if (rewrite_canm_payload(payload, 1) != payload) std::abort();
    } catch (const FormatError&) {
        std::abort();
    }
    return 0;
}
