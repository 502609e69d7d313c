#include "sound/ima_adpcm.h"

#include "base/errors.h"

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

// The step update as tables, so that neither side branches on the codes: the difference a
// code adds (sign aside) at each step index, and the step index that follows.
struct StepTables {
    std::int32_t diff[89][8];
    std::uint8_t next_index[89][16];
};

constexpr StepTables make_step_tables() {
    StepTables t{};
    for (std::int32_t index = 0; index <= kLastStepIndex; ++index) {
        const std::int32_t step = kStepTable[index];
        for (std::uint32_t code = 0; code < 8; ++code) {
            std::int32_t diff = step >> 3;
            if (code & 4) diff += step;
            if (code & 2) diff += step >> 1;
            if (code & 1) diff += step >> 2;
            t.diff[index][code] = diff;
        }
        for (std::uint32_t code = 0; code < 16; ++code) {
            const std::int32_t next = index + kIndexTable[code];
            t.next_index[index][code] =
                static_cast<std::uint8_t>(next < 0 ? 0 : next > kLastStepIndex ? kLastStepIndex : next);
        }
    }
    return t;
}

constexpr StepTables kTables = make_step_tables();

inline std::int32_t clamp_sample(std::int32_t value) {
    return value < -32768 ? -32768 : value > 32767 ? 32767 : value;
}

// Applies a code: predictor ± diff, clamped to 16 bits; the step index moves by the table.
inline void apply_code(std::uint32_t code, std::int32_t& predictor, std::int32_t& step_index) {
    const std::int32_t diff = kTables.diff[step_index][code & 7];
    const std::int32_t negative = -static_cast<std::int32_t>(code >> 3); // 0 or -1
    predictor = clamp_sample(predictor + ((diff ^ negative) - negative));
    step_index = kTables.next_index[step_index][code];
}

// d = s − p; bit 3 for a negative d; then bits 2, 1 and 0 while |d| covers step, step/2 and
// step/4. Masks instead of branches: noisy input would make every branch a coin toss.
inline std::uint32_t encode_sample(std::int32_t sample, std::int32_t& predictor,
                                   std::int32_t& step_index) {
    const std::int32_t step = kStepTable[step_index];
    std::int32_t d = sample - predictor;
    const std::int32_t negative = d >> 31; // 0 or -1
    d = (d ^ negative) - negative;
    std::int32_t mask = -static_cast<std::int32_t>(d >= step);
    std::uint32_t code = static_cast<std::uint32_t>(4 & mask);
    d -= step & mask;
    mask = -static_cast<std::int32_t>(d >= (step >> 1));
    code |= static_cast<std::uint32_t>(2 & mask);
    d -= (step >> 1) & mask;
    code |= static_cast<std::uint32_t>(d >= (step >> 2));
    code |= static_cast<std::uint32_t>(8 & negative);
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

void encode_ima_packet_body_pair(const std::int16_t* left, const std::int16_t* right,
                                 std::uint8_t* left_destination, std::uint8_t* right_destination,
                                 ima_channel_state& left_state, ima_channel_state& right_state) {
    std::int32_t lp = left_state.predictor, li = left_state.step_index;
    std::int32_t rp = right_state.predictor, ri = right_state.step_index;
    for (std::size_t k = 0; k < kImaCodeBytesPerPacket; ++k) {
        const std::uint32_t l0 = encode_sample(left[2 * k], lp, li);
        const std::uint32_t r0 = encode_sample(right[2 * k], rp, ri);
        const std::uint32_t l1 = encode_sample(left[2 * k + 1], lp, li);
        const std::uint32_t r1 = encode_sample(right[2 * k + 1], rp, ri);
        left_destination[k] = static_cast<std::uint8_t>(l0 | (l1 << 4));
        right_destination[k] = static_cast<std::uint8_t>(r0 | (r1 << 4));
    }
    left_state = {lp, li};
    right_state = {rp, ri};
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
