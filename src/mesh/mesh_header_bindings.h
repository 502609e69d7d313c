#pragma once
// The Mesh Terrain Window's binding table: which header value each control edits. The
// header's meaning beyond its references and sections is not documented anywhere we could
// read, so the controls edit the runs of values a new mesh fills and nothing else touches:
// fog the five words at 216, the edge buffer zones the four words at 116 (32 cells each in a
// new mesh), the prologue the four words at 244 (zoom coordinates the last two), the flag
// bank the word at 112 (0x4000 in a new mesh). Of the same-typed references, each picker
// stands for the one named in the table; the others (the map name strings at 140 and 492's,
// the second picture, the text pair at 560, the movies, the two mesh references) are carried
// unchanged.

#include "definitions/field_binding.h"

namespace zephane::mesh_terrain_bindings {

inline constexpr const char* kFog = "Fog Controls";
inline constexpr const char* kEdgeBuffers = "Edge Buffer Zones";
inline constexpr const char* kPrologue = "Prologue Controls";
inline constexpr const char* kLevelPicture = "Level Picture";
inline constexpr const char* kPickers = nullptr; // the untitled row of pickers
inline constexpr const char* kCollections = "Collections";
inline constexpr const char* kFlags = "Flags";

// Controls of the Mesh Terrain Window (form 1040).
inline constexpr int kFogFilter = 1;
inline constexpr int kFogDistanceToEnd = 2;
inline constexpr int kFogDistanceToCamera = 3;
inline constexpr int kFogColorRegister = 4;
inline constexpr int kFogDensity = 5;
inline constexpr int kTopBuffer = 6;
inline constexpr int kLeftBuffer = 7;
inline constexpr int kRightBuffer = 8;
inline constexpr int kBottomBuffer = 9;
inline constexpr int kTextScrollSpeed = 10;
inline constexpr int kZoomSpeed = 11;
inline constexpr int kZoomX = 12;
inline constexpr int kZoomY = 13;
// Each picker takes three ids: its name button, the open button (+1), "No Tag" (+2).
inline constexpr int kPickerStep = 3;
inline constexpr int kFirstPicker = 20;
constexpr int picker(int k) { return kFirstPicker + kPickerStep * k; }
inline constexpr int kCollapsedDetail = picker(0);
inline constexpr int kLandscape = picker(1);
inline constexpr int kDetails = picker(2);
inline constexpr int kGroundSprites = picker(3);
inline constexpr int kMedia = picker(4);
inline constexpr int kGlobalLights = picker(5);
inline constexpr int kEnvironmentMap = picker(6);
inline constexpr int kParticleSystem = picker(7);
inline constexpr int kAmbientSound = picker(8);
inline constexpr int kMapDescription = picker(9);
inline constexpr int kWind = picker(10);
inline constexpr int kNarrationSound = picker(11);
inline constexpr int kConnector = picker(12);
inline constexpr int kHintsList = picker(13);
inline constexpr int kPregame = picker(14);
inline constexpr int kOverheadMap = picker(15);
inline constexpr int kCollection3 = picker(16);
inline constexpr int kCollection4 = picker(17);
inline constexpr int kLevelPictureTag = picker(18);
inline constexpr int kPickerCount = 19;
inline constexpr int kFirstFlag = 100; // bit n at 100 + n
inline constexpr int kFlagCount = 16;
inline constexpr int kHint = 200;
inline constexpr int kLevelPicturePreview = 201; // the picked picture, scaled down

inline constexpr const char* kHintText =
    "Tip: To access this window, hold down the control key when opening a mesh.";

constexpr FieldBinding flag(unsigned bit) {
    return bind::flag("flags112", bit, kFirstFlag + static_cast<int>(bit), kFlags);
}

inline constexpr FieldBinding kBindings[] = {
    bind::number("fog", kFogFilter, "Fog Filter:", kFog, 0),
    bind::number("fog", kFogDistanceToEnd, "Distance To End:", kFog, 1),
    bind::number("fog", kFogDistanceToCamera, "Distance To Camera:", kFog, 2),
    bind::number("fog", kFogColorRegister, "Selected Color Register:", kFog, 3),
    bind::number("fog", kFogDensity, "Fog Density:", kFog, 4),
    bind::number("edge_buffer", kTopBuffer, "Top:", kEdgeBuffers, 0),
    bind::number("edge_buffer", kLeftBuffer, "Left:", kEdgeBuffers, 1),
    bind::number("edge_buffer", kRightBuffer, "Right:", kEdgeBuffers, 2),
    bind::number("edge_buffer", kBottomBuffer, "Bottom:", kEdgeBuffers, 3),
    bind::number("prologue", kTextScrollSpeed, "Text Scroll Speed:", kPrologue, 0),
    bind::number("prologue", kZoomSpeed, "Zoom Speed:", kPrologue, 1),
    bind::number("prologue", kZoomX, "Zoom Coords:", kPrologue, 2),
    bind::number("prologue", kZoomY, nullptr, kPrologue, 3), // joins the row above
    bind::reference("stacks516", kCollapsedDetail, "Collapsed Detail:", kPickers, 1),
    bind::reference("landscape", kLandscape, "Landscape:", kPickers),
    bind::reference("stacks516", kDetails, "Details:", kPickers, 0),
    bind::reference("ground_sprites", kGroundSprites, "Ground Sprites:", kPickers),
    bind::reference("media", kMedia, "Media:", kPickers),
    bind::reference("global_light", kGlobalLights, "Global Lights:", kPickers),
    bind::reference("stack532", kEnvironmentMap, "Environment Map:", kPickers),
    bind::reference("particle_system", kParticleSystem, "Particle System:", kPickers),
    bind::reference("ambient_sound", kAmbientSound, "Ambient Sound:", kPickers),
    bind::reference("text", kMapDescription, "Map Description:", kPickers),
    bind::reference("wind", kWind, "Wind:", kPickers),
    bind::reference("sound256", kNarrationSound, "Narration Sound:", kPickers),
    bind::reference("connector", kConnector, "Connector:", kPickers),
    bind::reference("strings252", kHintsList, "Hints List:", kPickers),
    bind::reference("collections", kPregame, "Pregame:", kCollections, 0),
    bind::reference("collections", kOverheadMap, "Overhead Map:", kCollections, 1),
    bind::reference("collections", kCollection3, "Collection 3:", kCollections, 2),
    bind::reference("collection528", kCollection4, "Collection 4:", kCollections),
    bind::reference("jpegs", kLevelPictureTag, nullptr, kLevelPicture, 0),
    flag(0),  flag(1),  flag(2),  flag(3),  flag(4),  flag(5),  flag(6),  flag(7),
    flag(8),  flag(9),  flag(10), flag(11), flag(12), flag(13), flag(14), flag(15),
};

} // namespace zephane::mesh_terrain_bindings
