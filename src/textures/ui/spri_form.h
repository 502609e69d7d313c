#pragma once
// TspriEditForm: the sprite definition editor. The pool of frames ("Add", "Remove", "Dup",
// "Edit" through the Sprite Frame dialog), the sequences ("New", "Delete" the last) with their
// ending mode, time and probability, and the selected sequence's entries ("To Seq" appends
// the selected pool frame, "Remove Frame") with their timing, colour, rotation, scale and
// sound. Two previews: the selected pool frame and the selected entry's frame.

namespace zephane {

// Controls of the sprite editor (form 1032, "Sprite Definition").
namespace sprite_control {
inline constexpr int kResource = 1032;
inline constexpr int kDiesAtEnd = 1; // "Dies at end of sequence"
inline constexpr int kFrames = 10;   // "Sprite Frames"
inline constexpr int kAddFrame = 11;
inline constexpr int kRemoveFrame = 12;
inline constexpr int kDuplicateFrame = 13;
inline constexpr int kEditFrame = 14;
inline constexpr int kSequences = 20;
inline constexpr int kNewSequence = 21;
inline constexpr int kDeleteSequence = 22;
inline constexpr int kLoopsForever = 23;
inline constexpr int kLoopsFinite = 24;
inline constexpr int kExpiresByTime = 25;
inline constexpr int kTime = 26;
inline constexpr int kProbability = 27;
inline constexpr int kEntries = 30; // "Frames:"
inline constexpr int kToSequence = 31;
inline constexpr int kRemoveEntry = 32;
inline constexpr int kTicks = 33;
inline constexpr int kRotation = 34;
inline constexpr int kRed = 35;
inline constexpr int kGreen = 36;
inline constexpr int kBlue = 37;
inline constexpr int kAlpha = 38;
inline constexpr int kScale = 39;
inline constexpr int kSound = 40;
inline constexpr int kOpenSound = 41;
inline constexpr int kFramePreview = 50; // the selected pool frame
inline constexpr int kEntryPreview = 51; // the selected entry's frame
} // namespace sprite_control

void register_sprite_editor();

} // namespace zephane
