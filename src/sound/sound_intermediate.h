#pragma once
// The intermediate sound: an in-memory record that knows its sample format and owns its
// samples, through which imported audio is converted from 16-bit PCM to ADPCM packets.
// Misuse (a null or dead record, a format set twice, samples attached twice, a reserved
// compression type) is a programming error reported to the assertion handler; when the
// handler lets the program continue, the operation does nothing.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace zephane {

inline constexpr std::uint32_t SOUND_MAGIC_COOKIE = 0x534F554E; // 'SOUN'

enum sound_compression_type : std::int16_t {
    _no_compression = 0,         // PCM, interleaved by frame, host order
    _reserved_compression_1 = 1, // no conversion produces or accepts it
    _ima_adpcm_compression = 2,  // 34-byte packets, channels alternating packet by packet
    _reserved_compression_3 = 3,
};

struct sound {
    std::uint32_t magic_cookie = SOUND_MAGIC_COOKIE;
    bool initialized = false;
    std::int16_t compression_type = _no_compression;
    std::int16_t uncompressed_sample_size_in_bits = 0;
    std::uint32_t samples_per_second = 0;
    std::int16_t number_of_channels = 0;
    // PCM: frames (samples per channel); ADPCM: packets per channel.
    std::uint32_t count = 0;
    std::optional<std::vector<std::uint8_t>> samples; // none until attached
};

std::unique_ptr<sound> new_sound();
// Once per record.
void set_sound_format(sound* sound, std::int16_t compression_type, std::uint32_t count,
                      std::int16_t bits, std::uint32_t samples_per_second, std::int16_t channels);
// Takes the buffer over; only when none is attached. Its size must be the format's data size.
void attach_sound_samples(sound* sound, std::vector<std::uint8_t> samples);
// Nothing when already in that form; a compressed sound is first decompressed to PCM, then PCM
// is compressed to the target. Decompressed stereo comes out interleaved by frame.
void convert_sound(sound* sound, std::int16_t target_compression_type);

std::span<const std::uint8_t> get_sound_samples(const sound* sound);
// PCM: channels × frames × bytes per sample; ADPCM: channels × packets × 34.
std::size_t get_sound_data_size(const sound* sound);
// Packets of all channels.
std::uint32_t get_sound_packet_count(const sound* sound);
void free_sound(std::unique_ptr<sound>& sound);

} // namespace zephane
