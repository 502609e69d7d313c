#pragma once
// Editing a list kept in a record as a fixed-capacity array and a count field (a sound list's
// entries, a monster's attacks, a projectile group's parts): insert, duplicate and remove keep
// the order of the others, and a vacated slot gets the caller's empty element.
//
// The count comes from outside bytes, so every use clamps it to the capacity first; an edit
// writes the clamped count it worked from, plus or minus one.

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>

namespace zephane {

template <class Count>
constexpr std::size_t clamped_list_count(Count stored, std::size_t capacity) {
    if (stored <= 0) return 0;
    return std::min(static_cast<std::size_t>(stored), capacity);
}

template <class Element, class Count>
class RecordListEdit {
public:
    // (Not "slots": Qt defines it as a macro, and forms use this header.)
    RecordListEdit(std::span<Element> elements, Count& count) : slots_(elements), count_(count) {}
    template <std::size_t N>
    RecordListEdit(Element (&elements)[N], Count& count) : slots_(elements), count_(count) {}

    std::size_t size() const { return clamped_list_count(count_, slots_.size()); }
    bool full() const { return size() >= slots_.size(); }

    // Puts the element at `at` (up to size()), moving those from there one slot on. Its
    // index, or none when the list is full or `at` is past the end.
    std::optional<std::size_t> insert(std::size_t at, const Element& element) {
        const std::size_t n = size();
        if (n >= slots_.size() || at > n) return std::nullopt;
        Element* slot = slots_.data();
        std::copy_backward(slot + at, slot + n, slot + n + 1);
        slots_[at] = element;
        count_ = static_cast<Count>(n + 1);
        return at;
    }

    // A copy of the element at `at` just after it; the copy's index, or none.
    std::optional<std::size_t> duplicate(std::size_t at) {
        if (at >= size()) return std::nullopt;
        return insert(at + 1, Element(slots_[at]));
    }

    // Removes the element at `at`; the last slot in use becomes `vacated`. False when there
    // is no such element.
    bool remove(std::size_t at, const Element& vacated) {
        const std::size_t n = size();
        if (at >= n) return false;
        Element* slot = slots_.data();
        std::copy(slot + at + 1, slot + n, slot + at);
        slots_[n - 1] = vacated;
        count_ = static_cast<Count>(n - 1);
        return true;
    }

private:
    std::span<Element> slots_;
    Count& count_;
};

} // namespace zephane
