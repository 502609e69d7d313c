// Drops, the clipboard and the selection of the texture editor, on stack sets in memory.

#include "textures/texture_stack_edit.h"
#include "texture_fixtures.h"

#include <gtest/gtest.h>

namespace zephane {
namespace {

using test::bytes_texture;

// A set of stacks holding one-byte textures named by their byte; returns the textures.
StackSet make_set(const std::vector<std::string>& stacks) {
    StackSet set;
    for (std::size_t s = 0; s < stacks.size(); ++s)
        for (char c : stacks[s]) insert_texture(set, s, -1, bytes_texture({static_cast<std::uint8_t>(c)}));
    set.dirty = false;
    return set;
}

// The set as letters, stacks separated by '|' (an empty stack shows as nothing between bars).
std::string shape(const StackSet& set) {
    std::string out;
    for (std::size_t s = 0; s < set.stacks.size(); ++s) {
        if (s) out += '|';
        for (const auto& t : set.stacks[s].textures) out += static_cast<char>(t->compressed_data[0]);
    }
    return out;
}

stacked_texture* at(StackSet& set, std::size_t s, std::size_t p) { return texture_at(set, s, p); }

TEST(TextureDrop, MovesWithinAndAcrossStacksKeepingEmptiedStacks) {
    StackSet set = make_set({"abcd", "x"});
    // a and b dropped before d: both come from earlier in the stack, the point moves back.
    std::vector<stacked_texture*> moving{at(set, 0, 0), at(set, 0, 1)};
    auto inserted = drop_textures(set, {0, 3, false}, moving, false);
    EXPECT_EQ(shape(set), "cabd|x");
    EXPECT_EQ(inserted, moving); // moved, not copied
    EXPECT_TRUE(set.dirty);

    // d dropped to the front of its own stack.
    drop_textures(set, {0, 0, false}, std::vector<stacked_texture*>{at(set, 0, 3)}, false);
    EXPECT_EQ(shape(set), "dcab|x");

    // x moved into the first stack: its stack survives, empty.
    drop_textures(set, {0, 1, false}, std::vector<stacked_texture*>{at(set, 1, 0)}, false);
    EXPECT_EQ(shape(set), "dxcab|");
    EXPECT_EQ(set.stacks.size(), 2u);

    // Past the end appends.
    drop_textures(set, {0, 99, false}, std::vector<stacked_texture*>{at(set, 0, 0)}, false);
    EXPECT_EQ(shape(set), "xcabd|");
}

TEST(TextureDrop, CopiesWithTheModifierAndFromElsewhere) {
    StackSet set = make_set({"ab"});
    StackSet other = make_set({"z"});
    stacked_texture* a = at(set, 0, 0);
    auto copies = drop_textures(set, {0, 2, false}, std::vector<stacked_texture*>{a}, true);
    EXPECT_EQ(shape(set), "aba");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_NE(copies[0], a);
    EXPECT_EQ(at(set, 0, 0), a);

    auto foreign = drop_textures(set, {0, 1, false}, std::vector<stacked_texture*>{at(other, 0, 0)}, false);
    EXPECT_EQ(shape(set), "azba");
    EXPECT_EQ(shape(other), "z"); // the other set keeps its texture
    EXPECT_NE(foreign[0], at(other, 0, 0));
}

TEST(TextureDrop, IntoAGapOpensANewStack) {
    StackSet set = make_set({"ab", "c"});
    drop_textures(set, {1, 0, true}, std::vector<stacked_texture*>{at(set, 0, 1), at(set, 1, 0)}, false);
    // b and c form a new stack between the two; c's old stack stays, empty.
    EXPECT_EQ(shape(set), "a|bc|");
    EXPECT_EQ(set.stacks[1].word, kNewStackWord);
    EXPECT_EQ(set.stacks[1].flags, 0);

    drop_textures(set, {3, 0, true}, std::vector<stacked_texture*>{at(set, 0, 0)}, true);
    EXPECT_EQ(shape(set), "a|bc||a");
}

TEST(TextureClipboard, CopyCutPasteAndClear) {
    StackSet set = make_set({"abc", "d", "e"});
    copy_textures(std::vector<stacked_texture*>{at(set, 0, 2), at(set, 0, 0)}); // selection order
    ASSERT_EQ(texture_clipboard().size(), 2u);

    // Clear frees the textures and removes only the stacks it empties.
    insert_stack(set, 3); // an empty stack made earlier survives the Clear
    clear_textures(set, std::vector<stacked_texture*>{at(set, 1, 0), at(set, 0, 1)});
    EXPECT_EQ(shape(set), "ac|e|");

    // Paste into a gap opens a stack, then removes every empty stack.
    auto pasted = paste_textures(set, {1, 0, true});
    EXPECT_EQ(shape(set), "ac|ca|e");
    ASSERT_EQ(pasted.size(), 2u);
    EXPECT_EQ(pasted[0], at(set, 1, 0));

    // Paste after the first texture of a stack; the clipboard stays for another paste.
    paste_textures(set, {2, 1, false});
    EXPECT_EQ(shape(set), "ac|ca|eca");
    EXPECT_EQ(texture_clipboard().size(), 2u);
    // Changing a pasted texture leaves the clipboard's copy alone.
    pasted[0]->compressed_data[0] = 'q';
    EXPECT_EQ(texture_clipboard()[0]->compressed_data[0], 'c');
    texture_clipboard().clear();
    EXPECT_TRUE(paste_textures(set, {0, 0, false}).empty());
}

TEST(TextureSelection, StaysConsistentAcrossTheHashedSize) {
    StackSet set = make_set({"abcdefghijkl"});
    TextureSelection selection;
    for (std::size_t k = 0; k < 10; ++k) selection.add(at(set, 0, k));
    selection.add(at(set, 0, 3)); // already there: no second entry
    EXPECT_EQ(selection.size(), 10u);
    EXPECT_TRUE(selection.contains(at(set, 0, 9)));
    EXPECT_FALSE(selection.contains(at(set, 0, 10)));
    selection.remove(at(set, 0, 9));
    selection.remove(at(set, 0, 8));
    selection.remove(at(set, 0, 7)); // back below the hashed size
    EXPECT_EQ(selection.size(), 7u);
    EXPECT_FALSE(selection.contains(at(set, 0, 8)));
    EXPECT_TRUE(selection.contains(at(set, 0, 6)));
    selection.add(at(set, 0, 11));
    EXPECT_TRUE(selection.contains(at(set, 0, 11)));
    EXPECT_EQ(selection.textures().back(), at(set, 0, 11));

    // Textures the set no longer holds drop out; the order of the others stays.
    clear_textures(set, std::vector<stacked_texture*>{at(set, 0, 0), at(set, 0, 11)});
    selection.keep_present(set);
    ASSERT_EQ(selection.size(), 6u);
    EXPECT_EQ(selection.textures().front()->compressed_data[0], 'b');
}

} // namespace
} // namespace zephane
