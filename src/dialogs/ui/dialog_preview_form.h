#pragma once
// The Dialog preview: an imported dialog seen as it was laid out. The window's rectangle with
// each control drawn at its bounds as a plain widget of its kind, and the list of controls
// with their kind, id, bounds and text. Dialogs are made by the dialog builder, not edited:
// the preview is read-only and follows the tag when it changes.

#include <cstdint>

class QWidget;

namespace zephane {

// Controls of the preview (form 1060, "Dialog Preview").
namespace dialog_preview_control {
inline constexpr int kWindowText = 1; // "Window: %d, %d, %d x %d"
inline constexpr int kCanvas = 2;     // the window's rectangle
inline constexpr int kControls = 3;   // the list of controls
} // namespace dialog_preview_control

// A plain widget standing for a control of the dialog kind, showing `text`.
QWidget* make_dialog_control_widget(std::uint32_t kind, const char* text, QWidget* parent);

void register_dialog_preview();

} // namespace zephane
