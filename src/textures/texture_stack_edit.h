#pragma once
// The texture editor's edits of a stack set, free of widgets: dropping textures at a place
// (moved within the set, duplicated from elsewhere or with the copy modifier), the
// application-wide texture clipboard with Copy, Cut, Clear and Paste, and the selection.

#include <cstddef>
#include <memory>
#include <span>
#include <unordered_set>
#include <vector>

#include "textures/texture_stack.h"

namespace zephane {

// Where dropped or pasted textures go: before `position` of `stack` (0 first; at or past the
// end appends), or, for a gap, into a new stack opened at index `stack`.
struct StackInsertPoint {
    std::size_t stack = 0;
    long position = 0;
    bool gap = false;
    bool operator==(const StackInsertPoint&) const = default;
};

// The textures the editor shows as selected, in the order they were selected. Membership is
// a scan while the list is short and a hash lookup once it holds 8 or more.
class TextureSelection {
public:
    static constexpr std::size_t kHashedFrom = 8;

    const std::vector<stacked_texture*>& textures() const { return order_; }
    bool empty() const { return order_.empty(); }
    std::size_t size() const { return order_.size(); }
    bool contains(const stacked_texture* texture) const;
    void add(stacked_texture* texture);
    void remove(const stacked_texture* texture);
    void clear();
    // Keeps only the textures the set still holds (after a reload or an edit elsewhere).
    void keep_present(const StackSet& set);

private:
    void rebuild_index();

    std::vector<stacked_texture*> order_;
    std::unordered_set<const stacked_texture*> index_; // filled from kHashedFrom on
};

// Inserts the dropped textures one after another at the point, a gap first opening a new
// stack. A texture of this set is moved (its stack kept even when it empties; one taken from
// earlier in the same stack shifts the point back by one); a texture from elsewhere, or any
// texture when copy is set, is duplicated. Returns the inserted textures in order.
std::vector<stacked_texture*> drop_textures(StackSet& set, StackInsertPoint at,
                                            std::span<stacked_texture* const> dropped, bool copy);

// The application-wide list Copy fills and Paste reads.
std::vector<std::unique_ptr<stacked_texture>>& texture_clipboard();
// Replaces the clipboard with duplicates of the textures, in the order given.
void copy_textures(std::span<stacked_texture* const> textures);
// Unlinks and frees every texture, removing stacks that this leaves empty.
void clear_textures(StackSet& set, std::span<stacked_texture* const> textures);
// Duplicates of the clipboard's textures inserted one after another at the point (a gap
// opens a new stack), then empty stacks removed. Returns the pasted textures in order.
std::vector<stacked_texture*> paste_textures(StackSet& set, StackInsertPoint at);

} // namespace zephane
