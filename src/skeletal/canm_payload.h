#pragma once
// Camera animations ('canm'): the camera path of a 3D Studio ASE export as two sample tracks,
// positions and rotations, and its payload.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tags/tag_code.h"

namespace zephane {

inline constexpr tag_type kCameraAnimationTagType = fourcc("canm");
inline constexpr const char* kCanmModule = "canm";

struct CameraSample {
    std::uint32_t time = 0; // the ASE tick value as read
    float x = 0, y = 0, z = 0, w = 0; // a rotation: axis x, y, z and angle w; a position: w = 0
    std::uint32_t reserved = 0;       // 0 in what we write, kept as read
};

struct CameraAnimation {
    std::vector<CameraSample> positions;
    std::vector<CameraSample> rotations;
};

struct AseCameraRead {
    std::optional<CameraAnimation> animation;
    std::string refusal; // why there is none
};

// Tokens are separated by white space and control characters; a token that begins with "//"
// starts a comment that runs to the next CR or LF. Inside a track, tokens other than samples
// are skipped; a sample whose numbers cannot be read, or a track the file ends in, refuses
// the file.
AseCameraRead read_ase_camera(std::span<const std::uint8_t> bytes);

// 8 + 24 × (P + R) bytes; the size is the "canm" assertion "(data_pos-data) == len".
std::vector<std::uint8_t> save_canm_payload(const CameraAnimation& animation);
// FormatError when the counts do not fit the bytes.
CameraAnimation load_canm_payload(std::span<const std::uint8_t> payload);
// Load and save; bytes after the last sample are refused rather than dropped.
std::vector<std::uint8_t> rewrite_canm_payload(const std::vector<std::uint8_t>& payload, std::int16_t version);

} // namespace zephane
