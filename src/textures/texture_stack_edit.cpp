#include "textures/texture_stack_edit.h"

#include <algorithm>

namespace zephane {

// ---- Selection -------------------------------------------------------------------------

bool TextureSelection::contains(const stacked_texture* texture) const {
    if (order_.size() >= kHashedFrom) return index_.contains(texture);
    return std::find(order_.begin(), order_.end(), texture) != order_.end();
}

void TextureSelection::add(stacked_texture* texture) {
    if (!texture || contains(texture)) return;
    order_.push_back(texture);
    if (order_.size() == kHashedFrom) rebuild_index();
    else if (order_.size() > kHashedFrom) index_.insert(texture);
}

void TextureSelection::remove(const stacked_texture* texture) {
    const auto it = std::find(order_.begin(), order_.end(), texture);
    if (it == order_.end()) return;
    order_.erase(it);
    index_.erase(texture);
    if (order_.size() < kHashedFrom) index_.clear();
}

void TextureSelection::clear() {
    order_.clear();
    index_.clear();
}

void TextureSelection::keep_present(const StackSet& set) {
    std::unordered_set<const stacked_texture*> present;
    for (const TextureStack& stack : set.stacks)
        for (const auto& texture : stack.textures) present.insert(texture.get());
    std::erase_if(order_, [&](const stacked_texture* t) { return !present.contains(t); });
    rebuild_index();
}

void TextureSelection::rebuild_index() {
    index_.clear();
    if (order_.size() >= kHashedFrom) index_.insert(order_.begin(), order_.end());
}

// ---- Drops -----------------------------------------------------------------------------

namespace {

// Opens the gap's stack; the point then names a position in an existing stack.
StackInsertPoint open_point(StackSet& set, StackInsertPoint at) {
    if (at.gap) {
        insert_stack(set, at.stack);
        return {at.stack, 0, false};
    }
    if (at.position < 0) at.position = 0;
    return at;
}

} // namespace

std::vector<stacked_texture*> drop_textures(StackSet& set, StackInsertPoint at,
                                            std::span<stacked_texture* const> dropped, bool copy) {
    at = open_point(set, at);
    std::vector<stacked_texture*> inserted;
    inserted.reserve(dropped.size());
    for (stacked_texture* texture : dropped) {
        if (!texture) continue;
        const TexturePlace place = copy ? TexturePlace{} : find_texture(set, texture);
        std::unique_ptr<stacked_texture> moving;
        if (place.found()) {
            const auto stack = static_cast<std::size_t>(place.stack);
            if (stack == at.stack && place.position < at.position) --at.position;
            moving = unlink_texture(set, stack, *texture, false);
        } else {
            moving = duplicate_texture(*texture);
        }
        stacked_texture* raw = moving.get();
        at.position = insert_texture(set, at.stack, at.position, std::move(moving)) + 1;
        inserted.push_back(raw);
    }
    return inserted;
}

// ---- Clipboard -------------------------------------------------------------------------

std::vector<std::unique_ptr<stacked_texture>>& texture_clipboard() {
    static std::vector<std::unique_ptr<stacked_texture>> clipboard;
    return clipboard;
}

void copy_textures(std::span<stacked_texture* const> textures) {
    std::vector<std::unique_ptr<stacked_texture>> copies;
    copies.reserve(textures.size());
    for (const stacked_texture* texture : textures)
        if (texture) copies.push_back(duplicate_texture(*texture));
    texture_clipboard() = std::move(copies);
}

void clear_textures(StackSet& set, std::span<stacked_texture* const> textures) {
    for (const stacked_texture* texture : textures) {
        const TexturePlace place = find_texture(set, texture);
        if (place.found()) unlink_texture(set, static_cast<std::size_t>(place.stack), *texture, true);
    }
}

std::vector<stacked_texture*> paste_textures(StackSet& set, StackInsertPoint at) {
    std::vector<stacked_texture*> pasted;
    if (texture_clipboard().empty()) return pasted;
    at = open_point(set, at);
    for (const auto& texture : texture_clipboard()) {
        auto copy = duplicate_texture(*texture);
        pasted.push_back(copy.get());
        at.position = insert_texture(set, at.stack, at.position, std::move(copy)) + 1;
    }
    compact_stack_set(set);
    return pasted;
}

} // namespace zephane
