#pragma once
// Edits of a skeletal animation set that the animation editor makes: states and their entries,
// deleting an animation (the entries naming it go, later indexes move down), the drive mode of
// an animation's flags, and the origin motion total.

#include <cstddef>
#include <cstdint>

#include "skeletal/skan_payload.h"

namespace zephane {

inline constexpr const char* kUnnamedStateName = "Unnamed State";

enum class SkanDrive { time, distance, turn };

// A state named "Unnamed State" with no entries and no flags.
SkanState new_skan_state();

// The states' stored totals are what the game draws against: every edit below that changes a
// state's entries sets its total to the sum of their probabilities again. States it leaves
// alone keep the total they were read with.
void update_skan_state_total(SkanState& state);

// Removes the animation and every state entry naming it; entries of later animations are
// renumbered. False when the index is past the list.
bool delete_skan_animation(SkeletalAnimationSet& set, std::size_t index);

// The first entry of the state naming the animation, or null.
skan_state_entry* find_skan_state_entry(SkanState& state, std::uint16_t animation);
const skan_state_entry* find_skan_state_entry(const SkanState& state, std::uint16_t animation);
// Appends an entry for the animation unless one exists; returns that entry. An entry count
// past 65535 is refused (null).
skan_state_entry* add_skan_state_entry(SkanState& state, std::uint16_t animation, std::uint16_t probability);
// Removes every entry of the state naming the animation; how many went.
std::size_t remove_skan_state_entries(SkanState& state, std::uint16_t animation);

// Time driven: neither bit 1 nor bit 3; distance: bit 1; turn: bit 3. A flags word with both
// bits set reads as distance driven.
SkanDrive skan_drive(std::uint16_t flags);
std::uint16_t with_skan_drive(std::uint16_t flags, SkanDrive drive);

// The sum of the frames' origin motions (16.16) as a real number.
double skan_motion_total(const SkanAnimation& animation);

} // namespace zephane
