#include "skeletal/skan_payload.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "base/errors.h"

namespace zephane {

namespace {

constexpr std::uint64_t kHeaderSize = sizeof(skan_header);
constexpr std::uint64_t kBoneSize = sizeof(skan_bone_base);
constexpr std::uint64_t kAnimationSize = sizeof(skan_animation);
constexpr std::uint64_t kFrameRecordSize = sizeof(skan_frame);
constexpr std::uint64_t kPoseSize = sizeof(skan_bone_pose);
constexpr std::uint64_t kStateSize = sizeof(skan_state);
constexpr std::uint64_t kEntrySize = sizeof(skan_state_entry);
constexpr std::uint64_t kPointerSize = 4;
// Version 1 scales quaternion components by 32000, version 2 by 32767.
constexpr double kV1Rotation = 32000.0, kV2Rotation = 32767.0;
// The exponent loops stop here: more steps than any non-zero float needs.
constexpr int kExponentLimit = 200;

double round_clamped(double value, double low, double high) {
    if (std::isnan(value)) return 0;
    return std::clamp(std::round(value), low, high);
}

std::int32_t fixed_i32(double scaled) {
    return static_cast<std::int32_t>(round_clamped(scaled, -2147483648.0, 2147483647.0));
}

// Writes native records into a buffer sized beforehand; never past its end.
class RecordWriter {
public:
    explicit RecordWriter(std::vector<std::uint8_t>& out) : begin_(out.data()), end_(out.data() + out.size()), ptr_(begin_) {}
    std::uint8_t* ptr() const { return ptr_; }
    template <typename T>
    void put(T record, const char* name, const bs_code* codes) {
        room(sizeof(T));
        byte_swap_data(name, &record, sizeof(T), 1, codes);
        std::memcpy(ptr_, &record, sizeof(T));
        ptr_ += sizeof(T);
    }
    void zeros(std::uint64_t count) {
        room(count);
        ptr_ += count; // the buffer starts zeroed
    }

private:
    void room(std::uint64_t count) const {
        ZEPHANE_CHECK(count <= static_cast<std::uint64_t>(end_ - ptr_), "write within the payload", kSkanModule);
    }
    std::uint8_t* begin_;
    std::uint8_t* end_;
    std::uint8_t* ptr_;
};

struct ReadHeader {
    skan_header header;
    std::vector<skan_bone_base> bones;
};

// The header, the bone table and the two pointer tables, as both versions lay them out.
ReadHeader read_front(ByteReader& r) {
    ReadHeader front;
    front.header = read_record<skan_header>(r, "skan header", skan_header_bs_codes);
    const skan_header& h = front.header;
    r.require_elements(h.bone_count, kBoneSize, "skan bone base");
    front.bones.resize(h.bone_count);
    for (skan_bone_base& bone : front.bones)
        bone = read_record<skan_bone_base>(r, "skan bone base", skan_bone_base_bs_codes);
    r.require_elements(h.animation_count, kPointerSize, "animation pointer table");
    r.skip(static_cast<std::size_t>(h.animation_count * kPointerSize), "animation pointer table");
    r.require_elements(h.state_count, kPointerSize, "state pointer table");
    r.skip(static_cast<std::size_t>(h.state_count * kPointerSize), "state pointer table");
    return front;
}

// The frames of one animation; both versions share the frame layout.
std::vector<SkanFrame> read_frames(ByteReader& r, std::uint64_t frame_count, std::size_t bone_count) {
    const std::uint64_t frame_size = skan_frame_size(bone_count);
    r.require_elements(frame_count, frame_size, "skan frames");
    std::vector<SkanFrame> frames(static_cast<std::size_t>(frame_count));
    for (SkanFrame& frame : frames) {
        const std::size_t start = r.position();
        frame.record = read_record<skan_frame>(r, "skan frame", skan_frame_bs_codes);
        frame.poses.resize(bone_count);
        for (skan_bone_pose& pose : frame.poses)
            pose = read_record<skan_bone_pose>(r, "skan frame pos", skan_bone_frame_pos_bs_codes);
        r.seek(start + static_cast<std::size_t>(frame_size), "frame padding");
    }
    return frames;
}

std::vector<SkanState> read_states(ByteReader& r, std::uint32_t count) {
    std::vector<SkanState> states;
    for (std::uint32_t s = 0; s < count; ++s) {
        SkanState state;
        state.header = read_record<skan_state>(r, "skan state", skan_state_bs_codes);
        r.require_elements(state.header.entry_count, kEntrySize, "skan state anim list");
        state.entries.resize(state.header.entry_count);
        for (skan_state_entry& entry : state.entries)
            entry = read_record<skan_state_entry>(r, "skan state anim list", skan_state_anim_list_bs_codes);
        states.push_back(std::move(state));
    }
    return states;
}

std::uint64_t total_size(const SkeletalAnimationSet& set) {
    std::uint64_t size = kHeaderSize + kBoneSize * set.bones.size() +
                         kPointerSize * (set.animations.size() + set.states.size());
    for (const SkanAnimation& a : set.animations) size += skan_animation_size(set.bones.size(), a.frames.size());
    for (const SkanState& s : set.states) size += kStateSize + kEntrySize * s.entries.size();
    return size;
}

std::int16_t v1_exponent(double scale, double& factor) {
    factor = 1.0;
    // A scale of 0, NaN or infinity has no exponent to find: positions come out 0 or clamped.
    const double g = std::fabs(scale * kV1Rotation);
    if (!(g > 0) || !std::isfinite(g)) return 0;
    return skan_position_exponent(g, factor);
}

SkanAnimation update_animation(const skan_animation_v1& a1, std::vector<SkanFrame> frames) {
    SkanAnimation a;
    std::memcpy(a.header.name, a1.name, sizeof a.header.name);
    a.header.name[63] = 0;
    a.header.frame_count = a1.frame_count;
    a.header.flags = a1.flags;
    a.header.frames_per_second = skan_fixed_8_8(static_cast<double>(a1.frames_per_second));
    const double scale = static_cast<double>(a1.position_scale);
    double h = 1.0;
    a.header.position_exponent = v1_exponent(scale, h);
    a.header.fade_in = a1.fade_in;
    a.header.interrupt_fade = a1.interrupt_fade;
    a.header.fade_out = a1.fade_out;
    const bool turn_driven = (a1.flags & kSkanTurnDriven) != 0;
    for (std::size_t f = 0; f < frames.size(); ++f) {
        skan_frame& record = frames[f].record;
        const auto value = static_cast<double>(std::bit_cast<float>(record.motion));
        record.motion = turn_driven ? fixed_i32(value * 65536.0 / 360.0) : fixed_i32(value * 65536.0);
        if (a1.action_frame >= 0 && static_cast<std::size_t>(a1.action_frame) == f)
            record.action = static_cast<std::uint16_t>((record.action & ~kSkanActionTypeMask) | kSkanKeyFrame |
                                                       (a1.action_value & kSkanActionTypeMask));
        for (skan_bone_pose& pose : frames[f].poses) {
            for (std::int16_t& p : pose.position) p = skan_quantise16(h * p * scale);
            for (std::int16_t& q : pose.rotation) q = skan_quantise16(q * kV2Rotation / kV1Rotation);
        }
    }
    a.frames = std::move(frames);
    return a;
}

} // namespace

std::int16_t skan_position_exponent(double largest, double& factor) {
    factor = 1.0;
    int e = 0;
    while (largest * factor < 16383.0 && e < kExponentLimit) {
        factor *= 2.0;
        ++e;
    }
    while (largest * factor > 32767.0 && e > -kExponentLimit) {
        factor *= 0.5;
        --e;
    }
    return static_cast<std::int16_t>(e);
}

std::uint64_t skan_frame_size(std::uint64_t bone_count) {
    return (kFrameRecordSize + kPoseSize * bone_count + 3) / 4 * 4;
}

std::uint64_t skan_animation_size(std::uint64_t bone_count, std::uint64_t frame_count) {
    return kAnimationSize + frame_count * skan_frame_size(bone_count);
}

std::int16_t skan_quantise16(double value) {
    return static_cast<std::int16_t>(round_clamped(value, -32767.0, 32767.0));
}

std::int16_t skan_fixed_8_8(double value) {
    return static_cast<std::int16_t>(round_clamped(value * 256.0, -32768.0, 32767.0));
}

std::int32_t skan_fixed_16_16(double value) { return fixed_i32(value * 65536.0); }

tag_type skan_action_tag_type(std::uint16_t action_word) {
    switch (action_word & kSkanActionTypeMask) {
    case 1: return fourcc("soun");
    case 2: return fourcc("skmd");
    case 3: return fourcc("loli");
    case 4: return fourcc("lpgr");
    case 6: return fourcc("proj");
    default: return 0;
    }
}

std::string skan_name(const char (&field)[64]) { return std::string(field, strnlen(field, sizeof field)); }

void set_skan_name(char (&field)[64], const std::string& name) {
    std::memset(field, 0, sizeof field);
    std::memcpy(field, name.data(), std::min<std::size_t>(name.size(), sizeof field - 1));
}

std::int16_t skan_action_bone(const skan_frame& frame) {
    std::int16_t bone;
    std::memcpy(&bone, frame.action_bone, sizeof bone);
    return bone;
}

void set_skan_action_bone(skan_frame& frame, std::int16_t bone) {
    std::memcpy(frame.action_bone, &bone, sizeof bone);
}

SkeletalAnimationSet load_skan_payload(std::span<const std::uint8_t> payload, std::size_t* used) {
    ByteReader r(payload);
    ReadHeader front = read_front(r);
    SkeletalAnimationSet set;
    set.bones = std::move(front.bones);
    for (std::uint32_t i = 0; i < front.header.animation_count; ++i) {
        SkanAnimation a;
        a.header = read_record<skan_animation>(r, "skan animation", skan_animation_bs_codes);
        a.frames = read_frames(r, a.header.frame_count, set.bones.size());
        set.animations.push_back(std::move(a));
    }
    set.states = read_states(r, front.header.state_count);
    if (used) *used = r.position();
    return set;
}

std::vector<std::uint8_t> save_skan_payload(const SkeletalAnimationSet& set) {
    const std::size_t bones = set.bones.size();
    ZEPHANE_CHECK(set.bones.size() <= std::numeric_limits<std::uint32_t>::max() &&
                      set.animations.size() <= std::numeric_limits<std::uint32_t>::max() &&
                      set.states.size() <= std::numeric_limits<std::uint32_t>::max(),
                  "counts fit the header", kSkanModule);
    const std::uint64_t total = total_size(set);
    ZEPHANE_CHECK(total <= std::numeric_limits<std::uint32_t>::max(), "total_size fits a tag", kSkanModule);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(total), 0);
    RecordWriter w(out);
    const std::uint8_t* const tagdata = out.data();

    skan_header header{};
    header.bone_count = static_cast<std::uint32_t>(bones);
    header.animation_count = static_cast<std::uint32_t>(set.animations.size());
    header.state_count = static_cast<std::uint32_t>(set.states.size());
    w.put(header, "skan header", skan_header_bs_codes);
    for (const skan_bone_base& bone : set.bones) w.put(bone, "skan bone base", skan_bone_base_bs_codes);
    w.zeros(kPointerSize * (set.animations.size() + set.states.size())); // runtime pointers

    const std::uint64_t padding = skan_frame_size(bones) - kFrameRecordSize - kPoseSize * bones;
    for (const SkanAnimation& a : set.animations) {
        ZEPHANE_CHECK(a.frames.size() <= 0xFFFF, "frame_count <= 65535", kSkanModule);
        const std::uint8_t* const anim = w.ptr();
        const std::uint64_t anim_size = skan_animation_size(bones, a.frames.size());
        skan_animation h = a.header;
        h.frame_count = static_cast<std::uint16_t>(a.frames.size());
        w.put(h, "skan animation", skan_animation_bs_codes);
        for (const SkanFrame& frame : a.frames) {
            ZEPHANE_CHECK(frame.poses.size() == bones, "one pose per bone", kSkanModule);
            w.put(frame.record, "skan frame", skan_frame_bs_codes);
            for (const skan_bone_pose& pose : frame.poses)
                w.put(pose, "skan frame pos", skan_bone_frame_pos_bs_codes);
            w.zeros(padding);
        }
        ZEPHANE_ASSERT(w.ptr() == anim + anim_size, "ptr == (byte *)anim + anim_size", kSkanModule);
    }
    for (const SkanState& s : set.states) {
        ZEPHANE_CHECK(s.entries.size() <= 0xFFFF, "entry_count <= 65535", kSkanModule);
        skan_state h = s.header;
        h.entry_count = static_cast<std::uint16_t>(s.entries.size());
        w.put(h, "skan state", skan_state_bs_codes);
        for (const skan_state_entry& entry : s.entries)
            w.put(entry, "skan state anim list", skan_state_anim_list_bs_codes);
    }
    ZEPHANE_ASSERT(w.ptr() == tagdata + total, "ptr == (byte *)tagdata + total_size", kSkanModule);
    return out;
}

std::vector<std::uint8_t> update_skan_payload_v1(std::span<const std::uint8_t> payload) {
    ByteReader r(payload);
    ReadHeader front = read_front(r);
    SkeletalAnimationSet set;
    set.bones = std::move(front.bones);
    for (std::uint32_t i = 0; i < front.header.animation_count; ++i) {
        const auto a1 = read_record<skan_animation_v1>(r, "skan animation v1", skan_animation_v1_bs_codes);
        set.animations.push_back(update_animation(a1, read_frames(r, a1.frame_count, set.bones.size())));
    }
    set.states = read_states(r, front.header.state_count);
    // The output buffer is twice the input; version 2 is never longer, and is checked anyway.
    const std::uint64_t taglength = 2 * std::uint64_t{payload.size()};
    const std::uint64_t written = total_size(set);
    ZEPHANE_ASSERT(written <= taglength, "(byte *)ptr - out_buf <= taglength", kSkanModule);
    if (written > taglength) throw FormatError("skan v1 payload", 0, "the update would pass its output buffer");
    return save_skan_payload(set);
}

std::vector<std::uint8_t> rewrite_skan_payload(const std::vector<std::uint8_t>& payload, std::int16_t version) {
    if (version == 1) throw SkanRefusal(kSkanVersion1Refusal);
    std::size_t used = 0;
    const SkeletalAnimationSet set = load_skan_payload(payload, &used);
    if (used != payload.size())
        throw FormatError("skan payload", used, std::to_string(payload.size() - used) + " bytes after the last state");
    return save_skan_payload(set);
}

} // namespace zephane
