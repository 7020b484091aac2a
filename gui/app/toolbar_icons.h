// The toolbar's button images, drawn at start: one image per command in three states (normal,
// hot while the pointer is over the button, disabled).
#pragma once

#include <QIcon>
#include <QImage>

namespace tarsel::app {

constexpr int kToolButtonWidth = 82;
constexpr int kToolButtonHeight = 34;

enum class ButtonState { Normal, Hot, Disabled };

QImage ToolButtonImage(int commandId, ButtonState state);
// The three images as one icon (Normal, Active and Disabled modes).
QIcon ToolButtonIcon(int commandId);

// The program's own icons, drawn like the buttons: "tarselv8" (the program), "board-list",
// "parameters", "motion", "io" (the child frames).
QIcon NamedIcon(const char* name);

}  // namespace tarsel::app
