#pragma once
// The numbers of the menu commands, shared by the menus, the windows and the application.

namespace zephane::command {

// Edit and file commands of tag file windows.
inline constexpr int kUndo = 9820; // every window with an undo stack
inline constexpr int kRedo = 9821;
inline constexpr int kCut = 5;
inline constexpr int kCopy = 6;
inline constexpr int kPaste = 7;
inline constexpr int kClear = 8;
inline constexpr int kSave = 13;
inline constexpr int kSaveAs = 14;
inline constexpr int kRevert = 15;

// Application commands.
inline constexpr int kBuildPluginFromLocal = 16;
inline constexpr int kNew = 101;
inline constexpr int kOpen = 102;
inline constexpr int kFrameworkCommand = 103; // no menu item: the framework's quit
inline constexpr int kBuildFoundationTags = 105;
inline constexpr int kOpenCompleteTagList = 106;
inline constexpr int kUpdateTagFormats = 107;
inline constexpr int kFindTag = 9805;

// Tag commands.
inline constexpr int kCreateTag = 401;
inline constexpr int kOpenTag = 402;
inline constexpr int kTagInfo = 403;
inline constexpr int kFindDuplicates = 9806;
inline constexpr int kReloadTag = 9803;
inline constexpr int kApplyTagChanges = 9804;
inline constexpr int kCheckWorkspace = 9807;

// The texture editor's Special menu.
inline constexpr int kSplitRgba = 1002;
inline constexpr int kMergeRgbAndAlpha = 1003;
inline constexpr int kRecompressTextures = 1004;

// Imports started from a tag file window.
inline constexpr int kImportCameraMotion = 1005;
inline constexpr int kImportCinFile = 1006;
inline constexpr int kImportNewColormap = 2016;
inline constexpr int kReplaceColormap = 2017;
inline constexpr int kCollapseTerrainDetail = 2018;

// Recent files: one id per entry of File > Open Recent.
inline constexpr int kFirstRecentFile = 20100;
inline constexpr int kLastRecentFile = 20119;
inline constexpr int kClearRecentFiles = 20120;

} // namespace zephane::command
