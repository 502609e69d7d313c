#pragma once
// A skeletal animation tag ('skan') in memory: the bone hierarchy, the animations with their
// frames and the states. Load and save of version 2 payloads, the update of version 1
// payloads to version 2, and the fixed-point rules both share.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "skeletal/skan_records.h"

namespace zephane {

struct SkanFrame {
    skan_frame record{};
    std::vector<skan_bone_pose> poses; // one per bone of the hierarchy
};

struct SkanAnimation {
    skan_animation header{}; // frame_count is rewritten from the frames on save
    std::vector<SkanFrame> frames;
};

struct SkanState {
    skan_state header{}; // entry_count and total_probability are rewritten on save
    std::vector<skan_state_entry> entries;
};

struct SkeletalAnimationSet {
    std::vector<skan_bone_base> bones;
    std::vector<SkanAnimation> animations;
    std::vector<SkanState> states;
};

// Bytes of one frame (record, poses, padding to a multiple of 4) and of one animation.
std::uint64_t skan_frame_size(std::uint64_t bone_count);
std::uint64_t skan_animation_size(std::uint64_t bone_count, std::uint64_t frame_count);

// Hostile bytes (counts that do not fit the payload) throw FormatError naming the field and
// its byte offset. Bytes after the last state are not read; `used` (when given) receives the
// bytes that were.
SkeletalAnimationSet load_skan_payload(std::span<const std::uint8_t> payload, std::size_t* used = nullptr);

// Lays the payload out again; every count comes from the vectors. A frame whose pose count
// differs from the bone count, or a count past its field, raises an internal error; a write
// position that misses its computed size is the "skelanim" assertion.
std::vector<std::uint8_t> save_skan_payload(const SkeletalAnimationSet& set);

// Version 1 bytes to version 2 bytes (both in file byte order). FormatError when the version 1
// counts do not fit its bytes.
std::vector<std::uint8_t> update_skan_payload_v1(std::span<const std::uint8_t> payload);

// The rewrite operation: version 2 through load and save (bytes after the last state are
// refused rather than dropped); version 1 is refused with "version 1: run update first".
std::vector<std::uint8_t> rewrite_skan_payload(const std::vector<std::uint8_t>& payload, std::int16_t version);

// A refusal whose whole message is its reason.
class SkanRefusal : public FormatError {
public:
    explicit SkanRefusal(std::string reason) : FormatError("version", 0, reason), reason_(std::move(reason)) {}
    const char* what() const noexcept override { return reason_.c_str(); }

private:
    std::string reason_;
};
inline constexpr const char* kSkanVersion1Refusal = "version 1: run update first";

// The exponent e (and factor 2^e) that puts `largest` × 2^e between 16383 and 32767: doubled
// while below 16383, then halved while above 32767, at most 200 steps each way.
std::int16_t skan_position_exponent(double largest, double& factor);

// Fixed-point conversions, rounding halves away from zero; NaN gives 0, values past the range
// take its bound.
std::int16_t skan_quantise16(double value); // clamped to -32767..32767
std::int16_t skan_fixed_8_8(double value);
std::int32_t skan_fixed_16_16(double value);

// The tag type an action type attaches or plays, 0 for none.
tag_type skan_action_tag_type(std::uint16_t action_word);

// A name field as text (up to its NUL) and a text into a name field (at most 63 characters).
std::string skan_name(const char (&field)[64]);
void set_skan_name(char (&field)[64], const std::string& name);

// The action bone index of a frame (its two unconverted bytes, read in this machine's order).
std::int16_t skan_action_bone(const skan_frame& frame);
void set_skan_action_bone(skan_frame& frame, std::int16_t bone);

} // namespace zephane
