#pragma once
// TsounEditForm: the sound editor. The definition's flags, loudness, play fraction, frequency,
// pitch and volume, the string list with its subtitle string, and the list of up to five
// permutations: added from WAV files (by "Add" or by dropping them on the window),
// duplicated, deleted, renamed, heard and seen as a waveform.

namespace zephane {

// Controls of the sound editor (form 1023, "Sound Editing Window").
namespace sound_control {
inline constexpr int kCannotBeRestarted = 1;        // flags bit 0
inline constexpr int kMultipleChannels = 2;         // bit 1
inline constexpr int kStoppedWithSource = 3;        // bit 2
inline constexpr int kNotObstructedByMedia = 4;     // bit 3
inline constexpr int kSameSubtitle = 5;             // bit 6
inline constexpr int kLoudness = 10;
inline constexpr int kPlayFraction = 11;
inline constexpr int kFrequencyModifier = 12;
inline constexpr int kPitchLower = 13;
inline constexpr int kPitchUpper = 14;
inline constexpr int kVolumeLower = 15;
inline constexpr int kVolumeUpper = 16;
inline constexpr int kStringList = 17;
inline constexpr int kOpenStringList = 18;
inline constexpr int kSubtitle = 19;
inline constexpr int kPermutations = 20;
inline constexpr int kAdd = 21;
inline constexpr int kDuplicate = 22;
inline constexpr int kDelete = 23;
inline constexpr int kPlay = 24;
inline constexpr int kStop = 25;
inline constexpr int kFormatText = 26;   // "%d bits, %d hz"
inline constexpr int kSizeText = 27;     // "%.1f k"
inline constexpr int kChannelsText = 28; // "mono" / "stereo"
inline constexpr int kName = 29;
inline constexpr int kSkip = 30;         // "Skip Percentage:"
inline constexpr int kWaveform = 31;
inline constexpr int kDuration = 32;     // "%.2f s"
inline constexpr int kPlaybackNote = 33; // why nothing plays
} // namespace sound_control

void register_sound_editor();

} // namespace zephane
