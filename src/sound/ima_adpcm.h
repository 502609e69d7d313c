#pragma once
// IMA ADPCM in fixed packets of 64 samples (34 bytes): a 16-bit header holding the
// predictor's upper nine bits and the step index, then 32 bytes of 4-bit codes, sample 2k in
// the low nibble and sample 2k + 1 in the high nibble of byte k. Every header carries the
// decoder state, so any packet decodes without its predecessors.

#include <cstddef>
#include <cstdint>

namespace zephane {

inline constexpr int NUMBER_OF_IMA_SAMPLES_PER_PACKET = 64;
inline constexpr std::size_t kImaCodeBytesPerPacket = 32;
inline constexpr std::size_t kImaPacketSize = 2 + kImaCodeBytesPerPacket;

// Where one channel's coder stands between samples: the full-precision predictor and the
// index into the step table.
struct ima_channel_state {
    std::int32_t predictor = 0;
    std::int32_t step_index = 0;
};

// The header word that starts a packet coded from this state.
constexpr std::uint16_t ima_packet_header(const ima_channel_state& state) {
    return static_cast<std::uint16_t>((static_cast<std::uint32_t>(state.predictor) & 0xFF80u) |
                                      (static_cast<std::uint32_t>(state.step_index) & 0x7Fu));
}

// Codes 64 samples of one channel into 32 bytes, carrying the state on to the next packet.
void encode_ima_packet_body(const std::int16_t* samples, std::uint8_t* destination,
                            ima_channel_state& state);

// Two channels' packets at once: the same bytes as two calls above, but the two independent
// coders overlap in the processor.
void encode_ima_packet_body_pair(const std::int16_t* left, const std::int16_t* right,
                                 std::uint8_t* left_destination, std::uint8_t* right_destination,
                                 ima_channel_state& left_state, ima_channel_state& right_state);

// The decoder's view of one packet, checked before use.
struct ima_decoder_state {
    const std::uint8_t* source_samples = nullptr; // the 32 code bytes
    std::int16_t* destination = nullptr;
    std::int32_t predictor = 0;
    std::int32_t step_index = 0;
};

// Decodes the first `samples_to_decompress` samples (0 to 64) of a packet whose header word is
// given in host order. A count out of range or a missing buffer is reported to the assertion
// handler and nothing is written.
void decode_ima_packet(std::uint16_t header, const std::uint8_t* codes, std::int16_t* destination,
                       int samples_to_decompress);

} // namespace zephane
