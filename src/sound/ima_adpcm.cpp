#include "sound/ima_adpcm.h"

#include "tags/errors.h"

namespace zephane {

namespace {

constexpr const char* kModule = "ima_adpcm";

constexpr std::int32_t kStepTable[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

constexpr std::int32_t kIndexTable[16] = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};

constexpr std::int32_t kLastStepIndex = 88;

// The step update both sides apply after each code, so the encoder tracks exactly what a
// decoder reconstructs.
inline void apply_code(std::uint32_t code, std::int32_t& predictor, std::int32_t& step_index) {
    const std::int32_t step = kStepTable[step_index];
    std::int32_t diff = step >> 3;
    if (code & 4) diff += step;
    if (code & 2) diff += step >> 1;
    if (code & 1) diff += step >> 2;
    predictor = (code & 8) ? predictor - diff : predictor + diff;
    if (predictor > 32767) predictor = 32767;
    if (predictor < -32768) predictor = -32768;
    step_index += kIndexTable[code];
    if (step_index < 0) step_index = 0;
    if (step_index > kLastStepIndex) step_index = kLastStepIndex;
}

inline std::uint32_t encode_sample(std::int32_t sample, std::int32_t& predictor,
                                   std::int32_t& step_index) {
    const std::int32_t step = kStepTable[step_index];
    std::int32_t d = sample - predictor;
    std::uint32_t code = 0;
    if (d < 0) {
        code = 8;
        d = -d;
    }
    if (d >= step) {
        code |= 4;
        d -= step;
    }
    if (d >= (step >> 1)) {
        code |= 2;
        d -= step >> 1;
    }
    if (d >= (step >> 2)) code |= 1;
    apply_code(code, predictor, step_index);
    return code;
}

// A state read from outside (a header) may hold any index; keep it inside the table.
std::int32_t clamp_index(std::int32_t index) {
    return index > kLastStepIndex ? kLastStepIndex : index;
}

void decode(ima_decoder_state* state, int samples_to_decompress) {
    ZEPHANE_ASSERT(samples_to_decompress >= 0 &&
                       samples_to_decompress <= NUMBER_OF_IMA_SAMPLES_PER_PACKET,
                   "samples_to_decompress >= 0 && samples_to_decompress <= "
                   "NUMBER_OF_IMA_SAMPLES_PER_PACKET",
                   kModule);
    const bool ready = state && state->source_samples && state->destination;
    ZEPHANE_ASSERT(ready, "state && state->source_samples && state->destination", kModule);
    if (!ready || samples_to_decompress < 0 ||
        samples_to_decompress > NUMBER_OF_IMA_SAMPLES_PER_PACKET)
        return;
    std::int32_t predictor = state->predictor;
    std::int32_t step_index = clamp_index(state->step_index);
    for (int i = 0; i < samples_to_decompress; ++i) {
        const std::uint8_t byte = state->source_samples[i >> 1];
        const std::uint32_t code = (i & 1) ? (byte >> 4) : (byte & 0x0Fu);
        apply_code(code, predictor, step_index);
        state->destination[i] = static_cast<std::int16_t>(predictor);
    }
    state->predictor = predictor;
    state->step_index = step_index;
}

} // namespace

void encode_ima_packet_body(const std::int16_t* samples, std::uint8_t* destination,
                            ima_channel_state& state) {
    std::int32_t predictor = state.predictor;
    std::int32_t step_index = state.step_index;
    for (std::size_t k = 0; k < kImaCodeBytesPerPacket; ++k) {
        const std::uint32_t low = encode_sample(samples[2 * k], predictor, step_index);
        const std::uint32_t high = encode_sample(samples[2 * k + 1], predictor, step_index);
        destination[k] = static_cast<std::uint8_t>(low | (high << 4));
    }
    state.predictor = predictor;
    state.step_index = step_index;
}

void decode_ima_packet(std::uint16_t header, const std::uint8_t* codes, std::int16_t* destination,
                       int samples_to_decompress) {
    ima_decoder_state state;
    state.source_samples = codes;
    state.destination = destination;
    state.predictor = static_cast<std::int16_t>(header & 0xFF80u);
    state.step_index = header & 0x7F;
    decode(&state, samples_to_decompress);
}

} // namespace zephane
