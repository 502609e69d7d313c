#include "sound/sound_intermediate.h"

#include "sound/ima_adpcm.h"
#include "base/errors.h"

#include <cstring>
#include <new>

namespace zephane {

namespace {

constexpr const char* kModule = "sound_intermediate";

bool is_live(const sound* s) {
    return s && s->magic_cookie == SOUND_MAGIC_COOKIE;
}

// The check every operation that needs a format starts with.
bool check_ready(const sound* s) {
    const bool ready = is_live(s) && s->initialized;
    ZEPHANE_ASSERT(
        ready, "sound && sound->magic_cookie == SOUND_MAGIC_COOKIE && sound->initialized", kModule);
    return ready;
}

std::size_t non_negative(std::int32_t value) {
    return value > 0 ? static_cast<std::size_t>(value) : 0;
}

// Compresses 16-bit mono or stereo PCM into packets, channel buffers padded with silence.
void compress(sound* s) {
    ZEPHANE_ASSERT(s->uncompressed_sample_size_in_bits == 16,
                   "sound->uncompressed_sample_size_in_bits == 16", kModule);
    if (s->uncompressed_sample_size_in_bits != 16) return;
    if (s->number_of_channels != 1) {
        ZEPHANE_ASSERT(s->number_of_channels == 2, "sound->number_of_channels == 2", kModule);
        if (s->number_of_channels != 2) return;
    }
    const std::size_t channels = non_negative(s->number_of_channels);
    const std::size_t frames = s->count;
    const std::size_t per_packet = NUMBER_OF_IMA_SAMPLES_PER_PACKET;
    const std::size_t packets = (frames + per_packet - 1) / per_packet;
    const std::uint8_t* pcm = s->samples->data();

    std::vector<std::uint8_t> packed;
    std::vector<std::vector<std::int16_t>> channel_samples;
    try {
        packed.resize(channels * packets * kImaPacketSize);
        // Silence is 0 for 16-bit data.
        channel_samples.assign(channels, std::vector<std::int16_t>(packets * per_packet, 0));
    } catch (const std::bad_alloc&) {
        assertion_failed("compressed_samples", kModule, __LINE__);
        return;
    }
    for (std::size_t c = 0; c < channels; ++c) {
        std::int16_t* out = channel_samples[c].data();
        const std::uint8_t* in = pcm + c * sizeof(std::int16_t);
        const std::size_t stride = channels * sizeof(std::int16_t);
        for (std::size_t f = 0; f < frames; ++f)
            std::memcpy(out + f, in + f * stride, sizeof(std::int16_t));
    }

    std::vector<ima_channel_state> states(channels);
    std::uint8_t* out = packed.data();
    for (std::size_t p = 0; p < packets; ++p) {
        for (std::size_t c = 0; c < channels; ++c) {
            // Headers in host order inside the intermediate form.
            const std::uint16_t header = ima_packet_header(states[c]);
            std::memcpy(out + c * kImaPacketSize, &header, sizeof header);
        }
        const std::size_t first = p * per_packet;
        if (channels == 2) {
            encode_ima_packet_body_pair(channel_samples[0].data() + first,
                                        channel_samples[1].data() + first, out + 2,
                                        out + kImaPacketSize + 2, states[0], states[1]);
        } else {
            encode_ima_packet_body(channel_samples[0].data() + first, out + 2, states[0]);
        }
        out += channels * kImaPacketSize;
    }
    s->samples = std::move(packed);
    s->compression_type = _ima_adpcm_compression;
    s->count = static_cast<std::uint32_t>(packets);
}

// Decodes every packet and interleaves the channels by frame, so the result is PCM like any
// other (the padding of the last packet comes out as samples).
void decompress(sound* s) {
    const std::size_t channels = non_negative(s->number_of_channels);
    const std::size_t packets = s->count;
    const std::size_t per_packet = NUMBER_OF_IMA_SAMPLES_PER_PACKET;
    std::vector<std::uint8_t> pcm;
    try {
        pcm.resize(packets * channels * per_packet * sizeof(std::int16_t));
    } catch (const std::bad_alloc&) {
        assertion_failed("decompressed_samples", kModule, __LINE__);
        return;
    }
    const std::uint8_t* in = s->samples->data();
    std::int16_t block[NUMBER_OF_IMA_SAMPLES_PER_PACKET];
    for (std::size_t p = 0; p < packets; ++p) {
        for (std::size_t c = 0; c < channels; ++c) {
            std::uint16_t header;
            std::memcpy(&header, in, sizeof header);
            decode_ima_packet(header, in + 2, block, NUMBER_OF_IMA_SAMPLES_PER_PACKET);
            std::uint8_t* out =
                pcm.data() + ((p * per_packet) * channels + c) * sizeof(std::int16_t);
            for (std::size_t i = 0; i < per_packet; ++i)
                std::memcpy(out + i * channels * sizeof(std::int16_t), block + i,
                            sizeof(std::int16_t));
            in += kImaPacketSize;
        }
    }
    s->samples = std::move(pcm);
    s->compression_type = _no_compression;
    s->uncompressed_sample_size_in_bits = 16;
    s->count = static_cast<std::uint32_t>(packets * per_packet);
}

bool is_convertible(std::int16_t type) {
    return type == _no_compression || type == _ima_adpcm_compression;
}

} // namespace

std::unique_ptr<sound> new_sound() {
    return std::make_unique<sound>();
}

void set_sound_format(sound* s, std::int16_t compression_type, std::uint32_t count,
                      std::int16_t bits, std::uint32_t samples_per_second, std::int16_t channels) {
    const bool fresh = is_live(s) && !s->initialized;
    ZEPHANE_ASSERT(fresh,
                   "sound && sound->magic_cookie == SOUND_MAGIC_COOKIE && !sound->initialized",
                   kModule);
    if (!fresh) return;
    s->compression_type = compression_type;
    s->count = count;
    s->uncompressed_sample_size_in_bits = bits;
    s->samples_per_second = samples_per_second;
    s->number_of_channels = channels;
    s->initialized = true;
}

void attach_sound_samples(sound* s, std::vector<std::uint8_t> samples) {
    if (!check_ready(s)) return;
    ZEPHANE_ASSERT(!s->samples, "sound->samples == NULL", kModule);
    if (s->samples) return;
    // A buffer of another size would send the conversions past its end.
    ZEPHANE_ASSERT(samples.size() == get_sound_data_size(s),
                   "sample_buffer_size == sound_data_size(sound)", kModule);
    if (samples.size() != get_sound_data_size(s)) return;
    s->samples = std::move(samples);
}

void convert_sound(sound* s, std::int16_t target) {
    if (!check_ready(s)) return;
    if (s->compression_type == target) return;
    ZEPHANE_ASSERT(is_convertible(s->compression_type) && is_convertible(target),
                   "compression_type == _no_compression || compression_type == "
                   "_ima_adpcm_compression",
                   kModule);
    if (!is_convertible(s->compression_type) || !is_convertible(target)) return;
    ZEPHANE_ASSERT(s->samples.has_value(), "sound->samples != NULL", kModule);
    if (!s->samples) return;
    if (s->compression_type == _ima_adpcm_compression) decompress(s);
    if (target == _ima_adpcm_compression && s->compression_type == _no_compression) compress(s);
}

std::span<const std::uint8_t> get_sound_samples(const sound* s) {
    if (!check_ready(s) || !s->samples) return {};
    return *s->samples;
}

std::size_t get_sound_data_size(const sound* s) {
    if (!check_ready(s)) return 0;
    const std::size_t channels = non_negative(s->number_of_channels);
    if (s->compression_type == _ima_adpcm_compression) return channels * s->count * kImaPacketSize;
    return channels * s->count * (non_negative(s->uncompressed_sample_size_in_bits) / 8);
}

std::uint32_t get_sound_packet_count(const sound* s) {
    if (!check_ready(s)) return 0;
    return static_cast<std::uint32_t>(non_negative(s->number_of_channels) * s->count);
}

void free_sound(std::unique_ptr<sound>& s) { s.reset(); }

} // namespace zephane
