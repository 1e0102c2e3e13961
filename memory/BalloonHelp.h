#pragma once

#include <memory>
#include <span>
#include <string>

namespace app {
class Settings;
}

namespace ui {
class Dialog;
class ToolTipControl;
} // namespace ui

// The steps every window with balloon help shares; each window keeps its own table of texts.
namespace memory {

// One balloon: the control it belongs to and the text it shows (ANSI).
struct BalloonText {
    int controlId;
    std::string text;
};

// Adds a tool for every control of the table; the texts stay as they are now, whatever later
// becomes of the controls' captions.
void AddBalloonTexts(ui::ToolTipControl &balloon, const ui::Dialog &window,
                     std::span<const BalloonText> texts);

// Sets the wait before a balloon shows to `seconds`; values whose milliseconds an int cannot
// hold are clamped, negative ones show at once.
void SetBalloonDelay(ui::ToolTipControl &balloon, int seconds);

// Switches a window's balloons by the "Balloon Help" settings: off when switched off, else on,
// with the configured delay when one is set.
void ApplyBalloonSettings(ui::ToolTipControl &balloon, const app::Settings &settings);

// The balloon help of a window that follows the settings only when it opens: switched off, it
// gets no tools; else every tool, and the configured delay.
std::unique_ptr<ui::ToolTipControl> CreateWindowBalloons(ui::Dialog &window,
                                                         std::span<const BalloonText> tools,
                                                         const app::Settings &settings);

} // namespace memory
