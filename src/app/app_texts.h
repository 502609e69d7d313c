#pragma once
// The texts the application shows, in one place.

namespace zephane::text {

inline constexpr const char* kProductName = "Morvandel";
inline constexpr const char* kApplicationName = "zephane";

// Titles and labels of windows.
inline constexpr const char* kUnsavedTagFile = "(unsaved tag file)";
inline constexpr const char* kReadOnlySuffix = " (readonly)";
inline constexpr const char* kModifiedSuffix = " (modified)";
inline constexpr const char* kAllTagFilesTitle = "All Tag Files";
inline constexpr const char* kTagRowFormat = "%s (%s) [%.fk]";
inline constexpr const char* kEditorTitleFormat = "%s (%s/%s)";
inline constexpr const char* kFilterPlaceholder = "Filter by name, id or type";

// File dialogs.
inline constexpr const char* kTagFileFilter = "Tolm 3 Tag File|*.tag|All Files|*.*";
inline constexpr const char* kAllFilesFilter = "All Files|*.*";
inline constexpr const char* kCinFileFilter = "Ixel .CIN File|*.CIN";
inline constexpr const char* kPhotoshopFileFilter = "Photoshop File|*.PSD";
inline constexpr const char* kAseFileFilter = "3D Studio ASE|*.ASE";
// The tag file window's status line after "Import Camera Motion".
inline constexpr const char* kCameraImportedFormat = "%s: camera motion with %zu position and %zu rotation samples added";
inline constexpr const char* kCameraRefusedFormat = "%s: no camera motion added (%s)";
inline constexpr const char* kFileUnreadable = "the file cannot be read";
inline constexpr const char* kTagExtension = "tag";
inline constexpr const char* kUntitledFileName = "untitled.tag";

// Alerts.
inline constexpr const char* kSaveWindowTitle = "Save Window?";
inline constexpr const char* kSaveWindowText =
    "Should the contents of ^0 be saved before the window is closed?";
inline constexpr const char* kTheNewTagFile = "the new tag file";
inline constexpr const char* kSave = "Save";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kDontSave = "Don't Save";
inline constexpr const char* kDataFormatUpdatedTitle = "Data Format Updated";
inline constexpr const char* kDataFormatUpdatedText =
    "One or more pieces of data have been updated to a newer format.";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCannotOpenTitle = "Open";
inline constexpr const char* kSaveAsRefused =
    "^0 is a tag file. Save As does not write over a tag file; choose another name.";

// A second tag for a single-tag file under local.
inline constexpr const char* kOneTagPerLocalFile = "One Tag per Local File";
inline constexpr const char* kOneTagPerLocalFileText =
    "^0 is in a folder named local, where a file holds exactly one tag, so it could not be "
    "saved with another. Put the new tags into new files beside it, or save this file as a "
    "plugin?";
inline constexpr const char* kNewFiles = "New Files";
inline constexpr const char* kSaveAsPlugin = "Save as Plugin...";
// Create Tag of a type whose new tags get no payload.
inline constexpr const char* kNoNewTagPayload =
    "No tag was made: ^0 cannot be created here, as their type gives a new tag no payload.";

inline constexpr const char* kWorkspaceProblemTitle = "Workspace";

// Dialogs.
inline constexpr const char* kCreateNewTagTitle = "Create New Tag";
inline constexpr const char* kUntitledTag = "untitled tag";
inline constexpr const char* kBasedOnNameOnly = "Based on name only";
inline constexpr const char* kGloballyUnique = "Globally unique within type";
inline constexpr const char* kUniqueInFile = "Unique for type within file";
inline constexpr const char* kSpecify = "Specify:";
inline constexpr const char* kTagInfoTitle = "Tag Info";
inline constexpr const char* kGroup = "Group";
inline constexpr const char* kFindTagTitle = "Find Tag";
inline constexpr const char* kTypeLabel = "Type:";
inline constexpr const char* kIdLabel = "ID:";

// Trace lines of start-up (the folders' lines are in workspace/workspace_texts.h).
inline constexpr const char* kBuildPluginTrace =
    "File >> Build Plugin :: This is not yet functional. Sorry.";

} // namespace zephane::text
