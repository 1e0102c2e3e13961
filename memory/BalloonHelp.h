#pragma once

#include <memory>
#include <span>

namespace app {
class Settings;
}

namespace ui {
class Dialog;
class ToolTipControl;
} // namespace ui

namespace memory {

// Switches a window's balloons by the "Balloon Help" settings: off when switched off, else on,
// with the configured delay when one is set.
void ApplyBalloonSettings(ui::ToolTipControl &balloon, const app::Settings &settings);

// One control of a window and its balloon text.
struct BalloonTool {
    int controlId;
    const char *text;
};

// The balloon help of a window that follows the settings only when it opens: switched off, it
// gets no tools; else every tool, and the configured delay.
std::unique_ptr<ui::ToolTipControl> CreateWindowBalloons(ui::Dialog &window,
                                                         std::span<const BalloonTool> tools,
                                                         const app::Settings &settings);

} // namespace memory
