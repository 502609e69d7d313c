#pragma once
// TskmdEditForm: the "Skeletal Model Set" editor. The animation, the list of up to 16 models
// (added and re-imported from skeleton-export files), the selected model's name,
// probability, texture stack, scale and nine size values, its counts and level-of-detail
// limit, the detail shown, Front and Back faces, Inside-Out, the shadow, attachment and wind
// dialogs, the collision box tree, and the model viewer with its display options.

namespace zephane {

inline constexpr int kSkeletalModelSetResource = 1070;

// Controls of the model set editor.
namespace skmd_control {
inline constexpr int kAnimation = 1;
inline constexpr int kOpenAnimation = 2;
inline constexpr int kAnimationMissing = 3; // "(tag missing)"
inline constexpr int kModels = 4;
inline constexpr int kAdd = 5;
inline constexpr int kDelete = 6;
inline constexpr int kReimport = 7;
inline constexpr int kName = 8;
inline constexpr int kProbability = 9;
inline constexpr int kTextureStack = 10;
inline constexpr int kOpenTextureStack = 11;
inline constexpr int kTextureMissing = 12;
inline constexpr int kScale = 13;
inline constexpr int kAdjustSizes = 14;
// Radius, height0, height1 of each row.
inline constexpr int kCollision = 15; // 15, 16, 17
inline constexpr int kClick = 18;     // 18, 19, 20
inline constexpr int kHilight = 21;   // 21, 22, 23
inline constexpr int kImported = 24;  // 24, 25, 26 (read-only)
inline constexpr int kScaled = 27;    // 27, 28, 29 (read-only)
inline constexpr int kBones = 30;
inline constexpr int kMaxVertices = 31;
inline constexpr int kMaxTriangles = 32;
inline constexpr int kMinVertices = 33;
inline constexpr int kMinTriangles = 34;
inline constexpr int kDisplayedVerts = 35;
inline constexpr int kDisplayedTris = 36;
inline constexpr int kVertexLimit = 37;
inline constexpr int kTriangleLimit = 38;
inline constexpr int kDetail = 39; // the slider
inline constexpr int kTwoSided = 40;
inline constexpr int kInsideOut = 41;
inline constexpr int kShadows = 42;
inline constexpr int kAttachments = 43;
inline constexpr int kWind = 44;
inline constexpr int kCollisionTriangles = 45;
inline constexpr int kCollisionBoxes = 46;
inline constexpr int kBoxTreeDepth = 47;
inline constexpr int kBuildCollision = 48;
inline constexpr int kDeleteCollision = 49;
inline constexpr int kShowBoxes = 50;
inline constexpr int kShowCollisionVolume = 51;
inline constexpr int kShowClickVolume = 52;
inline constexpr int kShowHiliteRing = 53;
inline constexpr int kNormals = 54;
inline constexpr int kSmooth = 55;
inline constexpr int kFlat = 56;
inline constexpr int kWire = 57;
inline constexpr int kViewer = 58;
inline constexpr int kLoadNote = 59; // why some models could not be read
} // namespace skmd_control

void register_skeletal_model_editor();

} // namespace zephane
