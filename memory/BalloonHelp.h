#pragma once

namespace app {
class Settings;
}

namespace ui {
class ToolTipControl;
}

namespace memory {

// Switches a window's balloons by the "Balloon Help" settings: off when switched off, else on,
// with the configured delay when one is set.
void ApplyBalloonSettings(ui::ToolTipControl &balloon, const app::Settings &settings);

} // namespace memory
