#include "memory/BalloonHelp.h"

#include "app/Settings.h"
#include "app/SettingsKeys.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ToolTipControl.h"

#include <algorithm>
#include <climits>

namespace memory {

namespace {

// Balloon delays are stored in seconds; anything beyond what milliseconds can hold is clamped.
int BalloonDelayMilliseconds(int seconds)
{
    return std::clamp(seconds, 0, INT_MAX / 1000) * 1000;
}

} // namespace

void ApplyBalloonSettings(ui::ToolTipControl &balloon, const app::Settings &settings)
{
    if (settings.isOn(keys::kBalloonsOff)) {
        balloon.Activate(false);
        return;
    }
    balloon.Activate(true);
    if (const std::optional<int> delay = settings.number(keys::kBalloonDelay))
        balloon.SetDelayTime(BalloonDelayMilliseconds(*delay));
}

std::unique_ptr<ui::ToolTipControl> CreateWindowBalloons(ui::Dialog &window,
                                                         std::span<const BalloonTool> tools,
                                                         const app::Settings &settings)
{
    auto balloon = std::make_unique<ui::ToolTipControl>(&window);
    if (!settings.isOn(keys::kBalloonsOff)) {
        for (const BalloonTool &tool : tools)
            balloon->AddTool(window.GetDlgItem(tool.controlId), tool.text);
    }
    ApplyBalloonSettings(*balloon, settings);
    return balloon;
}

} // namespace memory
