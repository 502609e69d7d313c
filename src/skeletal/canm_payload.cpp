#include "skeletal/canm_payload.h"

#include <charconv>
#include <cstring>
#include <limits>

#include "base/byte_reader.h"
#include "base/errors.h"

namespace zephane {

namespace {

constexpr std::uint64_t kCountsSize = 8;
constexpr std::uint64_t kSampleSize = 24;

struct canm_sample {
    std::uint32_t time;
    float value[4];
    std::uint32_t reserved;
};
static_assert(sizeof(canm_sample) == kSampleSize);

struct canm_counts {
    std::uint32_t positions;
    std::uint32_t rotations;
};
static_assert(sizeof(canm_counts) == kCountsSize);

// clang-format off
const bs_code canm_counts_bs_codes[] = {BS_GROUP_BEGIN, 1, BS_SWAP32, BS_SWAP32, BS_GROUP_END};
const bs_code canm_sample_bs_codes[] = {
    BS_GROUP_BEGIN, 1, BS_GROUP_BEGIN, 6, BS_SWAP32, BS_GROUP_END, BS_GROUP_END};
// clang-format on

bool is_separator(std::uint8_t c) { return c <= 0x20 || c == 0x7F; }

class AseTokens {
public:
    explicit AseTokens(std::span<const std::uint8_t> bytes) : in_(bytes) {}

    // The next token; empty at the end of the file.
    std::string next() {
        for (;;) {
            while (!in_.at_end() && is_separator(peek())) in_.skip(1, "ase text");
            std::string token;
            while (!in_.at_end() && !is_separator(peek())) token.push_back(static_cast<char>(in_.u8("ase text")));
            if (token.rfind("//", 0) != 0) return token;
            // A comment: the rest of the line, whatever the token already took.
            while (!in_.at_end() && peek() != '\r' && peek() != '\n') in_.skip(1, "ase comment");
        }
    }

private:
    std::uint8_t peek() {
        const std::size_t at = in_.position();
        const std::uint8_t c = in_.u8("ase text");
        in_.seek(at, "ase text");
        return c;
    }
    ByteReader in_;
};

bool read_integer(const std::string& token, std::uint32_t& out) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (error != std::errc() || end != token.data() + token.size() || token.empty()) return false;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::uint32_t>::max())
        return false;
    out = static_cast<std::uint32_t>(value);
    return true;
}

bool read_real(const std::string& token, float& out) {
    double value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (error != std::errc() || end != token.data() + token.size() || token.empty()) return false;
    out = static_cast<float>(value);
    return true;
}

// One track: "{", then samples (other tokens skipped) until "}". Empty on success.
std::string read_track(AseTokens& tokens, const char* track, const char* sample_word, int values,
                       std::vector<CameraSample>& samples) {
    std::string token;
    do {
        token = tokens.next();
    } while (!token.empty() && token != track);
    if (token.empty()) return std::string("no ") + track;
    if (tokens.next() != "{") return std::string(track) + " does not open with {";
    for (;;) {
        token = tokens.next();
        if (token.empty()) return std::string(track) + " is not closed by }";
        if (token == "}") return {};
        if (token != sample_word) continue;
        CameraSample sample;
        float* targets[4] = {&sample.x, &sample.y, &sample.z, &sample.w};
        bool ok = read_integer(tokens.next(), sample.time);
        for (int v = 0; v < values && ok; ++v) ok = read_real(tokens.next(), *targets[v]);
        if (!ok) return std::string(sample_word) + " " + std::to_string(samples.size()) + " has a number that cannot be read";
        samples.push_back(sample);
    }
}

canm_sample native(const CameraSample& s) { return {s.time, {s.x, s.y, s.z, s.w}, s.reserved}; }

} // namespace

AseCameraRead read_ase_camera(std::span<const std::uint8_t> bytes) {
    AseTokens tokens(bytes);
    CameraAnimation animation;
    AseCameraRead read;
    read.refusal = read_track(tokens, "*CONTROL_POS_TRACK", "*CONTROL_POS_SAMPLE", 3, animation.positions);
    if (read.refusal.empty())
        read.refusal = read_track(tokens, "*CONTROL_ROT_TRACK", "*CONTROL_ROT_SAMPLE", 4, animation.rotations);
    if (read.refusal.empty()) read.animation = std::move(animation);
    return read;
}

std::vector<std::uint8_t> save_canm_payload(const CameraAnimation& animation) {
    const std::uint64_t count = std::uint64_t{animation.positions.size()} + animation.rotations.size();
    const std::uint64_t len = kCountsSize + kSampleSize * count;
    ZEPHANE_CHECK(animation.positions.size() <= std::numeric_limits<std::uint32_t>::max() &&
                      animation.rotations.size() <= std::numeric_limits<std::uint32_t>::max() &&
                      len <= std::numeric_limits<std::uint32_t>::max(),
                  "len fits a tag", kCanmModule);
    std::vector<std::uint8_t> data(static_cast<std::size_t>(len), 0);
    std::size_t data_pos = 0;
    store_record(data, data_pos,
                 canm_counts{static_cast<std::uint32_t>(animation.positions.size()),
                             static_cast<std::uint32_t>(animation.rotations.size())},
                 "canm counts", canm_counts_bs_codes);
    data_pos += kCountsSize;
    for (const auto* track : {&animation.positions, &animation.rotations})
        for (const CameraSample& s : *track) {
            store_record(data, data_pos, native(s), "canm sample", canm_sample_bs_codes);
            data_pos += kSampleSize;
        }
    ZEPHANE_ASSERT(data_pos == len, "(data_pos-data) == len", kCanmModule);
    return data;
}

CameraAnimation load_canm_payload(std::span<const std::uint8_t> payload) {
    ByteReader r(payload);
    const auto counts = read_record<canm_counts>(r, "canm counts", canm_counts_bs_codes);
    r.require_elements(std::uint64_t{counts.positions} + counts.rotations, kSampleSize, "canm samples");
    CameraAnimation animation;
    for (auto [track, count] : {std::pair{&animation.positions, counts.positions},
                                std::pair{&animation.rotations, counts.rotations}}) {
        track->resize(count);
        for (CameraSample& s : *track) {
            const auto n = read_record<canm_sample>(r, "canm sample", canm_sample_bs_codes);
            s = {n.time, n.value[0], n.value[1], n.value[2], n.value[3], n.reserved};
        }
    }
    return animation;
}

std::vector<std::uint8_t> rewrite_canm_payload(const std::vector<std::uint8_t>& payload, std::int16_t /*version*/) {
    const CameraAnimation animation = load_canm_payload(payload);
    const std::size_t used = 8 + 24 * (animation.positions.size() + animation.rotations.size());
    if (used != payload.size())
        throw FormatError("canm payload", used, std::to_string(payload.size() - used) + " bytes after the last sample");
    return save_canm_payload(animation);
}

} // namespace zephane
