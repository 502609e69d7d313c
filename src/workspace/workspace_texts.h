#pragma once
// Texts of workspace loading and the headless build, used exactly as given.

namespace zephane::text {

// Trace lines of loading, one per folder.
inline constexpr const char* kLoadedFolder = "Loaded tags in the '%s' folder.";
inline constexpr const char* kCouldNotReadFolder = "Error: Could not read tags in '%s' folder";

// The headless build, after the caller's program prefix.
inline constexpr const char* kCannotReadRootList = "cannot read the root list ";

} // namespace zephane::text
