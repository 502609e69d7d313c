#pragma once
// Editing a tag that cannot be saved where it is (a base file, a patch, a read-only file):
// the changes go into a copy of the tag, with its type and id, in a plugin or local file the
// user picks, so the copy overrides the original in every lookup.

#include "tags/tag_database.h"

#include <string>

class QWidget;

namespace zephane {

class TZephaneApp;

// Dialog 160 "Apply to a Copy": the list of places (control 3), OK (1), Cancel (2).
inline constexpr int kCopyTargetResource = 160;
inline constexpr int kCopyTargetList = 3;

// Why the tag's file cannot take the changes, as the editor's header says it; empty when it
// can.
std::string locked_tag_note(const TagEntry& tag);

// Asks where the copy goes and makes it (or finds the copy made before); none when the user
// cancels. The copy is the original's payload until the editor applies its changes.
TagEntry* make_writable_copy(QWidget* parent, TZephaneApp& app, TagEntry& original);

} // namespace zephane
