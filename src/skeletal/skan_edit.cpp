#include "skeletal/skan_edit.h"

#include <algorithm>

namespace zephane {

SkanState new_skan_state() {
    SkanState state;
    set_skan_name(state.header.name, kUnnamedStateName);
    return state;
}

void update_skan_state_total(SkanState& state) {
    std::uint32_t total = 0;
    for (const skan_state_entry& e : state.entries) total += e.probability;
    state.header.total_probability = total;
}

bool delete_skan_animation(SkeletalAnimationSet& set, std::size_t index) {
    if (index >= set.animations.size()) return false;
    set.animations.erase(set.animations.begin() + static_cast<std::ptrdiff_t>(index));
    for (SkanState& state : set.states) {
        const bool named = std::erase_if(state.entries, [index](const skan_state_entry& e) { return e.animation == index; }) > 0;
        for (skan_state_entry& e : state.entries)
            if (e.animation > index) --e.animation;
        if (named) update_skan_state_total(state);
    }
    return true;
}

skan_state_entry* find_skan_state_entry(SkanState& state, std::uint16_t animation) {
    auto it = std::find_if(state.entries.begin(), state.entries.end(),
                           [animation](const skan_state_entry& e) { return e.animation == animation; });
    return it == state.entries.end() ? nullptr : &*it;
}

const skan_state_entry* find_skan_state_entry(const SkanState& state, std::uint16_t animation) {
    return find_skan_state_entry(const_cast<SkanState&>(state), animation);
}

skan_state_entry* add_skan_state_entry(SkanState& state, std::uint16_t animation, std::uint16_t probability) {
    if (skan_state_entry* existing = find_skan_state_entry(state, animation)) return existing;
    if (state.entries.size() >= 0xFFFF) return nullptr;
    state.entries.push_back({animation, probability});
    update_skan_state_total(state);
    return &state.entries.back();
}

std::size_t remove_skan_state_entries(SkanState& state, std::uint16_t animation) {
    const std::size_t removed =
        std::erase_if(state.entries, [animation](const skan_state_entry& e) { return e.animation == animation; });
    if (removed) update_skan_state_total(state);
    return removed;
}

SkanDrive skan_drive(std::uint16_t flags) {
    if (flags & kSkanDistanceDriven) return SkanDrive::distance;
    if (flags & kSkanTurnDriven) return SkanDrive::turn;
    return SkanDrive::time;
}

std::uint16_t with_skan_drive(std::uint16_t flags, SkanDrive drive) {
    auto out = static_cast<std::uint16_t>(flags & ~(kSkanDistanceDriven | kSkanTurnDriven));
    if (drive == SkanDrive::distance) out = static_cast<std::uint16_t>(out | kSkanDistanceDriven);
    if (drive == SkanDrive::turn) out = static_cast<std::uint16_t>(out | kSkanTurnDriven);
    return out;
}

double skan_motion_total(const SkanAnimation& animation) {
    double total = 0;
    for (const SkanFrame& frame : animation.frames) total += frame.record.motion / 65536.0;
    return total;
}

} // namespace zephane
