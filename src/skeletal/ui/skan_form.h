#pragma once
// TskanEditForm: the skeletal animation editor ("skan" form). The states with the animations
// each holds and their probabilities, the animations with their names, rates, fades, flags
// and frame actions, the bone hierarchy they share (Specify / Change from a skeleton-export
// file) and the import of animations from such files.

namespace zephane {

namespace skan_control {
inline constexpr int kResource = 1029;
inline constexpr int kStates = 1;         // tree: states, each with its animations
inline constexpr int kNewState = 2;       // "New": "Unnamed State"
inline constexpr int kDeleteState = 3;    // the state, or the selected animation from it
inline constexpr int kAnimations = 4;     // tree: animations, checked when in the selected state
inline constexpr int kImport = 5;         // "Import..."
inline constexpr int kDeleteAnimation = 6;
inline constexpr int kHierarchyText = 7;
inline constexpr int kSpecify = 8;
inline constexpr int kChange = 9;
inline constexpr int kStateName = 10;
inline constexpr int kAnimationName = 11;
inline constexpr int kProbability = 12;
inline constexpr int kFrames = 13;        // read-only
inline constexpr int kBytes = 14;         // read-only
inline constexpr int kDelta = 15;         // read-only: the frames' origin motion total
inline constexpr int kFramesPerSecond = 16;
inline constexpr int kSeconds = 17;       // frames ÷ frames per second
inline constexpr int kFadeIn = 18;
inline constexpr int kFadeOut = 19;
inline constexpr int kInterruptFade = 20;
inline constexpr int kFastInterrupt = 21;
inline constexpr int kTimeDriven = 22;
inline constexpr int kDistanceDriven = 23;
inline constexpr int kTurnDriven = 24;
inline constexpr int kPauseAtEnd = 25;
inline constexpr int kKeepWhenCycled = 26;
inline constexpr int kFrameActions = 27;
} // namespace skan_control

void register_skeletal_animation_editor();

} // namespace zephane
